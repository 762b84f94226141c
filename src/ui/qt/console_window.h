#pragma once
// The window of the program's console: plain text, read-only, fixed-width,
// scrolled to the end after every write. Keys typed into it and the close
// box go to its QtConsole.

#include <QPlainTextEdit>
#include <optional>
#include <string_view>

namespace tessarin::ui::qt {

class QtConsole;

class ConsoleWindow final : public QPlainTextEdit {
 public:
  explicit ConsoleWindow(QtConsole& console);

  void Append(std::string_view text);

  // The console's code of a key press: Esc, or the upper-case character;
  // none for keys that type nothing (Shift, Ctrl, ...).
  static std::optional<int> KeyCode(int qtKey, const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QtConsole& console_;
};

}  // namespace tessarin::ui::qt
