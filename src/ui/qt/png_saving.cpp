#include "ui/qt/png_saving.h"

#include <QBuffer>
#include <QFileDialog>
#include <QMessageBox>
#include <optional>
#include <string_view>

#include "platform/file_replacement.h"
#include "ui/qt/geometry_view_captions.h"

namespace tessarin::ui::qt {

bool SavePngReplacing(const QImage& image, const QString& path, std::string* reason, platform::LinkHandling links) {
  if (image.isNull()) return false;
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return false;
  return platform::ReplaceFile(path.toStdString(),
                               std::string_view(encoded.constData(), static_cast<std::size_t>(encoded.size())),
                               reason, links);
}

void ChooseAndSavePng(QWidget* parent, const QImage& image, const QString& windowTitle) {
  // The name as chosen, not what a link makes of it.
  QString path = QFileDialog::getSaveFileName(parent, captions::kSaveImageTitle, QString(), captions::kPngFilter,
                                              nullptr, QFileDialog::DontResolveSymlinks);
  if (path.isEmpty()) return;
  if (!path.endsWith(".png", Qt::CaseInsensitive)) path += ".png";
  platform::LinkHandling links = platform::LinkHandling::kRefuse;
  if (const std::optional<std::string> target = platform::SymbolicLinkTarget(path.toStdString())) {
    const QString question = QString(captions::kReplaceLinkQuestion).arg(path, QString::fromStdString(*target));
    if (QMessageBox::question(parent, windowTitle, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) !=
        QMessageBox::Yes)
      return;
    links = platform::LinkHandling::kReplaceLink;
  }
  std::string reason;
  if (SavePngReplacing(image, path, &reason, links)) return;
  QString text = captions::kCannotSaveImage;
  if (!reason.empty()) text += "\n\n" + path + ": " + QString::fromStdString(reason);
  QMessageBox::warning(parent, windowTitle, text);
}

}  // namespace tessarin::ui::qt
