// A hook over the database engine's own file writes, for tests and transcripts that stop a
// write or find the disk full.
#pragma once

#include <functional>

namespace gw::db {

// What the engine is about to do to one of a database's files (the database, its journal).
enum class FileWrite { write, truncate, remove };

// Consulted before every write, truncation and deletion with the file's path; answers true
// when the disk is full, so that the engine's step fails as on a full disk ("database or disk
// is full"), false to let it happen.
using WriteHook = std::function<bool(FileWrite what, const char* path)>;

// Sets the hook (empty: none). The first call puts the hooked file layer in place as the
// engine's default, so it is made before the connections it is meant for are opened. The
// layer keeps to the rollback journal (it offers no shared memory).
void set_write_hook(WriteHook hook);

}  // namespace gw::db
