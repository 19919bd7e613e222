// The rational method of the pipe network: rainfall intensity, arrival times of upstream pipes,
// accumulated Tc and C*A, and a pipe's design discharge over its structure and upstream pipes.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace gw::design::rational {

// Times of concentration and arrival times are in minutes, flow times through a pipe in
// seconds, intensities in in/hr (mm/hr in metric projects), C*A in acre (ha), discharges in
// cfs (cms). Every function raises gw::Error (division by zero, invalid power, overflow)
// instead of giving inf or nan.

// Intensity-duration-frequency coefficients of one storm frequency.
struct IdfCoefficients {
  bool legacy = false;  // i = A / (Tc + B); otherwise i = B / (Tc + D)^E
  double a = 0;
  double b = 0;
  double d = 0;
  double e = 0;
};

// Takes the coefficients, a time of concentration t and whether the project is metric.
// Gives A / (t + B) (legacy) or B / (t + D)^E, times 25.4 for a metric project.
// Assumes nothing about the signs: t + B = 0 raises "Division by zero", a negative t + D with
// a fractional E raises "Invalid procedure call or argument".
double rainfall_intensity(const IdfCoefficients& c, double tc_minutes, bool metric);

// Takes an upstream pipe's accumulated Tc and its flow time. Gives its arrival time at the
// pipe below, Tc + FT / 60.
double arrival_time(double tc_minutes, double flow_time_seconds);

// The divisor k of Q = C i A / k: 360 in a metric project, 1 otherwise.

// Takes the text of the storm frequency. Gives the text of its frequency factor Cf ("1.0"
// for 2, 5 and 10 years, "1.1" for 25, "1.2" for 50, "1.25" for 100), compared exactly;
// nullopt for any other text.
std::optional<std::string> frequency_factor_text(std::string_view storm_frequency);

// Takes the structure's Tc and the arrival times of the four upstream slots (0 for an
// empty or unused slot). Gives the governing Tc: the latest arrival when it is later than
// the structure's Tc, else the structure's Tc.
double accumulated_tc(double structure_tc, const std::array<double, 4>& arrival_times);

// Takes the structure's C*A and the four slots' C*A. Gives their sum in slot order; the
// fourth slot counts only outside legacy projects, which have three.
double accumulated_ca(double structure_ca, const std::array<double, 4>& upstream_ca, bool legacy);

// Takes the structure's Tc, the governing Tc and Cf. Gives the structure's time ratio
// Tc_s / Tc_acc * Cf rounded to 3 decimals, a tie going to the even digit.
double structure_time_ratio(double structure_tc, double accumulated_tc, double cf);

// Takes an upstream pipe's Tc and flow time, Cf and the governing Tc. Gives its arrival-time
// ratio (Tc + FT / 60) * Cf / Tc_acc rounded to 3 decimals, a tie going to the even digit.
double arrival_time_ratio(double tc_minutes, double flow_time_seconds, double cf, double accumulated_tc);

// One upstream-pipe slot of a pipe: its row values and the work values of that pipe.
struct UpstreamSlot {
  double ca = 0;         // accumulated C*A of the upstream pipe
  double tc = 0;         // its accumulated Tc
  double flow_time = 0;  // its flow time
  double discharge = 0;  // its design discharge
  double intensity = 0;  // intensity at its arrival time
};

struct DischargeInputs {
  double accumulated_ca = 0;
  double pipe_intensity = 0;  // intensity at the governing Tc
  double cf = 1;
  double lateral_discharge = 0;
  double structure_ca = 0;
  double structure_tc = 0;
  double accumulated_tc = 0;
  double structure_intensity = 0;  // intensity at the structure's Tc
  double divisor = 1;              // the unit system's rational divisor (Units)
  std::array<UpstreamSlot, 4> upstream{};
};

// Takes the pipe's inputs (an empty slot holds zeros). Gives its design discharge, the
// largest of
// - its own flow, CA_acc * I * Cf / k + Q_lat;
// - each single branch: Q_lat + CA_s * i_s * Cf / k, and Q_lat + Q_N of each upstream pipe;
// - the peak at the structure's time, Q_lat + CA_s * i_s * Cf / k + the sum of CA_M * i_s * r_s / k;
// - the peak at each upstream pipe's arrival, Q_lat + Q_N + (CA_s + the other slots' CA) * i_N * r_N / k;
// with the time ratios r_s and r_N of structure_time_ratio and arrival_time_ratio. A governing
// Tc of 0 raises "Division by zero" (or "Overflow" when the structure's Tc is 0 as well).
double design_discharge(const DischargeInputs& in);

}  // namespace gw::design::rational
