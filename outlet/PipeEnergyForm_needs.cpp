// The outfall window's evaluation: bed material and permissible velocity, the need for outlet
// protection, and the scour hole.
#include "outlet/PipeEnergyForm.h"

#include <optional>
#include <string>

#include "outlet/bed_material.h"
#include "outlet/scour_hole.h"
#include "platform/error/error.h"
#include "platform/math/checked.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"
#include "platform/units/units.h"

namespace gw::outlet {

using ui::Buttons;
using ui::Icon;

void PipeEnergyForm::Bed_Matl_Click() {
  const Units& u = vars().units();
  const bool english = u.english();
  const std::string bed = c("Bed_Matl").text();
  const BedMaterial* material = find_bed_material(bed);

  c("D16").set_enabled(true);
  c("D84").set_enabled(true);
  Control& pi = c("plindex");
  pi.set_enabled(false);
  pi.set_back_color(ui::kButtonFaceColor);
  pi.set_text("5.0");
  if (material && bed == kClayBed) {
    // A clay bed is sized by its plasticity index, not by grain sizes.
    pi.set_enabled(true);
    pi.set_back_color(ui::kWindowColor);
    pi.set_text("5.0");
    if (english) {
      c("D16").set_enabled(false);
      c("D16").set_text("0.01");
      c("D84").set_enabled(false);
      c("D84").set_text("0.1");
    }
  }

  // The permissible velocity of this bed, or why it is not known: never one of another bed.
  std::optional<double> velocity;
  bed_velocity_failure_.clear();
  if (!material) {
    bed_velocity_failure_ =
        "The Natural Channel Bed Material \"" + bed +
        "\" is none of the list: its Non-Scour Velocity is not known. Choose the bed material.";
  } else {
    try {
      // Only a velocity that varies with the depth needs the outlet's flow depth.
      double depth_ft = 0;
      if (!material->constant) {
        const std::string& depth = c("dn_C").text();
        const std::optional<double> y = text::try_number(depth);
        if (!y)
          throw Error("The permissible velocity of " + bed + " needs the Depth of flow at Outlet, which is " +
                      (depth.empty() ? std::string("empty.") : "\"" + depth + "\", not a number."));
        depth_ft = math::checked(*y * u.to_feet);
      }
      double v = math::checked(permissible_velocity_fps(*material, depth_ft));
      if (!english) v = math::checked(v * u.from_feet);
      velocity = v;
    } catch (const std::exception& e) {
      bed_velocity_failure_ = e.what();
    }
  }
  permissible_velocity = velocity.value_or(0);
  c("D50bed").set_text(material ? (english ? material->d50_english : material->d50_metric) : "");
  c("Velocity_NS").set_text(velocity ? text::format(*velocity, "0.00") : std::string());
  // Any earlier verdict is void for another bed.
  c("outlet_protection").set_text("");
  c("cmdanalyzeED").set_enabled(false);
  if (!velocity) tell(bed_velocity_failure_, Icon::Exclamation, true);
}

void PipeEnergyForm::cmdNeed_Click() {
  if (c("enodeout").text().empty()) {
    msg("Please enter valid Outfall/End Node value!", Buttons::OK, Icon::Exclamation);
    return;
  }
  if (c("dn_TW").text().empty()) {
    msg("Please enter valid Depth of flow value!", Buttons::OK, Icon::Exclamation);
    return;
  }
  // A verdict needs the permissible velocity of the bed shown beside it.
  if (!find_bed_material(c("Bed_Matl").text())) {
    msg("The Natural Channel Bed Material \"" + c("Bed_Matl").text() +
            "\" is none of the list: choose the bed material before Evaluate Needs.",
        Buttons::OK, Icon::Exclamation);
    return;
  }
  if (!bed_velocity_failure_.empty()) {
    msg(bed_velocity_failure_, Buttons::OK, Icon::Exclamation);
    return;
  }
  try {
    if (c("Velocity_NS").text().empty()) c("Velocity_NS").set_text("0.0");
    const double outlet = number_in("velocity2", "2-Yr Outlet Velocity");
    const double permissible = number_in("Velocity_NS", "Non-Scour Velocity for Soil Type");
    if (!protection_required(outlet, permissible)) {
      c("outlet_protection").set_text(kNotRequired);
      msg(" 2-Yr Outlet Velocity <= Permissible Velocity. No Outlet Protection Required. ");
      c("cmdanalyzeED").set_enabled(false);
    } else {
      c("outlet_protection").set_text(kRequired);
      msg("Outlet Protection is Required");
      c("cmdanalyzeED").set_enabled(true);
    }
  } catch (const std::exception& e) {
    msg(e.what(), Buttons::OK, Icon::Exclamation, {}, true);
  }
}

std::string PipeEnergyForm::void_stale_verdict(bool saved) {
  const std::string verdict = c("outlet_protection").text();
  if (verdict.empty()) return {};
  const std::string unit = c("fpsmps", 2).caption();
  const std::optional<double> outlet = text::try_number(c("velocity2").text());
  const std::optional<double> permissible = text::try_number(c("Velocity_NS").text());
  std::string why;
  if (!outlet) {
    why = "the 2-Yr Outlet Velocity is not known";
  } else if (!permissible) {
    why = "the Non-Scour Velocity for Soil Type is not known";
  } else if ((verdict == kRequired) == protection_required(*outlet, *permissible)) {
    return {};
  } else {
    why = "it does not follow from the 2-Yr Outlet Velocity " + c("velocity2").text() + " " + unit +
          " and the Non-Scour Velocity for Soil Type " + c("Velocity_NS").text() + " " + unit;
  }
  c("outlet_protection").set_text("");
  c("cmdanalyzeED").set_enabled(false);
  return std::string(saved ? "The saved Outlet Protection \"" : "The Outlet Protection \"") + verdict +
         "\" is cleared: " + why + ". Press Evaluate Needs.";
}

void PipeEnergyForm::cmdscourholesize_Click() { compute_scour_hole(); }

double PipeEnergyForm::number_in(const char* field, const char* caption) {
  const std::string& t = c(field).text();
  if (const std::optional<double> v = text::try_number(t)) return *v;
  if (t.empty()) throw Error(std::string("The ") + caption + " is empty.");
  throw Error(std::string("The ") + caption + " \"" + t + "\" is not a number.");
}

void PipeEnergyForm::compute_scour_hole() {
  const Units& u = vars().units();
  try {
    auto flow = [&] {
      ScourFlow f;
      f.discharge = design_discharge();
      f.area = number_in("E_Area", "Area");
      f.hydraulic_radius = number_in("E_HydRad", "Hydraulic Radius");
      return f;
    };
    ScourHole hole;
    if (c("Bed_Matl").text() == kClayBed) {
      c("D16").set_enabled(false);
      c("D84").set_enabled(false);
      c("plindex").set_enabled(true);
      if (c("plindex").text().empty()) {
        plindex_LostFocus();
        return;
      }
      // The index the hole is computed with is the one the field shows and the workbook reports.
      if (const std::optional<std::string> in_range = plasticity_index_in_range(c("plindex").text()))
        c("plindex").set_text(*in_range);
      hole = clay_scour_hole(flow(), number_in("plindex", "Plasticity Index (PI)"), u.to_feet);
    } else {
      c("D16").set_enabled(true);
      c("D84").set_enabled(true);
      c("plindex").set_enabled(false);
      if (c("D16").text().empty()) {
        D16_LostFocus();
        return;
      }
      if (c("D84").text().empty()) {
        D84_LostFocus();
        return;
      }
      const double d16 = number_in("D16", "(D16) Size");
      const double d84 = number_in("D84", "(D84) Size");
      if (d16 >= d84) {
        tell("D84 should be > D16", Icon::None);
        return;
      }
      hole = cohesionless_scour_hole(flow(), u.gravity, d16, d84);
    }
    scour_depth = hole.depth;
    scour_width = hole.width;
    scour_length = hole.length;
    scour_location = hole.location;
    c("txt_D").set_text(text::format(scour_depth, "0.00"));
    c("txt_W").set_text(text::format(scour_width, "0.00"));
    c("txt_L").set_text(text::format(scour_length, "0.00"));
    c("txtLocation").set_text(text::format(scour_location, "0.00"));
  } catch (const std::exception& e) {
    tell(e.what(), Icon::None);
  }
}

}  // namespace gw::outlet
