// The workbook's cell formats: finding or adding the date format of a cell's format.
#include "platform/workbook/cell_styles.h"

#include <cctype>

#include "platform/error/error.h"
#include "platform/workbook/xml_node.h"

namespace gw::wb {

namespace {

constexpr int kShortDate = 14;  // built-in "m/d/yyyy"

}  // namespace

bool is_date_code(const std::string& code) {
  bool in_quote = false;
  for (size_t i = 0; i < code.size(); ++i) {
    char c = code[i];
    if (in_quote) {
      if (c == '"') in_quote = false;
      continue;
    }
    if (c == '"') {
      in_quote = true;
    } else if (c == '\\' || c == '_' || c == '*') {
      ++i;  // the next character is literal (or a fill or a space width)
    } else if (c == '[') {
      size_t end = code.find(']', i);
      if (end == std::string::npos) return false;
      std::string inside = code.substr(i + 1, end - i - 1);
      // Elapsed time [h], [mm], [ss] counts as a time; colours and conditions do not.
      if (!inside.empty() &&
          (std::tolower(static_cast<unsigned char>(inside[0])) == 'h' ||
           std::tolower(static_cast<unsigned char>(inside[0])) == 'm' ||
           std::tolower(static_cast<unsigned char>(inside[0])) == 's') &&
          inside.find_first_not_of("hHmMsS") == std::string::npos)
        return true;
      i = end;
    } else {
      char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (l == 'd' || l == 'm' || l == 'y' || l == 'h' || l == 's') return true;
    }
  }
  return false;
}

const char* CellStyles::minimal_xml() {
  return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
         R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
         R"(<fonts count="1"><font><sz val="11"/><name val="Calibri"/></font></fonts>)"
         R"(<fills count="2"><fill><patternFill patternType="none"/></fill>)"
         R"(<fill><patternFill patternType="gray125"/></fill></fills>)"
         R"(<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>)"
         R"(<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>)"
         R"(<cellXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/></cellXfs>)"
         R"(<cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>)"
         R"(</styleSheet>)";
}

CellStyles::CellStyles(const std::string& data, const std::string& part) {
  xml::parse(doc_, data, part);
  pugi::xml_node sheet = doc_.document_element();
  cell_xfs_ = xml::child(sheet, "cellXfs");
  if (!cell_xfs_) throw gw::Error("The workbook part '" + part + "' has no cell formats.");
}

bool CellStyles::is_date_format(int id) const {
  if ((id >= 14 && id <= 22) || (id >= 45 && id <= 47)) return true;
  if (id < 164) return false;  // the other built-in formats show no dates
  pugi::xml_node fmts = xml::child(doc_.document_element(), "numFmts");
  for (pugi::xml_node f = fmts.first_child(); f; f = f.next_sibling())
    if (xml::local_name(f.name()) == "numFmt" && f.attribute("numFmtId").as_int(-1) == id)
      return is_date_code(f.attribute("formatCode").value());
  return false;
}

int CellStyles::date_format_of(int xf) {
  auto known = date_copy_.find(xf);
  if (known != date_copy_.end()) return known->second;
  int count = 0;
  int source_index = xf;
  pugi::xml_node source;
  for (pugi::xml_node x = cell_xfs_.first_child(); x; x = x.next_sibling()) {
    if (x.type() != pugi::node_element) continue;
    if (count == xf) source = x;
    ++count;
  }
  if (!source) {  // no such format: start from the workbook's default one
    source_index = 0;
    source = xml::child(cell_xfs_, "xf");
    if (!source) {
      source = xml::append(cell_xfs_, "xf");
      for (const char* a : {"numFmtId", "fontId", "fillId", "borderId", "xfId"})
        xml::set_attr(source, a, "0");
      ++count;
      changed_ = true;
    }
  }
  int result;
  if (is_date_format(source.attribute("numFmtId").as_int(0))) {
    result = source_index;
  } else {
    pugi::xml_node copy = cell_xfs_.append_copy(source);
    xml::set_attr(copy, "numFmtId", std::to_string(kShortDate));
    xml::set_attr(copy, "applyNumberFormat", "1");
    result = count++;
    changed_ = true;
  }
  if (changed_) xml::set_attr(cell_xfs_, "count", std::to_string(count));
  date_copy_[xf] = result;
  return result;
}

std::string CellStyles::xml() const { return xml::write(doc_); }

}  // namespace gw::wb
