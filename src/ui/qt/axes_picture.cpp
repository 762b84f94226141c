#include "ui/qt/axes_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace tessarin::ui::qt {

ProjectedAxis ProjectAxis(int axis, double azimuth, double elevation, double twist) {
  const double toRadians = std::numbers::pi / 180;
  double a = azimuth * toRadians, e = elevation * toRadians, t = twist * toRadians;
  // Screen right, screen up and the direction towards the viewer in world
  // coordinates; azimuth 0 and elevation 0 look along -X with Z up.
  std::array<double, 3> right{-std::sin(a), std::cos(a), 0};
  std::array<double, 3> up{-std::sin(e) * std::cos(a), -std::sin(e) * std::sin(a), std::cos(e)};
  std::array<double, 3> towardViewer{std::cos(e) * std::cos(a), std::cos(e) * std::sin(a), std::sin(e)};
  double x = right[static_cast<std::size_t>(axis)];
  double y = up[static_cast<std::size_t>(axis)];
  ProjectedAxis projected;
  projected.right = x * std::cos(t) + y * std::sin(t);
  projected.up = -x * std::sin(t) + y * std::cos(t);
  projected.pointsAway = towardViewer[static_cast<std::size_t>(axis)] < -1e-12;
  return projected;
}

AxesPicture::AxesPicture(QWidget* parent) : QWidget(parent) {
  setMinimumSize(150, 150);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void AxesPicture::SetAngles(double azimuth, double elevation, double twist) {
  if (azimuth == azimuth_ && elevation == elevation_ && twist == twist_) return;
  azimuth_ = azimuth;
  elevation_ = elevation;
  twist_ = twist;
  update();
}

void AxesPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  QRectF area = rect().adjusted(1, 1, -1, -1);
  painter.setPen(QPen(palette().color(QPalette::Mid), 1));
  painter.setBrush(QColor(24, 28, 36));
  painter.drawRoundedRect(area, 6, 6);

  QPointF center = area.center();
  double length = std::min(area.width(), area.height()) * 0.36;
  static const std::array<QColor, 3> kColors{QColor(235, 80, 80), QColor(90, 210, 110), QColor(90, 150, 255)};
  static const std::array<const char*, 3> kNames{"X", "Y", "Z"};
  QFont font = painter.font();
  font.setBold(true);
  painter.setFont(font);
  for (int axis = 0; axis < 3; ++axis) {
    ProjectedAxis projected = ProjectAxis(axis, azimuth_, elevation_, twist_);
    QPointF tip = center + QPointF(projected.right * length, -projected.up * length);
    QPen pen(kColors[static_cast<std::size_t>(axis)], 2);
    if (projected.pointsAway) pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    painter.drawLine(center, tip);
    QString label = QString(kNames[static_cast<std::size_t>(axis)]) + (projected.pointsAway ? "'" : "");
    QPointF direction(projected.right, -projected.up);
    double norm = std::hypot(direction.x(), direction.y());
    QPointF offset = norm > 1e-9 ? direction / norm * 12.0 : QPointF(8, -8);
    QRectF labelBox(tip + offset - QPointF(10, 9), QSizeF(20, 18));
    painter.drawText(labelBox, Qt::AlignCenter, label);
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(220, 220, 220));
  painter.drawEllipse(center, 2.5, 2.5);
}

}  // namespace tessarin::ui::qt
