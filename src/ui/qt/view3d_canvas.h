#pragma once
// The picture of the 3D view, stretched over the widget (the coarse picture
// comes first): a drag turns the view, a drag with Shift moves it, the wheel
// zooms, a click without a drag picks what lies under the pointer. A ring
// marks the fault last chosen.

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

namespace tessarin::ui::qt {

class View3dCanvas : public QWidget {
  Q_OBJECT
 public:
  explicit View3dCanvas(QWidget* parent = nullptr);

  void SetImage(QImage image);
  const QImage& Image() const { return image_; }
  // A ring round this point of the widget; none without one.
  void SetMarker(std::optional<QPointF> at);
  std::optional<QPointF> Marker() const { return marker_; }

  std::function<void(QPointF by)> orbited;
  std::function<void(QPointF by)> panned;
  std::function<void(double factor)> zoomed;
  std::function<void(QPointF at)> pointed;
  std::function<void(QPointF at)> clicked;
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
  QPointF pressedAt_, dragFrom_;
  bool pressed_ = false;
  bool moved_ = false;  // the press became a drag
};

}  // namespace tessarin::ui::qt
