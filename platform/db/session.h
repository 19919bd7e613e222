// The engine handle that a connection and its recordsets share (internal to the database layer).
#pragma once

#include <string>

struct sqlite3;

namespace gw::db::detail {

struct Session {
  sqlite3* db = nullptr;
  std::string path;
  bool read_only = false;

  Session() = default;
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // The open handle; throws gw::Error "The connection is not open." after close.
  sqlite3* handle() const;
  void close();
};

}  // namespace gw::db::detail
