// The user manual that the build makes: a PDF with the pictures of the
// program's windows, a section for every window, opened by the Help menu.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <cstdlib>

#include "platform/scripted_host.h"
#include "support/test_files.h"
#include "ui/cmd_line_dialog.h"
#include "ui/controller_fixture.h"
#include "ui/edit_name_dialog.h"
#include "ui/new_parm_set_dialog.h"
#include "ui/qt/about_window.h"
#include "ui/qt/captions.h"
#include "ui/qt/cmd_line_window.h"
#include "ui/qt/console_window.h"
#include "ui/qt/desktop_application.h"
#include "ui/qt/edit_name_window.h"
#include "ui/qt/new_parm_set_window.h"
#include "ui/qt/qt_shell_services.h"
#include "ui/qt/system_vars_window.h"
#include "ui/qt/track_colors_dialog.h"
#include "ui/qt/track_progress_dialog.h"
#include "ui/qt/track_stats_dialog.h"

namespace tessarin::ui::qt {
namespace {

const QString kManual = QString(TESSARIN_BINARY_DIR) + "/bin/Docs/Tessarin - User Manual.pdf";

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The headings of every chapter of the manual's source.
QStringList Headings() {
  QStringList headings;
  QDir chapters(QString(TESSARIN_SOURCE_DIR) + "/docs/manual");
  for (const QString& name : chapters.entryList({"*.md"}, QDir::Files))
    for (const QString& line : QString::fromUtf8(ReadAll(chapters.filePath(name))).split('\n'))
      if (line.startsWith('#')) headings << line;
  return headings;
}

// A window's title without its numbers ("No. 2", "(42.00 %)").
QString TitleWords(const QWidget& window) {
  QString title = window.windowTitle();
  title.truncate(title.indexOf(QRegularExpression("[0-9(]")) < 0 ? title.size()
                                                                  : title.indexOf(QRegularExpression("[0-9(]")));
  return title.trimmed();
}

ControllerEnvironment ProgramFolderIsTheBuild() {
  ControllerEnvironment environment;
  environment.programFolder = std::string(TESSARIN_BINARY_DIR) + "/bin/";
  environment.startupDirectory = std::string(TESSARIN_SOURCE_DIR) + "/examples/";
  environment.parameterFileArgument = environment.startupDirectory + "demo.tesprm";
  return environment;
}

TEST(UserManual, IsAPdfWithThePicturesOfTheWindows) {
  QByteArray pdf = ReadAll(kManual);
  ASSERT_FALSE(pdf.isEmpty()) << kManual.toStdString() << " was not made (target tessarin_manual)";
  EXPECT_TRUE(pdf.startsWith("%PDF-"));
  // Every picture the chapters show, each embedded once.
  QSet<QString> pictures;
  const QDir sources(QString(TESSARIN_SOURCE_DIR) + "/docs/manual");
  const QRegularExpression reference(R"(\]\((images/[^)]+)\))");
  for (const QString& name : sources.entryList({"*.md"}, QDir::Files)) {
    const QString chapter = QString::fromUtf8(ReadAll(sources.filePath(name)));
    for (const QRegularExpressionMatch& match : reference.globalMatch(chapter)) pictures.insert(match.captured(1));
  }
  EXPECT_GE(pictures.size(), 13);
  EXPECT_EQ(pdf.count("/Subtype /Image"), pictures.size());
  // One page at least per chapter of the source (each starts on a new page).
  int chapters = 0;
  for (const QString& heading : Headings()) chapters += heading.startsWith("# ") ? 1 : 0;
  EXPECT_GE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), chapters);
}

TEST(UserManual, HasASectionForEveryWindow) {
  DesktopApplication desktop(ProgramFolderIsTheBuild(), std::make_unique<platform::ScriptedHost>(),
                             std::make_unique<ui::testing::RecordingShell>());
  Controller& controller = desktop.controller();
  settings::VIEWPARM working = controller.WorkingCopy();
  CNewParmSetDlg newSet(controller.Sets(), 0);
  CEditNameDlg editName(working, 1);
  platform::ScriptedHost host;
  ui::testing::RecordingShell shell;
  CCmdLineDlg cmdLine(working, controller.Context(), host, shell);
  NewParmSetWindow newSetWindow(newSet);
  EditNameWindow editNameWindow(editName);
  CmdLineWindow cmdLineWindow(cmdLine, [] {});
  SystemVarsWindow variables(controller, [] {});
  AboutWindow about;
  CTrackStatsDlg statistics(controller, 0);
  CTrackColorsDlg colors(controller);
  CTrackDataFileProgressDlg progress(nullptr);
  progress.ShowProgress(0.5);
  desktop.console().Open();
  const QWidget* windows[] = {&newSetWindow, &editNameWindow, &cmdLineWindow, &variables, &about,
                              &statistics,   &colors,         &progress,      desktop.console().Window()};
  const QStringList headings = Headings();
  EXPECT_TRUE(headings.contains("# The main window"));
  for (const QWidget* window : windows) {
    QString title = TitleWords(*window);
    ASSERT_FALSE(title.isEmpty());
    bool found = std::any_of(headings.begin(), headings.end(),
                             [&](const QString& heading) { return heading.contains(title); });
    EXPECT_TRUE(found) << "no section for the window \"" << title.toStdString() << "\"";
  }
  desktop.console().Close();
}

TEST(UserManual, HelpMenuOpensIt) {
  auto shell = std::make_unique<ui::testing::RecordingShell>();
  ui::testing::RecordingShell& opened = *shell;
  auto host = std::make_unique<platform::ScriptedHost>();
  platform::ScriptedHost& messages = *host;
  DesktopApplication desktop(ProgramFolderIsTheBuild(), std::move(host), std::move(shell));
  QAction* item = nullptr;
  for (QAction* action : desktop.window().menuBar()->findChildren<QAction*>())
    if (action->text() == captions::kTessarinManualMenu) item = action;
  ASSERT_NE(item, nullptr);
  item->trigger();
  ASSERT_EQ(opened.opened.size(), 1u);
  EXPECT_EQ(QString::fromStdString(opened.opened[0]), kManual);
  EXPECT_TRUE(QFile::exists(kManual));
  EXPECT_TRUE(messages.messages.empty());
}

// The desktop's opener (xdg-open) ends with an error when it finds no
// program for the file; then no viewer was found.
TEST(UserManual, AnOpenerThatFindsNoProgramMeansNoViewer) {
  tessarin::testing::TempDir folder;
  const std::string opener = folder.File("xdg-open");
  const std::string document = folder.File("manual.pdf");
  tessarin::testing::WriteWholeFile(document, "%PDF-1.4\n");
  const char* oldPath = std::getenv("PATH");
  const std::string savedPath = oldPath != nullptr ? oldPath : "";
  ::setenv("PATH", (folder.path() + ":" + savedPath).c_str(), 1);
  QtShellServices shell;
  const std::pair<const char*, OpenOutcome> cases[] = {
      {"exit 3", OpenOutcome::NoViewer},      // "no method available for opening"
      {"exit 0", OpenOutcome::Opened},        // handed on to the viewer
      {"exec sleep 3", OpenOutcome::Opened},  // runs the viewer in the foreground
  };
  for (const auto& [script, expected] : cases) {
    tessarin::testing::WriteWholeFile(opener, std::string("#!/bin/sh\n") + script + "\n");
    ::chmod(opener.c_str(), 0755);
    EXPECT_EQ(shell.OpenDocument(document), expected) << script;
  }
  EXPECT_EQ(shell.OpenDocument(folder.File("missing.pdf")), OpenOutcome::Failed);
  ::setenv("PATH", savedPath.c_str(), 1);
}

}  // namespace
}  // namespace tessarin::ui::qt
