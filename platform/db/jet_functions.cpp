// The CDBL conversion function for the program's SQL statements.
#include "platform/db/jet_functions.h"

#include <sqlite3.h>

#include <optional>
#include <string_view>

#include "platform/db/statement.h"
#include "platform/error/error.h"
#include "platform/text/parse.h"

namespace gw::db::detail {

namespace {

void cdbl(sqlite3_context* ctx, int /*argc*/, sqlite3_value** argv) {
  sqlite3_value* v = argv[0];
  switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
      sqlite3_result_null(ctx);
      return;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
      sqlite3_result_double(ctx, sqlite3_value_double(v));
      return;
    default: {
      const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
      const std::string_view text(p != nullptr ? p : "", static_cast<std::size_t>(sqlite3_value_bytes(v)));
      const std::optional<double> number = gw::text::try_number(text);
      if (!number) {
        sqlite3_result_error(ctx, gw::runtime_message::type_mismatch, -1);
        return;
      }
      sqlite3_result_double(ctx, *number);
      return;
    }
  }
}

}  // namespace

void register_jet_functions(sqlite3* db) {
  const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
  if (sqlite3_create_function_v2(db, "CDBL", 1, flags, nullptr, cdbl, nullptr, nullptr, nullptr) != SQLITE_OK)
    fail(db);
}

}  // namespace gw::db::detail
