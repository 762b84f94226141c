// The program's own console on the desktop: keys typed into it, the close
// box, and a read that the user stops with Esc and Q while it keeps the
// user-interface thread busy.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "engine/messages.h"
#include "platform/scripted_host.h"
#include "support/test_files.h"
#include "ui/controller_fixture.h"
#include "ui/qt/desktop_application.h"

namespace tessarin::ui::qt {
namespace {

void Type(QWidget* window, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(window, &press);
}

TEST(ConsoleWindow, KeysTypedIntoItArriveInOrderAsConsoleCodes) {
  QtConsole console;
  console.Open();
  ASSERT_NE(console.Window(), nullptr);
  Type(console.Window(), Qt::Key_Escape, QString(QChar(27)));
  Type(console.Window(), Qt::Key_Shift, QString());  // types nothing
  Type(console.Window(), Qt::Key_Q, "q");
  EXPECT_EQ(console.PollKey(), platform::kKeyEscape);
  EXPECT_EQ(console.PollKey(), 'Q');
  EXPECT_EQ(console.PollKey(), std::nullopt);

  console.Write("  \n");
  EXPECT_FALSE(console.HasText());  // blanks do not count
  console.Write("Error: x\n");
  EXPECT_TRUE(console.HasText());
  EXPECT_EQ(console.Window()->toPlainText(), "  \nError: x\n");
  console.Close();
  EXPECT_FALSE(console.IsOpen());
  EXPECT_FALSE(console.HasText());
}

TEST(ConsoleWindow, TheCloseBoxAsksItsHandler) {
  QtConsole console;
  console.Open();
  int requests = 0;
  console.SetCloseRequestHandler([&] { ++requests; });
  console.Window()->close();
  EXPECT_EQ(requests, 1);
  EXPECT_TRUE(console.IsOpen());  // the handler did not agree
}

ControllerEnvironment Environment(const std::string& folder) {
  ControllerEnvironment environment;
  environment.programFolder = folder;
  environment.startupDirectory = folder;
  return environment;
}

const char* const kRunaway =
    "S1 S 0 0 0 10\nPROGRAM spin\n  x = 0\n  while (1) {\n    x = x + 1\n  }\nEND PROGRAM\nC1 0 -1\n";

TEST(ConsoleWindow, EscThenQTypedIntoTheConsoleStopsARunawayProgramDuringTheRead) {
  tessarin::testing::TempDir folder;
  std::string path = folder.File("spin.inp");
  tessarin::testing::WriteWholeFile(path, kRunaway);
  auto host = std::make_unique<platform::ScriptedHost>();
  platform::ScriptedHost& scripted = *host;
  scripted.chosenFiles.push_back(path);
  DesktopApplication desktop(Environment(folder.path()), std::move(host),
                             std::make_unique<ui::testing::RecordingShell>());
  desktop.controller().EditWorkingCopy().checkSyntax_Tessarin = 1;

  bool closedWhileReading = false;
  bool typed = false;
  // These run from the console's key polling while the read is under way.
  QTimer::singleShot(300, [&] {
    closedWhileReading = desktop.controller().IsReadingInputFile();
    desktop.console().Window()->close();
  });
  QTimer::singleShot(600, [&] { Type(desktop.console().Window(), Qt::Key_Escape, QString(QChar(27))); });
  QTimer::singleShot(900, [&] {
    Type(desktop.console().Window(), Qt::Key_Q, "Q");
    typed = true;
  });
  desktop.controller().LoadInputFile();

  EXPECT_TRUE(typed);
  EXPECT_TRUE(closedWhileReading);
  ASSERT_EQ(scripted.messages.size(), 1u);
  EXPECT_EQ(scripted.messages[0].text,
            "The console window cannot be closed while the input file is being processed.");
  ASSERT_TRUE(desktop.console().IsOpen());
  std::string text = desktop.console().Window()->toPlainText().toStdString();
  std::size_t escape = text.find(engine::MessageText(engine::Msg::kEscapePressed));
  std::size_t quit = text.find(engine::MessageText(engine::Msg::kEscapeAndQ));
  ASSERT_NE(escape, std::string::npos) << text;
  ASSERT_NE(quit, std::string::npos) << text;
  EXPECT_LT(escape, quit);
  EXPECT_FALSE(desktop.controller().Model().loaded);

  // After the read the close box closes it.
  desktop.console().Window()->close();
  EXPECT_FALSE(desktop.console().IsOpen());
}

TEST(ConsoleWindow, TheRefusalToCloseDuringAReadIsAMessageBoxThatTakesItsAnswer) {
  tessarin::testing::TempDir folder;
  tessarin::testing::WriteWholeFile(folder.File("spin.inp"), kRunaway);
  DesktopApplication desktop(Environment(folder.path()), nullptr, std::make_unique<ui::testing::RecordingShell>());
  settings::VIEWPARM& set = desktop.controller().EditWorkingCopy();
  set.checkSyntax_Tessarin = 1;
  set.InputFileFolder = folder.path();
  set.InputFN = "spin.inp";
  QPushButton* reload = nullptr;
  for (QPushButton* button : desktop.window().findChildren<QPushButton*>())
    if (button->text() == "Reload") reload = button;
  ASSERT_NE(reload, nullptr);

  QString shown;
  bool answerable = false;
  QTimer::singleShot(300, [&] { desktop.console().Window()->close(); });
  QTimer::singleShot(600, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    shown = box->text();
    answerable = box->isEnabled();
    box->accept();
  });
  QTimer::singleShot(900, [&] { Type(desktop.console().Window(), Qt::Key_Escape, QString(QChar(27))); });
  QTimer::singleShot(1200, [&] { Type(desktop.console().Window(), Qt::Key_Q, "q"); });
  reload->click();

  EXPECT_EQ(shown, "The console window cannot be closed while the input file is being processed.");
  EXPECT_TRUE(answerable);
  ASSERT_TRUE(desktop.console().IsOpen());
  EXPECT_NE(desktop.console().Window()->toPlainText().toStdString().find(
                engine::MessageText(engine::Msg::kEscapeAndQ)),
            std::string::npos);
  EXPECT_TRUE(reload->isEnabled());
}

}  // namespace
}  // namespace tessarin::ui::qt
