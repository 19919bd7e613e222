// What a spreadsheet makes of a text typed into a cell.
#include "platform/workbook/typed_entry.h"

#include <cctype>
#include <cmath>
#include <string>

#include "platform/text/parse.h"

namespace gw::wb {

namespace {

// "1,234,567.5" without its separators, when they stand in groups of three in the whole
// part; no value when a separator is misplaced.
std::optional<std::string> without_thousands(std::string_view t) {
  size_t start = 0;
  while (start < t.size() && (t[start] == ' ' || t[start] == '\t')) ++start;
  size_t first_digit = start;
  if (first_digit < t.size() && (t[first_digit] == '+' || t[first_digit] == '-')) ++first_digit;
  size_t whole_end = first_digit;
  while (whole_end < t.size() &&
         (std::isdigit(static_cast<unsigned char>(t[whole_end])) || t[whole_end] == ','))
    ++whole_end;
  std::string_view whole = t.substr(first_digit, whole_end - first_digit);
  if (whole.empty() || whole.front() == ',' || whole.back() == ',') return std::nullopt;
  size_t first_comma = whole.find(',');
  if (first_comma > 3 || (whole.size() - first_comma) % 4 != 0) return std::nullopt;
  for (size_t i = first_comma; i < whole.size(); i += 4) {
    if (whole[i] != ',') return std::nullopt;
    for (size_t k = 1; k <= 3; ++k)
      if (whole[i + k] == ',') return std::nullopt;
  }
  std::string out(t.substr(0, first_digit));
  for (char c : whole)
    if (c != ',') out += c;
  out.append(t.substr(whole_end));
  return out;
}

}  // namespace

std::optional<double> typed_number(std::string_view text) {
  std::optional<double> v = text::try_number(text);
  if (!v && text.find(',') != std::string_view::npos) {
    if (auto plain = without_thousands(text)) v = text::try_number(*plain);
  }
  if (v && !std::isfinite(*v)) return std::nullopt;
  return v;
}

}  // namespace gw::wb
