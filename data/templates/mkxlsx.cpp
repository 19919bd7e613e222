// The build's workbook tool: mkxlsx OUT.xlr DESCRIPTION.txt writes a spreadsheet workbook
// (Office Open XML) from a text description of its styles, sheets, labels and formats.
//
// Description lines (blank lines and lines starting with '#' are skipped; texts in
// double quotes, a quote inside doubled):
//   style NAME KEY[=VALUE]...   a cell format: bold italic underline size=N font="Name"
//                               color=RRGGBB fill=RRGGBB format="0.00" wrap
//                               align=left|center|right valign=top|center|bottom
//                               border=thin|medium|hair (all four sides) or
//                               left= right= top= bottom= one side each
//   sheet "NAME"                starts a worksheet
//   active                      the sheet shown when the workbook opens
//   page landscape|portrait [fit]   printing: orientation, fit to one page wide
//   width COLS WIDTH            column width in characters, COLS "A" or "A:C"
//   colstyle COLS STYLE         the format that cells written later in those columns take
//   height ROW POINTS           row height
//   text REF STYLE "TEXT"       a label; REF a cell "B3" or a range "B3:D3" that is merged
//   number REF STYLE VALUE      a number
//   formula REF STYLE "FORMULA" a formula, without its leading "="
//   blank REF STYLE             cells that hold only a format (a range: every cell)
//   freeze REF                  rows above and columns left of REF stay in view
//   titles ROWS                 rows printed on every page, "1:11"
//   break ROW                   printing: a new page starts at the row
//   link REF "ADDRESS"          a hyperlink from the cell to an address outside the workbook
// STYLE is a style's name, or "-" for the default format.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/workbook/cell_ref.h"
#include "platform/workbook/zip_archive.h"

namespace {

using gw::wb::CellPos;

struct Fail : std::runtime_error {
  using runtime_error::runtime_error;
};

// ---- the description's words ---------------------------------------------------------

std::vector<std::string> split_words(const std::string& line, int line_no) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
      ++i;
      continue;
    }
    std::string w;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
      if (line[i] == '"') {
        ++i;
        for (;;) {
          if (i >= line.size()) throw Fail("line " + std::to_string(line_no) + ": unclosed quote");
          if (line[i] == '"') {
            if (i + 1 < line.size() && line[i + 1] == '"') {
              w += '"';
              i += 2;
              continue;
            }
            ++i;
            break;
          }
          w += line[i++];
        }
      } else {
        w += line[i++];
      }
    }
    words.push_back(w);
  }
  return words;
}

std::string xml_escape(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// ---- formats ---------------------------------------------------------------------------

struct Style {
  // font
  bool bold = false, italic = false, underline = false;
  double size = 10;
  std::string font = "Arial";
  std::string color;
  // fill, borders, number format, alignment
  std::string fill;
  std::string left, right, top, bottom;
  std::string format;
  std::string align, valign;
  bool wrap = false;
};

// The styles part: fonts, fills, borders and number formats gathered from the styles in
// use, one cell format per style.
class StyleTable {
 public:
  StyleTable() { add(Style{}); }
  int add(const Style& s) {
    int font = intern(fonts_, font_xml(s));
    int fill = s.fill.empty() ? 0 : intern(fills_, fill_xml(s));
    int border = intern(borders_, border_xml(s));
    int numfmt = 0;
    if (!s.format.empty()) {
      auto it = formats_.find(s.format);
      if (it == formats_.end())
        it = formats_.emplace(s.format, 164 + static_cast<int>(formats_.size())).first;
      numfmt = it->second;
    }
    std::ostringstream xf;
    xf << "<xf numFmtId=\"" << numfmt << "\" fontId=\"" << font << "\" fillId=\"" << fill << "\" borderId=\""
       << border << "\" xfId=\"0\"";
    if (numfmt) xf << " applyNumberFormat=\"1\"";
    if (font) xf << " applyFont=\"1\"";
    if (fill) xf << " applyFill=\"1\"";
    if (border) xf << " applyBorder=\"1\"";
    bool aligned = !s.align.empty() || !s.valign.empty() || s.wrap;
    if (aligned) {
      xf << " applyAlignment=\"1\"><alignment";
      if (!s.align.empty()) xf << " horizontal=\"" << s.align << "\"";
      if (!s.valign.empty()) xf << " vertical=\"" << s.valign << "\"";
      if (s.wrap) xf << " wrapText=\"1\"";
      xf << "/></xf>";
    } else {
      xf << "/>";
    }
    return intern(xfs_, xf.str());
  }

  std::string xml() const {
    std::ostringstream o;
    o << R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
      << R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)";
    if (!formats_.empty()) {
      o << "<numFmts count=\"" << formats_.size() << "\">";
      for (const auto& [code, id] : formats_)
        o << "<numFmt numFmtId=\"" << id << "\" formatCode=\"" << xml_escape(code) << "\"/>";
      o << "</numFmts>";
    }
    list(o, "fonts", fonts_);
    list(o, "fills", fills_);
    list(o, "borders", borders_);
    o << R"(<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>)";
    list(o, "cellXfs", xfs_);
    o << R"(<cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>)"
      << R"(<dxfs count="0"/><tableStyles count="0"/></styleSheet>)";
    return o.str();
  }

 private:
  static int intern(std::vector<std::string>& v, const std::string& item) {
    for (size_t i = 0; i < v.size(); ++i)
      if (v[i] == item) return static_cast<int>(i);
    v.push_back(item);
    return static_cast<int>(v.size()) - 1;
  }
  static void list(std::ostringstream& o, const char* tag, const std::vector<std::string>& v) {
    o << "<" << tag << " count=\"" << v.size() << "\">";
    for (const std::string& s : v) o << s;
    o << "</" << tag << ">";
  }
  static std::string font_xml(const Style& s) {
    std::ostringstream f;
    f << "<font>";
    if (s.bold) f << "<b/>";
    if (s.italic) f << "<i/>";
    if (s.underline) f << "<u/>";
    f << "<sz val=\"" << s.size << "\"/>";
    if (!s.color.empty()) f << "<color rgb=\"FF" << s.color << "\"/>";
    f << "<name val=\"" << xml_escape(s.font) << "\"/><family val=\"2\"/></font>";
    return f.str();
  }
  static std::string fill_xml(const Style& s) {
    return "<fill><patternFill patternType=\"solid\"><fgColor rgb=\"FF" + s.fill +
           "\"/><bgColor indexed=\"64\"/></patternFill></fill>";
  }
  static std::string border_xml(const Style& s) {
    auto side = [](const char* tag, const std::string& st) {
      if (st.empty()) return "<" + std::string(tag) + "/>";
      return "<" + std::string(tag) + " style=\"" + st + "\"><color indexed=\"64\"/></" + tag + ">";
    };
    return "<border>" + side("left", s.left) + side("right", s.right) + side("top", s.top) +
           side("bottom", s.bottom) + "<diagonal/></border>";
  }

  std::vector<std::string> fonts_;
  std::vector<std::string> fills_{"<fill><patternFill patternType=\"none\"/></fill>",
                                  "<fill><patternFill patternType=\"gray125\"/></fill>"};
  std::vector<std::string> borders_;
  std::map<std::string, int> formats_;
  std::vector<std::string> xfs_;
};

// ---- the workbook ---------------------------------------------------------------------

struct Cell {
  enum class Kind { Blank, Text, Number, Formula } kind = Kind::Blank;
  std::string value;
  int xf = 0;
};

struct Sheet {
  std::string name;
  std::map<int, double> widths;
  std::map<int, int> col_styles;
  std::map<int, double> heights;
  std::map<int, std::map<int, Cell>> rows;
  std::vector<std::string> merges;
  std::string orientation;
  bool fit = false;
  std::optional<CellPos> freeze;
  std::string titles;
  std::vector<int> breaks;  // rows that start a printed page
  std::vector<std::pair<std::string, std::string>> links;  // cell, outside address
};

struct Book {
  StyleTable styles;
  std::map<std::string, int> style_ids{{"-", 0}};
  std::vector<Sheet> sheets;
  int active = 0;
  std::vector<std::string> shared;
  std::map<std::string, int> shared_ids;

  int shared_string(const std::string& s) {
    auto it = shared_ids.find(s);
    if (it != shared_ids.end()) return it->second;
    shared.push_back(s);
    return shared_ids[s] = static_cast<int>(shared.size()) - 1;
  }
};

struct Range {
  CellPos first, last;
};

class Reader {
 public:
  explicit Reader(Book& book) : book_(book) {}

  void line(const std::string& text, int no) {
    no_ = no;
    std::vector<std::string> w = split_words(text, no);
    if (w.empty() || w[0][0] == '#') return;
    const std::string& cmd = w[0];
    if (cmd == "style") {
      need(w, 2);
      book_.style_ids[w[1]] = book_.styles.add(style(w));
      return;
    }
    if (cmd == "sheet") {
      need(w, 2);
      book_.sheets.push_back(Sheet{});
      book_.sheets.back().name = w[1];
      return;
    }
    Sheet& s = sheet();
    if (cmd == "active") {
      book_.active = static_cast<int>(book_.sheets.size()) - 1;
    } else if (cmd == "page") {
      need(w, 2);
      s.orientation = w[1];
      s.fit = w.size() > 2 && w[2] == "fit";
    } else if (cmd == "width" || cmd == "colstyle") {
      need(w, 3);
      auto [a, b] = columns(w[1]);
      for (int c = a; c <= b; ++c) {
        if (cmd == "width")
          s.widths[c] = number(w[2]);
        else
          s.col_styles[c] = style_id(w[2]);
      }
    } else if (cmd == "height") {
      need(w, 3);
      s.heights[static_cast<int>(number(w[1]))] = number(w[2]);
    } else if (cmd == "text" || cmd == "number" || cmd == "formula") {
      need(w, 4);
      Range r = range(w[1]);
      int xf = style_id(w[2]);
      fill(s, r, xf);
      Cell& c = s.rows[r.first.row][r.first.col];
      c.kind = cmd == "text" ? Cell::Kind::Text : cmd == "number" ? Cell::Kind::Number : Cell::Kind::Formula;
      c.value = w[3];
      if (cmd == "number") number(w[3]);
      if (r.first.row != r.last.row || r.first.col != r.last.col) s.merges.push_back(w[1]);
    } else if (cmd == "blank") {
      need(w, 3);
      fill(s, range(w[1]), style_id(w[2]));
    } else if (cmd == "freeze") {
      need(w, 2);
      s.freeze = range(w[1]).first;
    } else if (cmd == "titles") {
      need(w, 2);
      s.titles = w[1];
    } else if (cmd == "break") {
      need(w, 2);
      const double row = number(w[1]);
      if (row < 2 || row > 1048576 || row != static_cast<int>(row)) fail("a break needs a row from 2 on");
      s.breaks.push_back(static_cast<int>(row));
    } else if (cmd == "link") {
      need(w, 3);
      range(w[1]);
      s.links.emplace_back(w[1], w[2]);
    } else {
      fail("unknown word '" + cmd + "'");
    }
  }

 private:
  [[noreturn]] void fail(const std::string& what) const {
    throw Fail("line " + std::to_string(no_) + ": " + what);
  }
  void need(const std::vector<std::string>& w, size_t n) const {
    if (w.size() < n) fail("'" + w[0] + "' needs " + std::to_string(n - 1) + " values");
  }
  Sheet& sheet() {
    if (book_.sheets.empty()) fail("no 'sheet' line before this one");
    return book_.sheets.back();
  }
  double number(const std::string& s) const {
    try {
      size_t used = 0;
      double v = std::stod(s, &used);
      if (used == s.size()) return v;
    } catch (const std::exception&) {}
    fail("'" + s + "' is no number");
  }
  int style_id(const std::string& name) const {
    auto it = book_.style_ids.find(name);
    if (it == book_.style_ids.end()) fail("no style '" + name + "'");
    return it->second;
  }
  Range range(const std::string& ref) const {
    size_t colon = ref.find(':');
    auto a = gw::wb::parse_cell(ref.substr(0, colon));
    auto b = colon == std::string::npos ? a : gw::wb::parse_cell(ref.substr(colon + 1));
    if (!a || !b || b->row < a->row || b->col < a->col) fail("'" + ref + "' is no cell or range");
    return {*a, *b};
  }
  std::pair<int, int> columns(const std::string& cols) const {
    size_t colon = cols.find(':');
    auto a = gw::wb::parse_cell(cols.substr(0, colon) + "1");
    auto b = colon == std::string::npos ? a : gw::wb::parse_cell(cols.substr(colon + 1) + "1");
    if (!a || !b || b->col < a->col) fail("'" + cols + "' is no column range");
    return {a->col, b->col};
  }
  static void fill(Sheet& s, const Range& r, int xf) {
    for (int row = r.first.row; row <= r.last.row; ++row)
      for (int col = r.first.col; col <= r.last.col; ++col) s.rows[row][col].xf = xf;
  }
  Style style(const std::vector<std::string>& w) const {
    Style s;
    for (size_t i = 2; i < w.size(); ++i) {
      std::string key = w[i], value;
      size_t eq = key.find('=');
      if (eq != std::string::npos) {
        value = key.substr(eq + 1);
        key = key.substr(0, eq);
      }
      if (key == "bold")
        s.bold = true;
      else if (key == "italic")
        s.italic = true;
      else if (key == "underline")
        s.underline = true;
      else if (key == "wrap")
        s.wrap = true;
      else if (key == "size")
        s.size = number(value);
      else if (key == "font")
        s.font = value;
      else if (key == "color")
        s.color = value;
      else if (key == "fill")
        s.fill = value;
      else if (key == "format")
        s.format = value;
      else if (key == "align")
        s.align = value;
      else if (key == "valign")
        s.valign = value;
      else if (key == "border")
        s.left = s.right = s.top = s.bottom = value;
      else if (key == "left")
        s.left = value;
      else if (key == "right")
        s.right = value;
      else if (key == "top")
        s.top = value;
      else if (key == "bottom")
        s.bottom = value;
      else
        fail("unknown style key '" + key + "'");
    }
    return s;
  }

  Book& book_;
  int no_ = 0;
};

// ---- the parts -------------------------------------------------------------------------

std::string fmt(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.10g", v);
  return buf;
}

std::string sheet_xml(Book& book, const Sheet& s, bool active) {
  std::ostringstream o;
  o << R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    << R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
    << R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)";
  if (s.fit) o << R"(<sheetPr><pageSetUpPr fitToPage="1"/></sheetPr>)";
  int r0 = 0, r1 = 0, c0 = 0, c1 = 0;
  for (const auto& [row, cells] : s.rows) {
    if (cells.empty()) continue;
    if (!r0) r0 = row;
    r1 = row;
    if (!c0 || cells.begin()->first < c0) c0 = cells.begin()->first;
    if (cells.rbegin()->first > c1) c1 = cells.rbegin()->first;
  }
  o << "<dimension ref=\""
    << (r0 ? gw::wb::cell_name(r0, c0) + ":" + gw::wb::cell_name(r1, c1) : std::string("A1")) << "\"/>";
  o << "<sheetViews><sheetView " << (active ? "tabSelected=\"1\" " : "") << "workbookViewId=\"0\">";
  if (s.freeze) {
    const CellPos& f = *s.freeze;
    std::string pane = f.col > 1 && f.row > 1 ? "bottomRight" : f.row > 1 ? "bottomLeft" : "topRight";
    o << "<pane";
    if (f.col > 1) o << " xSplit=\"" << f.col - 1 << "\"";
    if (f.row > 1) o << " ySplit=\"" << f.row - 1 << "\"";
    o << " topLeftCell=\"" << gw::wb::cell_name(f.row, f.col) << "\" activePane=\"" << pane
      << "\" state=\"frozen\"/>";
    o << "<selection pane=\"" << pane << "\" activeCell=\"" << gw::wb::cell_name(f.row, f.col)
      << "\" sqref=\"" << gw::wb::cell_name(f.row, f.col) << "\"/>";
  }
  o << "</sheetView></sheetViews>";
  o << R"(<sheetFormatPr defaultRowHeight="12.75"/>)";
  std::map<int, int> cols;  // every column with a width or a style
  for (const auto& [c, w] : s.widths) cols[c];
  for (const auto& [c, st] : s.col_styles) cols[c];
  if (!cols.empty()) {
    o << "<cols>";
    for (const auto& [c, unused] : cols) {
      (void)unused;
      auto w = s.widths.find(c);
      o << "<col min=\"" << c << "\" max=\"" << c << "\" width=\""
        << fmt(w == s.widths.end() ? 9.140625 : w->second) << "\"";
      auto st = s.col_styles.find(c);
      if (st != s.col_styles.end()) o << " style=\"" << st->second << "\"";
      if (w != s.widths.end()) o << " customWidth=\"1\"";
      o << "/>";
    }
    o << "</cols>";
  }
  o << "<sheetData>";
  std::map<int, bool> rows_out;
  for (const auto& [row, cells] : s.rows) rows_out[row] = true;
  for (const auto& [row, h] : s.heights) rows_out[row] = true;
  for (const auto& [row, unused] : rows_out) {
    (void)unused;
    o << "<row r=\"" << row << "\"";
    auto h = s.heights.find(row);
    if (h != s.heights.end()) o << " ht=\"" << fmt(h->second) << "\" customHeight=\"1\"";
    o << ">";
    auto cells = s.rows.find(row);
    if (cells != s.rows.end()) {
      for (const auto& [col, c] : cells->second) {
        o << "<c r=\"" << gw::wb::cell_name(row, col) << "\"";
        if (c.xf) o << " s=\"" << c.xf << "\"";
        switch (c.kind) {
          case Cell::Kind::Blank:
            o << "/>";
            break;
          case Cell::Kind::Text:
            o << " t=\"s\"><v>" << book.shared_string(c.value) << "</v></c>";
            break;
          case Cell::Kind::Number:
            o << "><v>" << c.value << "</v></c>";
            break;
          case Cell::Kind::Formula:
            o << "><f>" << xml_escape(c.value) << "</f></c>";
            break;
        }
      }
    }
    o << "</row>";
  }
  o << "</sheetData>";
  if (!s.merges.empty()) {
    o << "<mergeCells count=\"" << s.merges.size() << "\">";
    for (const std::string& m : s.merges) o << "<mergeCell ref=\"" << m << "\"/>";
    o << "</mergeCells>";
  }
  if (!s.links.empty()) {
    o << "<hyperlinks>";
    for (size_t i = 0; i < s.links.size(); ++i)
      o << "<hyperlink ref=\"" << s.links[i].first << "\" r:id=\"rIdL" << i + 1 << "\"/>";
    o << "</hyperlinks>";
  }
  o << R"(<pageMargins left="0.5" right="0.5" top="0.75" bottom="0.75" header="0.3" footer="0.3"/>)";
  if (!s.orientation.empty() || s.fit) {
    o << "<pageSetup";
    if (s.fit) o << " fitToWidth=\"1\" fitToHeight=\"0\"";
    if (!s.orientation.empty()) o << " orientation=\"" << s.orientation << "\"";
    o << "/>";
  }
  if (!s.breaks.empty()) {
    // A break's id is the last row of the page before it.
    o << "<rowBreaks count=\"" << s.breaks.size() << "\" manualBreakCount=\"" << s.breaks.size() << "\">";
    for (int row : s.breaks) o << "<brk id=\"" << row - 1 << "\" max=\"16383\" man=\"1\"/>";
    o << "</rowBreaks>";
  }
  o << "</worksheet>";
  return o.str();
}

std::string quoted_sheet(const std::string& name) {
  std::string q = "'";
  for (char c : name) q += c == '\'' ? std::string("''") : std::string(1, c);
  return q + "'";
}

std::vector<gw::wb::ZipEntry> parts(Book& book) {
  if (book.sheets.empty()) throw Fail("the description has no sheet");
  std::vector<gw::wb::ZipEntry> out;
  std::ostringstream types, wb, rels;
  types
      << R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
      << R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
      << R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
      << R"(<Default Extension="xml" ContentType="application/xml"/>)"
      << R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)"
      << R"(<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>)"
      << R"(<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>)";
  wb << R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
     << R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
     << R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
     << R"(<workbookPr defaultThemeVersion="124226"/>)"
     << "<bookViews><workbookView activeTab=\"" << book.active << "\"/></bookViews><sheets>";
  rels << R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
       << R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
  std::vector<gw::wb::ZipEntry> sheet_parts;
  for (size_t i = 0; i < book.sheets.size(); ++i) {
    std::string n = std::to_string(i + 1);
    types
        << "<Override PartName=\"/xl/worksheets/sheet" << n
        << R"(.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)";
    wb << "<sheet name=\"" << xml_escape(book.sheets[i].name) << "\" sheetId=\"" << n << "\" r:id=\"rId" << n
       << "\"/>";
    rels
        << "<Relationship Id=\"rId" << n
        << R"(" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet)"
        << n << ".xml\"/>";
    sheet_parts.push_back({"xl/worksheets/sheet" + n + ".xml",
                           sheet_xml(book, book.sheets[i], static_cast<int>(i) == book.active)});
    if (!book.sheets[i].links.empty()) {
      std::ostringstream links;
      links << R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
            << R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
      for (size_t k = 0; k < book.sheets[i].links.size(); ++k)
        links
            << "<Relationship Id=\"rIdL" << k + 1
            << R"(" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink" Target=")"
            << xml_escape(book.sheets[i].links[k].second) << R"(" TargetMode="External"/>)";
      links << "</Relationships>";
      sheet_parts.push_back({"xl/worksheets/_rels/sheet" + n + ".xml.rels", links.str()});
    }
  }
  wb << "</sheets>";
  bool any_titles = false;
  for (const Sheet& s : book.sheets) any_titles = any_titles || !s.titles.empty();
  if (any_titles) {
    wb << "<definedNames>";
    for (size_t i = 0; i < book.sheets.size(); ++i) {
      const Sheet& s = book.sheets[i];
      if (s.titles.empty()) continue;
      size_t colon = s.titles.find(':');
      std::string a = s.titles.substr(0, colon),
                  b = colon == std::string::npos ? a : s.titles.substr(colon + 1);
      wb << "<definedName name=\"_xlnm.Print_Titles\" localSheetId=\"" << i << "\">"
         << xml_escape(quoted_sheet(s.name)) << "!$" << a << ":$" << b << "</definedName>";
    }
    wb << "</definedNames>";
  }
  wb << R"(<calcPr calcId="124519" fullCalcOnLoad="1"/></workbook>)";
  size_t n = book.sheets.size();
  rels
      << "<Relationship Id=\"rId" << n + 1
      << R"(" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
      << "<Relationship Id=\"rId" << n + 2
      << R"(" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>)"
      << "</Relationships>";
  types << "</Types>";

  std::ostringstream sst;
  sst << R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
      << R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count=")"
      << book.shared.size() << "\" uniqueCount=\"" << book.shared.size() << "\">";
  for (const std::string& s : book.shared) {
    bool keep = !s.empty() && (s.front() == ' ' || s.back() == ' ');
    sst << "<si><t" << (keep ? " xml:space=\"preserve\"" : "") << ">" << xml_escape(s) << "</t></si>";
  }
  sst << "</sst>";

  out.push_back({"[Content_Types].xml", types.str()});
  out.push_back(
      {"_rels/.rels",
       R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
       R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
       R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>)"
       R"(</Relationships>)"});
  out.push_back({"xl/workbook.xml", wb.str()});
  out.push_back({"xl/_rels/workbook.xml.rels", rels.str()});
  for (auto& p : sheet_parts) out.push_back(std::move(p));
  out.push_back({"xl/styles.xml", book.styles.xml()});
  out.push_back({"xl/sharedStrings.xml", sst.str()});  // after the sheets: they fill the table
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: mkxlsx OUT.xlr DESCRIPTION.txt\n";
    return 2;
  }
  try {
    std::ifstream in(argv[2]);
    if (!in) throw Fail(std::string("cannot read ") + argv[2]);
    Book book;
    Reader reader(book);
    std::string text;
    int no = 0;
    while (std::getline(in, text)) reader.line(text, ++no);
    gw::wb::write_zip(argv[1], parts(book));
  } catch (const std::exception& e) {
    std::cerr << argv[2] << ": " << e.what() << "\n";
    std::remove(argv[1]);
    return 1;
  }
  return 0;
}
