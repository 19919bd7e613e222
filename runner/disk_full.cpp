// A disk that is full under a folder: hooks over the program's file replacements and over the
// database engine's writes, both refusing writes under the folder.
#include "runner/disk_full.h"

#include <cerrno>
#include <filesystem>
#include <string_view>

#include "platform/db/write_hook.h"
#include "platform/files/file_replacement.h"

namespace gw::runner {

namespace {

namespace fs = std::filesystem;

std::string g_full;  // absolute, normalised, with a trailing "/"; empty: none

std::string normal(const std::string& path) {
  std::error_code ec;
  fs::path p = fs::absolute(path, ec);
  return (ec ? fs::path(path) : p).lexically_normal().string();
}

bool under_full_folder(std::string_view path) {
  return !g_full.empty() && path.substr(0, g_full.size()) == g_full;
}

}  // namespace

void install_disk_full_layer() { db::set_write_hook({}); }

void set_full_folder(const std::string& folder) {
  if (folder.empty()) {
    g_full.clear();
    files::set_step_hook({});
    db::set_write_hook({});
    return;
  }
  g_full = normal(folder);
  if (g_full.back() != '/') g_full += '/';
  files::set_step_hook([](files::Step step, const std::string& target) {
    return step == files::Step::write && under_full_folder(normal(target)) ? ENOSPC : 0;
  });
  db::set_write_hook([](db::FileWrite what, const char* path) {
    return what == db::FileWrite::write && under_full_folder(path);
  });
}

}  // namespace gw::runner
