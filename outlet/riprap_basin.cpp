// Riprap basin design from the outlet's equivalent depth, Froude number, tailwater and stone size.
#include "outlet/riprap_basin.h"

#include <string>

#include "outlet/design_refusal.h"
#include "platform/math/checked.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"

namespace gw::outlet {

namespace {

using math::checked;
using math::checked_div;
using math::checked_pow;

struct RiprapClass {
  const char* name;
  double d50_feet;
};

constexpr RiprapClass kClasses[] = {{"Class A1", 0.8},  {"Class I", 1.1}, {"Class II", 1.6},
                                    {"Class III", 2.2}, {"Type I", 2.8},  {"Type II", 4.5}};

// Tailwater coefficient C0 of the pool depth, continuous at r = 0.75 and r = 1.
double tailwater_coefficient(double r) {
  if (r < 0.75) return 1.4;
  if (r < 1.0) return checked(4 * r - 1.6);
  return 2.4;
}

}  // namespace

std::optional<double> riprap_class_d50_feet(std::string_view riprap_class) {
  for (const RiprapClass& c : kClasses)
    if (riprap_class == c.name) return c.d50_feet;
  return std::nullopt;
}

bool riprap_basin_refuses(double froude) { return text::to_number(text::format(froude, "0.00")) > 3.0; }

RiprapBasin design_riprap_basin(const RiprapBasinInput& in) {
  if (riprap_basin_refuses(in.froude)) throw DesignRefused(kRiprapBasinRefusal);
  const double r = checked_div(in.tailwater, in.dE);
  const double c0 = tailwater_coefficient(r);

  RiprapBasin b;
  b.d50 = in.d50;
  const double x = checked(0.86 * checked_pow(checked_div(in.d50, in.dE), -0.55) * in.froude - c0);
  b.pool_depth = x < 0 ? 0.0 : checked(x * in.dE);

  b.pool_length = checked(10 * b.pool_depth);
  if (b.pool_length < 3 * in.width) b.pool_length = checked(3 * in.width);
  b.basin_length = checked(15 * b.pool_depth);
  if (b.basin_length < 4 * in.width) b.basin_length = checked(4 * in.width);
  b.apron_length = checked(b.basin_length - b.pool_length);

  b.apron_thickness = checked(3 * in.d50);
  b.basin_thickness = checked(2 * in.d50);

  b.exit_width = checked(in.width + 0.6667 * b.basin_length);
  const double q2 = checked(in.discharge * in.discharge);
  b.exit_depth =
      checked_pow(checked_div(q2, checked(in.gravity * checked(b.exit_width * b.exit_width))), 0.33333);
  b.exit_velocity =
      checked_div(in.discharge, checked(b.exit_depth * checked(b.exit_width + 2 * b.exit_depth)));
  return b;
}

}  // namespace gw::outlet
