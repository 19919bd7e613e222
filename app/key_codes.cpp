// Translation of Qt key events into the character codes of KeyPress handlers.
#include "app/key_codes.h"

#include <QKeyEvent>

namespace gw::app {

int key_ascii(const QKeyEvent& e) {
  switch (e.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
      return -1;
    default:
      break;
  }
  const QString t = e.text();
  if (t.size() != 1) return -1;
  const char16_t ch = t.at(0).unicode();
  if (ch == 127 || ch > 255) return -1;
  return static_cast<int>(ch);
}

}  // namespace gw::app
