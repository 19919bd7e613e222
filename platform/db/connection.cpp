// Opening database files safely, running statements with bound values, and transactions.
#include "platform/db/connection.h"

#include <sqlite3.h>

#include <filesystem>
#include <system_error>

#include "platform/db/jet_functions.h"
#include "platform/db/session.h"
#include "platform/db/statement.h"
#include "platform/error/error.h"
#include "platform/text/ascii_case.h"

namespace gw::db {

namespace fs = std::filesystem;

// ---- Session ---------------------------------------------------------------------------

detail::Session::~Session() { close(); }

sqlite3* detail::Session::handle() const {
  if (db == nullptr) throw gw::Error("The connection is not open.");
  return db;
}

void detail::Session::close() {
  if (db != nullptr) {
    // Every statement of this layer is finalized when its call ends, so the close succeeds.
    sqlite3_close_v2(db);
    db = nullptr;
  }
}

namespace {

const std::string& empty_text() {
  static const std::string empty;
  return empty;
}

// Applies the defensive settings to a freshly opened handle and checks that the file is a
// database. Throws with the engine's description; the caller closes the handle then.
void configure(sqlite3* db) {
  const auto set = [db](int option, int value) {
    if (sqlite3_db_config(db, option, value, nullptr) != SQLITE_OK) detail::fail(db);
  };
  set(SQLITE_DBCONFIG_DEFENSIVE, 1);
  set(SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0);
  set(SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0);
  set(SQLITE_DBCONFIG_DQS_DML, 0);
  set(SQLITE_DBCONFIG_DQS_DDL, 0);
  sqlite3_busy_timeout(db, 5000);
  if (sqlite3_exec(db, "PRAGMA cell_size_check = ON", nullptr, nullptr, nullptr) != SQLITE_OK)
    detail::fail(db);
  detail::register_jet_functions(db);
  // Reading the schema fails at once for a file that is not a database.
  detail::Statement probe(db, "SELECT count(*) FROM sqlite_master");
  probe.step();
}

}  // namespace

// ---- Connection ------------------------------------------------------------------------

Connection::Connection() = default;
Connection::~Connection() = default;
Connection::Connection(Connection&&) noexcept = default;
Connection& Connection::operator=(Connection&&) noexcept = default;

void Connection::open(const std::string& path, Access access) {
  close();
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (path.empty() || !fs::exists(status)) throw gw::Error("Could not find file '" + path + "'.");
  if (fs::is_directory(status)) throw gw::Error("'" + path + "' is a folder, not a database file.");

  // A file nobody may write is opened read-only, whoever runs the program.
  const fs::perms writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  const bool read_only = access == Access::read_only || (status.permissions() & writable) == fs::perms::none;

  // An absolute path never reads as a URI.
  const std::string full = fs::absolute(path, ec).string();
  auto session = std::make_shared<detail::Session>();
  // A connection is used by one thread at a time: the engine's own locking of each call is
  // not needed.
  const int flags = (read_only ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
  // The session owns the handle from here, so a failure below closes it.
  const int rc = sqlite3_open_v2(ec ? path.c_str() : full.c_str(), &session->db, flags, nullptr);
  if (rc != SQLITE_OK) {
    if (session->db == nullptr) throw gw::Error("out of memory");
    detail::fail(session->db);
  }
  configure(session->db);
  session->path = path;
  session->read_only = read_only;
  session_ = std::move(session);
}

void Connection::close() {
  if (session_) session_->close();
  session_.reset();
}

bool Connection::is_open() const { return session_ && session_->db != nullptr; }

const std::string& Connection::path() const { return is_open() ? session_->path : empty_text(); }

bool Connection::read_only() const { return is_open() && session_->read_only; }

namespace {

sqlite3* handle_of(const std::shared_ptr<detail::Session>& session) {
  if (!session) throw gw::Error("The connection is not open.");
  return session->handle();
}

}  // namespace

long long Connection::execute(const std::string& sql, const std::vector<Value>& params) {
  sqlite3* db = handle_of(session_);
  detail::Statement statement(db, sql);
  statement.bind(params);
  while (statement.step()) {}
  return sqlite3_changes64(db);
}

Value Connection::query_value(const std::string& sql, const std::vector<Value>& params) const {
  detail::Statement statement(handle_of(session_), sql);
  statement.bind(params);
  return statement.step() ? statement.column(0) : Value();
}

void Connection::execute_script(const std::string& sql) {
  sqlite3* db = handle_of(session_);
  char* message = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    const std::string text = message != nullptr ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
    throw gw::Error(text);
  }
}

void Connection::begin() { execute("BEGIN"); }
void Connection::commit() { execute("COMMIT"); }
void Connection::rollback() { execute("ROLLBACK"); }

bool Connection::in_transaction() const { return is_open() && sqlite3_get_autocommit(session_->db) == 0; }

std::vector<std::string> Connection::columns_of(const std::string& table) const {
  detail::Statement statement(handle_of(session_), "SELECT name FROM pragma_table_info(?)");
  statement.bind({table});
  std::vector<std::string> names;
  while (statement.step()) names.push_back(statement.column(0).text());
  return names;
}

bool Connection::has_column(const std::string& table, const std::string& column) const {
  for (const std::string& name : columns_of(table))
    if (text::iequals(name, column)) return true;
  return false;
}

// ---- Transaction -----------------------------------------------------------------------

Transaction::Transaction(Connection& connection) : connection_(connection) { connection_.begin(); }

Transaction::~Transaction() {
  if (done_) return;
  try {
    connection_.rollback();
  } catch (const std::exception&) {
    // The transaction is gone already (the connection closed); nothing is left to undo.
  }
}

void Transaction::commit() {
  connection_.commit();
  done_ = true;
}

// ---- create_database -------------------------------------------------------------------

void create_database(const std::string& path) {
  std::error_code ec;
  if (fs::exists(fs::symlink_status(path, ec))) throw gw::Error("The file '" + path + "' exists already.");
  sqlite3* db = nullptr;
  const std::string full = fs::absolute(path, ec).string();
  const int rc = sqlite3_open_v2(ec ? path.c_str() : full.c_str(), &db,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  std::string message;
  if (rc != SQLITE_OK) message = db != nullptr ? sqlite3_errmsg(db) : "out of memory";
  // Writing the header makes the file a database of its own at once.
  else if (sqlite3_exec(db, "PRAGMA user_version = 0; VACUUM", nullptr, nullptr, nullptr) != SQLITE_OK)
    message = sqlite3_errmsg(db);
  sqlite3_close_v2(db);
  if (!message.empty()) throw gw::Error(message);
}

std::size_t longest_path() {
  const sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
  return vfs != nullptr && vfs->mxPathname > 0 ? static_cast<std::size_t>(vfs->mxPathname) : 512;
}

}  // namespace gw::db
