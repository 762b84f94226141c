#pragma once
// Finding the widgets of a window the way a user tells them apart.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QString>
#include <QWidget>

namespace tessarin::ui::qt::testing {

template <typename Widget>
Widget* ByToolTip(QWidget& window, const char* tooltip) {
  for (Widget* widget : window.findChildren<Widget*>())
    if (widget->toolTip() == QString::fromUtf8(tooltip)) return widget;
  ADD_FAILURE() << "no widget with tooltip " << tooltip;
  return nullptr;
}

inline QPushButton* ButtonByText(QWidget& window, const QString& text) {
  for (QPushButton* button : window.findChildren<QPushButton*>())
    if (button->text() == text) return button;
  ADD_FAILURE() << "no button " << text.toStdString();
  return nullptr;
}

}  // namespace tessarin::ui::qt::testing
