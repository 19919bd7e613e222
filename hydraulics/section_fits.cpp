// The pipe arch's full section and the evaluation of the partial-section polynomials.
#include "hydraulics/section_fits.h"

#include "platform/math/checked.h"

namespace gw::hyd {

using math::checked;
using math::checked_pow;

double Quartic::operator()(double r) const {
  return c[0] * checked_pow(r, 4) + c[1] * checked_pow(r, 3) + c[2] * checked_pow(r, 2) + c[3] * r + c[4];
}

ArchFullSection arch_full_section(double span_times_rise) {
  return {checked(0.781 * checked_pow(span_times_rise, 1.003)),
          checked(0.241 * checked_pow(span_times_rise, 0.4965))};
}

}  // namespace gw::hyd
