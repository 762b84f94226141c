#pragma once
// The "About Tessarin" box.

#include <QDialog>

namespace tessarin::ui::qt {

class AboutWindow : public QDialog {
  Q_OBJECT
 public:
  explicit AboutWindow(QWidget* parent = nullptr);
};

}  // namespace tessarin::ui::qt
