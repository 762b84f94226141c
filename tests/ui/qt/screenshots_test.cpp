// Renders the main window and every dialog to PNG files under
// <build>/screenshots, for a look at the layout. Each picture must have the
// widget's size and show something (it is not compared with a reference).

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QSet>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include "launch/process_messages.h"
#include "platform/format_text.h"
#include "platform/scripted_host.h"
#include "render/messages.h"
#include "ui/cmd_line_dialog.h"
#include "ui/edit_name_dialog.h"
#include "ui/new_parm_set_dialog.h"
#include "ui/qt/about_window.h"
#include "ui/qt/cmd_line_window.h"
#include "ui/qt/desktop_application.h"
#include "ui/qt/edit_name_window.h"
#include "ui/qt/materials_table.h"
#include "ui/qt/new_parm_set_window.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/system_vars_window.h"
#include "settings/message_format.h"
#include "settings/messages.h"
#include "ui/controller_fixture.h"
#include "ui/messages.h"

namespace tessarin::ui::qt {
namespace {

QString ScreenshotFolder() {
  QString folder = QString(TESSARIN_BINARY_DIR) + "/screenshots";
  QDir().mkpath(folder);
  return folder;
}

// Text, frames and the background make a handful of colours at least; an
// empty or unpainted picture has one.
bool ShowsSomething(const QImage& picture) {
  QSet<QRgb> colours;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      colours.insert(picture.pixel(x, y));
      if (colours.size() > 3) return true;
    }
  return false;
}

QImage Save(QWidget& widget, const char* name) {
  widget.show();
  QApplication::processEvents();
  QImage picture = widget.grab().toImage();
  EXPECT_EQ(picture.size(), widget.size() * picture.devicePixelRatio()) << name;
  EXPECT_TRUE(ShowsSomething(picture)) << name << " is blank";
  EXPECT_TRUE(picture.save(ScreenshotFolder() + "/" + name + ".png")) << name;
  widget.hide();
  return picture;
}

ControllerEnvironment DemoEnvironment() {
  ControllerEnvironment environment;
  environment.programFolder = std::string(TESSARIN_SOURCE_DIR) + "/examples/";
  environment.startupDirectory = std::string(TESSARIN_SOURCE_DIR) + "/examples/";
  environment.parameterFileArgument = std::string(TESSARIN_SOURCE_DIR) + "/examples/demo.tesprm";
  return environment;
}

TEST(Screenshots, MainWindowAndDialogs) {
  DesktopApplication desktop(DemoEnvironment(), std::make_unique<platform::ScriptedHost>(),
                             std::make_unique<ui::testing::RecordingShell>());
  MainWindow& window = desktop.window();
  window.FitToScreen();
  Save(window, "main_window_fitted");
  window.resize(1366 - 16, 768 - 48);
  EXPECT_EQ(Save(window, "main_window_1366x768").size(), QSize(1366 - 16, 768 - 48));
  window.show();
  for (QScrollArea* area : window.findChildren<QScrollArea*>()) area->verticalScrollBar()->setValue(100000);
  Save(window, "main_window_1366x768_scrolled");
  window.resize(1600, 1200);
  Save(window, "main_window_large");
  desktop.controller().ToggleGraphics();
  window.ShowState();
  window.FitToScreen();
  Save(window, "main_window_graphics_hidden");
  desktop.controller().ToggleGraphics();
  window.ShowState();

  settings::VIEWPARM working = desktop.controller().WorkingCopy();
  CNewParmSetDlg newSet(desktop.controller().Sets(), desktop.controller().CurrentIndex());
  NewParmSetWindow newSetWindow(newSet);
  Save(newSetWindow, "dialog_new_parameter_set");
  CEditNameDlg editName(working, 1);
  EditNameWindow editNameWindow(editName);
  Save(editNameWindow, "dialog_edit_name");
  platform::ScriptedHost host;
  ui::testing::RecordingShell shell;
  CCmdLineDlg cmdLine(working, desktop.controller().Context(), host, shell);
  CmdLineWindow cmdLineWindow(cmdLine, [] {});
  Save(cmdLineWindow, "dialog_command_line");
  SystemVarsWindow variables(desktop.controller(), [] {});
  Save(variables, "dialog_system_variables");
  AboutWindow about;
  Save(about, "dialog_about");

  QtConsole& console = desktop.console();
  console.Open();
  console.Write("Warning: The line-continuation character '&' in line No. 2 is not the last character of the line. "
                "The remainder of the line will be ignored.\n");
  for (int line = 1; line <= 40; ++line) console.Write("C" + std::to_string(line) + " 2 11.3 -" + std::to_string(line) + "\n");
  console.Write("Error: Keyword \"COMPLEX_GEOMETRY\" is used more than once in the input file.\n");
  Save(*console.Window(), "console_window");
  console.Close();
}

// A message box as the host shows it, grabbed while it waits for an answer.
void SaveMessage(QtHost& host, const std::string& text, platform::MessageIcon icon, platform::MessageButtons buttons,
                 platform::MessageAnswer defaultAnswer, const char* name) {
  QImage picture;
  QTimer::singleShot(0, [&picture] {
    QWidget* box = QApplication::activeModalWidget();
    if (box == nullptr) return;
    picture = box->grab().toImage();
    box->close();
  });
  host.ShowMessage(text, icon, buttons, defaultAnswer);
  ASSERT_FALSE(picture.isNull()) << name;
  EXPECT_GT(picture.width(), 200) << name;
  EXPECT_TRUE(picture.save(ScreenshotFolder() + "/" + name + ".png")) << name;
}

TEST(Screenshots, MessagesAboutFilesReadInPart) {
  QtHost host;
  const std::string path = "/home/user/sim/Tessarin.tesprm";
  SaveMessage(host,
              settings::FillMessage(settings::messages::kErrorInParameterSet, {"2", path}) + "\n" +
                  settings::FillMessage(settings::messages::kValueOutOfRange, {"212", "nThreads", "4000"}),
              platform::MessageIcon::Error, platform::MessageButtons::Ok, platform::MessageAnswer::Ok,
              "message_set_read_in_part");
  SaveMessage(host, settings::FillMessage(ui::messages::kReadInPartQuestion, {path}), platform::MessageIcon::Warning,
              platform::MessageButtons::YesNoCancel, platform::MessageAnswer::Yes, "message_save_over_read_in_part");
  SaveMessage(host,
              settings::FillMessage(ui::messages::kUnexpectedFailure,
                                    {"basic_filebuf::underflow error reading the file: Is a directory"}),
              platform::MessageIcon::Error, platform::MessageButtons::Ok, platform::MessageAnswer::Ok,
              "message_unexpected_failure");
  SaveMessage(host, settings::FillMessage(ui::messages::kChangedOnDiskQuestion, {path}),
              platform::MessageIcon::Warning, platform::MessageButtons::OverwriteReloadSaveAs,
              platform::MessageAnswer::SaveAs, "message_save_over_changed_file");
}

TEST(Screenshots, QuestionsOfAReadingAboutFilesAndCommands) {
  QtHost host;
  SaveMessage(host,
              std::string(ui::messages::kFileQuestionStart) + "/home/user/.bashrc" +
                  std::string(ui::messages::kFileQuestionReason) + "its name begins with a dot" +
                  std::string(ui::messages::kFileQuestionEnd),
              platform::MessageIcon::Question, platform::MessageButtons::YesNo, platform::MessageAnswer::No,
              "message_outside_file_question");
  SaveMessage(host,
              std::string(ui::messages::kRunCommandQuestionStart) + "touch ran" +
                  std::string(ui::messages::kRunCommandQuestionEnd),
              platform::MessageIcon::Question, platform::MessageButtons::YesNo, platform::MessageAnswer::No,
              "message_run_command_question");
}

// The messages that say why a start button or the Help menu did nothing.
TEST(Screenshots, MessagesThatExplainAFailure) {
  QtHost host;
  SaveMessage(host,
              settings::FillMessage(launch::process_messages::kMgedNotFound,
                                    {"mged", settings::FillMessage(launch::process_messages::kPathFolders,
                                                                   {"/usr/local/bin:/usr/bin:/bin"})}),
              platform::MessageIcon::Error, platform::MessageButtons::Ok, platform::MessageAnswer::Ok,
              "message_mged_not_found");
  SaveMessage(host,
              settings::FillMessage(launch::process_messages::kTerminalEndedAtOnce, {"gnome-terminal", "1"}) + " " +
                  settings::FillMessage(launch::process_messages::kTryingNextTerminal, {"xterm"}),
              platform::MessageIcon::Warning, platform::MessageButtons::Ok, platform::MessageAnswer::Ok,
              "message_terminal_ended_at_once");
  SaveMessage(host, settings::FillMessage(ui::messages::kNoPdfViewer, {"/opt/tessarin/Docs/Tessarin - User Manual.pdf"}),
              platform::MessageIcon::Error, platform::MessageButtons::Ok, platform::MessageAnswer::Ok,
              "message_no_pdf_viewer");
  SaveMessage(host,
              platform::FormatText(render::messages::kNoTrackDataYet,
                                   "/home/user/sim/Files_demo_lattice_out.txt/demo_lattice_out_tracks.txt"),
              platform::MessageIcon::Information, platform::MessageButtons::Ok, platform::MessageAnswer::Ok,
              "message_no_track_data_yet");
}

// After the demo's input file is read, the Materials table names its
// materials and the source, in their palette colours.
TEST(Screenshots, MaterialsTableAfterLoad) {
  DesktopApplication desktop(DemoEnvironment(), std::make_unique<platform::ScriptedHost>(),
                             std::make_unique<ui::testing::RecordingShell>());
  MainWindow& window = desktop.window();
  window.resize(1366 - 16, 768 - 48);
  window.show();
  desktop.controller().ReloadInputFile();
  ASSERT_TRUE(desktop.controller().Model().loaded);
  window.ShowState();
  QApplication::processEvents();
  MaterialsTable* table = window.findChild<MaterialsTable*>();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->item(0, static_cast<int>(MaterialColumn::Material))->text(), "M1 (fuel)");
  EXPECT_EQ(table->item(1, static_cast<int>(MaterialColumn::Material))->text(), "M2 (water)");
  EXPECT_EQ(table->item(2, static_cast<int>(MaterialColumn::Material))->text(), "M_source");
  // The set's ten other rows are kept, but not shown.
  EXPECT_EQ(table->rowCount(), 3);
  EXPECT_EQ(desktop.controller().WorkingCopy().rows.size(), 13u);
  EXPECT_TRUE(table->grab().save(ScreenshotFolder() + "/materials_table_after_load.png"));
  for (const auto& [size, name] : {std::pair{QSize(1280 - 16, 800 - 48), "main_window_after_load_1280x800"},
                                   std::pair{QSize(1920 - 16, 1080 - 48), "main_window_after_load_1920x1080"}}) {
    window.resize(size);
    window.show();
    for (QScrollArea* area : window.findChildren<QScrollArea*>()) area->verticalScrollBar()->setValue(100000);
    Save(window, name);
  }
  desktop.controller().CloseConsoleAtExit();
}

}  // namespace
}  // namespace tessarin::ui::qt
