// A database whose last write was cut short: the file and its hot journal as a killed save
// leaves them, made without killing anything.
#pragma once

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "platform/db/connection.h"

namespace gw::testing {

inline std::string file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void write_bytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The hidden files ".NAME.gw-XXXXXX" beside `path` (what a killed replacement or rollback left
// there), removed; gives how many there were.
inline int remove_hidden_copies(const std::string& path) {
  namespace fs = std::filesystem;
  const fs::path p(path);
  const std::string prefix = "." + p.filename().string() + ".gw-";
  int n = 0;
  for (const auto& e : fs::directory_iterator(p.parent_path()))
    if (e.path().filename().string().rfind(prefix, 0) == 0) {
      fs::remove(e.path());
      ++n;
    }
  return n;
}

// Runs `change` on the database at `path` in one transaction with a cache of one page, so that
// the engine writes changed pages into the file before the end; takes the file and its journal
// as they are then, rolls the transaction back and leaves the two taken at `path` and
// `path`-journal: a file holding part of the change, beside the journal that undoes it.
inline void leave_interrupted_save(const std::string& path, const std::function<void(db::Connection&)>& change) {
  namespace fs = std::filesystem;
  std::string file, journal;
  {
    db::Connection writer;
    writer.open(path);
    writer.execute("PRAGMA cache_size = 1");
    writer.begin();
    change(writer);
    file = file_bytes(path);
    journal = file_bytes(path + "-journal");
    writer.rollback();
  }
  write_bytes(path, file);
  write_bytes(path + "-journal", journal);
}

// A save of pipes into a project that the engine has begun writing into the file: pipe 10's
// length changed and 40 pipes added (long enough texts to take several pages).
inline void change_pipes(db::Connection& conn) {
  conn.execute("UPDATE PIPE SET PIPE_LENGTH = '999.000' WHERE PIPE_NUMBER = '10'");
  for (int i = 0; i < 40; ++i)
    conn.execute("INSERT INTO PIPE (PIPE_NUMBER, PIPE_SUMMARY) VALUES (?, ?)",
                 {"N" + std::to_string(i), std::string(600, 'x')});
}

}  // namespace gw::testing
