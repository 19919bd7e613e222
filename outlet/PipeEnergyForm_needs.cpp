// The outfall window's evaluation: bed material and permissible velocity, the need for outlet
// protection, and the scour hole.
#include "outlet/PipeEnergyForm.h"

#include <optional>
#include <string>

#include "outlet/bed_material.h"
#include "outlet/scour_hole.h"
#include "platform/text/checked.h"
#include "platform/text/error.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"
#include "platform/units/units.h"

namespace gw::outlet {

using ui::Buttons;
using ui::Icon;

void PipeEnergyForm::Bed_Matl_Click() {
  const Units& u = vars().units();
  try {
    c("D16").set_enabled(true);
    c("D84").set_enabled(true);
    Control& pi = c("plindex");
    pi.set_enabled(false);
    pi.set_back_color(ui::kButtonFaceColor);
    pi.set_text("5.0");

    const bool english = u.english();
    const std::string bed = c("Bed_Matl").text();
    const BedMaterial* material = find_bed_material(bed);
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
    if (material) {
      // Only a velocity that varies with the depth needs the outlet's flow depth.
      double depth_ft = 0;
      if (!material->constant) {
        const std::string& depth = c("dn_C").text();
        const std::optional<double> y = text::try_number(depth);
        if (!y)
          throw Error("The permissible velocity of " + bed + " needs the Depth of flow at Outlet, which is " +
                      (depth.empty() ? std::string("empty.") : "\"" + depth + "\", not a number."));
        depth_ft = text::checked(*y * u.to_feet);
      }
      double velocity = text::checked(permissible_velocity_fps(*material, depth_ft));
      if (!english) velocity = text::checked(velocity * u.from_feet);
      permissible_velocity = velocity;
    }
    // An unknown material keeps the last permissible velocity and shows no D50 range.
    c("D50bed").set_text(material ? (english ? material->d50_english : material->d50_metric) : "");
    c("Velocity_NS").set_text(text::format(permissible_velocity, "0.00"));
    // Any earlier verdict is void for another bed.
    c("outlet_protection").set_text("");
    c("cmdanalyzeED").set_enabled(false);
  } catch (const std::exception& e) {
    msg(e.what(), Buttons::OK, Icon::Exclamation, {}, true);
  }
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
      f.discharge = number_in("E_Discharge", "Discharge");
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
      // The index is taken within 5..16 by the computation; the field keeps what it holds.
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
        msg("D84 should be > D16");
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
    msg(e.what());
  }
}

}  // namespace gw::outlet
