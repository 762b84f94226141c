#include "ui/qt/view3d_canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "ui/qt/marker_ring.h"
#include "ui/qt/view3d_captions.h"

namespace tessarin::ui::qt {

namespace {

constexpr double kClickSlack = 3;  // pixels a click may move before it is a drag

}  // namespace

View3dCanvas::View3dCanvas(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setMinimumSize(200, 150);
  setCursor(Qt::CrossCursor);
  setToolTip(captions::kTipView3dCanvas);
}

void View3dCanvas::SetImage(QImage image) {
  image_ = std::move(image);
  update();
}

void View3dCanvas::SetMarker(std::optional<QPointF> at) {
  if (at == marker_) return;
  marker_ = at;
  update();
}

void View3dCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  if (image_.isNull()) return;
  // The coarse picture shows blocky rather than blurred, as it is.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(rect(), image_);
  if (marker_) DrawMarkerRing(painter, *marker_);
}

void View3dCanvas::wheelEvent(QWheelEvent* event) {
  const double steps = event->angleDelta().y() / 120.0;
  if (steps != 0 && zoomed) zoomed(std::pow(1.25, steps));
  event->accept();
}

void View3dCanvas::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = true;
  moved_ = false;
  pressedAt_ = dragFrom_ = event->position();
}

void View3dCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (pressed_) {
    const QPointF fromPress = event->position() - pressedAt_;
    if (std::abs(fromPress.x()) + std::abs(fromPress.y()) > kClickSlack) moved_ = true;
    if (moved_) {
      const QPointF by = event->position() - dragFrom_;
      dragFrom_ = event->position();
      const bool pan = (event->modifiers() & Qt::ShiftModifier) != 0;
      setCursor(pan ? Qt::ClosedHandCursor : Qt::SizeAllCursor);
      if (pan && panned) panned(by);
      if (!pan && orbited) orbited(by);
    }
  }
  if (pointed) pointed(event->position());
}

void View3dCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  setCursor(Qt::CrossCursor);
  if (!moved_ && clicked) clicked(event->position());
}

void View3dCanvas::resizeEvent(QResizeEvent*) {
  if (resized) resized();
}

}  // namespace tessarin::ui::qt
