// The energy dissipation window's VDOT Drainage Manual riprap apron: lining class by outlet
// velocity and the apron's length, width and thickness.
#include "outlet/frmEnergyDissipation.h"

#include "outlet/vdot_apron.h"
#include "platform/error/error.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"

namespace gw::outlet {

using ui::Buttons;
using ui::Icon;

void frmEnergyDissipation::clear_vdot_dm_results() {
  for (const char* name : {"txt_EC", "txtEC_L", "txtEC_W", "txtEC_T"}) c(name).set_text("");
}

void frmEnergyDissipation::design_vdot_dm_outlet_protection() {
  run_design("VDOT Drainage Manual Riprap Apron", &frmEnergyDissipation::clear_vdot_dm_results,
             &frmEnergyDissipation::vdot_dm_design);
}

void frmEnergyDissipation::vdot_dm_design() {
  clear_vdot_dm_results();
  const double fr = outfall_number(&OutfallValues::froude);
  if (fr > 3.0)
    msg("Froude Number exceeds 3. \nSpecial design outlet protection required for VDOT Drainage Manual "
        "method.",
        Buttons::OK, Icon::Exclamation);
  select_vdot_dm_lining();
}

void frmEnergyDissipation::select_vdot_dm_lining() {
  // The lining is chosen by the outlet velocity: without one there is no lining to choose, and
  // the design fails rather than taking the first row of the table.
  const Units& u = units();
  const double vft = outfall_number(&OutfallValues::velocity) * u.to_feet;
  const VdotLining row = vdot_lining(vft);
  if (row.sized) size_vdot_dm_apron();
  c("txt_EC").set_text(row.text);
  if (row.sized)
    c("txtEC_T").set_text(text::format(row.thickness_ft * u.from_feet, "0.00"));
  else if (row.not_required)
    c("txtEC_T").set_text("");
}

void frmEnergyDissipation::size_vdot_dm_apron() {
  const Units& u = units();
  const double area_sqft = outfall().full_flow_area * u.to_feet * u.to_feet;
  if (!(area_sqft > 0)) throw Error("The outlet pipe's full-flow area is not known.");
  const double do_ = outfall_number(&OutfallValues::dia_rise) / u.size_divisor;
  const double w0 = outfall_number(&OutfallValues::basin_width);
  const VdotApron apron = vdot_apron_size(area_sqft, do_, w0);
  c("txtEC_L").set_text(text::format(apron.length, "0.00"));
  c("txtEC_W").set_text(text::format(apron.width, "0.00"));
}

}  // namespace gw::outlet
