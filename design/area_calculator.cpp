// Drainage-area arithmetic of the land-use rows.
#include "design/area_calculator.h"

#include "platform/math/checked.h"
#include "platform/text/general.h"
#include "platform/text/parse.h"

namespace gw::design::area {

CRange parse_c_range(std::string_view caption) {
  const std::size_t dash = caption.find('-');
  const std::string_view low = caption.substr(0, dash);
  const std::string_view high =
      dash == std::string_view::npos ? std::string_view{} : caption.substr(dash + 1);
  return CRange{text::to_number(low), text::to_number(high)};
}

std::string bounded_c_text(std::string_view c_text, const CRange& range) {
  const auto c = text::try_number(c_text);
  if (!c || *c < range.low) return text::general(range.low);
  if (*c > range.high) return text::general(range.high);
  return std::string(c_text);
}

std::string trim_blanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

std::optional<double> row_product(std::string_view area_text, std::string_view c_text) {
  const auto a = text::try_number(area_text);
  const auto c = text::try_number(c_text);
  if (!a || !c) return std::nullopt;
  return math::checked(*c * *a);
}

Totals area_totals(const std::vector<std::string>& areas, const std::vector<std::string>& cs) {
  Totals t;
  for (std::size_t i = 0; i < areas.size(); ++i) {
    const auto a = text::try_number(trim_blanks(areas[i]));
    if (!a) continue;
    t.area = math::checked(t.area + *a);
    if (i < cs.size()) {
      if (auto product = row_product(trim_blanks(areas[i]), cs[i])) t.ca = math::checked(t.ca + *product);
    }
  }
  return t;
}

std::optional<UnreadableField> first_unreadable_field(const std::vector<std::string>& areas,
                                                      const std::vector<std::string>& cs) {
  for (std::size_t i = 0; i < areas.size(); ++i) {
    const std::string area = trim_blanks(areas[i]);
    if (area.empty() || area == ".") continue;
    if (!text::try_number(area)) {
      if (text::beyond_double_range(area)) return UnreadableField{i, true};
      continue;  // the rest of a longer stored list: kept, adds nothing
    }
    const std::string c = i < cs.size() ? cs[i] : std::string();
    if (!text::try_number(c) && (c.empty() || c == "." || text::beyond_double_range(c)))
      return UnreadableField{i, false};
  }
  return std::nullopt;
}

std::string join_rows(const std::vector<std::string>& texts) {
  std::string out;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) out += ',';
    out += texts[i];
  }
  return out;
}

std::vector<std::string> split_rows(std::string_view text, std::size_t rows) {
  std::vector<std::string> parts;
  if (text.empty() || rows == 0) return parts;
  std::size_t start = 0;
  while (parts.size() + 1 < rows) {
    const std::size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) break;
    parts.emplace_back(text.substr(start, comma - start));
    start = comma + 1;
  }
  parts.emplace_back(text.substr(start));
  return parts;
}

}  // namespace gw::design::area
