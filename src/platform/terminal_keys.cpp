#include "platform/terminal_keys.h"

#include <csignal>
#include <cstdlib>
#include <termios.h>
#include <unistd.h>

#include "platform/console.h"

namespace tessarin::platform {
namespace {

termios savedMode;
volatile std::sig_atomic_t modeSaved = 0;

void RestoreMode() {
  if (modeSaved) tcsetattr(STDIN_FILENO, TCSANOW, &savedMode);
}

void RestoreAndStop(int signal) {
  RestoreMode();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

}  // namespace

TerminalKeys::TerminalKeys() {
  if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &savedMode) != 0) return;
  termios raw = savedMode;
  raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  raw.c_cc[VMIN] = 0;
  raw.c_cc[VTIME] = 0;
  if (tcsetattr(STDIN_FILENO, TCSANOW, &raw) != 0) return;
  static bool hooksInstalled = false;
  if (!hooksInstalled) {
    hooksInstalled = true;
    std::atexit(RestoreMode);
    std::signal(SIGINT, RestoreAndStop);
    std::signal(SIGTERM, RestoreAndStop);
  }
  modeSaved = 1;
  active_ = true;
}

TerminalKeys::~TerminalKeys() {
  if (!active_) return;
  RestoreMode();
  modeSaved = 0;
}

std::optional<int> TerminalKeys::Poll() {
  if (!active_) return std::nullopt;
  unsigned char c = 0;
  if (read(STDIN_FILENO, &c, 1) != 1) return std::nullopt;
  if (c == kKeyEscape) return kKeyEscape;
  if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
  return c;
}

}  // namespace tessarin::platform
