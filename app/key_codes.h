// Translation of Qt key events into the character codes the KeyPress handlers receive.
#pragma once

class QKeyEvent;

namespace gw::app {

// The character code of a key press as a KeyPress handler receives it (Enter 13,
// Backspace 8, Escape 27, control characters, Latin-1 characters); -1 for keys that
// produce no character (arrows, function keys, Tab, Delete), which raise no KeyPress.
int key_ascii(const QKeyEvent& e);

}  // namespace gw::app
