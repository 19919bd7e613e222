// Rational-method intensity and 2-year discharge per barrel of the outlet pipe.
#include "outlet/two_year_discharge.h"

#include "design/rational_method.h"
#include "platform/math/checked.h"

namespace gw::outlet {

double two_year_intensity(const RationalInputs& in) {
  design::rational::IdfCoefficients c;
  c.b = in.idf_b;
  c.d = in.idf_d;
  c.e = in.idf_e;
  return design::rational::rainfall_intensity(c, in.tc, in.metric);
}

double two_year_discharge(const RationalInputs& in) {
  const double i = two_year_intensity(in);
  const double q = math::checked_div((in.ca * i) * in.cf, in.rational_divisor) + in.lateral_q;
  return math::checked_div(math::checked(q), static_cast<double>(in.barrels));
}

}  // namespace gw::outlet
