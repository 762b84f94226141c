#include "ui/qt/qt_host.h"
#include "ui/qt/captions.h"
#include "ui/qt/qt_text.h"

#include <map>

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QPalette>
#include <QStringList>

namespace tessarin::ui::qt {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Question: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok: return QMessageBox::Ok;
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::OverwriteReloadSaveAs: return QMessageBox::Cancel;  // and the buttons of AddChoices
  }
  return QMessageBox::Ok;
}

// The buttons that standard ones cannot name, by the answer each gives.
std::map<QAbstractButton*, MessageAnswer> AddChoices(QMessageBox& box, MessageButtons buttons) {
  std::map<QAbstractButton*, MessageAnswer> choices;
  if (buttons != MessageButtons::OverwriteReloadSaveAs) return choices;
  choices[box.addButton(captions::kOverwriteButton, QMessageBox::DestructiveRole)] = MessageAnswer::Overwrite;
  choices[box.addButton(captions::kReloadButton, QMessageBox::ResetRole)] = MessageAnswer::Reload;
  choices[box.addButton(captions::kSaveAsButton, QMessageBox::AcceptRole)] = MessageAnswer::SaveAs;
  return choices;
}

QMessageBox::StandardButton ToQtButton(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::Ok: return QMessageBox::Ok;
    case MessageAnswer::Cancel: return QMessageBox::Cancel;
    case MessageAnswer::Yes: return QMessageBox::Yes;
    case MessageAnswer::No: return QMessageBox::No;
    default: return QMessageBox::NoButton;
  }
}

MessageAnswer FromQtButton(int button, MessageButtons offered) {
  switch (button) {
    case QMessageBox::Ok: return MessageAnswer::Ok;
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    default:  // Esc on a box without Cancel
      return offered == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
  }
}

std::optional<std::string> ToResult(const QString& chosen) {
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.toStdString();
}

}  // namespace

QString ToQtFilter(std::string_view filter) {
  QStringList parts = ToQString(filter).split('|', Qt::SkipEmptyParts);
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString name = parts[i];
    qsizetype bracket = name.indexOf(" (");
    if (bracket >= 0) name.truncate(bracket);
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    if (patterns == "*.*") patterns = "*";
    entries << name + " (" + patterns + ")";
  }
  return entries.join(";;");
}

MessageAnswer QtHost::ShowMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                                  MessageAnswer defaultAnswer) {
  // No caption of its own: the box carries the program's name.
  QMessageBox box(ToQtIcon(icon), QApplication::applicationName(), ToQString(text), ToQtButtons(buttons), owner_);
  // Messages name files and folders: their paths can be copied from the box.
  box.setTextInteractionFlags(Qt::TextSelectableByMouse);
  const std::map<QAbstractButton*, MessageAnswer> choices = AddChoices(box, buttons);
  for (const auto& [button, answer] : choices)
    if (answer == defaultAnswer) box.setDefaultButton(qobject_cast<QPushButton*>(button));
  if (choices.empty()) box.setDefaultButton(ToQtButton(defaultAnswer));
  const int pressed = box.exec();
  if (const auto chosen = choices.find(box.clickedButton()); chosen != choices.end()) return chosen->second;
  return FromQtButton(pressed, buttons);
}

std::optional<std::string> QtHost::ChooseFileToOpen(const platform::FileChooserRequest& request) {
  return ToResult(QFileDialog::getOpenFileName(owner_, ToQString(request.title), ToQString(request.initialPath),
                                               ToQtFilter(request.filter)));
}

std::optional<std::string> QtHost::ChooseFileToSave(const platform::FileChooserRequest& request) {
  QFileDialog dialog(owner_, ToQString(request.title), ToQString(request.initialPath), ToQtFilter(request.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  if (!request.promptOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  QString extension = ToQString(request.defaultExtension);
  extension.remove("*.");
  dialog.setDefaultSuffix(extension);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtHost::ChooseFolder(std::string_view title, std::string_view initialFolder) {
  return ToResult(QFileDialog::getExistingDirectory(owner_, ToQString(title), ToQString(initialFolder)));
}

std::optional<platform::Rgb> QtHost::ChooseColor(platform::Rgb initial) {
  QColor chosen = QColorDialog::getColor(QColor(initial.red, initial.green, initial.blue), owner_);
  if (!chosen.isValid()) return std::nullopt;
  return platform::Rgb{chosen.red(), chosen.green(), chosen.blue()};
}

platform::Rgb QtHost::ButtonFaceColor() const {
  QColor face = QApplication::palette().color(QPalette::Button);
  return {face.red(), face.green(), face.blue()};
}

}  // namespace tessarin::ui::qt
