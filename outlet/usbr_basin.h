// USBR Type VI impact basin below a culvert outlet: width, standard dimensions, energy and exit.
#pragma once

#include <array>
#include <optional>

namespace gw::outlet {

inline constexpr const char* kUsbrLimitMessage =
    "Discharge/velocity exceeds max value for USBR Type VI Basin";

// Raises DesignRefused(kUsbrLimitMessage) when the discharge is above 400 cfs or the velocity
// above 50 ft/s: q and v in the project's units, converted with to_feet (1 English, 3.2808
// metric): q to_feet³ > 400 or v to_feet > 50.
void check_usbr_limits(double q, double v, double to_feet);

// The fourteen standard dimensions of a basin row, in the order h1, h2, h3, h4, L, L1, L2, W1,
// W2, t1, t2, t3, t4, t5.
using UsbrDimensions = std::array<double, 14>;

// Width of the widest standard basin, in feet.
inline constexpr double kUsbrWidestBasinFeet = 20;

// Index (0 for the 4 ft row .. 16 for the 20 ft row) of the standard basin for width w in the
// project's unit: the first row of 4 to 19 ft with w <= Wt × from_feet, else the 20 ft row.
int usbr_table_row(double w, double from_feet);
// Dimensions of a table row in feet.
const UsbrDimensions& usbr_table_feet(int row);

struct UsbrInput {
  double discharge = 0;  // Q
  double velocity = 0;   // V at the outlet
  double dE = 0;         // equivalent depth of the outlet, unrounded
  double froude = 0;     // Froude number of the outlet, unrounded
  double gravity = 0;    // g
  double from_feet = 1;  // a length in feet times it gives the project's unit
  double to_feet = 1;    // a length in the project's unit times it gives feet
};

struct UsbrBasin {
  double Ho = 0;          // energy at the end of the culvert
  double ratio = 0;       // energy to width, rounded to 2 decimals
  double width = 0;       // W, whole units, at least 4 ft
  UsbrDimensions dims{};  // the chosen row, in the project's unit
  // True when W is wider than the widest standard basin (20 ft): dims are that basin's.
  bool beyond_table = false;
  double HL = 0;          // energy loss, rounded to 2 decimals
  double He = 0;          // Ho - HL
  double exit_depth = 0;  // dB
  // VB; no value when dE <= 0.01 and the search computed none.
  std::optional<double> exit_velocity;
  // False when no depth below dE met the energy condition (dB is then the first step >= dE and
  // VB the value of the step before it).
  bool exit_found = false;
};

// Most steps the exit depth search takes before it gives up (a depth of 10 000 units).
inline constexpr long kUsbrMaxSteps = 1000000;

// Takes Q, V, dE, Fr, g and from_feet in the project's units. Gives Ho = dE + V² / 2g,
// r = round2(0.0331 Fr² + 0.151 Fr + 0.0929), W = round0(Ho / r + 0.5) (ties to even), raised to
// 4 ft, the standard dimensions of W's row, HL = round2(Ho (-1.1179 Fr² + 17.087 Fr + 10.37) / 100),
// He = Ho - HL, and the exit depth dB searched from 0.01 in steps of 0.01 while dB < dE: the first
// dB with dB + VB² / 2g <= He, VB = (Q / W) / dB.
// beyond_table tells when W is wider than the 20 ft row it takes.
// Raises DesignRefused(kUsbrLimitMessage) as check_usbr_limits, gw::Error when the search exceeds
// kUsbrMaxSteps or a result would not be finite.
UsbrBasin design_usbr_basin(const UsbrInput& in);

}  // namespace gw::outlet
