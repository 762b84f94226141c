// Renders the program's windows offscreen into PNG files for the user
// manual: the main window on the bundled demo, every dialog, the console.
// Usage: manual_screenshots EXAMPLES-FOLDER OUTPUT-FOLDER

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <fstream>
#include <string>

#include "platform/scripted_host.h"
#include "ui/cmd_line_dialog.h"
#include "ui/edit_name_dialog.h"
#include "ui/new_parm_set_dialog.h"
#include "ui/qt/about_window.h"
#include "ui/qt/cmd_line_window.h"
#include "ui/qt/desktop_application.h"
#include "ui/qt/edit_name_window.h"
#include "ui/qt/geometry_view_window.h"
#include "ui/qt/new_parm_set_window.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/slice_canvas.h"
#include "ui/qt/system_vars_window.h"
#include "ui/qt/track_colors_dialog.h"
#include "ui/qt/track_progress_dialog.h"
#include "ui/qt/track_stats_dialog.h"
#include "ui/qt/view3d_canvas.h"
#include "ui/qt/view3d_captions.h"
#include "ui/qt/view3d_window.h"

namespace {

using namespace tessarin;

// The manual shows the windows; nothing is opened from them here.
class NoShell final : public ui::ShellServices {
 public:
  ui::OpenOutcome OpenDocument(const std::string&) override { return ui::OpenOutcome::Failed; }
  void AddRecentFile(const std::string&) override {}
  render::ScriptForm ScriptFormPreference() const override { return render::ScriptForm::Auto; }
  void SetScriptFormPreference(render::ScriptForm) override {}
};

// A few tracks of two histories, enough for the statistics dialog to show numbers.
constexpr const char* kDemoTracks =
    "1: History No. 1\n1\n3\n0 0 -4 1e6\n0 0.2 -1 6e5\n0 0.5 1 0\n"
    "2: 1/1\n2\n0 0.2 -1 2e5\n0.8 0.4 -0.5 0\n"
    "3: History No. 2\n2\n2\n0 0 -4 3e6\n0 -0.3 4 -1e6\n";

class Shooter {
 public:
  explicit Shooter(QString folder) : folder_(std::move(folder)) { QDir().mkpath(folder_); }

  bool Save(QWidget& widget, const char* name) {
    widget.show();
    QApplication::processEvents();
    bool saved = widget.grab().save(folder_ + "/" + name + ".png");
    if (!saved) std::fprintf(stderr, "manual_screenshots: %s.png could not be written\n", name);
    widget.hide();
    failures_ += saved ? 0 : 1;
    return saved;
  }
  int failures() const { return failures_; }

 private:
  QString folder_;
  int failures_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  if (argc != 3) {
    std::fprintf(stderr, "usage: manual_screenshots EXAMPLES-FOLDER OUTPUT-FOLDER\n");
    return 2;
  }
  // The windows show paths relative to the start-up directory: a copy of
  // the examples, with a track data file, keeps them short.
  const QDir examples(argv[1]);
  const QString work = QDir(argv[2]).absolutePath() + "/work/";
  QDir().mkpath(work);
  for (const QString& name : examples.entryList({"*.tesprm", "*.inp", "*.dat"}, QDir::Files)) {
    QFile::remove(work + name);
    QFile::copy(examples.filePath(name), work + name);
  }
  std::ofstream((work + "demo_tracks.txt").toStdString()) << kDemoTracks;

  ui::ControllerEnvironment environment;
  environment.programFolder = work.toStdString();
  environment.startupDirectory = work.toStdString();
  environment.parameterFileArgument = work.toStdString() + "demo.tesprm";
  ui::qt::DesktopApplication desktop(environment, std::make_unique<platform::ScriptedHost>(),
                                     std::make_unique<NoShell>());
  ui::Controller& controller = desktop.controller();
  ui::qt::MainWindow& window = desktop.window();
  Shooter shooter(argv[2]);

  // The demo's input file read, its materials in the table.
  controller.ReloadInputFile();
  settings::VIEWPARM& set = controller.EditWorkingCopy();
  set.useCustomTrackFN = 1;
  set.TrackFN = "demo_tracks.txt";
  controller.RefreshNumberOfTracks();
  window.ShowState();
  window.resize(1366 - 16, 768 - 48);
  shooter.Save(window, "main_window");
  window.show();
  for (QScrollArea* area : window.findChildren<QScrollArea*>()) area->verticalScrollBar()->setValue(100000);
  shooter.Save(window, "main_window_scrolled");
  for (QTabWidget* tabs : window.findChildren<QTabWidget*>()) tabs->setCurrentIndex(tabs->count() - 1);
  shooter.Save(window, "main_window_particle_types");

  // The slice of the demo model, drawn on its worker thread.
  window.OpenGeometryView();
  ui::qt::GeometryViewWindow& view = *window.GeometryView();
  view.Canvas()->setFixedSize(800, 600);
  view.adjustSize();
  view.show();
  QApplication::processEvents();
  view.Refresh();
  if (!view.WaitForPicture(30000)) std::fprintf(stderr, "manual_screenshots: the geometry view drew nothing\n");
  shooter.Save(view, "geometry-view");

  // The demo raytraced, its tracks drawn through the cells, the view
  // centred on the container (no later picture shows the view fields).
  controller.EditWorkingCopy().viewCenter = {0, 0, 14};
  controller.EditWorkingCopy().viewSize = 50;
  window.OpenView3d();
  ui::qt::View3dWindow& view3d = *window.View3d();
  view3d.Canvas()->setFixedSize(800, 600);
  view3d.adjustSize();
  for (QCheckBox* box : view3d.findChildren<QCheckBox*>())
    if (box->text() == ui::qt::captions::kTracksThroughCells) box->setChecked(true);
  view3d.show();
  QApplication::processEvents();
  view3d.Refresh();
  if (!view3d.WaitForPicture(120000)) std::fprintf(stderr, "manual_screenshots: the 3D view drew nothing\n");
  shooter.Save(view3d, "3d-view");

  // Under a message box the main window shows that it waits.
  window.show();
  ui::qt::QtHost messages;
  messages.SetOwner(&window);
  QTimer::singleShot(0, [&] {
    QApplication::processEvents();
    QWidget* box = QApplication::activeModalWidget();
    if (!window.grab().save(QString(argv[2]) + "/main_window_waiting.png"))
      std::fprintf(stderr, "manual_screenshots: main_window_waiting.png could not be written\n");
    if (box != nullptr) box->close();
  });
  messages.ShowMessage("Do you want to save the changes?", platform::MessageIcon::Question,
                       platform::MessageButtons::YesNoCancel, platform::MessageAnswer::Yes);
  window.hide();

  ui::CNewParmSetDlg newSet(controller.Sets(), controller.CurrentIndex());
  ui::qt::NewParmSetWindow newSetWindow(newSet);
  shooter.Save(newSetWindow, "new_parameter_set");
  settings::VIEWPARM working = controller.WorkingCopy();
  ui::CEditNameDlg editName(working, controller.CurrentIndex() + 1);
  ui::qt::EditNameWindow editNameWindow(editName);
  shooter.Save(editNameWindow, "edit_name");
  platform::ScriptedHost host;
  NoShell shell;
  ui::CCmdLineDlg cmdLine(working, controller.Context(), host, shell);
  ui::qt::CmdLineWindow cmdLineWindow(cmdLine, [] {});
  shooter.Save(cmdLineWindow, "command_line");
  ui::qt::SystemVarsWindow variables(controller, [] {});
  shooter.Save(variables, "system_variables");
  ui::qt::AboutWindow about;
  shooter.Save(about, "about");
  ui::qt::CTrackStatsDlg statistics(controller, 0, &window);
  statistics.FitTo(QSize(1920, 1080));  // whole, whatever the offscreen screen's size
  shooter.Save(statistics, "track_statistics");
  ui::qt::CTrackColorsDlg colors(controller, &window);
  shooter.Save(colors, "track_types_and_colors");
  ui::qt::CTrackDataFileProgressDlg progress(&window);
  progress.ShowProgress(0.42);
  shooter.Save(progress, "track_progress");

  ui::qt::QtConsole& console = desktop.console();
  console.Open();
  console.Write("Warning: The line-continuation character '&' in line No. 2 is not the last character of the line. "
                "The remainder of the line will be ignored.\n");
  console.Write("Error: Keyword \"COMPLEX_GEOMETRY\" is used more than once in the input file.\n");
  shooter.Save(*console.Window(), "console_window");
  console.Close();
  return shooter.failures() == 0 ? 0 : 1;
}
