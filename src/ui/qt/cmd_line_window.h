#pragma once
// The "Varnholt command-line arguments" dialog.

#include <QDialog>
#include <functional>
#include <vector>

#include "ui/cmd_line_dialog.h"

class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace tessarin::ui::qt {

class CmdLineWindow : public QDialog {
  Q_OBJECT
 public:
  CmdLineWindow(CCmdLineDlg& dialog, std::function<void()> showSystemVariables, QWidget* parent = nullptr);
  // Ends as OK only when the working copy changed.
  void accept() override;

 private:
  struct FieldRow {
    QLineEdit* edit;
    TextField field;
    QPushButton* browse;
  };
  QLineEdit* AddField(QGridLayout* grid, int row, const char* caption, TextField field, bool browse, bool open,
                      const char* tooltip = nullptr);
  void AddSuffixField(QHBoxLayout* row, const char* caption, TextField field, const char* tooltip);
  QCheckBox* AddCheckBox(const char* caption, CheckField field, const char* tooltip);
  void ShowCopy();

  CCmdLineDlg& dialog_;
  std::vector<FieldRow> fields_;
  std::vector<std::pair<QCheckBox*, CheckField>> checkBoxes_;
  QSpinBox* threads_ = nullptr;
  QPlainTextEdit* arguments_ = nullptr;
  QButtonGroup* folderOptions_ = nullptr;
  bool showing_ = false;
};

}  // namespace tessarin::ui::qt
