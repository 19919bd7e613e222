// Whether a project file's name leaves room for the working files the database keeps beside it.
#pragma once

#include <optional>
#include <string>

namespace gw::shell {

// The longest ending the database engine gives a working file after its database's name.
inline constexpr const char* kJournalEnding = "-journal";

// Why no project can live at `path` for the length of its name, or nothing: the working file
// the database engine keeps beside a project while it saves, named as the project with
// "-journal" added, must be a name the file system takes and a path the engine takes (for a
// symbolic link, beside the file it leads to). Worded to follow "cannot be ...: ".
std::optional<std::string> project_name_problem(const std::string& path);

}  // namespace gw::shell
