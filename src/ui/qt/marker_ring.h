#pragma once
// The ring a view draws round the fault the user chose.

#include <QPointF>

class QPainter;

namespace tessarin::ui::qt {

void DrawMarkerRing(QPainter& painter, QPointF at);

}  // namespace tessarin::ui::qt
