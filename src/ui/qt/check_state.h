#pragma once
// Check-box states as the parameter set stores them: 0 unchecked, 1 checked,
// 2 indeterminate.

#include <Qt>

namespace tessarin::ui::qt {

inline Qt::CheckState ToCheckState(int state) {
  return state == 1 ? Qt::Checked : state == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}

inline int FromCheckState(int state) { return state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? 2 : 0; }

}  // namespace tessarin::ui::qt
