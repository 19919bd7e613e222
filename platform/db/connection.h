// A connection to one database file, with parameter-bound statements and transactions.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/db/value.h"

namespace gw::db {

namespace detail {
struct Session;
}

// An open database file.
//
// Every failure throws gw::Error carrying the engine's own description, or for a missing file
// "Could not find file '<path>'.". Every value from outside goes in as a bound parameter ("?"
// in the SQL text), never pasted into it; a text holds exactly one statement.
//
// Files are opened with the engine's defensive settings (no schema corruption through SQL, no
// extension loading, functions and views of the file's schema untrusted, double-quoted texts
// are identifiers only), so a project file from elsewhere cannot run code of its own.
// A file whose permissions allow nobody to write is opened read-only; writing then fails with
// the engine's description. The SQL function CDBL(x) converts a number text to a real (NULL
// stays NULL; a text that is not a number fails with "Type mismatch").
//
// Recordsets opened on a connection share it: closing the connection leaves their snapshots
// readable but makes their writes and requeries fail; a Connection that is replaced or
// destroyed stays open underneath until its last recordset is gone.
class Connection {
 public:
  Connection();
  ~Connection();
  Connection(Connection&&) noexcept;
  Connection& operator=(Connection&&) noexcept;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // How a file is opened: for reading and writing (when its permissions allow), or for
  // reading only, as a database the program never writes (a reference or another program's
  // database), whose file and journal it then leaves exactly as they are.
  enum class Access { read_write, read_only };

  // Opens an existing database file (closing what was open). Never creates a file.
  void open(const std::string& path, Access access = Access::read_write);
  void close();
  bool is_open() const;
  const std::string& path() const;  // of the open file; empty when closed
  bool read_only() const;

  // Runs one statement with its parameters and returns the number of rows it changed.
  long long execute(const std::string& sql, const std::vector<Value>& params = {});

  // The first column of the first record a query gives (NULL when it gives none), for
  // counts and tests of existence that need no recordset.
  Value query_value(const std::string& sql, const std::vector<Value>& params = {}) const;

  // Runs a script of several statements, for trusted texts only (schemas, the build's own
  // data scripts): it takes no parameters, so no outside value may be part of it.
  void execute_script(const std::string& sql);

  void begin();
  void commit();
  void rollback();
  bool in_transaction() const;

  // The column names of a table in their order; empty when there is no such table.
  std::vector<std::string> columns_of(const std::string& table) const;
  // Whether the table has the column (names compared without regard to case).
  bool has_column(const std::string& table, const std::string& column) const;

  // The shared session recordsets hold; for the database layer itself.
  const std::shared_ptr<detail::Session>& session() const { return session_; }

 private:
  std::shared_ptr<detail::Session> session_;
};

// Begins a transaction; rolls it back when it goes out of scope without commit().
class Transaction {
 public:
  explicit Transaction(Connection& connection);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void commit();

 private:
  Connection& connection_;
  bool done_ = false;
};

// Creates a new, empty database file; fails when the path exists already. Only the build's
// data tool and tests create databases; the program copies its template instead.
void create_database(const std::string& path);

// The longest path, in bytes, that the database engine takes for a file it opens, journal
// names included: a database whose path with "-journal" added is longer cannot be opened.
std::size_t longest_path();

}  // namespace gw::db
