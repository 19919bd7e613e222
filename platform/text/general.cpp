// General number-to-text conversion of double- and single-precision values.
#include "platform/text/general.h"

#include <cmath>
#include <cstdlib>

#include "platform/error/error.h"
#include "platform/text/decimal_digits.h"

namespace gw::text {

namespace {

// Writes decimal digits in plain form when the exponent lies in [-4, precision), else as
// mantissa "E" sign and at least two exponent digits.
std::string write_general(const DecimalDigits& d, int precision) {
  if (d.digits.empty()) return "0";
  std::string out = d.negative ? "-" : "";
  const int e = d.exponent;
  const std::string& s = d.digits;
  if (e >= precision || e < -4) {
    out += s[0];
    if (s.size() > 1) {
      out += '.';
      out.append(s, 1);
    }
    out += e < 0 ? "E-" : "E+";
    const std::string exp = std::to_string(std::abs(e));
    if (exp.size() < 2) out += '0';
    out += exp;
  } else if (e >= 0) {
    const auto int_len = static_cast<std::size_t>(e) + 1;
    if (s.size() <= int_len) {
      out += s;
      out.append(int_len - s.size(), '0');
    } else {
      out.append(s, 0, int_len);
      out += '.';
      out.append(s, int_len);
    }
  } else {
    out += "0.";
    out.append(static_cast<std::size_t>(-e - 1), '0');
    out += s;
  }
  return out;
}

}  // namespace

std::string general(double v) {
  if (!std::isfinite(v)) throw Error(runtime_message::overflow);
  return write_general(decimal_digits(v, 15), 15);
}

std::string general_single(float v) {
  if (!std::isfinite(v)) throw Error(runtime_message::overflow);
  return write_general(decimal_digits(v, 7), 7);
}

}  // namespace gw::text
