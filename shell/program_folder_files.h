// The files of the program folder, which no report and no new project may replace.
#pragma once

#include <optional>
#include <string>

#include "shell/program.h"

namespace gw::shell {

// What `path` is among the files the program needs, when it lies in the program folder or in
// a folder below it (each folder on the way compared as a file on disk, so that another
// spelling of the same folder counts), whether it exists or not: "is a database of the
// program" (".rdb"), "is a report template of the program" (".xlr"), else "is in the
// program's own folder, among the files the program needs". Nothing when it lies elsewhere.
std::optional<std::string> program_file_role(const Program& prog, const std::string& path);

// Whether two paths name the same file: the same file on disk when both exist, else the same
// absolute, normalised path.
bool same_file(const std::string& a, const std::string& b);

}  // namespace gw::shell
