#include "ui/qt/angle_spin_box.h"

#include <QLineEdit>

namespace tessarin::ui::qt {

AngleSpinBox::AngleSpinBox(QWidget* parent) : QAbstractSpinBox(parent) {
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  setAccelerated(false);
}

void AngleSpinBox::stepBy(int steps) { emit Stepped(steps); }

void AngleSpinBox::SetText(const QString& text) {
  if (lineEdit()->text() != text) lineEdit()->setText(text);
}

QString AngleSpinBox::Text() const { return lineEdit()->text(); }

}  // namespace tessarin::ui::qt
