// Decimal digits of binary floating-point values and rounding on those digits.
#include "platform/text/decimal_digits.h"

#include <charconv>
#include <cstdlib>
#include <string>
#include <string_view>
#include <system_error>

namespace gw::text {

namespace {

// Splits the output of to_chars(scientific) ("-d.ddde+XX") into digits and exponent.
DecimalDigits from_scientific(std::string_view text) {
  DecimalDigits d;
  if (!text.empty() && text.front() == '-') {
    d.negative = true;
    text.remove_prefix(1);
  }
  const auto e = text.find('e');
  const std::string_view mantissa = text.substr(0, e);
  for (char c : mantissa) {
    if (c != '.') d.digits.push_back(c);
  }
  int exponent = 0;
  std::string_view exp_text = text.substr(e + 1);
  if (!exp_text.empty() && exp_text.front() == '+') exp_text.remove_prefix(1);
  std::from_chars(exp_text.data(), exp_text.data() + exp_text.size(), exponent);
  d.exponent = exponent;

  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) {  // zero, of either sign
    d.negative = false;
    d.exponent = 0;
  }
  return d;
}

template <typename T>
DecimalDigits digits_of(T v, int significant) {
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, significant - 1);
  return from_scientific(std::string_view(buf, static_cast<std::size_t>(res.ptr - buf)));
}

// Adds one unit in the last place of a decimal digit string.
void increment(std::string& s) {
  for (auto i = s.size(); i-- > 0;) {
    if (s[i] == '9') {
      s[i] = '0';
    } else {
      ++s[i];
      return;
    }
  }
  s.insert(s.begin(), '1');
}

}  // namespace

DecimalDigits decimal_digits(double v, int significant) {
  DecimalDigits d = digits_of(v, significant);
  // Near the largest double the nearest shorter decimal can lie beyond it ("1.79769313486232E+308"),
  // a text no reader takes back: such a value is cut toward zero in its last digit instead.
  if (!d.digits.empty() && d.exponent >= 308) {
    const std::string text =
        d.digits.substr(0, 1) + "." + d.digits.substr(1) + "e" + std::to_string(d.exponent);
    double back = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), back);
    if (res.ec == std::errc::result_out_of_range) {
      --d.digits.back();  // digits end in a non-zero digit
      while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    }
  }
  return d;
}

DecimalDigits decimal_digits(float v, int significant) { return digits_of(v, significant); }

std::string scaled_integer(const DecimalDigits& d, int decimals, Tie tie) {
  if (d.digits.empty()) return "0";
  const long long len = static_cast<long long>(d.digits.size());
  // Number of significant digits at or above the last kept decimal place.
  const long long kept = static_cast<long long>(d.exponent) + decimals + 1;
  if (kept < 0) return "0";  // below half a unit of the last place

  std::string result;
  if (kept > 0) {
    result = d.digits.substr(0, static_cast<std::size_t>(kept < len ? kept : len));
    if (kept > len) result.append(static_cast<std::size_t>(kept - len), '0');
  }
  if (kept < len) {
    const char next = d.digits[static_cast<std::size_t>(kept)];
    const bool more = kept + 1 < len;  // digits carry no trailing zeros
    const char last = result.empty() ? '0' : result.back();
    bool up = false;
    if (tie == Tie::away_from_zero) {
      up = next >= '5';
    } else {
      up = next > '5' || (next == '5' && (more || (last - '0') % 2 == 1));
    }
    if (up) {
      if (result.empty()) result.assign(1, '0');
      increment(result);
    }
  }
  if (result.empty()) return "0";
  return result;
}

}  // namespace gw::text
