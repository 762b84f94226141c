#include "ui/qt/marker_ring.h"

#include <QPainter>
#include <utility>

namespace tessarin::ui::qt {

void DrawMarkerRing(QPainter& painter, QPointF at) {
  // Seen on every colour: black inside yellow, with a gap at its centre.
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  for (const auto& [colour, width] : {std::pair{QColor(255, 220, 0), 5.0}, std::pair{QColor(Qt::black), 2.0}}) {
    painter.setPen(QPen(colour, width));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, 12, 12);
    for (const QPointF& arm : {QPointF(1, 0), QPointF(0, 1)}) {
      painter.drawLine(at + 16 * arm, at + 24 * arm);
      painter.drawLine(at - 16 * arm, at - 24 * arm);
    }
  }
  painter.restore();
}

}  // namespace tessarin::ui::qt
