// The energy dissipation window's three basin designs: riprap basin, Contra Costa basin and
// USBR Type VI impact basin, with their clear routines and the events of their input fields.
#include "outlet/frmEnergyDissipation.h"

#include <algorithm>
#include <optional>
#include <string>

#include "outlet/contra_costa_basin.h"
#include "outlet/design_refusal.h"
#include "outlet/riprap_basin.h"
#include "outlet/usbr_basin.h"
#include "platform/error/error.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"
#include "shell/input_procedures.h"

namespace gw::outlet {

using ui::Buttons;
using ui::Icon;

namespace {

std::string two_decimals(double v) { return text::format(v, "0.00"); }

}  // namespace

// ---- riprap basin -----------------------------------------------------------------------

void frmEnergyDissipation::clear_riprap_basin_results() {
  for (const char* name :
       {"L_Basin", "L_Pool", "L_Apron", "D_Pool", "T_StoneA", "T_StoneB", "W_Exit", "V_Exit"})
    c(name).set_text("");
}

void frmEnergyDissipation::VDOT_Riprap_Click() {
  // A text that names none of the six classes has no stone size: the field is emptied rather
  // than left showing the size of the class chosen before.
  const std::optional<double> d50 = riprap_class_d50_feet(c("VDOT_Riprap").text());
  c("sizeD50").set_text(d50 ? text::format(*d50 * units().from_feet, "0.000") : std::string());
}

void frmEnergyDissipation::clear_riprap_basin_design() {
  clear_riprap_basin_results();
  c("txtdE", 2).set_text("");
  c("txtFRo", 2).set_text("");
}

void frmEnergyDissipation::design_riprap_basin() {
  run_design("Riprap Basin", &frmEnergyDissipation::clear_riprap_basin_design,
             &frmEnergyDissipation::riprap_basin_design);
}

void frmEnergyDissipation::riprap_basin_design() {
  const OutletDepth d = outlet_equivalent_depth(2);
  // The limit applies to the Froude number as shown, to two decimals.
  if (riprap_basin_refuses(d.froude)) {
    clear_riprap_basin_results();
    if (!quiet_) msg(kRiprapBasinRefusal, Buttons::OK, Icon::Exclamation);
    return;
  }
  clear_riprap_basin_results();
  const Units& u = units();
  RiprapBasinInput in;
  in.dE = d.dE;
  in.froude = d.froude;
  in.tailwater = outfall_number(&OutfallValues::tailwater);
  const std::string cls = c("VDOT_Riprap").text();
  const std::optional<double> d50_feet = riprap_class_d50_feet(cls);
  if (!d50_feet) throw Error("The riprap class \"" + cls + "\" is none of the VDOT standard classes.");
  in.d50 = *d50_feet * u.from_feet;
  in.width = outfall_number(&OutfallValues::basin_width);
  if (!(in.width > 0)) throw Error("The Width of Basin at Outlet must be greater than zero.");
  in.discharge = outlet_discharge();
  if (!(in.discharge > 0)) throw Error("The Discharge must be greater than zero.");
  in.gravity = u.gravity;
  const RiprapBasin b = outlet::design_riprap_basin(in);
  c("sizeD50").set_text(text::format(b.d50, "0.000"));
  c("L_Pool").set_text(two_decimals(b.pool_length));
  c("L_Basin").set_text(two_decimals(b.basin_length));
  c("D_Pool").set_text(two_decimals(b.pool_depth));
  c("L_Apron").set_text(two_decimals(b.apron_length));
  c("T_StoneA").set_text(two_decimals(b.apron_thickness));
  c("T_StoneB").set_text(two_decimals(b.basin_thickness));
  c("W_Exit").set_text(two_decimals(b.exit_width));
  c("V_Exit").set_text(two_decimals(b.exit_velocity));
}

// ---- Contra Costa basin -----------------------------------------------------------------

void frmEnergyDissipation::clear_contra_costa_results() {
  c("txtdE", 1).set_text("");
  c("txtFRo", 1).set_text("");
  for (const char* name :
       {"txtWbasin", "txtLB", "txtL1", "txtL2", "txtL3", "txth1", "txth2", "txtyc", "txtVelocityc"})
    c(name).set_text("");
}

void frmEnergyDissipation::design_contra_costa_basin() {
  run_design("Contra Costa Basin", &frmEnergyDissipation::clear_contra_costa_results,
             &frmEnergyDissipation::contra_costa_design);
}

ContraCostaFields frmEnergyDissipation::contra_costa_fields() {
  ContraCostaFieldsInput in;
  try {
    const OutletDepth d = outlet_equivalent_depth(1);
    in.basin.dE = d.dE;
    in.basin.froude = d.froude;
    in.basin.width = outfall_number(&OutfallValues::basin_width);
    in.basin.discharge = outlet_discharge();
    in.basin.gravity = units().gravity;
  } catch (const std::exception& e) {
    in.failure = e.what();
  }
  in.ratio = c("L2byh2").text();
  in.sill = c("txth3").text();
  in.sill_computed = sill_computed_;
  return derive_contra_costa_fields(in);
}

void frmEnergyDissipation::show_contra_costa(const ContraCostaFields& f) {
  writing_ = true;
  c("txtdE", 1).set_text(f.dE);
  c("txtFRo", 1).set_text(f.froude);
  c("txtWbasin").set_text(f.basin_width);
  c("txtLB").set_text(f.LB);
  c("txtL1").set_text(f.L1);
  c("txtL2").set_text(f.L2);
  c("txtL3").set_text(f.L3);
  c("txth1").set_text(f.h1);
  c("txth2").set_text(f.h2);
  c("txtY2").set_text(f.Y2);
  // The engineer's end sill stays; the design's own follows the basin.
  c("txth3").set_text(f.sill);
  sill_computed_ = f.sill_computed;
  c("txtyc").set_text(f.exit_depth);
  c("txtVelocityc").set_text(f.exit_velocity);
  writing_ = false;
}

void frmEnergyDissipation::name_sill(const ContraCostaFields& f) {
  if (f.sill_outside.empty() || f.sill_outside == sill_named_) return;
  sill_named_ = f.sill_outside;
  msg("Contra Costa Basin: " + f.sill_outside + " It is kept as typed; empty the field for the computed one.",
      Buttons::OK, Icon::Exclamation);
}

void frmEnergyDissipation::contra_costa_design() {
  Control& ratio = c("L2byh2");
  if (ratio.text().empty()) ratio.set_text(kContraCostaDefaultRatio);
  const ContraCostaFields f = contra_costa_fields();
  show_contra_costa(f);
  if (f.refused) {
    if (!quiet_) msg(kContraCostaRefusal);
    return;
  }
  if (!f.failure.empty()) throw Error(f.failure);
  if (!quiet_) name_sill(f);
}

void frmEnergyDissipation::rederive(void (frmEnergyDissipation::*body)(),
                                    void (frmEnergyDissipation::*clear)()) {
  if (!analysed_ || quiet_ || writing_) return;
  quiet_ = true;
  try {
    (this->*body)();
  } catch (const std::exception&) {
    // Nothing designed from other inputs stays on show, nor reaches the workbook.
    try {
      (this->*clear)();
    } catch (const std::exception&) {}
  }
  quiet_ = false;
}

void frmEnergyDissipation::wire_derivation() {
  c("L2byh2").observe([this](Control&, ui::Prop p) {
    if (p == ui::Prop::Text)
      rederive(&frmEnergyDissipation::contra_costa_design, &frmEnergyDissipation::clear_contra_costa_results);
  });
  c("txth3").observe([this](Control&, ui::Prop p) {
    if (p != ui::Prop::Text || writing_) return;
    // What the engineer puts there is theirs.
    sill_computed_ = false;
    rederive(&frmEnergyDissipation::contra_costa_design, &frmEnergyDissipation::clear_contra_costa_results);
  });
  c("VDOT_Riprap").observe([this](Control&, ui::Prop p) {
    if (p == ui::Prop::Text)
      rederive(&frmEnergyDissipation::riprap_basin_design, &frmEnergyDissipation::clear_riprap_basin_design);
  });
}

void frmEnergyDissipation::L2byh2_LostFocus() {
  Control& box = c("L2byh2");
  if (box.text().empty()) box.set_text(kContraCostaDefaultRatio);
  // A text that reads as no number (a pasted word, a lone point) gets the range message too.
  const std::optional<double> x = text::try_number(box.text());
  if (!x || !contra_costa_ratio_in_range(*x)) {
    msg(kContraCostaRatioRange, Buttons::OK, Icon::Exclamation);
    return;
  }
  box.set_text(two_decimals(*x));
}

void frmEnergyDissipation::txth3_LostFocus() {
  Control& box = c("txth3");
  const std::string& t = box.text();
  const std::string trimmed = t.substr(std::min(t.find_first_not_of(' '), t.size()));
  box.set_text(text::format_text(trimmed, "0.00"));
  // A sill typed outside its range for the basin designed is named, not used silently.
  if (analysed_ && !sill_computed_) {
    const ContraCostaFields f = contra_costa_fields();
    if (!f.refused && f.failure.empty()) name_sill(f);
  }
}

// ---- USBR Type VI impact basin ----------------------------------------------------------

void frmEnergyDissipation::clear_usbr_results() {
  c("txtdE", 0).set_text("");
  c("txtFRo", 0).set_text("");
  for (const char* name : {"txtHo", "txtHL", "txtHe", "txtdB", "txtVB"}) c(name).set_text("");
  for (int k = 0; k < 15; ++k) c("USBRsize", k).set_text("");
}

void frmEnergyDissipation::design_usbr_type6_basin() {
  run_design("USBR Type VI Basin", &frmEnergyDissipation::clear_usbr_results,
             &frmEnergyDissipation::usbr_design);
}

void frmEnergyDissipation::usbr_design() {
  clear_usbr_results();
  const Units& u = units();
  UsbrInput in;
  in.discharge = outlet_discharge();
  in.velocity = outfall_number(&OutfallValues::velocity);
  in.to_feet = u.to_feet;
  in.from_feet = u.from_feet;
  try {
    check_usbr_limits(in.discharge, in.velocity, in.to_feet);
  } catch (const DesignRefused& e) {
    msg(e.what());
    return;
  }
  const OutletDepth d = outlet_equivalent_depth(0);
  in.dE = d.dE;
  in.froude = d.froude;
  in.gravity = u.gravity;
  const UsbrBasin b = design_usbr_basin(in);
  c("txtHo").set_text(two_decimals(b.Ho));
  c("USBRsize", 0).set_text(two_decimals(b.width));
  for (int k = 0; k < 14; ++k) c("USBRsize", k + 1).set_text(two_decimals(b.dims[k]));
  if (b.beyond_table)
    msg("USBR Type VI Basin: the basin width " + two_decimals(b.width) + " " + std::string(u.length_name) +
            " is wider than the widest standard basin, " + two_decimals(kUsbrWidestBasinFeet * u.from_feet) +
            " " + std::string(u.length_name) + "; the dimensions shown are those of the widest basin.",
        Buttons::OK, Icon::Exclamation);
  c("txtHL").set_text(two_decimals(b.HL));
  c("txtHe").set_text(two_decimals(b.He));
  // An exit depth is designed only when a depth below the equivalent depth meets the exit energy.
  if (!b.exit_found || !b.exit_velocity) {
    msg("USBR Type VI Basin: No exit depth below the equivalent depth " + two_decimals(d.dE) + " " +
            std::string(u.length_name) + " meets the exit energy He " + two_decimals(b.He) + " " +
            std::string(u.length_name) + "; dB and VB are not designed.",
        Buttons::OK, Icon::Exclamation);
    return;
  }
  c("txtdB").set_text(two_decimals(b.exit_depth));
  c("txtVB").set_text(two_decimals(*b.exit_velocity));
}

// ---- events of the basin panels' input fields ---------------------------------------------

void frmEnergyDissipation::wire_basin_fields() {
  c("VDOT_Riprap").on_click = [this] { VDOT_Riprap_Click(); };
  for (const char* name : {"L2byh2", "txth3"}) {
    Control& box = c(name);
    box.on_got_focus = [&box] { shell::select_all_text(box); };
    shell::numeric_field(box);
  }
  c("L2byh2").on_lost_focus = [this] { L2byh2_LostFocus(); };
  c("txth3").on_lost_focus = [this] { txth3_LostFocus(); };
}

}  // namespace gw::outlet
