// The outfall window's evaluation: bed material and permissible velocity, the need for outlet
// protection, and the scour hole.
#include "outlet/PipeEnergyForm.h"

#include "outlet/bed_material.h"
#include "outlet/scour_hole.h"
#include "platform/text/checked.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"

namespace gw::outlet {

using ui::Buttons;
using ui::Icon;

void PipeEnergyForm::Bed_Matl_Click() {
  shell::SharedState& v = vars();
  try {
    c("D16").set_enabled(true);
    c("D84").set_enabled(true);
    Control& pi = c("plindex");
    pi.set_enabled(false);
    pi.set_back_color(ui::kButtonFaceColor);
    pi.set_text("5.0");

    const double depth_ft = text::checked(text::to_number(c("dn_C").text()) * v.to_feet_factor);
    const bool english = v.unit_system == "ENGLISH";
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
      double velocity = text::checked(permissible_velocity_fps(*material, depth_ft));
      if (!english) velocity = text::checked(velocity * v.from_feet_factor);
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
    const double outlet = text::to_number(c("velocity2").text());
    const double permissible = text::to_number(c("Velocity_NS").text());
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

void PipeEnergyForm::compute_scour_hole() {
  shell::SharedState& v = vars();
  try {
    auto flow = [&] {
      ScourFlow f;
      f.discharge = text::to_number(c("E_Discharge").text());
      f.area = text::to_number(c("E_Area").text());
      f.hydraulic_radius = text::to_number(c("E_HydRad").text());
      f.to_feet = v.to_feet_factor;
      f.from_feet = v.from_feet_factor;
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
      double pi = text::to_number(c("plindex").text());
      if (pi < 5) {
        c("plindex").set_text("5.0");
        pi = 5;
      }
      hole = clay_scour_hole(flow(), pi);
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
      const double d16 = text::to_number(c("D16").text());
      const double d84 = text::to_number(c("D84").text());
      if (d16 >= d84) {
        msg("D84 should be > D16");
        return;
      }
      hole = cohesionless_scour_hole(flow(), v.gravity, d16, d84);
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
