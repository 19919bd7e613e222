// The energy dissipation window's USDA rock outlet protection: coefficients by standard
// diameter from the reference database and the rock apron they give.
#include "outlet/frmEnergyDissipation.h"

#include <cmath>

#include "platform/db/recordset.h"
#include "platform/text/error.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"

namespace gw::outlet {

using ui::Buttons;
using ui::Icon;

void frmEnergyDissipation::clear_usda_results() {
  c("usdastorm_freq").set_text("2");
  for (const char* name : {"L_ROP", "W_ROP", "D50_size", "Thickness_Apron"}) c(name).set_text("");
}

void frmEnergyDissipation::load_usda_coefficients() {
  try {
    const shell::SharedState& v = vars();
    if (!v.usda_connection || !v.usda_connection->is_open()) throw Error("The reference database is not open.");
    db::Recordset rs;
    rs.open(*v.usda_connection, "select A1,B1, C1, D1, E1, A2, B2, C2, D2, E2 from USDACOEFF where DIA = ?",
            {db::Value(v.standard_diameter)});
    if (rs.eof()) throw Error("Either BOF or EOF is True, or the current record has been deleted.");
    // Read in order: a failure keeps the coefficients read before it and the older rest.
    double* slots[10] = {&usda_coefficients.a1, &usda_coefficients.b1, &usda_coefficients.c1,
                         &usda_coefficients.d1, &usda_coefficients.e1, &usda_coefficients.a2,
                         &usda_coefficients.b2, &usda_coefficients.c2, &usda_coefficients.d2,
                         &usda_coefficients.e2};
    for (int i = 0; i < 10; ++i) *slots[i] = text::to_number(rs.field(i));
    rs.close();
  } catch (const std::exception& e) {
    msg(e.what());
  }
}

void frmEnergyDissipation::design_usda_outlet_protection() {
  try {
    clear_usda_results();
    load_usda_coefficients();
    const shell::SharedState& v = vars();
    const double f = v.to_feet_factor;
    const double q = text::to_number(c("C_Discharge").text()) * f * f * f;
    const double tw = text::to_number(outfall("dn_TW").text());
    const double do_ = text::to_number(outfall("eDiaRise").text()) / v.dia_divisor;
    const double w0 = text::to_number(outfall("W_culvert").text());
    const UsdaApron a = design_usda_apron(usda_coefficients, q, tw, do_, w0, v.from_feet_factor);
    c("L_ROP").set_text(text::format(a.length, "0.0"));
    c("W_ROP").set_text(text::format(a.width, "0.0"));
    c("D50_size").set_text(text::format(a.d50, v.unit_system == "ENGLISH" ? "0.0" : "0.000"));
    c("Thickness_Apron").set_text(text::format(a.thickness, "0.0"));
  } catch (const std::exception& e) {
    msg(e.what(), Buttons::OK, Icon::Exclamation, {}, true);
  }
}

}  // namespace gw::outlet
