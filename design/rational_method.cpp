// The rational method of the pipe network: intensity, arrival times, accumulation and design discharge.
#include "design/rational_method.h"

#include "platform/math/checked.h"
#include "platform/text/round.h"
#include "platform/units/units.h"

namespace gw::design::rational {

using math::checked;
using math::checked_div;

namespace {

// Decimals of the time ratios.
constexpr int kRatioDecimals = 3;

}  // namespace

double rainfall_intensity(const IdfCoefficients& c, double tc_minutes, bool metric) {
  double i = c.legacy ? checked_div(c.a, checked(tc_minutes + c.b))
                      : checked_div(c.b, math::checked_pow(checked(tc_minutes + c.d), c.e));
  if (metric) i = checked(i * kMillimetresPerInch);
  return i;
}

double arrival_time(double tc_minutes, double flow_time_seconds) {
  return checked(tc_minutes + flow_time_seconds / 60.0);
}

std::optional<std::string> frequency_factor_text(std::string_view storm_frequency) {
  if (storm_frequency == "2" || storm_frequency == "5" || storm_frequency == "10") return "1.0";
  if (storm_frequency == "25") return "1.1";
  if (storm_frequency == "50") return "1.2";
  if (storm_frequency == "100") return "1.25";
  return std::nullopt;
}

double accumulated_tc(double structure_tc, const std::array<double, 4>& arrival_times) {
  // The latest arrival, by strict comparisons from the first slot; equal times give the
  // same value whichever is taken.
  double latest = arrival_times[0];
  for (double t : arrival_times)
    if (t > latest) latest = t;
  return structure_tc < latest ? latest : structure_tc;
}

double accumulated_ca(double structure_ca, const std::array<double, 4>& upstream_ca, bool legacy) {
  double sum = structure_ca;
  const int slots = legacy ? 3 : 4;
  for (int n = 0; n < slots; ++n) sum = checked(sum + upstream_ca[static_cast<size_t>(n)]);
  return sum;
}

double structure_time_ratio(double structure_tc, double accumulated_tc, double cf) {
  return text::round_half_even(checked(checked_div(structure_tc, accumulated_tc) * cf), kRatioDecimals);
}

double arrival_time_ratio(double tc_minutes, double flow_time_seconds, double cf, double accumulated_tc) {
  double scaled = checked(arrival_time(tc_minutes, flow_time_seconds) * cf);
  return text::round_half_even(checked_div(scaled, accumulated_tc), kRatioDecimals);
}

double design_discharge(const DischargeInputs& in) {
  const double k = in.divisor;
  const double cf = in.cf;
  const double q_lat = in.lateral_discharge;

  // Own flow of the pipe at the governing Tc.
  double q = checked(checked_div(in.accumulated_ca * in.pipe_intensity * cf, k) + q_lat);

  // The structure's own branch, at the structure's intensity.
  const double structure_branch =
      checked(q_lat + checked_div(in.structure_ca * in.structure_intensity * cf, k));

  // Phase 1: the largest single branch.
  double best = structure_branch;
  for (const UpstreamSlot& s : in.upstream) {
    double branch = checked(q_lat + s.discharge);
    if (branch > best) best = branch;
  }
  if (q < best) q = best;

  // Phase 2: the peak at each inflow time. At the structure's time every upstream area
  // contributes at the structure's intensity, scaled by the structure's time ratio.
  const double r_s = structure_time_ratio(in.structure_tc, in.accumulated_tc, cf);
  std::array<double, 4> r{};
  for (size_t n = 0; n < 4; ++n)
    r[n] = arrival_time_ratio(in.upstream[n].tc, in.upstream[n].flow_time, cf, in.accumulated_tc);

  best = structure_branch;
  for (const UpstreamSlot& s : in.upstream)
    best = checked(best + checked_div(s.ca * in.structure_intensity * r_s, k));

  // At the arrival of upstream pipe N: its discharge plus the rest of the area at its
  // arrival intensity.
  for (size_t n = 0; n < 4; ++n) {
    const UpstreamSlot& s = in.upstream[n];
    double area = in.structure_ca;
    for (size_t m = 0; m < 4; ++m)
      if (m != n) area = checked(area + in.upstream[m].ca);
    double peak = checked(q_lat + s.discharge + checked_div(area * s.intensity * r[n], k));
    if (peak > best) best = peak;
  }
  if (q < best) q = best;
  return q;
}

}  // namespace gw::design::rational
