#include "ui/qt/console_window.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QScrollBar>

#include "ui/qt/captions.h"
#include "ui/qt/qt_console.h"
#include "ui/qt/qt_text.h"

namespace tessarin::ui::qt {

ConsoleWindow::ConsoleWindow(QtConsole& console) : console_(console) {
  setWindowTitle(captions::kConsoleTitle);
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // Read-only text still takes key presses; the cursor shows where text goes.
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  QFontMetrics metrics(font());
  resize(metrics.horizontalAdvance(QLatin1Char('M')) * 100 + 40, metrics.lineSpacing() * 30 + 20);
}

void ConsoleWindow::Append(std::string_view text) {
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(ToQString(text));
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
  horizontalScrollBar()->setValue(0);
}

std::optional<int> ConsoleWindow::KeyCode(int qtKey, const QString& text) {
  if (qtKey == Qt::Key_Escape) return platform::kKeyEscape;
  if (text.isEmpty()) return std::nullopt;
  QChar character = text.at(0).toUpper();
  if (character.unicode() < 32) return std::nullopt;
  return character.unicode() < 128 ? character.unicode() : 0;
}

void ConsoleWindow::keyPressEvent(QKeyEvent* event) {
  std::optional<int> key = KeyCode(event->key(), event->text());
  if (!key) {
    QPlainTextEdit::keyPressEvent(event);  // selection and scrolling keys
    return;
  }
  console_.KeyPressed(*key);
  event->accept();
}

void ConsoleWindow::closeEvent(QCloseEvent* event) {
  // The console decides; a close it agrees to removes the window itself.
  event->ignore();
  console_.CloseRequested();
}

}  // namespace tessarin::ui::qt
