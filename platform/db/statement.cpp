// Preparing, binding and stepping one SQL statement.
#include "platform/db/statement.h"

#include <sqlite3.h>

#include <cerrno>

#include "platform/error/error.h"

namespace gw::db::detail {

void fail(sqlite3* db) {
  if (db == nullptr) throw gw::Error("The database is not open.");
  // A write that the file refused keeps the engine's description and tells the cause and the
  // file, so that a window can name both.
  FileCause cause = FileCause::other;
  switch (sqlite3_errcode(db) & 0xff) {
    case SQLITE_FULL:
      cause = FileCause::disk_full;
      break;
    case SQLITE_READONLY:
      // The engine refuses to write into a file that another was renamed over (or that was
      // removed) since the connection opened it: its journal would belong to the new file.
      cause = sqlite3_extended_errcode(db) == SQLITE_READONLY_DBMOVED ? FileCause::replaced
                                                                       : FileCause::file_read_only;
      break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      cause = FileCause::file_in_use;
      break;
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
      // A working file beside the database that could not be made or written (its folder
      // not writable, its name too long, the disk full): the system says why.
      switch (sqlite3_system_errno(db)) {
        case ENOSPC:
        case EDQUOT:
          cause = FileCause::disk_full;
          break;
        case EROFS:
          cause = FileCause::disk_read_only;
          break;
        case EACCES:
        case EPERM:
          cause = FileCause::folder_not_writable;
          break;
        case ENAMETOOLONG:
          cause = FileCause::name_too_long;
          break;
        case EBUSY:
        case ETXTBSY:
          cause = FileCause::file_in_use;
          break;
        default:
          throw gw::Error(sqlite3_errmsg(db));
      }
      break;
    default:
      throw gw::Error(sqlite3_errmsg(db));
  }
  const char* file = sqlite3_db_filename(db, "main");
  throw gw::FileError(sqlite3_errmsg(db), cause, file != nullptr ? file : "");
}

namespace {

// True when the text holds nothing but blanks, line ends and semicolons.
bool only_separators(const char* tail) {
  for (; *tail != '\0'; ++tail)
    if (*tail != ' ' && *tail != '\t' && *tail != '\r' && *tail != '\n' && *tail != ';') return false;
  return true;
}

}  // namespace

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
  const char* tail = nullptr;
  if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, &tail) != SQLITE_OK) fail(db);
  if (stmt_ == nullptr) throw gw::Error("The SQL text holds no statement.");
  // The tail points into the caller's text, which need not end in a zero byte.
  std::string rest(tail, sql.data() + sql.size());
  if (!only_separators(rest.c_str())) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    throw gw::Error("Only one SQL statement may be run at a time.");
  }
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

void Statement::bind(const std::vector<Value>& params) {
  const int expected = sqlite3_bind_parameter_count(stmt_);
  if (expected != static_cast<int>(params.size()))
    throw gw::Error("The statement takes " + std::to_string(expected) + " values but " +
                    std::to_string(params.size()) + " were given.");
  for (int i = 0; i < expected; ++i) {
    const Value& v = params[static_cast<std::size_t>(i)];
    int rc = SQLITE_OK;
    switch (v.kind()) {
      case Value::Kind::null:
        rc = sqlite3_bind_null(stmt_, i + 1);
        break;
      case Value::Kind::integer:
        rc = sqlite3_bind_int64(stmt_, i + 1, v.integer());
        break;
      case Value::Kind::real:
        rc = sqlite3_bind_double(stmt_, i + 1, v.real());
        break;
      case Value::Kind::text: {
        const std::string t = v.text();
        rc = sqlite3_bind_text(stmt_, i + 1, t.data(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
        break;
      }
    }
    if (rc != SQLITE_OK) fail(db_);
  }
}

bool Statement::step() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  fail(db_);
}

int Statement::column_count() const { return sqlite3_column_count(stmt_); }

std::string Statement::column_name(int i) const {
  const char* name = sqlite3_column_name(stmt_, i);
  return name != nullptr ? name : "";
}

Value Statement::column(int i) const {
  switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_INTEGER:
      return Value(static_cast<long long>(sqlite3_column_int64(stmt_, i)));
    case SQLITE_FLOAT:
      return Value(sqlite3_column_double(stmt_, i));
    case SQLITE_NULL:
      return Value();
    case SQLITE_TEXT: {
      const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
      const int n = sqlite3_column_bytes(stmt_, i);
      return Value(std::string(p != nullptr ? p : "", static_cast<std::size_t>(n)));
    }
    default: {
      // A blob reads as its bytes.
      const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt_, i));
      const int n = sqlite3_column_bytes(stmt_, i);
      return Value(std::string(p != nullptr ? p : "", static_cast<std::size_t>(n)));
    }
  }
}

}  // namespace gw::db::detail
