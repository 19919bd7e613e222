// The outlet pipe's cross-section: its shape class, the full-flow area of its barrels and the
// standard diameter that stands for its size.
#pragma once

#include <array>
#include <string_view>

namespace gw::outlet {

// How the outlet computations treat a PIPE_SHAPE text (compared exactly, case-sensitive):
// "Circular"; "Box" or the older "Rectangulr"; "Elliptical"; any other text is a pipe arch.
enum class OutletShape { circular, box, elliptical, arch };

OutletShape outlet_shape_of(std::string_view shape_text);

// Full cross-section area of all barrels.
// Takes the shape, the diameter or rise and the width (diameter or span) of one barrel, the
// pipe-size units per length unit (12 in/ft or 1000 mm/m) and the number of barrels. The rise
// is in pipe-size units (in or mm), the width already in length units (ft or m).
// Gives ft² or m²:
//   circular   ((d / L)² π / 4) N
//   elliptical ((π d / L) W / 4) N
//   box        ((d / L) W) N
//   arch       (0.781 ((d / L) W)^1.003) N, the full arch section of hyd::arch_full_section
// Throws gw::Error for a zero divisor, an overflow or a negative arch section.
double full_flow_area(OutletShape shape, double rise, double width, double dia_divisor, int barrels);

// The standard diameters, inches, ascending.
inline constexpr std::array<double, 18> kStandardDiameters = {12, 15, 18, 21, 24, 27, 30, 36, 42,
                                                              48, 54, 60, 66, 72, 78, 84, 90, 96};

// The outlet size rounded down to a standard diameter.
// Takes the diameter or rise in inches (a metric size is divided by 25.4 before). Gives the
// largest standard diameter not above it: 12 for anything up to 12, 96 from 96 on.
double standard_diameter(double size_in);

}  // namespace gw::outlet
