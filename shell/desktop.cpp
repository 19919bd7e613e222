// Handing a saved file to the desktop, and saying so when the desktop cannot open it.
#include "shell/desktop.h"

#include <filesystem>

namespace gw::shell {

std::string full_path(const std::string& path) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(path, ec);
  if (ec) return path;
  return p.lexically_normal().string();
}

bool open_with_desktop(Program& prog, const std::string& path, const std::string& what) {
  if (prog.host.open_document(path)) return true;
  prog.host.msgbox(
      what + " \"" + full_path(path) + "\" could not be opened on this desktop. Please open it yourself.",
      ui::Buttons::OK, ui::Icon::Exclamation);
  return false;
}

}  // namespace gw::shell
