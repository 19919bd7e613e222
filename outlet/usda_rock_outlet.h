// USDA rock outlet protection: the rock apron below a culvert outlet from regression coefficients.
#pragma once

namespace gw::outlet {

// The ten regression coefficients of one standard diameter: set 1 applies when the tailwater
// is at least half the outlet size, set 2 below that. D50 (ft) = A Q^2 + B Q + C and apron
// length (ft) = D ln Q + E, Q in cfs.
struct UsdaCoefficients {
  double a1 = 0, b1 = 0, c1 = 0, d1 = 0, e1 = 0;
  double a2 = 0, b2 = 0, c2 = 0, d2 = 0, e2 = 0;
};

// True when the tailwater tw is at least half the outlet size do_ (both in the project's length
// unit): coefficient set 1 applies, else set 2.
bool usda_uses_set1(double tw, double do_);

struct UsdaApron {
  bool set1 = true;      // the tailwater case used
  double length = 0;     // La, after its minimum (project length unit)
  double width = 0;      // W
  double d50 = 0;        // median stone, after its minimum
  double thickness = 0;  // 2 x D50
};

// Takes the coefficients, the discharge per barrel q_cfs in cfs, the tailwater depth tw, the
// outlet size do_ and the culvert width w0 (all three in the project's length unit) and
// from_feet (1 in English projects, 0.3048 in metric ones).
// Gives the apron: set 1 (tw >= 0.5 do_) La = max((D1 ln Q + E1) f, 6 do_), W = La / 2.5 + w0;
// set 2 La = max((D2 ln Q + E2) f, 4 do_), W = La + w0; D50 = (A Q^2 + B Q + C) f raised to
// 0.5 ft; thickness 2 D50.
// Raises gw::Error when q_cfs is not above zero (its logarithm fails) or a result is not finite.
UsdaApron design_usda_apron(const UsdaCoefficients& k, double q_cfs, double tw, double do_, double w0,
                            double from_feet);

}  // namespace gw::outlet
