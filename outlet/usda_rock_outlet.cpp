// USDA rock outlet protection: the rock apron below a culvert outlet from regression coefficients.
#include "outlet/usda_rock_outlet.h"

#include "platform/math/checked.h"

namespace gw::outlet {

bool usda_uses_set1(double tw, double do_) { return tw >= 0.5 * do_; }

UsdaApron design_usda_apron(const UsdaCoefficients& k, double q_cfs, double tw, double do_, double w0,
                            double from_feet) {
  const double lnq = math::checked_log(q_cfs);
  UsdaApron r;
  r.set1 = usda_uses_set1(tw, do_);
  if (r.set1) {
    r.d50 = (k.a1 * q_cfs * q_cfs + k.b1 * q_cfs + k.c1) * from_feet;
    r.length = (k.d1 * lnq + k.e1) * from_feet;
    if (r.length < 6 * do_) r.length = 6 * do_;
    r.width = r.length / 2.5 + w0;
  } else {
    r.d50 = (k.a2 * q_cfs * q_cfs + k.b2 * q_cfs + k.c2) * from_feet;
    r.length = (k.d2 * lnq + k.e2) * from_feet;
    if (r.length < 4 * do_) r.length = 4 * do_;
    r.width = r.length + w0;
  }
  if (r.d50 < 0.5 * from_feet) r.d50 = 0.5 * from_feet;
  r.thickness = 2 * r.d50;
  math::checked(r.d50);
  math::checked(r.length);
  math::checked(r.width);
  return r;
}

}  // namespace gw::outlet
