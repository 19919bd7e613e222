// Fuzz harness of the number layer: parsing, the general conversion, patterns and rounding.
// Every text either reads as a finite number or is refused with gw::Error; every finite
// value is written as text that reads back as the same value to 15 digits, never as zero.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/error/error.h"
#include "platform/text/format.h"
#include "platform/text/general.h"
#include "platform/text/parse.h"
#include "platform/text/round.h"

namespace {

using namespace gw::text;

void require(bool ok) {
  if (!ok) __builtin_trap();
}

// Close to 15 significant digits, and of the same sign; zero only for zero.
bool close(double got, double want) {
  if (!std::isfinite(got)) return false;
  if (want == 0) return got == 0;
  if (got == 0) return false;
  return std::fabs(got - want) <= std::fabs(want) * 1e-14;
}

const char* const kPatterns[] = {"0.000", "0.0000", "0.00", "0.0", "0.00000", "#0.0000", "#,##0.00", "0", ""};

void check_value(double v, int decimals) {
  if (!std::isfinite(v)) {
    try {
      general(v);
      require(false);
    } catch (const gw::Error&) {}
    return;
  }
  const std::string g = general(v);
  require(close(to_number(g), v));
  for (const char* p : kPatterns) {
    const std::string f = format(v, p);
    const std::optional<double> back = try_number(f.find(',') == std::string::npos ? f : std::string());
    if (f.find(',') == std::string::npos) require(back.has_value());
    require(format_text(g, p) == f);  // a value and its general text give the same pattern text
  }
  const double r = round_half_even(v, decimals);
  require(std::isfinite(r));
  // Rounding to at least as many decimals as the value shows keeps it.
  if (std::fabs(v) >= 1) require(close(r, v) || std::fabs(r - v) <= std::pow(10.0, -decimals));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const int decimals = size > 0 ? data[0] % 20 : 0;

  // The text as a field holds it.
  std::optional<double> v = try_number(text);
  require(v.has_value() == is_numeric(text));
  if (v) {
    require(std::isfinite(*v));
    require(to_number(text) == *v);
    check_value(*v, decimals);
  } else {
    try {
      to_number(text);
      require(false);
    } catch (const gw::Error&) {}
  }
  try {
    const double lenient = val(text);
    require(std::isfinite(lenient));
    check_value(lenient, decimals);
  } catch (const gw::Error&) {
    // a number beyond the double range at the start of the text
  }

  // The bytes as a double.
  if (size >= 8) {
    double raw = 0;
    std::memcpy(&raw, data, sizeof raw);
    check_value(raw, decimals);
  }
  return 0;
}
