// The energy dissipation window's VDOT Drainage Manual riprap apron: lining class by outlet
// velocity and the apron's length, width and thickness.
#include "outlet/frmEnergyDissipation.h"

#include "outlet/vdot_apron.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"

namespace gw::outlet {

using ui::Buttons;
using ui::Icon;

void frmEnergyDissipation::clear_vdot_dm_results() {
  for (const char* name : {"txt_EC", "txtEC_L", "txtEC_W", "txtEC_T"}) c(name).set_text("");
}

void frmEnergyDissipation::design_vdot_dm_outlet_protection() {
  try {
    clear_vdot_dm_results();
    const double fr = text::to_number(outfall("FR_C").text());
    if (fr > 3.0)
      msg("Froude Number exceeds 3. \nSpecial design outlet protection required for VDOT Drainage Manual method.",
          Buttons::OK, Icon::Exclamation);
    select_vdot_dm_lining();
  } catch (const std::exception& e) {
    msg(e.what(), Buttons::OK, Icon::Exclamation, {}, true);
  }
}

void frmEnergyDissipation::select_vdot_dm_lining() {
  // Each step that fails is passed over and the next one runs; a velocity that cannot be
  // read counts as none, which takes the first row of the table.
  double vft = 0;
  try {
    vft = text::to_number(outfall("V_C").text()) * vars().to_feet_factor;
  } catch (const std::exception&) {
  }
  const VdotLining row = vdot_lining(vft);
  try {
    c("txt_EC").set_text(row.text);
  } catch (const std::exception&) {
  }
  if (row.sized) {
    try {
      size_vdot_dm_apron();
    } catch (const std::exception&) {
    }
    try {
      c("txtEC_T").set_text(text::format(row.thickness_ft * vars().from_feet_factor, "0.00"));
    } catch (const std::exception&) {
    }
  } else if (row.not_required) {
    c("txtEC_T").set_text("");
  }
}

void frmEnergyDissipation::size_vdot_dm_apron() {
  const shell::SharedState& v = vars();
  const double area_sqft = v.full_flow_area * v.to_feet_factor * v.to_feet_factor;
  const double do_ = text::to_number(outfall("eDiaRise").text()) / v.dia_divisor;
  const double k_do = vdot_apron_size(area_sqft, do_, 0).length;
  c("txtEC_L").set_text(text::format(k_do, "0.00"));
  c("txtEC_W").set_text(text::format(k_do, "0.00"));
  const double w0 = text::to_number(outfall("W_culvert").text());
  c("txtEC_W").set_text(text::format(vdot_apron_size(area_sqft, do_, w0).width, "0.00"));
}

}  // namespace gw::outlet
