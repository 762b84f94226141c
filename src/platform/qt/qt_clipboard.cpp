#include "platform/qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QStringDecoder>

namespace tessarin::platform::qt {

bool QtClipboard::SetText(std::string_view text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return false;
  QByteArrayView bytes(text.data(), static_cast<qsizetype>(text.size()));
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString decoded = utf8.decode(bytes);
  clipboard->setText(utf8.hasError() ? QString::fromLatin1(bytes) : decoded);
  return true;
}

}  // namespace tessarin::platform::qt
