// Every value the outfall window derives from its inputs: the 2-year outlet velocity, the bed's
// permissible velocity, whether the verdict still stands, and the scour hole.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "outlet/scour_hole.h"

namespace gw::outlet {

// The window's inputs: the outlet pipe as read from its record (field texts), the 2-year
// discharge, the bed with its grain sizes and plasticity index, the verdict with the velocities
// it was reached with, and whether the engineer has sized the scour hole.
struct OutfallInputs {
  // The project's unit constants.
  bool english = true;
  double to_feet = 1;
  double from_feet = 1;
  double gravity = 32.2;
  double size_divisor = 12;
  double manning_k = 1.486;
  std::string velocity_unit = "ft/sec";

  // The outlet pipe; an empty shape: the outfall has none.
  std::string shape;     // PIPE_SHAPE
  std::string dia_rise;  // eDiaRise, in or mm
  std::string span;      // SPAN, in or mm (shapes other than "Circular")
  std::string slope;     // PIPE_SLOPE
  double manning_n = 0;
  // Its design discharge, whole (E_Discharge shows it rounded), or why there is none.
  std::optional<double> design_discharge;
  std::string design_discharge_failure;
  std::string area;              // E_Area
  std::string hydraulic_radius;  // E_HydRad
  std::string depth;             // dn_C, depth of flow at the outlet

  // The 2-year discharge per barrel, whole, and the text C_Discharge shows.
  std::optional<double> two_year_discharge;
  std::string two_year_text;

  std::string bed;  // Bed_Matl
  std::string d16, d84, plasticity_index;

  // The verdict shown; when it was reached in this window, the two velocity texts beside it then
  // (none for a verdict as stored, which must follow from the velocities shown).
  std::string verdict;
  std::optional<std::array<std::string, 2>> verdict_basis;

  bool hole_sized = false;  // "Determine Scour Hole Size" pressed, or a stored record opened
};

// Why a verdict no longer stands.
enum class VerdictCheck {
  stands,
  velocity_changed,     // the velocities are not those it was reached with
  velocity_unknown,     // the 2-Yr Outlet Velocity cannot be derived
  permissible_unknown,  // the Non-Scour Velocity cannot be derived
  does_not_follow,      // a stored verdict the velocities shown do not give
};

// Everything derived. An empty text is a value that cannot be derived from the inputs now.
struct OutfallDerived {
  std::string velocity2;  // "0.00"
  // The outfall has an outlet pipe but no velocity can be computed (no 2-year discharge, or one
  // the barrel cannot be sized for): the window says "Invalid Data Input Error" where it
  // computes the velocity on request.
  bool velocity_failed = false;

  std::string d50_bed;               // D50bed
  std::string permissible_velocity;  // Velocity_NS, "0.00"
  std::optional<double> permissible_velocity_value;
  std::string bed_failure;  // why the permissible velocity is not known, naming the field

  VerdictCheck verdict = VerdictCheck::stands;
  // Why a verdict no longer stands, as a clause ("the 2-Yr Outlet Velocity is not known");
  // empty when it stands.
  std::string verdict_reason;

  // The scour hole as shown ("0.00" each), empty while not sized or not derivable.
  std::array<std::string, 4> hole;  // depth, width, length, location
  std::optional<ScourHole> hole_values;
  std::string hole_failure;  // why a sized hole cannot be derived, naming the field
};

// Takes the window's inputs. Gives:
// - the 2-year outlet velocity of one barrel at the 2-year discharge (no outlet pipe, or no
//   discharge: empty);
// - the D50 range and the permissible velocity of the bed at the outlet depth (a bed of no list
//   entry, or a depth-dependent bed without a depth: empty, with the reason);
// - whether the verdict still belongs to those velocities: one reached in the window stands while
//   both velocity texts are those it was reached with, a stored one while it follows from them;
//   with no outlet pipe the stored verdict is left alone;
// - once sized, the scour hole of the current inputs (clay bed by its plasticity index, any other
//   by D16 and D84), or none with the reason when an input is empty, no finite number, or D16 is
//   not below D84.
OutfallDerived derive_outfall_values(const OutfallInputs& in);

// The words of a field's text that is no finite number, for a message naming the field: `caption`
// "text" is not a number ("is empty" for the empty text).
std::string not_a_number(const std::string& caption, const std::string& text);

}  // namespace gw::outlet
