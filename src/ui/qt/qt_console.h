#pragma once
// The program's own console on the desktop: a read-only text window, in a
// fixed-width font, that follows the end of the text and collects the keys
// typed into it. Key polling lets the window's own events in, so the
// console is repainted and typed into while a read keeps the user-interface
// thread busy.

#include <QElapsedTimer>
#include <QPointer>
#include <deque>
#include <functional>

#include "platform/console.h"
#include "ui/qt/console_window.h"

namespace tessarin::ui::qt {

class QtConsole final : public platform::Console {
 public:
  QtConsole();
  ~QtConsole() override;

  void Open() override;
  void Write(std::string_view text) override;
  std::optional<int> PollKey() override;
  [[nodiscard]] bool HasText() const override { return hasText_; }
  void SetCloseEnabled(bool enabled) override { closeEnabled_ = enabled; }
  [[nodiscard]] bool IsOpen() const override { return !window_.isNull(); }
  void Hide() override;
  void Close() override;

  // The user closes the window: the handler decides (the Console menu's
  // "Close console window" rules apply).
  void SetCloseRequestHandler(std::function<void()> handler) { closeRequested_ = std::move(handler); }
  [[nodiscard]] bool IsCloseEnabled() const { return closeEnabled_; }

  // For the window and for tests.
  void KeyPressed(int key) { keys_.push_back(key); }
  void CloseRequested();
  ConsoleWindow* Window() const { return window_.data(); }

 private:
  QPointer<ConsoleWindow> window_;
  std::deque<int> keys_;
  bool hasText_ = false;
  bool closeEnabled_ = true;
  std::function<void()> closeRequested_;
  QElapsedTimer sinceEvents_;
};

}  // namespace tessarin::ui::qt
