// The Contra Costa panel's computed fields from its inputs: the basin, and the end sill kept when
// the engineer typed it or computed anew when it is the design's own.
#pragma once

#include <optional>
#include <string>

#include "outlet/contra_costa_basin.h"

namespace gw::outlet {

struct ContraCostaFieldsInput {
  // The outlet's values, read from the outfall (dE, Fr, W0, Q, g); `failure` names the outfall
  // field that gave none, and then nothing is designed.
  ContraCostaInput basin;
  std::string failure;
  std::string ratio;           // L2byh2 as the field holds it
  std::string sill;            // txth3 as the field holds it
  bool sill_computed = false;  // that text is the design's own (not typed by the engineer)
};

struct ContraCostaFields {
  // Fr above 3: the design refuses; only dE and Fr are shown, the floor width reads "NONE".
  bool refused = false;
  std::string dE, froude, basin_width, LB, L1, L2, L3, h1, h2, Y2, exit_depth, exit_velocity;
  // The end sill to show, and whether it is the design's own.
  std::string sill;
  bool sill_computed = false;
  // An end sill the engineer typed that lies outside (0.06 to 0.1)Y2 of this basin, in words
  // naming it; empty when within (compared at the field's two decimals) or computed.
  std::string sill_outside;
  // Why the basin cannot be designed, naming the input; empty when it is (or is refused).
  std::string failure;
};

// Takes the panel's inputs. Gives every field of the panel formatted "0.00":
// - a ratio that is empty counts 3.5; one that is no finite number fails, naming the field;
// - the end sill: an empty field or a computed one gets 0.1 Y2 of this basin; a typed one is kept,
//   and named when it lies outside 0.06 Y2 .. 0.1 Y2;
// - a refusal (Fr > 3) or a failure leaves the basin fields empty and a computed sill empty too:
//   a computed value that cannot be derived from the current inputs is not kept.
ContraCostaFields derive_contra_costa_fields(const ContraCostaFieldsInput& in);

}  // namespace gw::outlet
