// A query's records read once as texts.
#include "platform/db/text_table.h"

#include <sqlite3.h>

#include <optional>

#include "platform/db/session.h"
#include "platform/db/single_table_query.h"
#include "platform/db/statement.h"
#include "platform/error/error.h"

namespace gw::db {

TextTable read_text_table(Connection& connection, const std::string& sql) {
  if (!connection.is_open()) throw gw::Error("The connection is not open.");
  sqlite3* db = connection.session()->handle();
  detail::Statement query(db, sql);
  const int n = query.column_count();
  TextTable table;
  for (int i = 0; i < n; ++i) table.names.push_back(query.column_name(i));

  // Over one table the row id rides along as a hidden first column, as in a recordset.
  std::optional<detail::Statement> with_rowid;
  if (const auto insert_at = detail::single_table_query(sql); insert_at && n > 0) {
    try {
      with_rowid.emplace(db, sql.substr(0, *insert_at) + " _rowid_," + sql.substr(*insert_at));
      if (with_rowid->column_count() != n + 1) with_rowid.reset();
    } catch (const gw::Error&) {
      with_rowid.reset();  // a table without row ids
    }
  }
  detail::Statement& run = with_rowid ? *with_rowid : query;
  const int first = with_rowid ? 1 : 0;
  while (run.step()) {
    sqlite3_stmt* st = run.get();
    if (with_rowid) table.rowids.push_back(sqlite3_column_int64(st, 0));
    std::vector<std::string> row;
    row.reserve(static_cast<std::size_t>(n));
    for (int i = first; i < first + n; ++i) {
      if (sqlite3_column_type(st, i) == SQLITE_TEXT) {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
        row.emplace_back(p != nullptr ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(st, i)));
      } else {
        row.push_back(run.column(i).text());
      }
    }
    table.rows.push_back(std::move(row));
  }
  return table;
}

void read_text_rows(Connection& connection, const std::string& sql,
                    const std::function<void(std::vector<std::string>& fields)>& take) {
  if (!connection.is_open()) throw gw::Error("The connection is not open.");
  detail::Statement query(connection.session()->handle(), sql);
  const int n = query.column_count();
  std::vector<std::string> fields(static_cast<std::size_t>(n));
  while (query.step()) {
    sqlite3_stmt* st = query.get();
    for (int i = 0; i < n; ++i) {
      std::string& f = fields[static_cast<std::size_t>(i)];
      if (sqlite3_column_type(st, i) == SQLITE_TEXT) {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
        f.assign(p != nullptr ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(st, i)));
      } else {
        f = query.column(i).text();
      }
    }
    take(fields);
  }
}

std::vector<std::string> read_text_column(Connection& connection, const std::string& sql) {
  if (!connection.is_open()) throw gw::Error("The connection is not open.");
  detail::Statement query(connection.session()->handle(), sql);
  if (query.column_count() < 1) throw gw::Error("The query gives no column.");
  std::vector<std::string> column;
  while (query.step()) {
    sqlite3_stmt* st = query.get();
    if (sqlite3_column_type(st, 0) == SQLITE_TEXT) {
      const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
      column.emplace_back(p != nullptr ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(st, 0)));
    } else {
      column.push_back(query.column(0).text());
    }
  }
  return column;
}

}  // namespace gw::db
