#include "ui/qt/slice_canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>
#include <utility>

#include "ui/qt/marker_ring.h"

namespace tessarin::ui::qt {

SliceCanvas::SliceCanvas(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setMinimumSize(200, 150);
  setCursor(Qt::CrossCursor);
}

void SliceCanvas::SetImage(QImage image) {
  image_ = std::move(image);
  shownOffset_ = {};
  update();
}

void SliceCanvas::SetMarker(std::optional<QPointF> at) {
  marker_ = at;
  update();
}

void SliceCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  // Until the panned picture arrives the old one moves with the pointer.
  if (!image_.isNull()) painter.drawImage(shownOffset_, image_);
  if (marker_) DrawMarkerRing(painter, *marker_ + shownOffset_);
}

void SliceCanvas::wheelEvent(QWheelEvent* event) {
  const double steps = event->angleDelta().y() / 120.0;
  if (steps != 0 && zoomed) zoomed(std::pow(1.25, steps), event->position());
  event->accept();
}

void SliceCanvas::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  dragFrom_ = event->position();
  setCursor(Qt::ClosedHandCursor);
}

void SliceCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_) {
    const QPointF by = event->position() - dragFrom_;
    dragFrom_ = event->position();
    shownOffset_ += by;
    update();
    if (dragged) dragged(by);
  }
  if (pointed) pointed(event->position());
}

void SliceCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = false;
  setCursor(Qt::CrossCursor);
}

void SliceCanvas::resizeEvent(QResizeEvent*) {
  if (resized) resized();
}

}  // namespace tessarin::ui::qt
