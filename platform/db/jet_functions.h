// SQL functions that the program's statements use beyond the engine's own.
#pragma once

struct sqlite3;

namespace gw::db::detail {

// Registers CDBL(x): a number, or a text that reads wholly as a number, as a real; NULL stays
// NULL; any other text fails the statement with "Type mismatch".
void register_jet_functions(sqlite3* db);

}  // namespace gw::db::detail
