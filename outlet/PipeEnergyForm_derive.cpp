// The outfall window's one derivation: its inputs gathered, every derived value written, and what
// a derivation cleared or an opening changed put into words.
#include <optional>
#include <string>

#include "outlet/PipeEnergyForm.h"
#include "outlet/outfall_derivation.h"
#include "platform/error/error.h"
#include "platform/text/parse.h"
#include "platform/units/units.h"

namespace gw::outlet {

using ui::Buttons;
using ui::Icon;

namespace {

// The inputs of the derivation among the window's fields: a change of any of them, by any route
// (typing, paste, a pick, a value the other window hands back, the record read), derives anew.
constexpr const char* kDerivationInputs[] = {"C_Discharge", "Bed_Matl", "D16", "D84", "plindex"};

// Stored columns that an opening may write anew without the engineer's edit, with the field's
// caption and why the value changed.
struct ChangedColumn {
  const char* column;
  const char* control;
  const char* caption;
  const char* why;
};
constexpr ChangedColumn kMayChangeOnOpening[] = {
    {"C_DISCHARGE", "C_Discharge", "2-Yr Discharge",
     "computed anew from the outlet pipe's accumulated C * A and Tc with the 2-year rainfall"},
    {"TXT_EC", "VDOT_Riprap", "riprap class", "the saved class is none of the six VDOT standard classes"},
};

}  // namespace

void PipeEnergyForm::wire_derivation() {
  for (const char* name : kDerivationInputs)
    c(name).observe([this](Control&, ui::Prop p) {
      if (p == ui::Prop::Text) input_changed();
    });
}

void PipeEnergyForm::input_changed() {
  // The load derives once it has read the record and the outlet pipe.
  if (loading_ || deriving_ || !is_loaded()) return;
  derive();
  // A verdict the changed discharge voided is said when the discharge field is left; a change
  // that came by another route is said at once.
  if (!discharge_voided_verdict_.empty() && active_control() != &c("C_Discharge")) {
    const std::string verdict = discharge_voided_verdict_;
    discharge_voided_verdict_.clear();
    msg("The 2-Yr Discharge changed: the Outlet Protection \"" + verdict +
            "\" was reached with another 2-Yr Outlet Velocity and is cleared. Press Evaluate Needs.",
        Buttons::OK, Icon::Information);
  }
}

OutfallInputs PipeEnergyForm::gather_outfall_inputs() {
  const Units& u = vars().units();
  OutfallInputs in;
  in.english = u.english();
  in.to_feet = u.to_feet;
  in.from_feet = u.from_feet;
  in.gravity = u.gravity;
  in.size_divisor = u.size_divisor;
  in.manning_k = static_cast<double>(u.manning_k_single);
  in.velocity_unit = c("fpsmps", 2).caption();
  in.shape = outlet_shape;
  in.dia_rise = c("eDiaRise").text();
  in.span = outlet_span;
  in.slope = outlet_slope;
  in.manning_n = outlet_manning_n;
  try {
    in.design_discharge = design_discharge();
  } catch (const std::exception& e) {
    in.design_discharge_failure = e.what();
  }
  in.area = c("E_Area").text();
  in.hydraulic_radius = c("E_HydRad").text();
  in.depth = c("dn_C").text();
  try {
    in.two_year_discharge = two_year_discharge();
  } catch (const std::exception&) {
    // No number: the velocity is not derived.
  }
  in.two_year_text = c("C_Discharge").text();
  in.bed = c("Bed_Matl").text();
  in.d16 = c("D16").text();
  in.d84 = c("D84").text();
  in.plasticity_index = c("plindex").text();
  in.verdict = c("outlet_protection").text();
  in.verdict_basis = verdict_basis_;
  in.hole_sized = hole_sized_;
  return in;
}

void PipeEnergyForm::derive() {
  if (deriving_ || !is_loaded()) return;
  deriving_ = true;
  try {
    const OutfallDerived d = derive_outfall_values(gather_outfall_inputs());
    velocity_failed_ = d.velocity_failed;
    c("velocity2").set_text(d.velocity2);
    c("D50bed").set_text(d.d50_bed);
    c("Velocity_NS").set_text(d.permissible_velocity);
    permissible_velocity = d.permissible_velocity_value.value_or(0);
    bed_velocity_failure_ = d.bed_failure;
    cleared_verdict_.clear();
    cleared_reason_.clear();
    if (d.verdict != VerdictCheck::stands) {
      cleared_verdict_ = c("outlet_protection").text();
      cleared_reason_ = d.verdict_reason;
      // Only a changed 2-year velocity is the discharge's doing; a bed change voids the verdict
      // by itself.
      if (d.verdict == VerdictCheck::velocity_changed && verdict_basis_ &&
          (*verdict_basis_)[0] != d.velocity2)
        discharge_voided_verdict_ = cleared_verdict_;
      verdict_basis_.reset();
      c("outlet_protection").set_text("");
      c("cmdanalyzeED").set_enabled(false);
    }
    hole_failure_ = d.hole_failure;
    const ScourHole hole = d.hole_values.value_or(ScourHole{});
    scour_depth = hole.depth;
    scour_width = hole.width;
    scour_length = hole.length;
    scour_location = hole.location;
    c("txt_D").set_text(d.hole[0]);
    c("txt_W").set_text(d.hole[1]);
    c("txt_L").set_text(d.hole[2]);
    c("txtLocation").set_text(d.hole[3]);
  } catch (const std::exception& e) {
    // The derivation reads texts and raises nothing of its own; a failing control is a fault of
    // the window, said rather than left behind.
    deriving_ = false;
    msg(e.what(), Buttons::OK, Icon::Exclamation);
    return;
  }
  deriving_ = false;
}

void PipeEnergyForm::compute_pipe_velocity() {
  derive();
  if (velocity_failed_) tell("Invalid Data Input Error", Icon::Exclamation);
}

std::string PipeEnergyForm::cleared_verdict(bool saved) const {
  if (cleared_verdict_.empty()) return {};
  return std::string(saved ? "The saved Outlet Protection \"" : "The Outlet Protection \"") +
         cleared_verdict_ + "\" is cleared: " + cleared_reason_ + ". Press Evaluate Needs.";
}

void PipeEnergyForm::name_changed_stored_values(std::vector<std::string>& findings) {
  try {
    if (!adoEnergyRS || !adoEnergyRS->is_open() || adoEnergyRS->bof() || adoEnergyRS->eof()) return;
    for (const ChangedColumn& col : kMayChangeOnOpening) {
      if (!adoEnergyRS->has_field(col.column)) continue;
      const int i = adoEnergyRS->field_index(col.column);
      if (i < 0 || static_cast<std::size_t>(i) >= stored_values_.size()) continue;
      const std::string& stored = stored_values_[static_cast<std::size_t>(i)];
      const std::string now = adoEnergyRS->field(i);
      // A column the record left empty is filled, not changed.
      if (stored.empty() || now == stored) continue;
      const std::string unit =
          std::string(col.control) == "C_Discharge" ? " " + c("cfscms", 1).caption() : std::string();
      auto shown = [](const std::string& t) { return text::is_numeric(t) ? t : "\"" + t + "\""; };
      findings.push_back("The saved " + std::string(col.caption) + " " + shown(stored) + unit + " is now " +
                         shown(now) + unit + ": " + col.why + ".");
    }
  } catch (const std::exception&) {
    // Naming the changes is a courtesy: the record stays as the load left it.
  }
}

}  // namespace gw::outlet
