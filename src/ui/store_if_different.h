#pragma once
// Field edits store a value only when it differs, so that retyping the same
// value leaves the set unmodified.

#include <utility>

namespace tessarin::ui {

template <typename T>
[[nodiscard]] bool StoreIfDifferent(T& stored, T value) {
  if (stored == value) return false;
  stored = std::move(value);
  return true;
}

}  // namespace tessarin::ui
