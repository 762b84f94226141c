#include "ui/qt/qt_shell_services.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QUrl>

namespace tessarin::ui::qt {

bool QtShellServices::OpenDocument(const std::string& path) {
  QString file = QString::fromStdString(path);
  // openUrl reports success for files that do not exist on some desktops.
  if (!QFileInfo::exists(file)) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
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
