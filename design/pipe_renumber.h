// Renumbering a pipe of table PIPE: its key and every upstream reference to it, all or nothing.
#pragma once

#include <string>

#include "platform/db/connection.h"

namespace gw::design {

// Gives the pipe `old_number` the number `new_number` and rewrites PRENODE1 to PRENODE3
// (and PRENODE4 unless the project is legacy, whose table has no such column) wherever
// they name `old_number` (the key first, then the upstream slots in one pass over the
// table), in one transaction: when any statement fails the table is left as it was and the
// failure is raised. Numbers match as the database
// compares text (without regard to case); both go in as bound values. Node numbers and
// the upstream values copied into other pipes are not touched.
void renumber_pipe(db::Connection& connection, const std::string& old_number, const std::string& new_number,
                   bool legacy_project);

}  // namespace gw::design
