// A prepared SQL statement with bound parameters (internal to the database layer).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/db/value.h"

struct sqlite3;
struct sqlite3_stmt;

namespace gw::db::detail {

// Raises gw::Error carrying the connection's own description of its last failure.
[[noreturn]] void fail(sqlite3* db);

// One prepared statement. The SQL text must hold exactly one statement (a trailing ";" and
// blanks are allowed), so a value can never smuggle a second statement in.
class Statement {
 public:
  Statement(sqlite3* db, std::string_view sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // Binds the values to the parameters "?" in order; their numbers must match.
  void bind(const std::vector<Value>& params);

  // Runs one step: true when a result row is ready, false when the statement is done.
  bool step();

  int column_count() const;
  std::string column_name(int i) const;
  Value column(int i) const;  // of the current row, with its stored kind

  sqlite3_stmt* get() const { return stmt_; }

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace gw::db::detail
