// Pictures of every window of the program, rendered offscreen.
#pragma once

#include <string>
#include <vector>

class QWidget;

namespace gw::app {

class FormView;

// Saves a picture of the window's view as <dir>/<window>.png and, for a window with tab
// strips, one picture per tab (<window>_tab<N>.png, N from 0; a second strip adds its
// name: <window>_<strip>_tab<N>.png). Tabs are switched on the widgets only: no handler
// runs. Returns the files written.
std::vector<std::string> save_window_pictures(FormView& view, const std::string& dir);

// Loads every registered window of the program (without showing it modally) and saves
// its pictures into `dir`, with the project `sample` open and its first pipe in the pipe
// design window; without a sample, a new project made from the template, with no pipes, is
// open. Returns the process exit status: 0 when every window rendered.
int render_screenshots(const std::string& program_folder, const std::string& dir, const std::string& sample);

}  // namespace gw::app
