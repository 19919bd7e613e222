// The 2-year discharge per barrel of the outlet pipe by the rational method.
#pragma once

namespace gw::outlet {

// The rational-method inputs of the outlet pipe and the rainfall coefficients of the storm.
struct RationalInputs {
  double idf_b = 0;  // coefficients of i = b / (tc + d)^e, i in in/hr, tc in minutes
  double idf_d = 0;
  double idf_e = 0;
  double tc = 0;         // accumulated time of concentration, minutes
  double ca = 0;         // accumulated C x A (acres or hectares)
  double cf = 0;         // frequency factor
  double lateral_q = 0;  // lateral discharge, cfs or cms
  int barrels = 0;       // number of barrels
  bool metric = false;   // intensity in mm/hr and a rational divisor of 360
  double rational_divisor = 1;
};

// Rainfall intensity i = b / (d + tc)^e in in/hr, times 25.4 (mm/hr) in a metric project: the
// intensity of the pipe network (rational::rainfall_intensity) with the current coefficients.
// Throws gw::Error for a negative base with a fractional exponent, a zero base or an overflow.
double two_year_intensity(const RationalInputs& in);

// Discharge per barrel Q = ((ca × i) × cf / divisor + lateral) / barrels, in cfs or cms, computed in
// that order: the lateral discharge is added once and the sum is shared among the barrels.
// Throws gw::Error("Division by zero") for zero barrels (Overflow when the sum is 0 too), and
// for a zero divisor; gw::Error on overflow.
double two_year_discharge(const RationalInputs& in);

}  // namespace gw::outlet
