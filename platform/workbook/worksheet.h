// One worksheet part: its cells found by (row, column) through an index kept beside the
// XML, values written and read in place, every other element of the part left as it is.
// Rows that the part did not have are kept as compact records, not XML nodes, and written
// out as text when the part is saved.
#pragma once

#include <pugixml.hpp>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/workbook/zip_archive.h"

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

  // Hands the part's XML to `out` piece by piece.
  void write_xml(ByteSink& out);
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

  // A cell of a row that the part did not have: its value kept as the text the part will
  // hold (a number in its shortest exact form, a text as the cell stores it, unescaped) in
  // the row's pool.
  enum class AddedKind : std::uint8_t { empty, number, text };
  struct AddedCell {
    int col = 0;
    int style = 0;
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
    AddedKind kind = AddedKind::empty;
  };
  struct AddedRow {
    std::vector<AddedCell> cells;  // by column
    std::string pool;
  };
  AddedCell* find_added(int row, int col);
  const AddedCell* find_added(int row, int col) const;
  // The cell of a row the part did not have, made with its column's style when missing.
  AddedRow& added_row(int row);
  AddedCell& make_added(int row, int col);
  static void put_added(AddedRow& row, AddedCell& cell, AddedKind kind, std::string_view text);
  int column_style(int col) const;
  void write_added_rows(std::string& out, std::map<int, AddedRow>::const_iterator from,
                        std::map<int, AddedRow>::const_iterator to, ByteSink& sink) const;

  pugi::xml_document doc_;
  pugi::xml_node sheet_data_;
  std::vector<ColumnStyle> column_styles_;
  std::map<int, Row> rows_;
  std::map<int, AddedRow> added_;
  int last_added_row_ = 0;          // the row of last_added_, 0 for none
  AddedRow* last_added_ = nullptr;  // the added row written last: writes go row by row
  bool changed_ = false;
};

}  // namespace gw::wb
