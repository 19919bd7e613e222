// The Contra Costa panel's computed fields from its inputs, with the end sill's own rule.
#include "outlet/contra_costa_fields.h"

#include "outlet/design_refusal.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"

namespace gw::outlet {

namespace {

constexpr const char* kShown = "0.00";

// The end sill's range, as a share of Y2.
constexpr double kSillLow = 0.06;
constexpr double kSillHigh = 0.1;

std::string shown(double v) { return text::format(v, kShown); }

}  // namespace

ContraCostaFields derive_contra_costa_fields(const ContraCostaFieldsInput& in) {
  ContraCostaFields f;
  // A computed sill that cannot be derived now is not kept; a typed one always is.
  f.sill = in.sill_computed ? std::string() : in.sill;
  if (!in.failure.empty()) {
    f.failure = in.failure;
    return f;
  }
  f.dE = shown(in.basin.dE);
  f.froude = shown(in.basin.froude);
  ContraCostaInput basin = in.basin;
  const std::string ratio = in.ratio.empty() ? std::string(kContraCostaDefaultRatio) : in.ratio;
  const std::optional<double> p = text::try_number(ratio);
  try {
    if (basin.froude <= 3 && !p) throw Error("The L2/h2 Ratio \"" + ratio + "\" is not a number.");
    basin.ratio = p.value_or(0);
    const ContraCostaBasin b = design_contra_costa_basin(basin);
    f.basin_width = shown(b.basin_width);
    f.LB = shown(b.LB);
    f.L1 = shown(b.L1);
    f.L2 = shown(b.L2);
    f.L3 = shown(b.L3);
    f.h1 = shown(b.h1);
    f.h2 = shown(b.h2);
    f.Y2 = shown(b.Y2);
    f.exit_depth = shown(b.exit_depth);
    f.exit_velocity = shown(b.exit_velocity);
    if (f.sill.empty()) {
      f.sill = shown(b.h3);
      f.sill_computed = true;
    } else if (const std::optional<double> h3 = text::try_number(f.sill)) {
      // Compared as the field shows numbers, to two decimals, so that a sill computed for this
      // very basin always lies within.
      const double low = text::to_number(shown(kSillLow * b.Y2));
      const double high = text::to_number(shown(kSillHigh * b.Y2));
      if (*h3 < low || *h3 > high)
        f.sill_outside = "The end sill h3 " + f.sill + " lies outside (0.06 to 0.1)Y2 of this basin, " +
                         shown(low) + " to " + shown(high) + " for Y2 " + f.Y2 + ".";
    }
  } catch (const DesignRefused&) {
    f.refused = true;
    f.basin_width = "NONE";
  } catch (const std::exception& e) {
    f.failure = e.what();
    f.dE.clear();
    f.froude.clear();
  }
  return f;
}

}  // namespace gw::outlet
