#pragma once
// Long tooltips are wrapped into lines of a readable width instead of one
// line across the screen: just before a tooltip shows, a plain text longer
// than kPlainLength becomes rich text, which Qt's tooltip wraps.

#include <QObject>

namespace tessarin::ui::qt {

class WrappedToolTips : public QObject {
 public:
  static constexpr int kPlainLength = 70;

  // Watches every widget of the application; owned by `parent`.
  explicit WrappedToolTips(QObject* parent);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tessarin::ui::qt
