// USBR Type VI impact basin design: width from the outlet energy, dimensions from the standard table.
#include "outlet/usbr_basin.h"

#include "outlet/design_refusal.h"
#include "platform/error/error.h"
#include "platform/math/checked.h"
#include "platform/text/round.h"

namespace gw::outlet {

namespace {

using math::checked;
using math::checked_div;
using text::round_half_even;

constexpr int kRows = 17;
constexpr double kFirstWidthFeet = 4;

// Standard basins by width 4 to 20 ft; columns h1, h2, h3, h4, L, L1, L2, W1, W2, t1 .. t5, in feet.
constexpr UsbrDimensions kTable[kRows] = {
    {3.08, 1.5, 0.67, 1.67, 5.42, 2.33, 3.08, 0.33, 1.08, 0.5, 0.5, 0.5, 0.5, 0.25},
    {3.83, 1.92, 0.83, 2.08, 6.67, 2.92, 3.83, 0.42, 1.42, 0.5, 0.5, 0.5, 0.5, 0.25},
    {4.58, 2.25, 1, 2.5, 8, 3.42, 4.58, 0.5, 1.67, 0.5, 0.5, 0.5, 0.5, 0.25},
    {5.42, 2.58, 1.17, 2.92, 9.42, 4, 5.42, 0.5, 1.92, 0.5, 0.5, 0.5, 0.5, 0.25},
    {6.17, 3, 1.33, 3.33, 10.67, 4.58, 6.17, 0.58, 2.17, 0.5, 0.58, 0.58, 0.5, 0.25},
    {6.92, 3.42, 1.5, 3.75, 12, 5.17, 6.92, 0.67, 2.5, 0.58, 0.58, 0.67, 0.58, 0.25},
    {7.58, 3.75, 1.67, 4.17, 13.42, 5.75, 7.67, 0.75, 2.75, 0.67, 0.67, 0.75, 0.67, 0.25},
    {8.42, 4.17, 1.83, 4.58, 14.58, 6.33, 8.42, 0.83, 3, 0.67, 0.75, 0.75, 0.67, 0.33},
    {9.17, 4.5, 2, 5, 16, 6.83, 9.17, 0.92, 3, 0.67, 0.83, 0.83, 0.75, 0.33},
    {10.17, 4.92, 2.17, 5.42, 17.33, 7.42, 10, 1, 3, 0.67, 0.92, 0.83, 0.83, 0.33},
    {10.75, 5.25, 2.33, 5.83, 18.67, 8, 10.75, 1.08, 3, 0.67, 1, 0.92, 0.92, 0.42},
    {11.5, 5.58, 2.5, 6.25, 20, 8.5, 11.5, 1.17, 3, 0.67, 1, 1, 1, 0.42},
    {12.25, 6, 2.67, 6.67, 21.33, 9.08, 12.25, 1.25, 3, 0.75, 1, 1, 1, 0.5},
    {13, 6.33, 2.83, 7.08, 21.5, 9.67, 13, 1.33, 3, 0.75, 1.08, 1, 1, 0.5},
    {13.75, 6.67, 3, 7.5, 23.92, 10.25, 13.75, 1.33, 3, 0.75, 1.08, 1.08, 1.08, 0.58},
    {14.58, 7.08, 3.17, 7.92, 25.33, 10.83, 14.58, 1.42, 3, 0.83, 1.17, 1.08, 1.08, 0.58},
    {15.33, 7.5, 3.33, 8.33, 26.58, 11.42, 15.33, 1.5, 3, 0.83, 1.17, 1.17, 1.17, 0.67},
};

}  // namespace

void check_usbr_limits(double q, double v, double to_feet) {
  if (q * to_feet * to_feet * to_feet > 400 || v * to_feet > 50) throw DesignRefused(kUsbrLimitMessage);
}

int usbr_table_row(double w, double from_feet) {
  for (int row = 0; row < kRows - 1; ++row)
    if (w <= (kFirstWidthFeet + row) * from_feet) return row;
  return kRows - 1;
}

const UsbrDimensions& usbr_table_feet(int row) { return kTable[row]; }

UsbrBasin design_usbr_basin(const UsbrInput& in) {
  check_usbr_limits(in.discharge, in.velocity, in.to_feet);
  const double g = in.gravity;
  const double fr = in.froude;
  UsbrBasin b;
  b.Ho = checked(in.dE + checked_div(checked(in.velocity * in.velocity), 2 * g));
  b.ratio = round_half_even(checked(0.0331 * fr * fr + 0.151 * fr + 0.0929), 2);
  b.width = round_half_even(checked(checked_div(b.Ho, b.ratio) + 0.5), 0);
  if (b.width < kFirstWidthFeet * in.from_feet) b.width = kFirstWidthFeet * in.from_feet;
  b.beyond_table = b.width > kUsbrWidestBasinFeet * in.from_feet;
  const UsbrDimensions& row = kTable[usbr_table_row(b.width, in.from_feet)];
  for (size_t i = 0; i < row.size(); ++i) b.dims[i] = row[i] * in.from_feet;

  b.HL = round_half_even(checked(b.Ho * (-1.1179 * fr * fr + 17.087 * fr + 10.37) / 100), 2);
  b.He = checked(b.Ho - b.HL);

  const double unit_flow = checked_div(in.discharge, b.width);
  double db = 0.01;
  for (long step = 0; db < in.dE; ++step) {
    if (step >= kUsbrMaxSteps) throw Error("The exit depth search of the USBR Type VI Basin found no depth.");
    const double vb = checked_div(unit_flow, db);
    b.exit_velocity = vb;
    const double energy = checked(db + checked_div(checked(vb * vb), 2 * g));
    if (energy <= b.He) {
      b.exit_found = true;
      break;
    }
    db += 0.01;
  }
  b.exit_depth = db;
  return b;
}

}  // namespace gw::outlet
