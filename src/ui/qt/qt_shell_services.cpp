#include "ui/qt/qt_shell_services.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QUrl>
#include <chrono>
#include <thread>

#include "platform/paths.h"
#include "platform/process_command_line.h"

namespace tessarin::ui::qt {
namespace {

constexpr const char* kDesktopOpener = "xdg-open";
// The opener ends at once when it finds no program for the file; when it
// finds one it either hands the file on and ends, or runs the program in
// the foreground. A second tells the cases apart.
constexpr std::chrono::milliseconds kOpenerVerdictTime{1000};
constexpr std::chrono::milliseconds kOpenerPoll{20};

}  // namespace

OpenOutcome QtShellServices::OpenDocument(const std::string& path) {
  QString file = QString::fromStdString(path);
  // openUrl reports success for files that do not exist on some desktops.
  if (!QFileInfo::exists(file)) return OpenOutcome::Failed;
  if (std::optional<std::string> opener = platform::FindExecutable(kDesktopOpener, platform::CurrentDirectory()))
    return OpenWithDesktopOpener(*opener, path);
  return QDesktopServices::openUrl(QUrl::fromLocalFile(file)) ? OpenOutcome::Opened : OpenOutcome::NoViewer;
}

OpenOutcome QtShellServices::OpenWithDesktopOpener(const std::string& opener, const std::string& path) {
  platform::StartedProcess started = processes_.Start({opener, {path}, {}});
  if (!started.started) return OpenOutcome::NoViewer;
  const auto deadline = std::chrono::steady_clock::now() + kOpenerVerdictTime;
  while (std::chrono::steady_clock::now() < deadline) {
    if (std::optional<int> status = processes_.ExitStatus(started.processId))
      return *status == 0 ? OpenOutcome::Opened : OpenOutcome::NoViewer;
    std::this_thread::sleep_for(kOpenerPoll);
  }
  return OpenOutcome::Opened;
}

void QtShellServices::AddRecentFile(const std::string& path) {
  QSettings settings("Tessarin", "Tessarin");
  QString file = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
  QStringList recent = settings.value("RecentFileList").toStringList();
  recent.removeAll(file);
  recent.prepend(file);
  while (recent.size() > kRecentFileCount) recent.removeLast();
  settings.setValue("RecentFileList", recent);
}

}  // namespace tessarin::ui::qt
