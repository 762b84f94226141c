#pragma once
// An edit field with spin buttons whose steps the controller makes (the
// angles wrap and clamp by their own rules); any text may be typed and is
// committed when the field loses the focus.

#include <QAbstractSpinBox>

namespace tessarin::ui::qt {

class AngleSpinBox : public QAbstractSpinBox {
  Q_OBJECT
 public:
  explicit AngleSpinBox(QWidget* parent = nullptr);
  void stepBy(int steps) override;
  void SetText(const QString& text);
  QString Text() const;

 signals:
  void Stepped(int steps);

 protected:
  StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
};

}  // namespace tessarin::ui::qt
