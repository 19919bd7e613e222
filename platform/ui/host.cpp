// The file dialog's show procedures shared by every host.
#include "platform/ui/host.h"

#include <filesystem>

#include "platform/error/error.h"

namespace gw::ui {

namespace {

bool show(Host& host, FileDialog& d, bool save) {
  FileDialog shown = d;
  if (!host.file_dialog(shown, save)) {
    if (d.cancel_error) throw gw::Error(FileDialog::kCancelDescription);
    return false;
  }
  d.file_name = shown.file_name;
  auto parent = std::filesystem::path(d.file_name).parent_path();
  if (!parent.empty()) host.set_current_folder(parent.string());
  return true;
}

}  // namespace

bool show_open(Host& host, FileDialog& d) { return show(host, d, false); }
bool show_save(Host& host, FileDialog& d) { return show(host, d, true); }

}  // namespace gw::ui
