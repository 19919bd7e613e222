// Handing a saved file to the desktop, and saying so when the desktop cannot open it.
#pragma once

#include <string>

#include "shell/program.h"

namespace gw::shell {

// The full path of a file as the user should read it in a message (made absolute and
// normalised; the path as given when that fails).
std::string full_path(const std::string& path);

// Opens the file with the desktop. When the desktop cannot open it, a message (exclamation
// icon) says so, naming the file by `what` ("The report", "The help document") and its full
// path. Gives whether the desktop opened it.
bool open_with_desktop(Program& prog, const std::string& path, const std::string& what);

}  // namespace gw::shell
