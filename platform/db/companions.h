// The files the database engine keeps beside a database (journal, write-ahead log and its
// index), looked at before the database is opened and removed before it is replaced.
#pragma once

#include <string>
#include <vector>

namespace gw::db {

// The file the engine works on for `path`: the file a symbolic link names (the engine keeps
// the companions beside it), else `path` itself.
std::string engine_path(const std::string& path);

// The companions of the database at `path` (beside the file a link names), in this order: its rollback journal
// ("-journal"), its write-ahead log ("-wal") and the log's shared-memory index ("-shm").
std::vector<std::string> companion_paths(const std::string& path);

// What lies beside a database file that the engine would play into it when it is opened.
struct Companions {
  enum class State {
    clear,            // nothing the engine would play into the file
    write_ahead_log,  // the file is in WAL mode, or a write-ahead log lies beside it
    hot_journal,      // the journal of a write that was cut short, which can be the file's own
    foreign_journal,  // a journal the engine would roll back that cannot be the file's own
  };
  State state = State::clear;
  std::string companion;  // the log or journal concerned (beside the file a link names)
  std::string why;        // for a foreign journal: why it cannot be the file's own
};

// Looks at the database at `path` and the files beside it without changing either. Whether a
// journal is hot is the engine's own verdict: the file is opened for reading only, which the
// engine refuses while a journal would have to be rolled back (a journal that a write in
// progress holds is not hot). A hot journal is then read as the engine would play it: one of
// another page size, whose pages lie beyond the file or with a damaged header cannot be the
// file's own. An empty or missing file, or one the engine cannot read, is `clear`: opening
// it says why.
Companions look_beside(const std::string& path);

// Removes the companions of `path` that exist, before another file is renamed over it, so that
// no journal or log of the replaced file is played into the new one. Raises gw::Error naming
// each that could not be removed, and why.
void remove_companions(const std::string& path);

}  // namespace gw::db
