// Numbers behind field texts: kept values and patterns that keep a number's own decimals.
#include "outlet/field_number.h"

#include <algorithm>

#include "platform/text/format.h"
#include "platform/text/parse.h"

namespace gw::outlet {

namespace {

// The most decimals a pattern is widened to: beyond them a double has no digits left to show.
constexpr int kMostDecimals = 15;

// The decimals a number text writes: those after its point, less its decimal exponent ("1.25"
// two, "1.5E-3" four, "12E2" none).
int decimals_written(std::string_view text) {
  const std::size_t e = text.find_first_of("eE");
  const std::string_view mantissa = text.substr(0, e);
  int decimals = 0;
  if (const std::size_t point = mantissa.find('.'); point != std::string_view::npos)
    for (std::size_t i = point + 1; i < mantissa.size() && mantissa[i] >= '0' && mantissa[i] <= '9'; ++i)
      ++decimals;
  if (e != std::string_view::npos)
    if (const std::optional<double> exponent = text::try_number(text.substr(e + 1)))
      decimals -= static_cast<int>(std::clamp(*exponent, -100.0, 100.0));
  return std::clamp(decimals, 0, kMostDecimals);
}

}  // namespace

std::string format_keeping_decimals(std::string_view text, std::string_view pattern) {
  const std::optional<double> v = text::try_number(text);
  if (!v) return std::string(text);
  const std::size_t point = pattern.find('.');
  const int pattern_decimals =
      point == std::string_view::npos ? 0 : static_cast<int>(pattern.size() - point - 1);
  const int own = decimals_written(text);
  if (own <= pattern_decimals) return text::format(*v, pattern);
  // The pattern's integer part with as many decimals, all written, as the text has.
  const std::string widened = std::string(pattern.substr(0, point)) + "." + std::string(own, '0');
  return text::format(*v, widened);
}

void ShownNumber::show(ui::Control& field, double v, std::string_view pattern) {
  text_ = text::format(v, pattern);
  value_ = v;
  field.set_text(text_);
}

void ShownNumber::forget() {
  value_.reset();
  text_.clear();
}

std::optional<double> ShownNumber::value(const ui::Control& field) const {
  if (value_ && field.text() == text_) return value_;
  return text::try_number(field.text());
}

}  // namespace gw::outlet
