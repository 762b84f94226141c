#include "ui/qt/wrapped_tooltips.h"

#include <QApplication>
#include <QEvent>
#include <QTextDocument>
#include <QWidget>

namespace tessarin::ui::qt {

WrappedToolTips::WrappedToolTips(QObject* parent) : QObject(parent) { qApp->installEventFilter(this); }

bool WrappedToolTips::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ToolTip || !watched->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(watched);
  QString text = widget->toolTip();
  if (text.size() > kPlainLength && !Qt::mightBeRichText(text))
    widget->setToolTip("<qt>" + text.toHtmlEscaped() + "</qt>");
  return false;
}

}  // namespace tessarin::ui::qt
