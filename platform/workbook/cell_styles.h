// The workbook's cell formats (the styles part): finding or adding the date format of a
// cell's format, so that a day number shows as a date.
#pragma once

#include <pugixml.hpp>

#include <map>
#include <string>

namespace gw::wb {

class CellStyles {
 public:
  // Parses the styles part.
  CellStyles(const std::string& xml, const std::string& part);
  // The styles part of a workbook that has none.
  static const char* minimal_xml();

  // Takes a cell format index. Gives it when it already shows a date, else the index of
  // a copy of it (font, fill, border, alignment kept) with the short date format, added
  // on first need.
  int date_format_of(int xf);

  bool changed() const { return changed_; }
  std::string xml() const;

 private:
  bool is_date_format(int num_fmt_id) const;

  pugi::xml_document doc_;
  pugi::xml_node cell_xfs_;
  std::map<int, int> date_copy_;
  bool changed_ = false;
};

// True when a number format's code shows a date or a time: a day, month, year, hour or
// second part outside quoted text, brackets and escaped characters.
bool is_date_code(const std::string& code);

}  // namespace gw::wb
