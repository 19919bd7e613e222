// What a file must be to be opened as a project, and what kind of project it is: both read
// from the file's own tables, never from its name.
#pragma once

#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "shell/shared_state.h"

namespace gw::shell {

// The verdict on a file chosen as a project (or as the template of new projects).
struct ProjectFileCheck {
  // Why the file cannot be opened as a project; empty when it can.
  std::string problem;
  // The kind its tables' columns give (meaningful when there is no problem).
  ProjectKind kind = ProjectKind::current;
  // PROJECT columns whose value holds control characters: the project opens, and the
  // engineer is told which details to correct.
  std::vector<std::string> odd_columns;
};

// Reads the file at `path` and says whether it can be opened as a project. Refused: an empty
// file, one in WAL mode or with a write-ahead log beside it, one with a hot journal beside it
// (the engine would roll it into the file: Open asks first, db::look_beside), one the database
// engine cannot read or finds damaged, one carrying triggers, views or
// virtual tables, one without table PROJECT or PIPE, a PROJECT or PIPE table whose columns are
// those of no release, a PROJECT, PIPE or ENERGY table declaring a clause the program's own
// tables do not have (constraints, conflict clauses, generated columns, table options), a
// unique index other than the pipe number's, and a PROJECT record holding bytes that are no
// text. Reads only: the file is opened for reading only.
ProjectFileCheck check_project_file(const std::string& path);

// The kind of the project open on `conn`, whose layout check_project_file accepted: legacy
// when PIPE has the legacy layout, else current when PROJECT has NOAA_STATION, else older.
ProjectKind project_kind_of(const db::Connection& conn);

// Whether table PROJECT lacks any of the release columns add_release_columns adds.
bool lacks_release_columns(const db::Connection& conn);

// Adds every release column that table PROJECT lacks (NOAA_STATION, PRODUCT_NAME,
// MAJOR_RELEASE, MINOR_RELEASE, RELEASE_DATE), as text columns; a column the table has
// already is left as it is. Runs in the caller's transaction, if any.
void add_release_columns(db::Connection& conn);

}  // namespace gw::shell
