// Scour hole dimensions from the outlet flow, by the empirical power laws of each bed kind.
#include "outlet/scour_hole.h"

#include <algorithm>
#include <cmath>

#include "platform/error/error.h"
#include "platform/math/checked.h"
#include "platform/math/pi.h"
#include "platform/text/parse.h"

namespace gw::outlet {

namespace {

using math::checked;
using math::checked_div;
using math::checked_pow;

constexpr double kTimeBase = 0.0949;
constexpr double kLocationShare = 0.4;

struct Coefficients {
  double alpha, beta, theta;
};

constexpr Coefficients kCohesionless[3] = {{2.27, 0.39, 0.06}, {6.94, 0.53, 0.08}, {17.1, 0.47, 0.10}};
constexpr Coefficients kClay[3] = {{0.86, 0.18, 0.10}, {3.55, 0.17, 0.07}, {2.82, 0.33, 0.09}};

ScourHole hole_of(const double (&dims)[3]) {
  ScourHole h;
  h.depth = dims[0];
  h.width = dims[1];
  h.length = dims[2];
  h.location = checked(h.length * kLocationShare);
  return h;
}

}  // namespace

std::optional<std::string> plasticity_index_in_range(std::string_view text) {
  if (text.empty()) return std::string("5.0");
  const std::optional<double> pi = text::try_number(text);
  if (!pi) return std::nullopt;
  if (*pi < kMinPlasticityIndex) return std::string("5.0");
  if (*pi > kMaxPlasticityIndex) return std::string("16.0");
  return std::nullopt;
}

ScourHole cohesionless_scour_hole(const ScourFlow& flow, double gravity, double d16, double d84) {
  if (!(d16 < d84)) throw Error("D84 should be > D16");
  const double sigma = checked_div(d84, d16);
  // Q, A, g and Rc are all in the project's units: X is the same number in either system.
  const double x = checked_div(flow.discharge, flow.area * checked_pow(gravity * flow.hydraulic_radius, 0.5));
  const double spread = checked_pow(sigma, 1.0 / 3.0);
  double dims[3];
  for (int i = 0; i < 3; ++i) {
    const Coefficients& k = kCohesionless[i];
    dims[i] = checked(checked_div(k.alpha, spread) * checked_pow(x, k.beta) *
                      checked_pow(kTimeBase, k.theta) * flow.hydraulic_radius);
  }
  return hole_of(dims);
}

ScourHole clay_scour_hole(const ScourFlow& flow, double plasticity_index, double to_feet) {
  const double pi = std::clamp(plasticity_index, kMinPlasticityIndex, kMaxPlasticityIndex);
  const double shear = checked(0.042 * std::tan(checked((30 + 1.73 * pi) * kPi / 180)));
  // The outlet velocity in ft/s.
  const double velocity_fps = checked(checked_div(flow.discharge, flow.area) * to_feet);
  const double y = checked_div(checked(velocity_fps * 1.94), shear);
  double dims[3];
  for (int i = 0; i < 3; ++i) {
    const Coefficients& k = kClay[i];
    dims[i] =
        checked((k.alpha * checked_pow(y, k.beta)) * checked_pow(kTimeBase, k.theta) * flow.hydraulic_radius);
  }
  return hole_of(dims);
}

}  // namespace gw::outlet
