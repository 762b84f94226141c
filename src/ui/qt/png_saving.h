#pragma once
// Pictures saved as PNG files in one step: an older file of the same name
// stays until the new one is whole.

#include <QImage>
#include <QString>
#include <string>

#include "platform/file_replacement.h"

class QWidget;

namespace tessarin::ui::qt {

// False when the picture could not be written, with the system's reason in
// `reason` when given. A name that is a symbolic link is refused unless
// `links` says to replace the link.
[[nodiscard]] bool SavePngReplacing(const QImage& image, const QString& path, std::string* reason = nullptr,
                                    platform::LinkHandling links = platform::LinkHandling::kRefuse);

// Asks where to save `image` (".png" added when missing) and saves it; a
// name that is a symbolic link is replaced only when the user says so, and
// never the file it points to. A failure is told in a box titled
// `windowTitle`, with the system's reason.
void ChooseAndSavePng(QWidget* parent, const QImage& image, const QString& windowTitle);

}  // namespace tessarin::ui::qt
