// Joining and splitting the stored comma lists of the time-of-concentration calculator.
#include "design/tc_inputs.h"

#include <optional>

#include "platform/text/parse.h"

namespace gw::design::tc_inputs {

namespace {

std::vector<std::string> split_all(std::string_view text) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (;;) {
    std::size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) {
      pieces.emplace_back(text.substr(start));
      return pieces;
    }
    pieces.emplace_back(text.substr(start, comma - start));
    start = comma + 1;
  }
}

}  // namespace

std::string join_fields(const std::vector<std::string>& fields) {
  std::string out;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += ',';
    out += fields[i];
  }
  return out;
}

std::vector<std::string> split_fields(std::string_view text, std::size_t count, std::size_t text_field) {
  std::vector<std::string> pieces = split_all(text);
  if (pieces.size() <= count || text_field >= count) return pieces;
  const std::size_t surplus = pieces.size() - count;
  std::vector<std::string> fields(pieces.begin(), pieces.begin() + static_cast<std::ptrdiff_t>(text_field));
  std::string joined = pieces[text_field];
  for (std::size_t k = 1; k <= surplus; ++k) joined += "," + pieces[text_field + k];
  fields.push_back(std::move(joined));
  for (std::size_t i = text_field + surplus + 1; i < pieces.size(); ++i)
    fields.push_back(std::move(pieces[i]));
  return fields;
}

std::vector<std::string> split_second_list(std::string_view text, std::string_view known_surface) {
  std::vector<std::string> pieces = split_all(text);
  const std::size_t count = kSecondListFields;
  if (pieces.size() <= count) return pieces;
  const std::size_t surplus = pieces.size() - count;
  // Fields between the two texts, and after the surface type, in field numbers.
  const std::size_t between = kSurfaceTypeField - kSoilTypeField - 1;
  auto join = [&](std::size_t from, std::size_t to) {  // pieces from..to, inclusive
    std::string s = pieces[from];
    for (std::size_t i = from + 1; i <= to; ++i) s += "," + pieces[i];
    return s;
  };
  auto number_or_empty = [](const std::string& piece) { return piece.empty() || text::is_numeric(piece); };
  // soil takes `a` of the surplus pieces, the surface type the rest.
  auto fits = [&](std::size_t a) {
    for (std::size_t i = 0; i < between; ++i)
      if (!number_or_empty(pieces[kSoilTypeField + a + 1 + i])) return false;
    return true;
  };
  std::optional<std::size_t> chosen;
  for (std::size_t a = 0; a <= surplus && !chosen; ++a) {
    const std::size_t first = kSurfaceTypeField + a;
    if (fits(a) && join(first, first + surplus - a) == known_surface) chosen = a;
  }
  for (std::size_t a = surplus + 1; a-- > 0 && !chosen;)
    if (fits(a)) chosen = a;
  const std::size_t a = chosen.value_or(surplus);
  std::vector<std::string> fields(pieces.begin(),
                                  pieces.begin() + static_cast<std::ptrdiff_t>(kSoilTypeField));
  fields.push_back(join(kSoilTypeField, kSoilTypeField + a));
  for (std::size_t i = 0; i < between; ++i) fields.push_back(pieces[kSoilTypeField + a + 1 + i]);
  const std::size_t first = kSurfaceTypeField + a;
  fields.push_back(join(first, first + surplus - a));
  for (std::size_t i = first + surplus - a + 1; i < pieces.size(); ++i) fields.push_back(pieces[i]);
  return fields;
}

std::string encode_switches(const std::array<int, kSwitchFields>& values) {
  std::vector<std::string> fields;
  for (int v : values) fields.emplace_back(v != 0 ? "1" : "0");
  return join_fields(fields);
}

std::vector<int> decode_switches(std::string_view text) {
  std::vector<int> values;
  for (const std::string& piece : split_all(text)) {
    if (values.size() == kSwitchFields) break;
    values.push_back(piece == "1" ? 1 : 0);
  }
  return values;
}

}  // namespace gw::design::tc_inputs
