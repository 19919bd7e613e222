// Whether a project file's name leaves room for the working files the database keeps beside it.
#include "shell/project_path.h"

#include <cstring>
#include <filesystem>

#include "platform/db/connection.h"
#include "platform/files/file_replacement.h"
#include "shell/desktop.h"

namespace gw::shell {

namespace fs = std::filesystem;

std::optional<std::string> project_name_problem(const std::string& path) {
  const std::size_t ending = std::strlen(kJournalEnding);
  const std::string full = full_path(path);
  const std::string file = files::replaced_file(path);
  const std::size_t name_limit = files::longest_name(fs::path(file).parent_path().string());
  for (const std::string& name : {fs::path(full).filename().string(), fs::path(file).filename().string()})
    if (name.size() + ending > name_limit)
      return "its name has " + std::to_string(name.size()) +
             " bytes, and the working file the database keeps beside it, named with \"" + kJournalEnding +
             "\" added, would be longer than the " + std::to_string(name_limit) +
             " bytes the file system takes: a project's name may have at most " +
             std::to_string(name_limit - ending) + " bytes";
  const std::size_t path_limit = db::longest_path();
  for (const std::string& p : {full, file})
    if (p.size() + ending > path_limit)
      return "its full path has " + std::to_string(p.size()) +
             " bytes, and the working file the database keeps beside it, named with \"" + kJournalEnding +
             "\" added, would be longer than the " + std::to_string(path_limit) +
             " bytes the database engine takes: a project's full path may have at most " +
             std::to_string(path_limit - ending) + " bytes";
  return std::nullopt;
}

}  // namespace gw::shell
