// Every value the outfall window derives from its inputs: the 2-year outlet velocity, the bed's
// permissible velocity, whether the verdict still stands, and the scour hole.
#include "outlet/outfall_derivation.h"

#include "outlet/bed_material.h"
#include "outlet/outlet_section.h"
#include "outlet/outlet_velocity.h"
#include "platform/error/error.h"
#include "platform/math/checked.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"

namespace gw::outlet {

namespace {

constexpr const char* kShown = "0.00";

// A field's text as a number; raises naming the field when it is empty or no finite number.
double read(const std::string& caption, const std::string& text) {
  if (const std::optional<double> v = text::try_number(text)) return *v;
  throw Error(not_a_number(caption, text));
}

std::string outlet_velocity_text(const OutfallInputs& in, bool& failed) {
  if (in.shape.empty()) return {};
  try {
    if (!in.two_year_discharge) throw Error(not_a_number("2-Yr Discharge", in.two_year_text));
    OutletBarrel barrel;
    barrel.shape = outlet_shape_of(in.shape);
    barrel.rise = math::checked_div(text::to_number(in.dia_rise), in.size_divisor);
    if (barrel.shape != OutletShape::circular)
      barrel.span = math::checked_div(text::to_number(in.span), in.size_divisor);
    barrel.slope = text::to_number(in.slope);
    barrel.manning_n = in.manning_n;
    barrel.manning_k = in.manning_k;
    return text::format(outlet_velocity(barrel, *in.two_year_discharge), kShown);
  } catch (const std::exception&) {
    failed = true;
    return {};
  }
}

void derive_bed(const OutfallInputs& in, OutfallDerived& out) {
  const BedMaterial* material = find_bed_material(in.bed);
  if (!material) {
    out.bed_failure = "The Natural Channel Bed Material \"" + in.bed +
                      "\" is none of the list: its Non-Scour Velocity is not known. Choose the bed material.";
    return;
  }
  out.d50_bed = in.english ? material->d50_english : material->d50_metric;
  try {
    // Only a velocity that varies with the depth needs the outlet's flow depth.
    double depth_ft = 0;
    if (!material->constant) {
      const std::optional<double> y = text::try_number(in.depth);
      if (!y)
        throw Error("The permissible velocity of " + in.bed +
                    " needs the Depth of flow at Outlet, which is " +
                    (in.depth.empty() ? std::string("empty.") : "\"" + in.depth + "\", not a number."));
      depth_ft = math::checked(*y * in.to_feet);
    }
    double v = math::checked(permissible_velocity_fps(*material, depth_ft));
    if (!in.english) v = math::checked(v * in.from_feet);
    out.permissible_velocity_value = v;
    out.permissible_velocity = text::format(v, kShown);
  } catch (const std::exception& e) {
    out.bed_failure = e.what();
  }
}

void check_verdict(const OutfallInputs& in, OutfallDerived& out) {
  // Without an outlet pipe nothing is derived beside the verdict: a stored one stays as stored.
  if (in.verdict.empty() || in.shape.empty()) return;
  const std::optional<double> outlet = text::try_number(out.velocity2);
  if (!outlet) {
    out.verdict = VerdictCheck::velocity_unknown;
    out.verdict_reason = "the 2-Yr Outlet Velocity is not known";
    return;
  }
  if (!out.permissible_velocity_value) {
    out.verdict = VerdictCheck::permissible_unknown;
    out.verdict_reason = "the Non-Scour Velocity for Soil Type is not known";
    return;
  }
  if (in.verdict_basis) {
    if ((*in.verdict_basis)[0] == out.velocity2 && (*in.verdict_basis)[1] == out.permissible_velocity) return;
    out.verdict = VerdictCheck::velocity_changed;
    out.verdict_reason = "it was reached with the 2-Yr Outlet Velocity " + (*in.verdict_basis)[0] + " " +
                         in.velocity_unit + " and the Non-Scour Velocity for Soil Type " +
                         (*in.verdict_basis)[1] + " " + in.velocity_unit;
    return;
  }
  const double permissible = text::to_number(out.permissible_velocity);
  if ((in.verdict == kRequired) == protection_required(*outlet, permissible)) return;
  out.verdict = VerdictCheck::does_not_follow;
  out.verdict_reason = "it does not follow from the 2-Yr Outlet Velocity " + out.velocity2 + " " +
                       in.velocity_unit + " and the Non-Scour Velocity for Soil Type " +
                       out.permissible_velocity + " " + in.velocity_unit;
}

ScourHole scour_hole_of(const OutfallInputs& in) {
  if (in.shape.empty()) throw Error("The outfall has no outlet pipe to size a scour hole for.");
  ScourFlow flow;
  if (!in.design_discharge) throw Error(in.design_discharge_failure);
  flow.discharge = *in.design_discharge;
  flow.area = read("Area", in.area);
  flow.hydraulic_radius = read("Hydraulic Radius", in.hydraulic_radius);
  if (in.bed == kClayBed)
    return clay_scour_hole(flow, read("Plasticity Index (PI)", in.plasticity_index), in.to_feet);
  const double d16 = read("(D16) Size", in.d16);
  const double d84 = read("(D84) Size", in.d84);
  return cohesionless_scour_hole(flow, in.gravity, d16, d84);
}

}  // namespace

std::string not_a_number(const std::string& caption, const std::string& text) {
  if (text.empty()) return "The " + caption + " is empty.";
  return "The " + caption + " \"" + text + "\" is not a number.";
}

OutfallDerived derive_outfall_values(const OutfallInputs& in) {
  OutfallDerived out;
  out.velocity2 = outlet_velocity_text(in, out.velocity_failed);
  derive_bed(in, out);
  check_verdict(in, out);
  if (in.hole_sized) {
    try {
      const ScourHole h = scour_hole_of(in);
      out.hole = {text::format(h.depth, kShown), text::format(h.width, kShown),
                  text::format(h.length, kShown), text::format(h.location, kShown)};
      out.hole_values = h;
    } catch (const std::exception& e) {
      out.hole_failure = e.what();
    }
  }
  return out;
}

}  // namespace gw::outlet
