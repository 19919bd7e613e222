// Reading numbers from texts without regard to the C locale.
#include "platform/text/parse.h"

#include <charconv>
#include <string>

#include "platform/error/error.h"

namespace gw::text {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

enum class Status { ok, not_a_number, overflow };

// Converts a text already known to match [-]digits[.digits][e[+-]digits] (the mantissa having at
// least one digit, possibly with an empty side of the point). Underflow reads as zero.
Status convert(const std::string& clean, double& out) {
  const char* first = clean.data();
  const char* last = clean.data() + clean.size();
  const auto res = std::from_chars(first, last, out, std::chars_format::general);
  if (res.ec == std::errc() && res.ptr == last) return Status::ok;
  if (res.ec != std::errc::result_out_of_range) return Status::not_a_number;

  // Out of range: find the decimal exponent of the first non-zero digit to tell overflow from
  // underflow. The explicit exponent saturates so that a long exponent cannot overflow an int.
  const char* p = first;
  if (*p == '-') ++p;
  long long magnitude = 0;
  bool seen_point = false, seen_nonzero = false;
  long long int_digits = 0, leading_frac_zeros = 0;
  for (; p != last && *p != 'e' && *p != 'E'; ++p) {
    if (*p == '.') {
      seen_point = true;
    } else if (!seen_nonzero) {
      if (*p != '0') {
        seen_nonzero = true;
        if (!seen_point) ++int_digits;
      } else if (seen_point) {
        ++leading_frac_zeros;
      }
    } else if (!seen_point) {
      ++int_digits;
    }
  }
  long long exp = 0;
  if (p != last) {
    ++p;
    bool exp_negative = false;
    if (*p == '+' || *p == '-') exp_negative = *p++ == '-';
    for (; p != last; ++p) {
      if (exp < 1'000'000) exp = exp * 10 + (*p - '0');
    }
    if (exp_negative) exp = -exp;
  }
  magnitude = (int_digits > 0 ? int_digits - 1 : -(leading_frac_zeros + 1)) + exp;
  if (seen_nonzero && magnitude >= 0) return Status::overflow;
  out = 0.0;
  return Status::ok;
}

Status read_number(std::string_view text, double& out) {
  auto is_blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);

  std::string clean;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') clean += '-';
    ++i;
  }
  std::size_t mantissa_digits = 0;
  for (; i < text.size() && is_digit(text[i]); ++i, ++mantissa_digits) clean += text[i];
  if (i < text.size() && text[i] == '.') {
    clean += text[i++];
    for (; i < text.size() && is_digit(text[i]); ++i, ++mantissa_digits) clean += text[i];
  }
  if (mantissa_digits == 0) return Status::not_a_number;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    clean += text[i++];
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) clean += text[i++];
    std::size_t exp_digits = 0;
    for (; i < text.size() && is_digit(text[i]); ++i, ++exp_digits) clean += text[i];
    if (exp_digits == 0) return Status::not_a_number;
  }
  if (i != text.size()) return Status::not_a_number;
  const Status status = convert(clean, out);
  if (out == 0) out = 0.0;  // "-0" reads as plain zero
  return status;
}

}  // namespace

double to_number(std::string_view text) {
  double v = 0;
  switch (read_number(text, v)) {
    case Status::ok:
      return v;
    case Status::overflow:
      throw Error(runtime_message::overflow);
    case Status::not_a_number:
      break;
  }
  throw Error(runtime_message::type_mismatch);
}

std::optional<double> try_number(std::string_view text) {
  double v = 0;
  if (read_number(text, v) == Status::ok) return v;
  return std::nullopt;
}

bool is_numeric(std::string_view text) { return try_number(text).has_value(); }

bool beyond_double_range(std::string_view text) {
  double v = 0;
  return read_number(text, v) == Status::overflow;
}

double val(std::string_view text) {
  // Drop the characters the lenient reading ignores, then take the longest numeric prefix.
  std::string s;
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') s += c;
  }
  std::string clean;
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    if (s[i] == '-') clean += '-';
    ++i;
  }
  std::size_t mantissa_digits = 0;
  for (; i < s.size() && is_digit(s[i]); ++i, ++mantissa_digits) clean += s[i];
  if (i < s.size() && s[i] == '.') {
    clean += s[i++];
    for (; i < s.size() && is_digit(s[i]); ++i, ++mantissa_digits) clean += s[i];
  }
  if (mantissa_digits == 0) return 0.0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    std::string exp = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exp += s[j++];
    const std::size_t digits_start = j;
    for (; j < s.size() && is_digit(s[j]); ++j) exp += s[j];
    if (j > digits_start) clean += exp;  // an exponent without digits is not read
  }
  double v = 0;
  if (convert(clean, v) == Status::overflow) throw Error(runtime_message::overflow);
  return v == 0 ? 0.0 : v;
}

}  // namespace gw::text
