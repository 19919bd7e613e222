// The standard sizes of elliptical pipes and pipe arches: the ten size tables, the windows that
// list them and which window opens for which shape and unit system.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/units/units.h"

namespace gw::design {

// One standard size: span and rise (in or mm), full-flow area (sq ft or sq m) and full-flow
// hydraulic radius (ft or m), as the texts the pipe window receives.
struct SizeRow {
  std::string_view span;
  std::string_view rise;
  std::string_view area;
  std::string_view radius;
};

// A size-picker window: its names and texts, its table and what a pick writes.
struct SizePickerLayout {
  std::string_view window;                  // window name
  std::string_view shape;                   // the pipe shape it opens for
  bool english;                             // opened in English units (else in any other unit system)
  std::string_view caption;                 // window caption
  std::string_view heading;                 // heading above the list
  std::string_view list;                    // list box
  std::string_view select;                  // "Select" button
  std::string_view cancel;                  // "Cancel" button
  std::array<std::string_view, 4> columns;  // headings of span, rise, area, radius
  std::span<const SizeRow> rows;
  bool writes_area_radius;     // a pick also writes the area and the hydraulic radius
  std::string_view material;   // material a pick sets (empty: material and n stay)
  std::string_view manning_n;  // n a pick sets with the material
  bool preselects_first_row;   // the first row is selected on every load
};

// The ten pickers.
std::span<const SizePickerLayout> size_pickers();

// The picker of a shape: "Elliptical", "Arch-Conc", "Arch-S-Cor", "Arch-M-Cor" and "Arch-L-Cor"
// have one for English units and one for any other system; nullptr for any other shape text.
const SizePickerLayout* size_picker_for(std::string_view shape, UnitSystem unit_system);

// The list text of a row: its four texts joined by one TAB each.
std::string size_row_text(const SizeRow& row);

// Splits a list text at its TABs into at most four fields (the fourth keeps any further TAB).
std::vector<std::string> split_size_row(std::string_view text);

}  // namespace gw::design
