#pragma once
// A small rectangle filled with one colour.

#include <QColor>
#include <QWidget>

namespace tessarin::ui::qt {

class ColorSwatch : public QWidget {
  Q_OBJECT
 public:
  explicit ColorSwatch(QWidget* parent = nullptr);
  void SetColor(const QColor& color);
  QSize sizeHint() const override { return {36, 20}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor color_;
};

}  // namespace tessarin::ui::qt
