// The controls of the main window that edit the working copy, and the
// showing of the controller's state in them.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "ui/qt/angle_spin_box.h"
#include "ui/qt/axes_picture.h"
#include "ui/qt/captions.h"
#include "ui/qt/check_state.h"
#include "ui/qt/color_swatch.h"
#include "ui/qt/filtering_tabs.h"
#include "ui/qt/geometry_view_window.h"
#include "ui/qt/main_window.h"
#include "ui/qt/materials_table.h"
#include "ui/qt/vector_table.h"
#include "ui/qt/view3d_window.h"
#include "ui/qt/qt_text.h"

namespace tessarin::ui::qt {
namespace {

void SetText(QLineEdit* edit, const QString& text) {
  if (edit->text() == text) return;
  edit->setText(text);
  edit->setCursorPosition(0);
}

}  // namespace

QLineEdit* MainWindow::MakeTextField(TextField field, const char* tooltip) {
  auto* edit = new QLineEdit;
  edit->setToolTip(tooltip);
  connect(edit, &QLineEdit::editingFinished, this, [this, edit, field] {
    if (showing_ || edit->isReadOnly()) return;
    controller_.Commit(field, edit->text().toStdString());
    ShowState();
  });
  textFields_.push_back({edit, field});
  return edit;
}

QLineEdit* MainWindow::MakeNumberField(NumberField field, const char* tooltip, int width) {
  auto* edit = new QLineEdit;
  edit->setToolTip(tooltip);
  edit->setMinimumWidth(width);
  edit->setAlignment(Qt::AlignRight);
  connect(edit, &QLineEdit::editingFinished, this, [this, edit, field] {
    if (showing_) return;
    controller_.Commit(field, edit->text().toStdString());
    ShowState();
  });
  numberFields_.push_back({edit, field});
  return edit;
}

AngleSpinBox* MainWindow::MakeAngleField(NumberField field, const char* tooltip) {
  auto* box = new AngleSpinBox;
  box->setToolTip(tooltip);
  box->setMinimumWidth(78);
  box->setAlignment(Qt::AlignRight);
  connect(box, &QAbstractSpinBox::editingFinished, this, [this, box, field] {
    if (showing_) return;
    controller_.Commit(field, box->Text().toStdString());
    ShowState();
  });
  connect(box, &AngleSpinBox::Stepped, this, [this, box, field](int steps) {
    // A typed value is taken first, so the step starts from it.
    controller_.Commit(field, box->Text().toStdString());
    controller_.Step(field, steps);
    ShowState();
  });
  angleFields_.push_back({box, field});
  return box;
}

QCheckBox* MainWindow::MakeCheckBox(const char* caption, CheckField field, const char* tooltip) {
  auto* box = new QCheckBox(caption);
  box->setToolTip(tooltip);
  box->setTristate(IsThreeState(field));
  connect(box, &QCheckBox::stateChanged, this, [this, field](int state) {
    if (showing_) return;
    controller_.SetState(field, FromCheckState(state));
    ShowState();
  });
  checkBoxes_.push_back({box, field});
  return box;
}

QComboBox* MainWindow::MakeColorList(ColorList which, ColorSwatch* swatch, const char* tooltip) {
  auto* list = new QComboBox;
  list->setToolTip(tooltip);
  for (const std::string& entry : ColorListEntries(which)) list->addItem(QString::fromStdString(entry));
  list->setMaxVisibleItems(18);
  // "activated" also fires when the entry already selected is chosen again,
  // so "Custom" can be picked twice in a row.
  connect(list, &QComboBox::activated, this, [this, which](int entry) {
    Run([this, which, entry] { controller_.SelectColor(which, entry); });
  });
  colorLists_.push_back({list, swatch, which});
  return list;
}

QPushButton* MainWindow::MakeButton(const char* caption, const char* tooltip, std::function<void()> command) {
  auto* button = new QPushButton(caption);
  button->setToolTip(tooltip);
  connect(button, &QPushButton::clicked, this, [this, command = std::move(command)] { Run(command); });
  return button;
}

QPushButton* MainWindow::MakeDisabledButton(const char* caption, const char* tooltip) {
  auto* button = new QPushButton(caption);
  button->setToolTip(tooltip);
  button->setEnabled(false);
  return button;
}

QPushButton* MainWindow::MakeOpenFileButton(TextField field) {
  return MakeButton(captions::kOpenFile, captions::kTipOpenFile, [this, field] { controller_.OpenShownFile(field); });
}

void MainWindow::ShowState() {
  showing_ = true;
  // Qt shows "[*]" as "*" while the window is modified, and nothing otherwise.
  setWindowTitle(QString::fromStdString(controller_.WindowTitle()) + "[*]");
  setWindowModified(controller_.IsModified());
  std::vector<std::string> entries = controller_.SetListEntries();
  bool sameEntries = setList_->count() == static_cast<int>(entries.size());
  for (int i = 0; sameEntries && i < setList_->count(); ++i)
    sameEntries = setList_->itemText(i).toStdString() == entries[static_cast<std::size_t>(i)];
  if (!sameEntries) {
    setList_->clear();
    for (const std::string& entry : entries) setList_->addItem(QString::fromStdString(entry));
  }
  setList_->setCurrentIndex(controller_.CurrentIndex());
  deleteButton_->setEnabled(controller_.IsDeleteEnabled());
  ShowStartButtons();
  graphicsToggle_->setText(ToQString(controller_.GraphicsToggleCaption()));
  graphicsArea_->setVisible(controller_.AreGraphicsShown());
  SetText(commandLine_, QString::fromStdString(controller_.CommandLine()));
  commandLine_->setPlaceholderText(controller_.IsCommandLineTooLong() ? captions::kCommandLineTooLong : "");
  SetText(numberOfTracks_, QString::fromStdString(controller_.NumberOfTracksText()));
  if (filteringTabs_ != nullptr) filteringTabs_->ShowSettings();
  overwritePrompt_->setChecked(controller_.OverwritePrompt());
  activateConsoleAction_->setEnabled(controller_.IsConsoleMenuEnabled());
  closeConsoleAction_->setEnabled(controller_.IsConsoleMenuEnabled());
  ShowFields();
  showing_ = false;
  if (geometryView_ != nullptr && geometryView_->isVisible()) geometryView_->Refresh();
  if (view3d_ != nullptr && view3d_->isVisible()) view3d_->Refresh();
  if (afterShowState_) afterShowState_();
}

void MainWindow::ShowStartButtons() {
  consoleButton_->setText(QString::fromStdString(controller_.ConsoleButtonCaption()));
  mgedButton_->setText(QString::fromStdString(controller_.MgedButtonCaption()));
}

void MainWindow::ShowFields() {
  for (const TextBinding& binding : textFields_) {
    SetText(binding.edit, QString::fromStdString(controller_.Text(binding.field)));
    binding.edit->setReadOnly(!controller_.IsEditable(binding.field) || binding.field == TextField::InputFile);
  }
  for (const NumberBinding& binding : numberFields_)
    SetText(binding.edit, QString::fromStdString(controller_.Text(binding.field)));
  for (const AngleBinding& binding : angleFields_)
    binding.box->SetText(QString::fromStdString(controller_.Text(binding.field)));
  for (const CheckBinding& binding : checkBoxes_)
    binding.box->setCheckState(ToCheckState(controller_.State(binding.field)));
  for (const ColorBinding& binding : colorLists_) {
    binding.list->setCurrentIndex(controller_.ColorIndex(binding.which));
    const settings::VIEWPARM& set = controller_.WorkingCopy();
    const settings::ColorEntry& color = ListColor(set, binding.which);
    binding.swatch->SetColor(QColor(color.red, color.green, color.blue));
  }
  for (VectorTable* table : vectorTables_) table->ShowVector();
  const settings::VIEWPARM& set = controller_.WorkingCopy();
  axes_->SetAngles(set.azimuth, set.elevation, set.twist);
  portField_->setEnabled(set.raytraceInLingeringWindow != 0);
  chooseTrackFile_->setEnabled(controller_.IsEditable(TextField::TrackFile));
  for (QWidget* option : trackOptions_) option->setEnabled(set.showTracks != 0);
  materials_->ShowRows();
}

}  // namespace tessarin::ui::qt
