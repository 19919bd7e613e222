// The fitted sections: the pipe arch's full section and the depth polynomials of the partly full
// elliptical and arch sections.
#pragma once

namespace gw::hyd {

// A fourth-degree polynomial c[0] r^4 + c[1] r^3 + c[2] r^2 + c[3] r + c[4] in the relative depth
// r = depth / rise. The powers are taken as powers with the exponents 4, 3 and 2 and the terms
// summed from the r^4 term down.
struct Quartic {
  double c[5];
  double operator()(double r) const;
};

// A partly full section as a fraction of the full one: A = A_f area(r), R = R_f radius(r).
struct PartialSectionFit {
  Quartic area;
  Quartic radius;
};

// The elliptical pipe's fit.
inline constexpr PartialSectionFit kEllipticalFit{{{0.0016, -1.1168, 1.6724, 0.4549, -0.006}},
                                                  {{-1.9828, 2.9174, -2.8163, 2.9383, -0.0096}}};
// The pipe arch's fit: PA(r) = 1.0587 r^4 - 3.634 r^3 + 3.3671 r^2 + 0.1913 r + 0.014,
// PR(r) = -0.9327 r^4 + 0.6045 r^3 - 1.3292 r^2 + 2.7365 r - 0.0336. At r = 1 it gives about
// 1.027 times the full-flow capacity.
inline constexpr PartialSectionFit kArchFit{{{1.0587, -3.634, 3.3671, 0.1913, 0.014}},
                                            {{-0.9327, 0.6045, -1.3292, 2.7365, -0.0336}}};

// The full section of a pipe arch from span times rise (ft² or m², so the constants act on feet
// in English projects and on metres otherwise): A_f = 0.781 (S R)^1.003, R_f = 0.241 (S R)^0.4965.
// Throws gw::Error for a negative span times rise or an overflow.
struct ArchFullSection {
  double area;
  double radius;
};
ArchFullSection arch_full_section(double span_times_rise);

}  // namespace gw::hyd
