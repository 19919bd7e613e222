// A query's records read once as texts, for a read-only grid of many records.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/db/connection.h"

namespace gw::db {

// Every record of a query, each field as the text a recordset's field() gives (NULL as the
// empty text), with the query's column names. For a plain query over one table with row ids
// each record's row id comes along (rowids has one entry per record); otherwise rowids is
// empty. Holds one copy of the records: no values kept besides the texts.
struct TextTable {
  std::vector<std::string> names;
  std::vector<std::vector<std::string>> rows;
  std::vector<long long> rowids;
};

// Runs the query; raises gw::Error with the engine's description when it fails.
TextTable read_text_table(Connection& connection, const std::string& sql);

// Runs the query and hands each record's fields, as texts (NULL as the empty text), to `take`
// one record at a time, keeping none: for a reader that keeps only what it makes of them (it
// may move the texts out). Raises gw::Error as read_text_table does.
void read_text_rows(Connection& connection, const std::string& sql,
                    const std::function<void(std::vector<std::string>& fields)>& take);

// The first column of every record of a query, as texts (NULL as the empty text): for a list
// that shows one value per record. Raises gw::Error as read_text_table does.
std::vector<std::string> read_text_column(Connection& connection, const std::string& sql);

}  // namespace gw::db
