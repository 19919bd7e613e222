// The land-use rows of the drainage-area calculator of legacy projects.
#include "design/frmarea.h"

namespace gw::design {

const std::vector<area::LandUseRow>& frmarea::land_use_rows() {
  static const std::vector<area::LandUseRow> rows = {
      {"BUSINESS:", "Residential", "0.70 - 0.95", "0.70"},
      {"", "Neighborhood", "0.50 - 0.70", "0.50"},
      {"RESIDENTIAL:", "Single-Famile", "0.30 - 0.50", "0.30"},
      {"", "Multi-Units (Detached)", "0.40 - 0.60", "0.40"},
      {"", "Multi-Units (Attached)", "0.60 - 0.75", "0.60"},
      {"", "Suburban", "0.25 - 0.40", "0.25"},
      {"", "Apartment Areas", "0.50 - 0.70", "0.50"},
      {"INDUSTRIAL:", "Light Areas", "0.50 - 0.80", "0.50"},
      {"", "Heavy Areas", "0.60 - 0.90", "0.60"},
      {"", "Parks, Cemetaries", "0.10 - 0.25", "0.10"},
      {"", "Playgrounds", "0.20 - 0.40", "0.20"},
      {"", "Railroad Yard Areas", "0.20 - 0.40", "0.20"},
      {"", "Unimproved Areas", "0.10 - 0.30", "0.10"},
      {"LAWNS:", "Sandy Soil, Flat, 2%", "0.05 - 0.10", "0.05"},
      {"", "Sandy Soil, Ave, 2-7%", "0.10 - 0.15", "0.10"},
      {"", "Sandy Soil, Steep, 7%", "0.15 - 0.20", "0.15"},
      {"", "Heavy Soil, Flat, 2%", "0.13 - 0.17", "0.13"},
      {"", "Heavy Soil, Ave, 2-7%", "0.18 - 0.22", "0.18"},
      {"", "Heavy Soil, Steep, 7%", "0.25 - 0.35", "0.25"},
      {"STREETS", "Asphaltic", "0.70 - 0.95", "0.70"},
      {"", "Concrete", "0.80 - 0.95", "0.80"},
      {"", "Brick", "0.70 - 0.85", "0.70"},
      {"", "Drives and Walks", "0.70 - 0.85", "0.70"},
      {"", "Roofs", "0.70 - 0.95", "0.70"},
  };
  return rows;
}

frmarea::frmarea(shell::Program& p) : DrainageAreaWindow(p, kName, land_use_rows()) {}

}  // namespace gw::design
