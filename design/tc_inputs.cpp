// Joining and splitting the stored comma lists of the time-of-concentration calculator.
#include "design/tc_inputs.h"

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
  for (std::size_t i = text_field + surplus + 1; i < pieces.size(); ++i) fields.push_back(std::move(pieces[i]));
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
    auto number = text::try_number(piece);
    values.push_back(number && *number != 0 ? 1 : 0);
  }
  return values;
}

}  // namespace gw::design::tc_inputs
