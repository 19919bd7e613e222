// The energy dissipation window's USDA rock outlet protection: coefficients by standard
// diameter from the reference database and the rock apron they give.
#include "outlet/frmEnergyDissipation.h"

#include <array>
#include <optional>
#include <string>

#include "platform/db/recordset.h"
#include "platform/error/error.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"

namespace gw::outlet {

using ui::Buttons;
using ui::Icon;

namespace {

constexpr const char* kUsdaColumns[10] = {"A1", "B1", "C1", "D1", "E1", "A2", "B2", "C2", "D2", "E2"};
constexpr const char* kUsdaDatabase = "USDACOEFF.rdb";

// One row of table USDACOEFF; a NULL or non-numeric column has no value.
using UsdaRow = std::array<std::optional<double>, 10>;

std::optional<double> coefficient(const db::Value& v) {
  if (v.is_null()) return std::nullopt;
  return text::try_number(v.text());
}

}  // namespace

void frmEnergyDissipation::clear_usda_results() {
  c("usdastorm_freq").set_text("2");
  for (const char* name : {"L_ROP", "W_ROP", "D50_size", "Thickness_Apron"}) c(name).set_text("");
}

void frmEnergyDissipation::load_usda_coefficients() {
  // Reads the row of the outlet's standard diameter; the apron is designed only from a complete
  // set of coefficients of that very diameter (a failed read leaves usda_coefficients as it was
  // and raises, naming the diameter).
  const shell::SharedState& v = vars();
  const std::string dia = outfall().standard_diameter;
  if (dia.empty()) throw Error("The outlet pipe has no standard diameter.");
  if (!v.connections.usda_connection || !v.connections.usda_connection->is_open())
    throw Error(std::string("The coefficient database ") + kUsdaDatabase + " is not open.");
  UsdaRow row;
  {
    db::Recordset rs;
    rs.open(*v.connections.usda_connection,
            "select A1,B1, C1, D1, E1, A2, B2, C2, D2, E2 from USDACOEFF where DIA = ?", {db::Value(dia)});
    if (rs.eof())
      throw Error("The coefficient table of " + std::string(kUsdaDatabase) + " has no row for the " + dia +
                  " in standard diameter.");
    for (int i = 0; i < 10; ++i) row[static_cast<std::size_t>(i)] = coefficient(rs.value(i));
    rs.close();
  }
  // The tailwater case chooses the set; only its five coefficients are needed.
  const Units& u = units();
  const double tw = outfall_number(&OutfallValues::tailwater);
  const double do_ = outfall_number(&OutfallValues::dia_rise) / u.size_divisor;
  const std::size_t first = usda_uses_set1(tw, do_) ? 0 : 5;
  for (std::size_t i = first; i < first + 5; ++i)
    if (!row[i])
      throw Error("The coefficient " + std::string(kUsdaColumns[i]) + " of the " + dia +
                  " in standard diameter is " + "missing in " + kUsdaDatabase + ".");
  UsdaCoefficients k;
  double* slots[10] = {&k.a1, &k.b1, &k.c1, &k.d1, &k.e1, &k.a2, &k.b2, &k.c2, &k.d2, &k.e2};
  for (std::size_t i = 0; i < 10; ++i) *slots[i] = row[i].value_or(0);
  usda_coefficients = k;
}

void frmEnergyDissipation::design_usda_outlet_protection() {
  run_design("USDA Rock Outlet Protection", &frmEnergyDissipation::clear_usda_results,
             &frmEnergyDissipation::usda_design);
}

void frmEnergyDissipation::usda_design() {
  clear_usda_results();
  load_usda_coefficients();
  const Units& u = units();
  const double q = check_discharge();
  if (!(q > 0)) throw Error("The Check Discharge /barrel must be greater than zero.");
  const double q_cfs = q * u.to_feet * u.to_feet * u.to_feet;
  const double tw = outfall_number(&OutfallValues::tailwater);
  const double do_ = outfall_number(&OutfallValues::dia_rise) / u.size_divisor;
  const double w0 = outfall_number(&OutfallValues::basin_width);
  const UsdaApron a = design_usda_apron(usda_coefficients, q_cfs, tw, do_, w0, u.from_feet);
  c("L_ROP").set_text(text::format(a.length, "0.0"));
  c("W_ROP").set_text(text::format(a.width, "0.0"));
  c("D50_size").set_text(text::format(a.d50, u.english() ? "0.0" : "0.000"));
  c("Thickness_Apron").set_text(text::format(a.thickness, "0.0"));
}

}  // namespace gw::outlet
