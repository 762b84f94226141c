#include "ui/qt/qt_console.h"

#include <QApplication>

#include "ui/qt/console_window.h"

namespace tessarin::ui::qt {
namespace {

// Key polling runs in the engine's wait loop, thousands of times a second;
// the window's events are let in this often.
constexpr qint64 kEventIntervalMs = 20;

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t\r\n") == std::string_view::npos; }

}  // namespace

QtConsole::QtConsole() { sinceEvents_.start(); }

QtConsole::~QtConsole() { delete window_.data(); }

void QtConsole::Open() {
  if (!window_) window_ = new ConsoleWindow(*this);
  window_->showNormal();
  window_->raise();
  window_->activateWindow();
}

void QtConsole::Write(std::string_view text) {
  if (!window_) return;
  window_->Append(text);
  if (!IsBlank(text)) hasText_ = true;
}

std::optional<int> QtConsole::PollKey() {
  if (sinceEvents_.elapsed() >= kEventIntervalMs) {
    sinceEvents_.restart();
    QApplication::processEvents();
  }
  if (keys_.empty()) return std::nullopt;
  int key = keys_.front();
  keys_.pop_front();
  return key;
}

void QtConsole::Hide() {
  if (window_) window_->hide();
}

void QtConsole::Close() {
  if (window_) {
    window_->hide();
    // Later: the request may come from the window's own close event.
    window_->deleteLater();
    window_.clear();
  }
  keys_.clear();
  hasText_ = false;
}

void QtConsole::CloseRequested() {
  if (closeRequested_)
    closeRequested_();
  else if (closeEnabled_)
    Close();
}

}  // namespace tessarin::ui::qt
