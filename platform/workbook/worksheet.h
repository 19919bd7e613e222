// One worksheet part: its cells found by (row, column) through an index kept beside the
// XML, values written and read in place, every other element of the part left as it is.
#pragma once

#include <pugixml.hpp>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace gw::wb {

// A cell's value as the part holds it.
struct CellValue {
  enum class Kind { Blank, Number, Text, Boolean, Error };
  Kind kind = Kind::Blank;
  double number = 0;  // Number, Boolean (1 or 0)
  std::string text;   // Text, Error
};

class Worksheet {
 public:
  // Parses the part's XML; raises gw::Error when it is damaged or has no cell table.
  Worksheet(const std::string& xml, const std::string& part);
  Worksheet(const Worksheet&) = delete;
  Worksheet& operator=(const Worksheet&) = delete;

  std::string xml();
  bool changed() const { return changed_; }

  // Writes replace the cell's value and formula and keep its style. A blank write
  // leaves a missing cell missing.
  void set_number(int row, int col, double v);
  void set_text(int row, int col, const std::string& text);
  void set_blank(int row, int col);
  // The cell's style index (0 when the cell is missing or has none), and setting it.
  int style(int row, int col) const;
  void set_style(int row, int col, int xf);

  // Shared strings resolve "s" cells.
  CellValue value(int row, int col, const std::vector<std::string>& shared) const;

  // Marks the sheet's tab selected or not (its first sheet view).
  void set_tab_selected(bool selected);

 private:
  struct Row {
    pugi::xml_node node;
    std::map<int, pugi::xml_node> cells;
  };
  pugi::xml_node find(int row, int col) const;
  pugi::xml_node make(int row, int col);
  // Drops the value, the formula and the value's metadata; a formula shared with other
  // cells is first written out into each of them.
  void clear_content(pugi::xml_node c);
  void unshare_formula(pugi::xml_node master, pugi::xml_node f);
  void update_dimension();

  struct ColumnStyle {
    int min = 0, max = 0, style = 0;
  };

  pugi::xml_document doc_;
  pugi::xml_node sheet_data_;
  std::vector<ColumnStyle> column_styles_;
  std::map<int, Row> rows_;
  bool changed_ = false;
};

}  // namespace gw::wb
