// Translation of Qt key events into handler key codes.
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

int key_code(const QKeyEvent& e) {
  const int k = e.key();
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return '0' + (k - Qt::Key_0);
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 112 + (k - Qt::Key_F1);
  switch (k) {
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Shift:
      return 16;
    case Qt::Key_Control:
      return 17;
    case Qt::Key_Alt:
      return 18;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_PageUp:
      return 33;
    case Qt::Key_PageDown:
      return 34;
    case Qt::Key_End:
      return 35;
    case Qt::Key_Home:
      return 36;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return 46;
    case Qt::Key_Period:
      return 190;
    case Qt::Key_Minus:
      return 189;
    default:
      return 0;
  }
}

int shift_state(const QKeyEvent& e) {
  int s = 0;
  if (e.modifiers() & Qt::ShiftModifier) s |= 1;
  if (e.modifiers() & Qt::ControlModifier) s |= 2;
  if (e.modifiers() & Qt::AltModifier) s |= 4;
  return s;
}

}  // namespace gw::app
