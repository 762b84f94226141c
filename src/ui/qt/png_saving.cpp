#include "ui/qt/png_saving.h"

#include <QBuffer>
#include <QFileDialog>
#include <QMessageBox>
#include <string_view>

#include "platform/file_replacement.h"
#include "ui/qt/geometry_view_captions.h"

namespace tessarin::ui::qt {

bool SavePngReplacing(const QImage& image, const QString& path, std::string* reason) {
  if (image.isNull()) return false;
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return false;
  return platform::ReplaceFile(path.toStdString(),
                               std::string_view(encoded.constData(), static_cast<std::size_t>(encoded.size())),
                               reason);
}

void ChooseAndSavePng(QWidget* parent, const QImage& image, const QString& windowTitle) {
  QString path = QFileDialog::getSaveFileName(parent, captions::kSaveImageTitle, QString(), captions::kPngFilter);
  if (path.isEmpty()) return;
  if (!path.endsWith(".png", Qt::CaseInsensitive)) path += ".png";
  std::string reason;
  if (SavePngReplacing(image, path, &reason)) return;
  QString text = captions::kCannotSaveImage;
  if (!reason.empty()) text += "\n\n" + path + ": " + QString::fromStdString(reason);
  QMessageBox::warning(parent, windowTitle, text);
}

}  // namespace tessarin::ui::qt
