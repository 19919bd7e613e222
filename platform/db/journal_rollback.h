// Rolling the hot journal beside a database back into it, undone when the result is damaged.
#pragma once

#include <string>

namespace gw::db {

// Plays the hot journal beside the database at `path` back into it, as the engine does when
// it opens the file for writing. The file and its journal are first copied aside (hidden files
// in the same folder, synced), and the result must pass the engine's integrity check. A
// rollback that fails, or whose result fails the check, puts the file and the journal back
// byte for byte and raises gw::Error saying why (the check's first finding); a failure before
// the rollback (the copies cannot be made) changes nothing. The copies are removed afterwards.
void roll_back_journal(const std::string& path);

}  // namespace gw::db
