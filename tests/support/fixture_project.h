// A copy of one of the build's fixture projects opened as the program's project, for the tests
// that drive windows directly without the main window's Open.
#pragma once

#include <memory>
#include <string>

#include "platform/db/connection.h"
#include "shell/program.h"
#include "tests/support/scratch_folder.h"

namespace gw::testing {

// Copies the fixture project `fixture` (a file of the build's fixture folder) into `scratch` and
// opens the copy as `prog`'s project `project_id` in English units; `legacy` marks a project of
// the older layout. Returns the copy's path.
inline std::string open_fixture_project(shell::Program& prog, const ScratchFolder& scratch,
                                        const std::string& fixture, const std::string& project_id,
                                        bool legacy = false) {
  const std::string path = scratch.copy(std::string(GW_FIXTURES_BUILD_DIR) + "/" + fixture, fixture);
  shell::SharedState& v = prog.vars;
  v.project.project_db_path = path;
  v.connections.project_connection = std::make_shared<db::Connection>();
  v.connections.project_connection->open(path);
  v.project.project_kind = legacy ? shell::ProjectKind::legacy : shell::ProjectKind::current;
  v.set_unit_system("ENGLISH");
  v.project.current_project_id = project_id;
  return path;
}

}  // namespace gw::testing
