// Translation of Qt key events into the key codes the window handlers receive.
#pragma once

class QKeyEvent;

namespace gw::app {

// The character code of a key press as a KeyPress handler receives it (Enter 13,
// Backspace 8, Escape 27, control characters, Latin-1 characters); -1 for keys that
// produce no character (arrows, function keys, Tab, Delete), which raise no KeyPress.
int key_ascii(const QKeyEvent& e);

// The key code of a KeyDown handler (letters as upper-case codes, digits, F1 = 112,
// arrows 37..40, Delete 46...); 0 when the key has none.
int key_code(const QKeyEvent& e);

// Shift state of a key event: 1 Shift, 2 Ctrl, 4 Alt.
int shift_state(const QKeyEvent& e);

}  // namespace gw::app
