#include "ui/qt/color_swatch.h"

#include <QPainter>

namespace tessarin::ui::qt {

ColorSwatch::ColorSwatch(QWidget* parent) : QWidget(parent) {
  setFixedSize(sizeHint());
}

void ColorSwatch::SetColor(const QColor& color) {
  if (color == color_) return;
  color_ = color;
  update();
}

void ColorSwatch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::Dark));
  painter.setBrush(color_);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace tessarin::ui::qt
