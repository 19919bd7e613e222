// The windows laid out in Qt Designer forms (forms/*.ui), by window name.
#pragma once

#include <string>
#include <vector>

class QWidget;

namespace gw::app {

// The top-level widget of a window's Designer layout, nullptr when the window has none.
QWidget* create_designer_window(const std::string& window);

// Names of the windows that have a Designer layout.
std::vector<std::string> designer_windows();

}  // namespace gw::app
