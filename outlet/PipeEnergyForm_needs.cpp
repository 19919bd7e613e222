// The outfall window's evaluation: bed material and permissible velocity, the need for outlet
// protection, and the scour hole.
#include "outlet/PipeEnergyForm.h"

#include <optional>
#include <string>

#include "outlet/bed_material.h"
#include "outlet/scour_hole.h"
#include "platform/error/error.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"

namespace gw::outlet {

using ui::Buttons;
using ui::Icon;

void PipeEnergyForm::Bed_Matl_Click() {
  const bool english = vars().units().english();
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
  // Any earlier verdict is void for another bed.
  c("outlet_protection").set_text("");
  c("cmdanalyzeED").set_enabled(false);
  verdict_basis_.reset();
  // The permissible velocity of this bed, or why it is not known: never one of another bed.
  derive();
  if (!bed_velocity_failure_.empty()) tell(bed_velocity_failure_, Icon::Exclamation, true);
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
  // A verdict needs the 2-year velocity of an outlet pipe, and the permissible velocity of the
  // bed shown beside it.
  if (c("velocity2").text().empty()) {
    msg("The 2-Yr Outlet Velocity is empty.", Buttons::OK, Icon::Exclamation, {}, true);
    return;
  }
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
    // The verdict belongs to the two velocities it is reached with.
    verdict_basis_ = std::array<std::string, 2>{c("velocity2").text(), c("Velocity_NS").text()};
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
  // From now on the hole follows its inputs; the press only puts the inputs in order first.
  hole_sized_ = true;
  if (c("Bed_Matl").text() == kClayBed) {
    c("D16").set_enabled(false);
    c("D84").set_enabled(false);
    c("plindex").set_enabled(true);
    if (c("plindex").text().empty()) {
      plindex_LostFocus();
    } else if (text::is_numeric(c("plindex").text())) {
      // The index the hole is computed with is the one the field shows and the workbook reports.
      if (const std::optional<std::string> in_range = plasticity_index_in_range(c("plindex").text()))
        c("plindex").set_text(*in_range);
    }
  } else {
    c("D16").set_enabled(true);
    c("D84").set_enabled(true);
    c("plindex").set_enabled(false);
    if (c("D16").text().empty()) D16_LostFocus();
    if (c("D84").text().empty()) D84_LostFocus();
  }
  derive();
  if (!hole_failure_.empty()) tell(hole_failure_, Icon::None);
}

}  // namespace gw::outlet
