#include "ui/qt/png_saving.h"

#include <QBuffer>
#include <string_view>

#include "platform/file_replacement.h"

namespace tessarin::ui::qt {

bool SavePngReplacing(const QImage& image, const QString& path) {
  if (image.isNull()) return false;
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return false;
  return platform::ReplaceFile(path.toStdString(),
                               std::string_view(encoded.constData(), static_cast<std::size_t>(encoded.size())));
}

}  // namespace tessarin::ui::qt
