#pragma once
// Pictures saved as PNG files in one step: an older file of the same name
// stays until the new one is whole.

#include <QImage>
#include <QString>

namespace tessarin::ui::qt {

bool SavePngReplacing(const QImage& image, const QString& path);

}  // namespace tessarin::ui::qt
