// Size of the scour hole below an unprotected outlet, for a cohesionless or a clay bed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace gw::outlet {

// The outlet's design flow, in the project's units.
struct ScourFlow {
  double discharge = 0;         // Q, cfs or cms
  double area = 0;              // A, flow area, ft² or m²
  double hydraulic_radius = 0;  // Rc, ft or m
};

// The plasticity index range of the clay formula; an index outside it is taken at its end.
inline constexpr double kMinPlasticityIndex = 5;
inline constexpr double kMaxPlasticityIndex = 16;

// The text a plasticity index field takes instead of `text` to lie within that range: "5.0" for
// an index below it or the empty text, "16.0" above it; none when the text already reads as an
// index within the range (5 and 16 themselves included), and none for a text that is no finite
// number, which is refused where the index is used or saved rather than taken as an end.
std::optional<std::string> plasticity_index_in_range(std::string_view text);

// Depth, width and length of the hole and the distance from the outlet to its deepest point
// (0.4 times the length), in the project's length unit.
struct ScourHole {
  double depth = 0;
  double width = 0;
  double length = 0;
  double location = 0;
};

// Each dimension is Rc times a dimensionless factor, so a metric hole is the English hole of the
// same flow times 0.3048.
//
// Cohesionless bed of grain sizes d16 < d84 (any one unit) and gravity g in the project's units:
// σ = d84 / d16, the dimensionless X = Q / (A (g Rc)^0.5), and per dimension
// (α / σ^(1/3)) X^β 0.0949^θ Rc with (α, β, θ) = depth (2.27, 0.39, 0.06),
// width (6.94, 0.53, 0.08), length (17.1, 0.47, 0.10).
// Throws gw::Error when d16 >= d84, for a zero area or radius, a negative power base or overflow.
ScourHole cohesionless_scour_hole(const ScourFlow& flow, double gravity, double d16, double d84);

// Clay bed of plasticity index pi, taken within 5..16 (degrees enter as 30 + 1.73 pi):
// shear = 0.042 tan((30 + 1.73 pi) π / 180); the empirical term takes the outlet velocity in
// ft/s, to the first power: Y = ((Q / A) to_feet) 1.94 / shear (to_feet 1 English, 3.2808
// metric); per dimension (α Y^β) 0.0949^θ Rc with (α, β, θ) = depth (0.86, 0.18, 0.10),
// width (3.55, 0.17, 0.07), length (2.82, 0.33, 0.09).
// Throws gw::Error for a zero area or shear, a negative power base or overflow.
ScourHole clay_scour_hole(const ScourFlow& flow, double plasticity_index, double to_feet);

}  // namespace gw::outlet
