#pragma once
// Pictures saved as PNG files in one step: an older file of the same name
// stays until the new one is whole.

#include <QImage>
#include <QString>
#include <string>

class QWidget;

namespace tessarin::ui::qt {

// False when the picture could not be written, with the system's reason in
// `reason` when given.
[[nodiscard]] bool SavePngReplacing(const QImage& image, const QString& path, std::string* reason = nullptr);

// Asks where to save `image` (".png" added when missing) and saves it; a
// failure is told in a box titled `windowTitle`, with the system's reason.
void ChooseAndSavePng(QWidget* parent, const QImage& image, const QString& windowTitle);

}  // namespace tessarin::ui::qt
