// One worksheet part: cells by (row, column), written and read in place; rows the part did not
// have kept compact and streamed out as text on saving.
#include "platform/workbook/worksheet.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <limits>

#include "platform/error/error.h"
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

// Stands in the serialized part where added rows go; no part of a workbook uses it.
constexpr const char* kAddedRowsMark = "gw-added-rows";

// Drops every processing instruction named as the added-rows mark from a loaded part: the
// mark is this layer's own, and one already in a file would take the added rows elsewhere.
// The walk goes down and back up through the tree without recursion, so that a part nested
// however deep cannot exhaust the stack.
void drop_marks(pugi::xml_node root) {
  pugi::xml_node n = root.first_child();
  while (n) {
    pugi::xml_node next;
    if (n.type() == pugi::node_element && n.first_child()) {
      next = n.first_child();
    } else {
      // The next node in document order after n and its children: its next sibling, else the
      // next sibling of the nearest parent that has one.
      for (pugi::xml_node up = n; up && up != root; up = up.parent())
        if (up.next_sibling()) {
          next = up.next_sibling();
          break;
        }
      if (n.type() == pugi::node_pi && std::strcmp(n.name(), kAddedRowsMark) == 0) n.parent().remove_child(n);
    }
    n = next;
  }
}

bool edge_space(std::string_view stored) {
  return !stored.empty() && (std::isspace(static_cast<unsigned char>(stored.front())) ||
                             std::isspace(static_cast<unsigned char>(stored.back())));
}

// Character data escaped as the XML writer of the other parts escapes it.
void append_escaped(std::string& out, std::string_view text) {
  for (char ch : text) {
    const auto u = static_cast<unsigned char>(ch);
    switch (ch) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        if (u < 32 && ch != '\t' && ch != '\n' && ch != '\r') {
          out += "&#";
          out += static_cast<char>('0' + u / 10);
          out += static_cast<char>('0' + u % 10);
          out += ';';
        } else {
          out += ch;
        }
    }
  }
}

void append_int(std::string& out, int v) {
  char buf[16];
  auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v);
  (void)ec;
  out.append(buf, p);
}

// Collects a serialized part into one text.
struct StringWriter : pugi::xml_writer {
  std::string& out;
  explicit StringWriter(std::string& o) : out(o) {}
  void write(const void* data, size_t size) override { out.append(static_cast<const char*>(data), size); }
};

// Hands a serialized part to a sink.
struct SinkWriter : pugi::xml_writer {
  ByteSink& sink;
  explicit SinkWriter(ByteSink& s) : sink(s) {}
  void write(const void* data, size_t size) override {
    sink.write(std::string_view(static_cast<const char*>(data), size));
  }
};

// Pieces handed on once they reach this size.
constexpr std::size_t kChunk = 1 << 20;

}  // namespace

Worksheet::Worksheet(const std::string& data, const std::string& part) {
  xml::parse(doc_, data, part);
  drop_marks(doc_);
  pugi::xml_node ws = doc_.document_element();
  sheet_data_ = xml::child(ws, "sheetData");
  if (xml::local_name(ws.name()) != "worksheet" || !sheet_data_)
    throw gw::Error("The workbook part '" + part + "' is no worksheet.");
  for (pugi::xml_node c = xml::child(xml::child(ws, "cols"), "col"); c; c = c.next_sibling())
    if (xml::local_name(c.name()) == "col" && c.attribute("style").as_int(0) != 0)
      column_styles_.push_back(
          {c.attribute("min").as_int(0), c.attribute("max").as_int(0), c.attribute("style").as_int(0)});
  int row_no = 0;
  for (pugi::xml_node r = sheet_data_.first_child(); r; r = r.next_sibling()) {
    if (r.type() != pugi::node_element || xml::local_name(r.name()) != "row") continue;
    // A row number is read whole: one beyond the sheet's rows (or the integer range) is
    // refused rather than wrapped around.
    if (pugi::xml_attribute a = r.attribute("r")) {
      auto n = parse_cell("A" + std::string(a.value()));
      if (!n)
        throw gw::Error("The workbook part '" + part + "' has a row numbered '" + a.value() +
                        "', beyond its rows.");
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
      if (col_no > kMaxCol)
        throw gw::Error("The workbook part '" + part + "' has more columns than a worksheet holds.");
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
  pugi::xml_node node =
      next == rw.cells.end() ? xml::append(rw.node, "c") : xml::insert_before(rw.node, "c", next->second);
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

// ---- rows the part did not have ------------------------------------------------------------

int Worksheet::column_style(int col) const {
  int style = 0;
  for (const ColumnStyle& cs : column_styles_)
    if (col >= cs.min && col <= cs.max) style = cs.style;
  return style;
}

Worksheet::AddedCell* Worksheet::find_added(int row, int col) {
  return const_cast<AddedCell*>(static_cast<const Worksheet*>(this)->find_added(row, col));
}

const Worksheet::AddedCell* Worksheet::find_added(int row, int col) const {
  const AddedRow* r = nullptr;
  if (row == last_added_row_) {
    r = last_added_;
  } else {
    auto it = added_.find(row);
    if (it == added_.end()) return nullptr;
    r = &it->second;
  }
  auto c = std::lower_bound(r->cells.begin(), r->cells.end(), col,
                            [](const AddedCell& a, int k) { return a.col < k; });
  return c != r->cells.end() && c->col == col ? &*c : nullptr;
}

Worksheet::AddedRow& Worksheet::added_row(int row) {
  if (row != last_added_row_ || !last_added_) {
    auto [it, made] = added_.try_emplace(row);
    // A report's rows are alike: a new row gets room for as much as the row written before.
    if (made && last_added_) {
      it->second.cells.reserve(last_added_->cells.size());
      it->second.pool.reserve(last_added_->pool.size());
    }
    last_added_ = &it->second;
    last_added_row_ = row;
  }
  return *last_added_;
}

Worksheet::AddedCell& Worksheet::make_added(int row, int col) {
  AddedRow& r = added_row(row);
  changed_ = true;
  // Cells mostly come column by column.
  if (r.cells.empty() || r.cells.back().col < col) {
    r.cells.push_back({col, column_style(col), 0, 0, AddedKind::empty});
    return r.cells.back();
  }
  auto c = std::lower_bound(r.cells.begin(), r.cells.end(), col,
                            [](const AddedCell& a, int k) { return a.col < k; });
  if (c != r.cells.end() && c->col == col) return *c;
  // A new cell takes the style of its column, as a typed entry does.
  return *r.cells.insert(c, {col, column_style(col), 0, 0, AddedKind::empty});
}

void Worksheet::put_added(AddedRow& row, AddedCell& cell, AddedKind kind, std::string_view text) {
  cell.kind = kind;
  // A value that replaces one at the end of the pool takes its place.
  if (cell.length != 0 && cell.offset + cell.length == row.pool.size()) row.pool.resize(cell.offset);
  if (row.pool.size() + text.size() > std::numeric_limits<std::uint32_t>::max())
    throw gw::Error("A row of the worksheet holds too much text.");
  cell.offset = static_cast<std::uint32_t>(row.pool.size());
  cell.length = static_cast<std::uint32_t>(text.size());
  row.pool.append(text);
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
      if (!g || std::strcmp(g.attribute("t").value(), "shared") != 0 || si != g.attribute("si").value())
        continue;
      std::string moved = move_formula(text, row_no - from->row, col_no - from->col);
      g.remove_attribute("t");
      g.remove_attribute("si");
      g.remove_attribute("ref");
      g.text().set(moved.c_str());
    }
  }
}

void Worksheet::set_number(int row, int col, double v) {
  if (!rows_.count(row)) {
    AddedCell& c = make_added(row, col);
    put_added(*last_added_, c, AddedKind::number, number_text(v));
    return;
  }
  pugi::xml_node c = make(row, col);
  clear_content(c);
  pugi::xml_node ext = xml::child(c, "extLst");
  xml::insert_before(c, "v", ext).text().set(number_text(v).c_str());
}

void Worksheet::set_text(int row, int col, const std::string& text) {
  if (!rows_.count(row)) {
    AddedCell& c = make_added(row, col);
    put_added(*last_added_, c, AddedKind::text, encode_cell_text(text));
    return;
  }
  pugi::xml_node c = make(row, col);
  clear_content(c);
  xml::set_attr(c, "t", "inlineStr");
  pugi::xml_node is = xml::insert_before(c, "is", xml::child(c, "extLst"));
  pugi::xml_node t = xml::append(is, "t");
  std::string stored = encode_cell_text(text);
  if (edge_space(stored)) t.append_attribute("xml:space") = "preserve";
  t.text().set(stored.c_str());
}

void Worksheet::set_blank(int row, int col) {
  if (pugi::xml_node c = find(row, col)) clear_content(c);
  if (AddedCell* c = find_added(row, col)) {
    c->kind = AddedKind::empty;
    changed_ = true;
  }
}

int Worksheet::style(int row, int col) const {
  if (const AddedCell* a = find_added(row, col)) return a->style;
  pugi::xml_node c = find(row, col);
  return c ? c.attribute("s").as_int(0) : 0;
}

void Worksheet::set_style(int row, int col, int xf) {
  if (!rows_.count(row)) {
    make_added(row, col).style = xf;
    return;
  }
  pugi::xml_node c = make(row, col);
  if (xf == 0)
    c.remove_attribute("s");
  else
    xml::set_attr(c, "s", std::to_string(xf));
  changed_ = true;
}

CellValue Worksheet::value(int row, int col, const std::vector<std::string>& shared) const {
  CellValue out;
  if (const AddedCell* a = find_added(row, col)) {
    const AddedRow& r = row == last_added_row_ ? *last_added_ : added_.at(row);
    const std::string_view raw(r.pool.data() + a->offset, a->length);
    if (a->kind == AddedKind::number) {
      out.kind = CellValue::Kind::Number;
      out.number = read_double(raw).value_or(0);
    } else if (a->kind == AddedKind::text) {
      out.kind = CellValue::Kind::Text;
      out.text = decode_cell_text(raw);
    }
    return out;
  }
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
    if (idx && *idx >= 0 && *idx < static_cast<double>(shared.size()))
      out.text = shared[static_cast<size_t>(*idx)];
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
  auto span = [&](int row_no, int lo, int hi) {
    if (r0 == 0 || row_no < r0) r0 = row_no;
    if (row_no > r1) r1 = row_no;
    if (c0 == 0 || lo < c0) c0 = lo;
    if (hi > c1) c1 = hi;
  };
  for (const auto& [row_no, row] : rows_)
    if (!row.cells.empty()) span(row_no, row.cells.begin()->first, row.cells.rbegin()->first);
  for (const auto& [row_no, row] : added_)
    if (!row.cells.empty()) span(row_no, row.cells.front().col, row.cells.back().col);
  std::string ref = r0 == 0 ? "A1" : cell_name(r0, c0);
  if (r0 != 0 && (r1 != r0 || c1 != c0)) {
    ref += ':';
    ref += cell_name(r1, c1);
  }
  xml::set_attr(dim, "ref", ref);
}

void Worksheet::write_added_rows(std::string& out, std::map<int, AddedRow>::const_iterator from,
                                 std::map<int, AddedRow>::const_iterator to, ByteSink& sink) const {
  const std::string prefix = xml::prefix_of(sheet_data_);
  const std::string row_open = "<" + prefix + "row r=\"", row_close = "</" + prefix + "row>";
  const std::string cell_open = "<" + prefix + "c r=\"", cell_close = "</" + prefix + "c>";
  const std::string v_open = "<" + prefix + "v>", v_close = "</" + prefix + "v>";
  const std::string is_open = "<" + prefix + "is>", is_close = "</" + prefix + "is>";
  const std::string t_open = "<" + prefix + "t>", t_close = "</" + prefix + "t>";
  const std::string t_space = "<" + prefix + "t xml:space=\"preserve\">";
  std::vector<std::string> columns;  // column letters, made once each
  for (auto it = from; it != to; ++it) {
    const int row_no = it->first;
    const AddedRow& row = it->second;
    if (row.cells.empty()) continue;
    char row_text[16];
    const auto row_end = std::to_chars(row_text, row_text + sizeof row_text, row_no).ptr;
    const std::string_view row_digits(row_text, static_cast<std::size_t>(row_end - row_text));
    out += row_open;
    out += row_digits;
    out += "\">";
    for (const AddedCell& c : row.cells) {
      if (static_cast<std::size_t>(c.col) >= columns.size())
        columns.resize(static_cast<std::size_t>(c.col) + 1);
      std::string& letters = columns[static_cast<std::size_t>(c.col)];
      if (letters.empty()) letters = column_name(c.col);
      out += cell_open;
      out += letters;
      out += row_digits;
      out += '"';
      if (c.style != 0) {
        out += " s=\"";
        append_int(out, c.style);
        out += '"';
      }
      const std::string_view value(row.pool.data() + c.offset, c.length);
      switch (c.kind) {
        case AddedKind::empty:
          out += "/>";
          continue;
        case AddedKind::number:
          out += '>';
          out += v_open;
          out += value;
          out += v_close;
          break;
        case AddedKind::text:
          out += " t=\"inlineStr\">";
          out += is_open;
          if (value.empty()) {
            out += "<" + prefix + "t/>";
          } else {
            out += edge_space(value) ? t_space : t_open;
            append_escaped(out, value);
            out += t_close;
          }
          out += is_close;
          break;
      }
      out += cell_close;
    }
    out += row_close;
    if (out.size() >= kChunk) {
      sink.write(out);
      out.clear();
    }
  }
}

void Worksheet::write_xml(ByteSink& sink) {
  if (changed_) update_dimension();
  const unsigned flags = pugi::format_raw;
  if (added_.empty()) {
    SinkWriter w(sink);
    doc_.save(w, "", flags, pugi::encoding_utf8);
    return;
  }

  // One mark where each run of added rows goes: before the part's next own row, or at the end
  // of the sheet data.
  std::vector<pugi::xml_node> marks;
  std::vector<std::pair<std::map<int, AddedRow>::const_iterator, std::map<int, AddedRow>::const_iterator>>
      runs;
  auto own = rows_.begin();
  for (auto it = added_.cbegin(); it != added_.cend();) {
    while (own != rows_.end() && own->first < it->first) ++own;
    auto end = own == rows_.end() ? added_.cend() : added_.lower_bound(own->first);
    pugi::xml_node mark = own == rows_.end()
                              ? sheet_data_.append_child(pugi::node_pi)
                              : sheet_data_.insert_child_before(pugi::node_pi, own->second.node);
    mark.set_name(kAddedRowsMark);
    marks.push_back(mark);
    runs.emplace_back(it, end);
    it = end;
  }
  std::string head;
  StringWriter w(head);
  doc_.save(w, "", flags, pugi::encoding_utf8);
  for (pugi::xml_node m : marks) sheet_data_.remove_child(m);

  const std::string mark_text = std::string("<?") + kAddedRowsMark + "?>";
  std::string out;
  out.reserve(kChunk + kChunk / 4);
  std::size_t at = 0;
  for (const auto& [from, to] : runs) {
    const std::size_t m = head.find(mark_text, at);
    if (m == std::string::npos) break;  // cannot happen: each run has its mark
    out.append(head, at, m - at);
    write_added_rows(out, from, to, sink);
    at = m + mark_text.size();
  }
  out.append(head, at, std::string::npos);
  sink.write(out);
}

}  // namespace gw::wb
