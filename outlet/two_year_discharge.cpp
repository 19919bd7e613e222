// Rational-method intensity and 2-year discharge per barrel of the outlet pipe.
#include "outlet/two_year_discharge.h"

#include "platform/text/checked.h"
#include "platform/units/units.h"

namespace gw::outlet {

double two_year_intensity(const RationalInputs& in) {
  double i = text::checked_div(in.idf_b, text::checked_pow(in.idf_d + in.tc, in.idf_e));
  if (in.metric) i = text::checked(i * kMillimetresPerInch);
  return i;
}

double two_year_discharge(const RationalInputs& in) {
  const double i = two_year_intensity(in);
  const double q = text::checked_div((in.ca * i) * in.cf, in.rational_divisor) + in.lateral_q;
  return text::checked_div(text::checked(q), static_cast<double>(in.barrels));
}

}  // namespace gw::outlet
