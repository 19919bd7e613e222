// The files of the program folder, which no report and no new project may replace.
#include "shell/program_folder_files.h"

#include <filesystem>

#include "platform/text/ascii_case.h"
#include "shell/desktop.h"

namespace gw::shell {

namespace fs = std::filesystem;

bool same_file(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code ec;
  if (fs::exists(a, ec) && fs::exists(b, ec)) return fs::equivalent(a, b, ec) && !ec;
  return full_path(a) == full_path(b);
}

namespace {

bool in_folder(const std::string& path, const std::string& folder) {
  if (folder.empty()) return false;
  for (fs::path parent = fs::path(full_path(path)).parent_path(); !parent.empty(); parent = parent.parent_path()) {
    if (same_file(parent.string(), folder)) return true;
    if (parent == parent.root_path()) break;
  }
  return false;
}

bool has_extension(const std::string& path, std::string_view ext) {
  return text::iequals(fs::path(path).extension().string(), ext);
}

}  // namespace

std::optional<std::string> program_file_role(const Program& prog, const std::string& path) {
  if (!in_folder(path, prog.program_folder)) return std::nullopt;
  if (has_extension(path, ".rdb")) return "is a database of the program";
  if (has_extension(path, ".xlr")) return "is a report template of the program";
  return "is in the program's own folder, among the files the program needs";
}

}  // namespace gw::shell
