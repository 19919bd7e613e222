// Writing numbers with fixed patterns, rounding halves away from zero on the decimal text.
#include "platform/text/format.h"

#include <cmath>

#include "platform/error/error.h"
#include "platform/text/decimal_digits.h"
#include "platform/text/general.h"
#include "platform/text/parse.h"

namespace gw::text {

namespace {

struct Pattern {
  int min_integer_digits = 0;  // '0's before the point
  bool grouped = false;        // thousands separators
  bool point = false;          // the pattern has a decimal point
  int min_decimals = 0;        // decimals always written
  int max_decimals = 0;        // decimals written at most
};

Pattern parse_pattern(std::string_view pattern) {
  auto unsupported = [&]() { return Error("Unsupported number pattern \"" + std::string(pattern) + "\""); };
  Pattern p;
  std::size_t i = 0;
  for (; i < pattern.size() && pattern[i] != '.'; ++i) {
    const char c = pattern[i];
    if (c == '0') {
      ++p.min_integer_digits;
    } else if (c == ',') {
      // A comma right before the point or at the end would mean scaling, not grouping.
      if (i + 1 == pattern.size() || pattern[i + 1] == '.') throw unsupported();
      p.grouped = true;
    } else if (c != '#') {
      throw unsupported();
    }
  }
  if (i < pattern.size()) {
    p.point = true;
    for (++i; i < pattern.size(); ++i) {
      const char c = pattern[i];
      if (c != '0' && c != '#') throw unsupported();
      ++p.max_decimals;
      if (c == '0') p.min_decimals = p.max_decimals;
    }
  }
  return p;
}

}  // namespace

std::string format(double v, std::string_view pattern) {
  if (!std::isfinite(v)) throw Error(runtime_message::overflow);
  if (pattern.empty()) return general(v);
  const Pattern p = parse_pattern(pattern);

  const DecimalDigits d = decimal_digits(v, 15);
  const std::string scaled = scaled_integer(d, p.max_decimals, Tie::away_from_zero);

  // Split round(|v| * 10^n) into integer digits and n decimals.
  const auto n = static_cast<std::size_t>(p.max_decimals);
  std::string integer = scaled.size() > n ? scaled.substr(0, scaled.size() - n) : "";
  std::string decimals =
      scaled.size() > n ? scaled.substr(scaled.size() - n) : std::string(n - scaled.size(), '0') + scaled;
  if (integer == "0") integer.clear();
  if (integer.size() < static_cast<std::size_t>(p.min_integer_digits)) {
    integer.insert(0, static_cast<std::size_t>(p.min_integer_digits) - integer.size(), '0');
  }
  while (decimals.size() > static_cast<std::size_t>(p.min_decimals) && decimals.back() == '0') {
    decimals.pop_back();
  }
  if (p.grouped) {
    for (auto pos = integer.size(); pos > 3;) {
      pos -= 3;
      integer.insert(pos, 1, ',');
    }
  }

  std::string out = v < 0 ? "-" : "";
  out += integer;
  if (p.point) {
    out += '.';
    out += decimals;
  }
  return out;
}

std::string format_text(std::string_view text, std::string_view pattern) {
  const auto number = try_number(text);
  if (!number) return std::string(text);
  return format(*number, pattern);
}

}  // namespace gw::text
