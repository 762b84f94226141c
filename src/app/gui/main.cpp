#include <clocale>
#include <optional>
#include <string>

#include "platform/paths.h"
#include "ui/qt/desktop_application.h"
#include "ui/qt/guarded_application.h"

int main(int argc, char** argv) {
  tessarin::ui::qt::GuardedApplication application(argc, argv);
  // Qt takes the number format from the environment; parameter files and
  // fields always use a decimal point.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName("Tessarin");
  QApplication::setOrganizationName("Tessarin");

  tessarin::ui::ControllerEnvironment environment;
  environment.programFolder = tessarin::platform::ProgramFolder();
  environment.startupDirectory = tessarin::platform::CurrentDirectory();
  QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) environment.parameterFileArgument = arguments.at(1).toStdString();

  tessarin::ui::qt::DesktopApplication desktop(std::move(environment));
  desktop.window().FitToScreen();
  desktop.window().show();
  return QApplication::exec();
}
