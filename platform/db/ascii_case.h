// Comparing names and texts without regard to case, as the database's NOCASE collation does
// (ASCII letters only).
#pragma once

#include <string>
#include <string_view>

namespace gw::db::detail {

inline char ascii_lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool iequals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
    return true;
}

}  // namespace gw::db::detail
