#pragma once
// The picture of the Geometry view: shows the latest slice, zooms with the
// mouse wheel, pans while dragged and says what lies under the pointer.

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

namespace tessarin::ui::qt {

class SliceCanvas : public QWidget {
  Q_OBJECT
 public:
  explicit SliceCanvas(QWidget* parent = nullptr);

  void SetImage(QImage image);
  // A ring drawn around this point of the picture (pixels), or none.
  void SetMarker(std::optional<QPointF> at);
  std::optional<QPointF> Marker() const { return marker_; }
  const QImage& Image() const { return image_; }

  std::function<void(double factor, QPointF at)> zoomed;
  std::function<void(QPointF by)> dragged;
  std::function<void(QPointF at)> pointed;
  std::function<void()> resized;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QImage image_;
  std::optional<QPointF> marker_;
  QPointF dragFrom_;
  QPointF shownOffset_;  // how far the shown picture has been dragged since it was drawn
  bool dragging_ = false;
};

}  // namespace tessarin::ui::qt
