#include "ui/qt/cmd_line_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "settings/viewparm.h"
#include "ui/messages.h"
#include "ui/qt/captions.h"
#include "ui/qt/wheel_guard.h"
#include "ui/qt/check_state.h"

namespace tessarin::ui::qt {
CmdLineWindow::CmdLineWindow(CCmdLineDlg& dialog, std::function<void()> showSystemVariables, QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
  setWindowTitle(messages::kCmdLineTitle.data());
  auto* layout = new QVBoxLayout(this);

  auto* program = new QGroupBox(captions::kProgramGroup);
  auto* grid = new QGridLayout(program);
  grid->setColumnStretch(1, 1);
  AddField(grid, 0, captions::kExecutable, TextField::VarnholtExecutable, true, false);
  threads_ = new QSpinBox;
  threads_->setRange(-1, 2048);
  threads_->setSingleStep(1);
  threads_->setToolTip(captions::kTipThreads);
  connect(threads_, &QSpinBox::valueChanged, this, [this](int value) {
    if (showing_) return;
    dialog_.Commit(NumberField::ThreadCount, std::to_string(value));
    ShowCopy();
  });
  grid->addWidget(new QLabel(captions::kThreads), 1, 0);
  grid->addWidget(threads_, 1, 1, Qt::AlignLeft);
  AddField(grid, 2, captions::kEndfFolder, TextField::EndfFolder, true, false, captions::kTipEndf);
  auto* checks = new QHBoxLayout;
  checks->addWidget(AddCheckBox(captions::kCheckSetup, CheckField::CheckSyntaxVarnholt, captions::kTipCheckSetup));
  checks->addWidget(AddCheckBox(captions::kQuitAfterChecking, CheckField::QuitAfterChecking, captions::kTipQuit));
  checks->addWidget(AddCheckBox(captions::kMcnpStyle, CheckField::McnpStyleCommandLine, captions::kTipMcnp));
  checks->addStretch(1);
  grid->addLayout(checks, 3, 0, 1, 4);
  layout->addWidget(program);

  auto* files = new QGroupBox(captions::kFilesGroup);
  grid = new QGridLayout(files);
  grid->setColumnStretch(1, 1);
  AddField(grid, 0, captions::kInputFile, TextField::InputFile, true, true);
  auto* logRow = new QHBoxLayout;
  logRow->addWidget(AddCheckBox(captions::kCreateLog, CheckField::CreateLog, captions::kTipCreateLog));
  logRow->addSpacing(16);
  AddSuffixField(logRow, captions::kLogSuffix, TextField::LogSuffix, captions::kTipLogSuffix);
  logRow->addStretch(1);
  QPushButton* variables = new QPushButton(captions::kSystemVariables);
  variables->setToolTip(captions::kTipDialogSystemVariables);
  connect(variables, &QPushButton::clicked, this, [showSystemVariables] { showSystemVariables(); });
  logRow->addWidget(variables);
  grid->addLayout(logRow, 1, 0, 1, 4);
  AddField(grid, 2, captions::kLogFile, TextField::LogFile, true, true, captions::kTipLogFile);
  auto* outputRow = new QHBoxLayout;
  AddSuffixField(outputRow, captions::kOutputSuffix, TextField::OutputSuffix, captions::kTipOutputSuffix);
  auto* note = new QLabel(captions::kOutputSuffixNote);
  note->setEnabled(false);
  outputRow->addWidget(note);
  outputRow->addStretch(1);
  grid->addLayout(outputRow, 3, 0, 1, 4);
  AddField(grid, 4, captions::kOutputFile, TextField::OutputFile, true, true, captions::kTipOutputFile);
  AddField(grid, 5, captions::kAltCrossSections, TextField::AltCrossSectionsFile, true, true);
  layout->addWidget(files);

  auto* argumentsLabel = new QLabel(captions::kAdditionalArguments);
  layout->addWidget(argumentsLabel);
  arguments_ = new QPlainTextEdit;
  arguments_->setFixedHeight(arguments_->fontMetrics().lineSpacing() * 3 + 12);
  layout->addWidget(arguments_);

  auto* folder = new QGroupBox(captions::kConsoleFolder);
  grid = new QGridLayout(folder);
  grid->setColumnStretch(4, 1);
  folderOptions_ = new QButtonGroup(this);
  const char* options[] = {captions::kInputFileFolder, captions::kVarnholtFolder, captions::kTessarinFolder,
                           captions::kCustom};
  for (int option = 0; option < 4; ++option) {
    auto* button = new QRadioButton(options[option]);
    folderOptions_->addButton(button, option);
    grid->addWidget(button, 0, option);
  }
  connect(folderOptions_, &QButtonGroup::idClicked, this, [this](int option) {
    dialog_.SetConsoleFolderOption(option);
    ShowCopy();
  });
  auto* folderEdit = new QLineEdit;
  auto* select = new QPushButton(captions::kSelectFolder);
  connect(select, &QPushButton::clicked, this, [this] {
    dialog_.Browse(TextField::ConsoleFolder);
    ShowCopy();
  });
  fields_.push_back({folderEdit, TextField::ConsoleFolder, select});
  grid->addWidget(folderEdit, 1, 0, 1, 4);
  grid->addWidget(select, 1, 4, Qt::AlignLeft);
  layout->addWidget(folder);

  for (const FieldRow& row : fields_) {
    connect(row.edit, &QLineEdit::editingFinished, this, [this, edit = row.edit, field = row.field] {
      if (showing_ || edit->isReadOnly()) return;
      dialog_.Commit(field, edit->text().toStdString());
      ShowCopy();
    });
  }

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  WheelGuard::Install(this);
  ShowCopy();
  arguments_->setPlainText(QString::fromStdString(dialog_.Text(TextField::AdditionalArguments)));
  resize(720, sizeHint().height());
}

QLineEdit* CmdLineWindow::AddField(QGridLayout* grid, int row, const char* caption, TextField field, bool browse,
                                   bool open, const char* tooltip) {
  auto* edit = new QLineEdit;
  if (tooltip) edit->setToolTip(tooltip);
  auto* label = new QLabel(caption);
  label->setBuddy(edit);
  grid->addWidget(label, row, 0);
  grid->addWidget(edit, row, 1);
  QPushButton* browseButton = nullptr;
  if (browse) {
    browseButton = new QPushButton(captions::kBrowse);
    connect(browseButton, &QPushButton::clicked, this, [this, field] {
      dialog_.Browse(field);
      ShowCopy();
    });
    grid->addWidget(browseButton, row, 2);
  }
  if (open) {
    auto* openButton = new QPushButton(captions::kOpenFile);
    openButton->setToolTip(captions::kTipOpenFile);
    connect(openButton, &QPushButton::clicked, this, [this, field] { dialog_.OpenFile(field); });
    grid->addWidget(openButton, row, 3);
  }
  fields_.push_back({edit, field, browseButton});
  return edit;
}

void CmdLineWindow::AddSuffixField(QHBoxLayout* row, const char* caption, TextField field, const char* tooltip) {
  auto* edit = new QLineEdit;
  edit->setMaximumWidth(110);
  edit->setToolTip(tooltip);
  auto* label = new QLabel(caption);
  label->setBuddy(edit);
  row->addWidget(label);
  row->addWidget(edit);
  fields_.push_back({edit, field, nullptr});
}

QCheckBox* CmdLineWindow::AddCheckBox(const char* caption, CheckField field, const char* tooltip) {
  auto* box = new QCheckBox(caption);
  box->setToolTip(tooltip);
  box->setTristate(IsThreeState(field));
  connect(box, &QCheckBox::stateChanged, this, [this, field](int state) {
    if (showing_) return;
    dialog_.SetState(field, FromCheckState(state));
    ShowCopy();
  });
  checkBoxes_.emplace_back(box, field);
  return box;
}

void CmdLineWindow::ShowCopy() {
  showing_ = true;
  for (const FieldRow& row : fields_) {
    QString text = QString::fromStdString(dialog_.Text(row.field));
    if (row.edit->text() != text) row.edit->setText(text);
    bool editable = dialog_.IsEditable(row.field);
    row.edit->setReadOnly(!editable);
    if (row.browse) row.browse->setEnabled(editable);
  }
  for (auto& [box, field] : checkBoxes_) box->setCheckState(ToCheckState(dialog_.State(field)));
  threads_->setValue(dialog_.Copy().nThreads);
  if (QAbstractButton* option = folderOptions_->button(dialog_.ConsoleFolderOption())) option->setChecked(true);
  showing_ = false;
}

void CmdLineWindow::accept() {
  if (QWidget* focused = focusWidget()) focused->clearFocus();
  dialog_.Commit(TextField::AdditionalArguments,
                 arguments_->toPlainText().left(static_cast<qsizetype>(settings::kMaxAdditionalArgsLength)).toStdString());
  if (dialog_.Accept())
    QDialog::accept();
  else
    QDialog::reject();
}

}  // namespace tessarin::ui::qt
