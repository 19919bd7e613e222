// Checked arithmetic that raises the run-time failures instead of writing inf or nan.
#include "platform/math/checked.h"

#include <cfloat>
#include <cmath>

#include "platform/error/error.h"

namespace gw::math {

double checked(double v, const char* what) {
  if (!std::isfinite(v)) throw Error(what);
  return v;
}

double checked_div(double a, double b) {
  if (b == 0) {
    throw Error(a == 0 ? runtime_message::overflow : runtime_message::division_by_zero);
  }
  return checked(a / b, runtime_message::overflow);
}

double checked_pow(double base, double exponent) {
  if (base < 0 && exponent != std::trunc(exponent)) throw Error(runtime_message::invalid_call);
  if (base == 0 && exponent < 0) throw Error(runtime_message::division_by_zero);
  return checked(std::pow(base, exponent), runtime_message::overflow);
}

double checked_sqrt(double v) {
  if (v < 0) throw Error(runtime_message::invalid_call);
  return checked(std::sqrt(v), runtime_message::overflow);
}

double checked_log(double v) {
  if (!(v > 0)) throw Error(runtime_message::invalid_call);
  return checked(std::log(v), runtime_message::overflow);
}

float to_single(double v) {
  if (!std::isfinite(v) || std::fabs(v) > static_cast<double>(FLT_MAX)) {
    throw Error(runtime_message::overflow);
  }
  return static_cast<float>(v);
}

}  // namespace gw::math
