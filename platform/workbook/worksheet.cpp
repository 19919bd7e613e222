// One worksheet part: cells by (row, column), written and read in place.
#include "platform/workbook/worksheet.h"

#include <cctype>
#include <charconv>
#include <cstring>

#include "platform/text/error.h"
#include "platform/workbook/cell_ref.h"
#include "platform/workbook/cell_text.h"
#include "platform/workbook/xml_node.h"

namespace gw::wb {

namespace {

std::optional<double> read_double(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '+')) s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  double v = 0;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
  return v;
}

std::string number_text(double v) {
  char buf[64];
  auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v);
  (void)ec;
  return std::string(buf, p);
}

// The text of an <is> or <si> element: its <t>, or its runs' <t> joined.
std::string rich_text(pugi::xml_node n) {
  if (pugi::xml_node t = xml::child(n, "t")) return decode_cell_text(t.child_value());
  std::string s;
  for (pugi::xml_node r = n.first_child(); r; r = r.next_sibling())
    if (xml::local_name(r.name()) == "r") s += decode_cell_text(xml::child(r, "t").child_value());
  return s;
}

// Elements of a worksheet that come after <sheetViews>, in schema order.
constexpr const char* kAfterSheetViews[] = {"sheetFormatPr", "cols", "sheetData"};

}  // namespace

Worksheet::Worksheet(const std::string& data, const std::string& part) {
  xml::parse(doc_, data, part);
  pugi::xml_node ws = doc_.document_element();
  sheet_data_ = xml::child(ws, "sheetData");
  if (xml::local_name(ws.name()) != "worksheet" || !sheet_data_)
    throw gw::Error("The workbook part '" + part + "' is no worksheet.");
  for (pugi::xml_node c = xml::child(xml::child(ws, "cols"), "col"); c; c = c.next_sibling())
    if (xml::local_name(c.name()) == "col" && c.attribute("style").as_int(0) != 0)
      column_styles_.push_back({c.attribute("min").as_int(0), c.attribute("max").as_int(0), c.attribute("style").as_int(0)});
  int row_no = 0;
  for (pugi::xml_node r = sheet_data_.first_child(); r; r = r.next_sibling()) {
    if (r.type() != pugi::node_element || xml::local_name(r.name()) != "row") continue;
    // A row number is read whole: one beyond the sheet's rows (or the integer range) is
    // refused rather than wrapped around.
    if (pugi::xml_attribute a = r.attribute("r")) {
      auto n = parse_cell("A" + std::string(a.value()));
      if (!n) throw gw::Error("The workbook part '" + part + "' has a row numbered '" + a.value() + "', beyond its rows.");
      row_no = n->row;
    } else if (++row_no > kMaxRow) {
      throw gw::Error("The workbook part '" + part + "' has more rows than a worksheet holds.");
    }
    if (!r.attribute("r")) xml::set_attr(r, "r", std::to_string(row_no));
    Row& row = rows_.emplace(row_no, Row{r, {}}).first->second;
    int col_no = 0;
    for (pugi::xml_node c = r.first_child(); c; c = c.next_sibling()) {
      if (c.type() != pugi::node_element || xml::local_name(c.name()) != "c") continue;
      auto pos = parse_cell(c.attribute("r").value());
      col_no = pos ? pos->col : col_no + 1;
      if (col_no > kMaxCol) throw gw::Error("The workbook part '" + part + "' has more columns than a worksheet holds.");
      if (!pos) xml::set_attr(c, "r", cell_name(row_no, col_no));
      row.cells.emplace(col_no, c);
    }
  }
}

pugi::xml_node Worksheet::find(int row, int col) const {
  auto r = rows_.find(row);
  if (r == rows_.end()) return {};
  auto c = r->second.cells.find(col);
  return c == r->second.cells.end() ? pugi::xml_node() : c->second;
}

pugi::xml_node Worksheet::make(int row, int col) {
  auto r = rows_.find(row);
  if (r == rows_.end()) {
    auto next = rows_.upper_bound(row);
    pugi::xml_node node = next == rows_.end() ? xml::append(sheet_data_, "row")
                                              : xml::insert_before(sheet_data_, "row", next->second.node);
    xml::set_attr(node, "r", std::to_string(row));
    r = rows_.emplace(row, Row{node, {}}).first;
  }
  Row& rw = r->second;
  auto c = rw.cells.find(col);
  if (c != rw.cells.end()) return c->second;
  auto next = rw.cells.upper_bound(col);
  pugi::xml_node node = next == rw.cells.end() ? xml::append(rw.node, "c")
                                               : xml::insert_before(rw.node, "c", next->second);
  xml::set_attr(node, "r", cell_name(row, col));
  rw.node.remove_attribute("spans");  // the row's span hint no longer covers its cells
  // A new cell takes the style of its row, else that of its column, as a typed entry does.
  if (rw.node.attribute("customFormat").as_bool() && rw.node.attribute("s")) {
    xml::set_attr(node, "s", rw.node.attribute("s").value());
  } else {
    for (const ColumnStyle& cs : column_styles_)
      if (col >= cs.min && col <= cs.max) xml::set_attr(node, "s", std::to_string(cs.style));
  }
  changed_ = true;
  return rw.cells.emplace(col, node).first->second;
}

void Worksheet::clear_content(pugi::xml_node c) {
  if (pugi::xml_node f = xml::child(c, "f")) {
    if (std::strcmp(f.attribute("t").value(), "shared") == 0 && f.attribute("ref")) unshare_formula(c, f);
    c.remove_child(f);
  }
  while (pugi::xml_node v = xml::child(c, "v")) c.remove_child(v);
  while (pugi::xml_node is = xml::child(c, "is")) c.remove_child(is);
  c.remove_attribute("t");
  c.remove_attribute("cm");
  c.remove_attribute("vm");
  changed_ = true;
}

void Worksheet::unshare_formula(pugi::xml_node master, pugi::xml_node f) {
  std::string si = f.attribute("si").value();
  std::string text = f.child_value();
  auto from = parse_cell(master.attribute("r").value());
  if (!from) return;
  for (auto& [row_no, row] : rows_) {
    for (auto& [col_no, cell] : row.cells) {
      if (cell == master) continue;
      pugi::xml_node g = xml::child(cell, "f");
      if (!g || std::strcmp(g.attribute("t").value(), "shared") != 0 || si != g.attribute("si").value()) continue;
      std::string moved = move_formula(text, row_no - from->row, col_no - from->col);
      g.remove_attribute("t");
      g.remove_attribute("si");
      g.remove_attribute("ref");
      g.text().set(moved.c_str());
    }
  }
}

void Worksheet::set_number(int row, int col, double v) {
  pugi::xml_node c = make(row, col);
  clear_content(c);
  pugi::xml_node ext = xml::child(c, "extLst");
  xml::insert_before(c, "v", ext).text().set(number_text(v).c_str());
}

void Worksheet::set_text(int row, int col, const std::string& text) {
  pugi::xml_node c = make(row, col);
  clear_content(c);
  xml::set_attr(c, "t", "inlineStr");
  pugi::xml_node is = xml::insert_before(c, "is", xml::child(c, "extLst"));
  pugi::xml_node t = xml::append(is, "t");
  std::string stored = encode_cell_text(text);
  if (!stored.empty() && (std::isspace(static_cast<unsigned char>(stored.front())) ||
                          std::isspace(static_cast<unsigned char>(stored.back()))))
    t.append_attribute("xml:space") = "preserve";
  t.text().set(stored.c_str());
}

void Worksheet::set_blank(int row, int col) {
  if (pugi::xml_node c = find(row, col)) clear_content(c);
}

int Worksheet::style(int row, int col) const {
  pugi::xml_node c = find(row, col);
  return c ? c.attribute("s").as_int(0) : 0;
}

void Worksheet::set_style(int row, int col, int xf) {
  pugi::xml_node c = make(row, col);
  if (xf == 0)
    c.remove_attribute("s");
  else
    xml::set_attr(c, "s", std::to_string(xf));
  changed_ = true;
}

CellValue Worksheet::value(int row, int col, const std::vector<std::string>& shared) const {
  CellValue out;
  pugi::xml_node c = find(row, col);
  if (!c) return out;
  std::string_view type = c.attribute("t").value();
  pugi::xml_node v = xml::child(c, "v");
  if (type == "inlineStr") {
    pugi::xml_node is = xml::child(c, "is");
    if (!is && !v) return out;
    out.kind = CellValue::Kind::Text;
    out.text = is ? rich_text(is) : decode_cell_text(v.child_value());
    return out;
  }
  if (!v) return out;
  std::string_view raw = v.child_value();
  if (type == "s") {
    auto idx = read_double(raw);
    out.kind = CellValue::Kind::Text;
    if (idx && *idx >= 0 && *idx < static_cast<double>(shared.size())) out.text = shared[static_cast<size_t>(*idx)];
  } else if (type == "str") {
    out.kind = CellValue::Kind::Text;
    out.text = decode_cell_text(raw);
  } else if (type == "b") {
    out.kind = CellValue::Kind::Boolean;
    out.number = raw == "1" || raw == "true" ? 1 : 0;
  } else if (type == "e") {
    out.kind = CellValue::Kind::Error;
    out.text = std::string(raw);
  } else if (auto d = read_double(raw)) {
    out.kind = CellValue::Kind::Number;
    out.number = *d;
  } else {
    out.kind = CellValue::Kind::Text;  // an unreadable number: its text as it stands
    out.text = std::string(raw);
  }
  return out;
}

void Worksheet::set_tab_selected(bool selected) {
  pugi::xml_node ws = doc_.document_element();
  pugi::xml_node views = xml::child(ws, "sheetViews");
  if (!views) {
    if (!selected) return;
    pugi::xml_node before;
    for (const char* name : kAfterSheetViews)
      if ((before = xml::child(ws, name))) break;
    views = xml::insert_before(ws, "sheetViews", before);
  }
  pugi::xml_node view = xml::child(views, "sheetView");
  if (!view) {
    if (!selected) return;
    view = xml::append(views, "sheetView");
    xml::set_attr(view, "workbookViewId", "0");
  }
  bool was = view.attribute("tabSelected").as_bool();
  if (was == selected) return;
  if (selected)
    xml::set_attr(view, "tabSelected", "1");
  else
    view.remove_attribute("tabSelected");
  changed_ = true;
}

void Worksheet::update_dimension() {
  pugi::xml_node dim = xml::child(doc_.document_element(), "dimension");
  if (!dim) return;
  int r0 = 0, r1 = 0, c0 = 0, c1 = 0;
  for (const auto& [row_no, row] : rows_) {
    if (row.cells.empty()) continue;
    if (r0 == 0) r0 = row_no;
    r1 = row_no;
    int lo = row.cells.begin()->first, hi = row.cells.rbegin()->first;
    if (c0 == 0 || lo < c0) c0 = lo;
    if (hi > c1) c1 = hi;
  }
  std::string ref = r0 == 0 ? "A1" : cell_name(r0, c0);
  if (r0 != 0 && (r1 != r0 || c1 != c0)) ref += ":" + cell_name(r1, c1);
  xml::set_attr(dim, "ref", ref);
}

std::string Worksheet::xml() {
  if (changed_) update_dimension();
  return xml::write(doc_);
}

}  // namespace gw::wb
