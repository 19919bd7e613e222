// Recognising a plain query over one table, the kind of query whose records may be edited.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace gw::db::detail {

// For "SELECT <columns> FROM <table> [[AS] alias] [WHERE ...] [ORDER BY ...] [LIMIT ...]" with
// no subquery, join, grouping, DISTINCT or compound part: the offset just after the keyword
// SELECT, where a hidden column can be put in. Otherwise no value.
std::optional<std::size_t> single_table_query(std::string_view sql);

}  // namespace gw::db::detail
