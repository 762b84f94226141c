#pragma once
// Letting the window's events run until something has happened: for tests
// and tools that drive a window without a user.

#include <functional>

namespace tessarin::ui::qt {

// Processes events until `done` holds or `milliseconds` have passed; whether
// it held.
[[nodiscard]] bool ProcessEventsUntil(const std::function<bool()>& done, int milliseconds);

}  // namespace tessarin::ui::qt
