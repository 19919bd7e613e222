// Comparing texts without regard to letter case, as the database's NOCASE collation does
// (ASCII letters only, so the result never depends on the locale).
#pragma once

#include <string_view>

namespace gw::text {

inline char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline bool iequals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
  return true;
}

// Whether `needle` stands anywhere in `hay`, letter case aside.
inline bool icontains(std::string_view hay, std::string_view needle) {
  if (needle.size() > hay.size()) return false;
  for (std::size_t i = 0; i + needle.size() <= hay.size(); ++i)
    if (iequals(hay.substr(i, needle.size()), needle)) return true;
  return false;
}

}  // namespace gw::text
