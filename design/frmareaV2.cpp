// The land-use rows of the drainage-area calculator of current projects.
#include "design/frmareaV2.h"

namespace gw::design {

const std::vector<area::LandUseRow>& frmareaV2::land_use_rows() {
  // Labels keep their designed blanks. Row 6 holds the one-half sign (UTF-8 of code 189).
  static const std::vector<area::LandUseRow> rows = {
      {"", "Business: Industrial and Commercial", "0.80 - 0.90", "0.80"},
      {"", "Apartments and Townhomes", "0.65 - 0.75", "0.65"},
      {"", "Schools  ", "0.50 - 0.60", "0.50"},
      {"RESIDENTIAL:", "- Lots 10,000 sq. ft. ", "0.40 - 0.50", "0.40"},
      {"", " - Lots 12,000 sq. ft.  ", "0.40 - 0.45", "0.40"},
      {"", "  - Lots 17,000 sq. ft.  ", "0.35 - 0.45", "0.35"},
      {"", " - Lots \xC2\xBD acre or more  ", "0.30 - 0.40", "0.30"},
      {"", "Parks, Cemeteries and Unimproved Areas  ", "0.20 - 0.35", "0.20"},
      {"", "Paved and Roof Areas", "0.90 - 0.95", "0.90"},
      {"", "Cultivated Areas  ", "0.50 - 0.70", "0.50"},
      {"", "Pasture ", "0.35 - 0.45", "0.35"},
      {"", "Lawns ", "0.25 - 0.35", "0.25"},
      {"", "Forest  ", "0.20 - 0.30", "0.20"},
      {"", "Steep Grass (2:1)  ", "0.40 - 0.70", "0.40"},
      {"", "Shoulder and Ditch Areas   ", "0.35 - 0.50", "0.35"},
  };
  return rows;
}

frmareaV2::frmareaV2(shell::Program& p) : DrainageAreaWindow(p, kName, land_use_rows()) {}

}  // namespace gw::design
