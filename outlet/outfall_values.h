// What the outfall window hands the energy dissipation window: its fields as they stand, the
// outlet pipe's shape, full-flow area and standard diameter, and the discharges whole.
#pragma once

#include <optional>
#include <string>

namespace gw::outlet {

struct OutfallValues {
  // The fields as the outfall window shows them (the designs read the numbers among them and
  // name the field when one holds none; the workbook writes them as they stand).
  std::string node;                   // enodeout, the outfall node
  std::string dia_rise;               // eDiaRise, the outlet's diameter or rise (in or mm)
  std::string design_discharge_text;  // E_Discharge
  std::string depth;                  // dn_C, depth of flow at the outlet
  std::string velocity;               // V_C, outlet velocity
  std::string froude;                 // FR_C
  std::string velocity2;              // velocity2, the 2-year outlet velocity
  std::string tailwater;              // dn_TW
  std::string bed_material;           // Bed_Matl
  std::string d50_bed;                // D50bed
  std::string permissible_velocity;   // Velocity_NS
  std::string protection;             // outlet_protection, the verdict
  std::string d16, d84;               // D16, D84
  std::string plasticity_index;       // plindex
  std::string scour_depth;            // txt_D
  std::string scour_width;            // txt_W
  std::string scour_length;           // txt_L
  std::string scour_location;         // txtLocation
  std::string basin_width;            // W_culvert, width of the basin at the outlet
  std::string check_discharge_text;   // C_Discharge, the 2-year discharge per barrel
  std::string storm;                  // usdastorm_freq
  // The basin inputs the energy dissipation window hands back when it is closed.
  std::string l2_by_h2;  // L2byh2
  std::string h3;        // txth3
  // The end sill is the one the Contra Costa design computed and handed back, not one the
  // engineer typed: it is computed anew from the current inputs.
  bool h3_computed = false;
  std::string vdot_riprap;  // VDOT_Riprap

  // The discharges behind their rounded texts; when one is not known, why.
  std::optional<double> design_discharge;
  std::string design_discharge_failure;
  std::optional<double> two_year_discharge;

  // The outlet pipe as the outfall window read it: its PIPE_SHAPE text, the full-flow area of
  // its barrels (ft² or m², 0 when not known) and its standard diameter (inches as text, empty
  // when not known).
  std::string outlet_shape;
  double full_flow_area = 0;
  std::string standard_diameter;
};

}  // namespace gw::outlet
