// The lock a writing connection holds on a database file, taken without opening the database.
#pragma once

#include <memory>
#include <string>

namespace gw::db {

// The engine's exclusive lock on the file at `path`, as a connection holds it while it writes,
// taken through the engine's own file layer, so that every connection to the file (of this or
// another program) honours it; nothing of the file is read or played back. Held until
// destroyed. For a file about to be replaced: no connection begins a write into it meanwhile.
class WriteLock {
 public:
  // Takes the lock. Raises gw::FileError (the file in use) naming the file when another
  // connection holds it (reading or writing) for longer than a moment, gw::Error when the file
  // cannot be opened or locked at all.
  explicit WriteLock(const std::string& path);
  ~WriteLock();
  WriteLock(const WriteLock&) = delete;
  WriteLock& operator=(const WriteLock&) = delete;

 private:
  struct Held;
  std::unique_ptr<Held> held_;
};

}  // namespace gw::db
