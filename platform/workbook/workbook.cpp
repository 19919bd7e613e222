// Spreadsheet workbooks (Office Open XML): the package of parts, its worksheets, the
// active sheet, cell values and saving.
#include "platform/workbook/workbook.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <tuple>

#include "platform/error/error.h"
#include "platform/text/ascii_case.h"
#include "platform/text/general.h"
#include "platform/workbook/cell_ref.h"
#include "platform/workbook/cell_styles.h"
#include "platform/workbook/cell_text.h"
#include "platform/workbook/day_number.h"
#include "platform/workbook/typed_entry.h"
#include "platform/workbook/worksheet.h"
#include "platform/workbook/xml_node.h"
#include "platform/workbook/zip_archive.h"

namespace gw::wb {

namespace {

constexpr const char* kContentTypes = "[Content_Types].xml";
constexpr const char* kStylesType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
constexpr const char* kStylesContent =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml";

bool ends_with(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

bool same_part(std::string_view a, std::string_view b) { return text::iequals(a, b); }

std::string folder_of(const std::string& part) {
  size_t slash = part.rfind('/');
  return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

// The relationships part of a part: "xl/_rels/workbook.xml.rels" for "xl/workbook.xml".
std::string rels_of(const std::string& part) {
  size_t slash = part.rfind('/');
  std::string name = slash == std::string::npos ? part : part.substr(slash + 1);
  return folder_of(part) + "_rels/" + name + ".rels";
}

// A relationship's target as a part name: relative to the source's folder unless it
// starts with "/"; "." and ".." resolved.
std::string resolve(const std::string& base_folder, std::string_view target) {
  std::string joined = !target.empty() && target.front() == '/' ? std::string(target.substr(1))
                                                                : base_folder + std::string(target);
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= joined.size()) {
    size_t slash = joined.find('/', start);
    if (slash == std::string::npos) slash = joined.size();
    std::string seg = joined.substr(start, slash - start);
    if (seg == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!seg.empty() && seg != ".") {
      parts.push_back(seg);
    }
    start = slash + 1;
  }
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : "/") + p;
  return out;
}

// Whether a relationship's target leaves the package: a target of another kind of address (a
// scheme such as "file:" or "http:", a network path, a backslash), or a relative one that
// climbs above the package's root with "..".
bool outside_package(const std::string& base_folder, std::string_view target) {
  if (target.find('\\') != std::string_view::npos || target.substr(0, 2) == "//") return true;
  const size_t colon = target.find(':');
  if (colon != std::string_view::npos && target.substr(0, colon).find('/') == std::string_view::npos)
    return true;
  std::string joined = !target.empty() && target.front() == '/' ? std::string(target.substr(1))
                                                                : base_folder + std::string(target);
  int depth = 0;
  size_t start = 0;
  while (start <= joined.size()) {
    size_t slash = joined.find('/', start);
    if (slash == std::string::npos) slash = joined.size();
    const std::string_view seg = std::string_view(joined).substr(start, slash - start);
    if (seg == "..") {
      if (--depth < 0) return true;
    } else if (!seg.empty() && seg != ".") {
      ++depth;
    }
    start = slash + 1;
  }
  return false;
}

}  // namespace

struct Workbook::Impl {
  struct Sheet {
    std::string name;
    std::string part;
    int tab = 0;  // position among all sheets of the workbook, from 0
    std::unique_ptr<Worksheet> ws;
  };

  std::string path;
  std::vector<ZipEntry> entries;
  std::string workbook_part;
  pugi::xml_document workbook_doc;
  std::vector<Sheet> sheets;  // the worksheets, in tab order
  int active = 1;             // 1-based worksheet index; 0 while a non-worksheet tab is active
  std::vector<std::string> shared;
  std::string styles_part;
  std::unique_ptr<CellStyles> styles;
  bool date1904 = false;
  bool views_changed = false;
  bool cells_changed = false;

  ZipEntry* entry(std::string_view name) {
    for (ZipEntry& e : entries)
      if (same_part(e.name, name)) return &e;
    return nullptr;
  }
  const std::string& part(const std::string& name) {
    ZipEntry* e = entry(name);
    if (!e) throw gw::Error("'" + path + "' is not a workbook file (the part '" + name + "' is missing).");
    return e->data;
  }
  void load();
  void check_package();
  void check_target(const std::string& id, const std::string& target,
                    const std::vector<std::tuple<std::string, std::string, std::string>>& seen);
  std::string& part_data(const std::string& name);
  void load_shared_strings(const std::string& part_name);
  Worksheet& sheet(int index);
  Worksheet& active_sheet();
  void ensure_styles(pugi::xml_document& rels, const std::string& rels_name);
  void set_active(int index);
  void prepare_save();
};

// A workbook is a package of parts that name each other: every part must lie inside the
// package and every relationship point at a part of it. A part named outside it, or a
// relationship to an outside file or address (marked External, absolute or climbing out with
// ".."), is refused, naming it, before anything is read or written from the file.
void Workbook::Impl::check_package() {
  auto refuse = [&](const std::string& what) {
    throw gw::Error("'" + path + "' is not a usable workbook (" + what + " points outside the workbook).");
  };
  for (const ZipEntry& e : entries) {
    if (e.name.empty() || e.name.front() == '/' || outside_package("", e.name))
      refuse("its part '" + e.name + "'");
  }
  for (const ZipEntry& e : entries) {
    if (e.name.size() < 5 || !text::iequals(std::string_view(e.name).substr(e.name.size() - 5), ".rels"))
      continue;
    pugi::xml_document rels;
    xml::parse(rels, e.data, e.name);
    // "xl/_rels/workbook.xml.rels" speaks for "xl/workbook.xml": targets are relative to "xl/".
    std::string source_folder = folder_of(e.name);
    if (source_folder.size() >= 6 && source_folder.substr(source_folder.size() - 6) == "_rels/")
      source_folder.resize(source_folder.size() - 6);
    for (pugi::xml_node r = rels.document_element().first_child(); r; r = r.next_sibling()) {
      if (xml::local_name(r.name()) != "Relationship") continue;
      const std::string what = "the relationship '" + std::string(r.attribute("Id").value()) + "' of '" +
                               e.name + "' to '" + r.attribute("Target").value() + "'";
      if (!text::iequals(r.attribute("TargetMode").value(), "") &&
          !text::iequals(r.attribute("TargetMode").value(), "Internal"))
        refuse(what);
      if (outside_package(source_folder, r.attribute("Target").value())) refuse(what);
    }
  }
}

void Workbook::Impl::load() {
  check_package();
  // The package's relationships name the workbook part.
  pugi::xml_document root_rels;
  xml::parse(root_rels, part("_rels/.rels"), "_rels/.rels");
  for (pugi::xml_node r = root_rels.document_element().first_child(); r; r = r.next_sibling())
    if (xml::local_name(r.name()) == "Relationship" &&
        ends_with(r.attribute("Type").value(), "/officeDocument"))
      workbook_part = resolve("", r.attribute("Target").value());
  if (workbook_part.empty()) throw gw::Error("'" + path + "' is not a workbook file (no workbook part).");
  xml::parse(workbook_doc, part(workbook_part), workbook_part);
  pugi::xml_node wbk = workbook_doc.document_element();
  date1904 = xml::child(wbk, "workbookPr").attribute("date1904").as_bool();

  // The workbook's relationships: sheets, shared strings, styles.
  pugi::xml_document rels;
  std::string rels_name = rels_of(workbook_part);
  if (ZipEntry* e = entry(rels_name)) xml::parse(rels, e->data, e->name);
  std::vector<std::tuple<std::string, std::string, std::string>> targets;  // id, type, part
  for (pugi::xml_node r = rels.document_element().first_child(); r; r = r.next_sibling()) {
    if (xml::local_name(r.name()) != "Relationship") continue;
    std::string type = r.attribute("Type").value();
    std::string target = resolve(folder_of(workbook_part), r.attribute("Target").value());
    check_target(r.attribute("Id").value(), target, targets);
    if (ends_with(type, "/sharedStrings")) load_shared_strings(target);
    if (ends_with(type, "/styles")) styles_part = target;
    targets.emplace_back(r.attribute("Id").value(), type, target);
  }

  int tab = 0;
  for (pugi::xml_node s = xml::child(xml::child(wbk, "sheets"), "sheet"); s; s = s.next_sibling()) {
    if (xml::local_name(s.name()) != "sheet") continue;
    std::string id = xml::attr_local(s, "id").value();
    for (const auto& [rid, type, target] : targets) {
      if (rid != id) continue;
      if (ends_with(type, "/worksheet")) {
        Sheet sh{s.attribute("name").value(), target, tab, nullptr};
        sh.ws = std::make_unique<Worksheet>(part(target), target);
        sheets.push_back(std::move(sh));
      }
    }
    ++tab;
  }
  if (sheets.empty()) throw gw::Error("'" + path + "' holds no worksheet.");
  int active_tab = xml::child(xml::child(wbk, "bookViews"), "workbookView").attribute("activeTab").as_int(0);
  active = 0;
  for (size_t i = 0; i < sheets.size(); ++i)
    if (sheets[i].tab == active_tab) active = static_cast<int>(i) + 1;
  if (active_tab >= tab) active = 1;
}

// Saving rewrites the parts the workbook's relationships name and drops the calculation
// chain: a relationship that names the package's own parts (the content types, a
// relationships part, the workbook) or a part another relationship names already would
// make a save delete or overwrite that part. Such a file is refused when it is opened.
void Workbook::Impl::check_target(
    const std::string& id, const std::string& target,
    const std::vector<std::tuple<std::string, std::string, std::string>>& seen) {
  auto refuse = [&] {
    throw gw::Error("'" + path + "' is not a usable workbook (its relationship '" + id +
                    "' names the part '" + target + "').");
  };
  if (target.empty() || same_part(target, kContentTypes) || same_part(target, workbook_part) ||
      (target.size() >= 5 && text::iequals(std::string_view(target).substr(target.size() - 5), ".rels")) ||
      text::icontains("/" + target, "/_rels/"))
    refuse();
  for (const auto& t : seen)
    if (same_part(std::get<2>(t), target)) refuse();
}

// A part that the load found, for writing at save.
std::string& Workbook::Impl::part_data(const std::string& name) {
  ZipEntry* e = entry(name);
  if (!e) throw gw::Error("'" + path + "' is not a usable workbook (the part '" + name + "' is missing).");
  return e->data;
}

void Workbook::Impl::load_shared_strings(const std::string& part_name) {
  ZipEntry* e = entry(part_name);
  if (!e) return;
  pugi::xml_document doc;
  xml::parse(doc, e->data, e->name);
  for (pugi::xml_node si = doc.document_element().first_child(); si; si = si.next_sibling()) {
    if (xml::local_name(si.name()) != "si") continue;
    std::string s;
    if (pugi::xml_node t = xml::child(si, "t")) {
      s = decode_cell_text(t.child_value());
    } else {
      for (pugi::xml_node r = si.first_child(); r; r = r.next_sibling())
        if (xml::local_name(r.name()) == "r") s += decode_cell_text(xml::child(r, "t").child_value());
    }
    shared.push_back(std::move(s));
  }
}

Worksheet& Workbook::Impl::sheet(int index) {
  if (index < 1 || index > static_cast<int>(sheets.size()))
    throw gw::Error("Subscript out of range: the workbook has no worksheet " + std::to_string(index) + ".");
  return *sheets[static_cast<size_t>(index - 1)].ws;
}

Worksheet& Workbook::Impl::active_sheet() {
  if (active == 0) throw gw::Error("The active sheet of the workbook is no worksheet.");
  return sheet(active);
}

void Workbook::Impl::set_active(int index) {
  sheet(index);  // checks the index
  active = index;
  for (size_t i = 0; i < sheets.size(); ++i) sheets[i].ws->set_tab_selected(static_cast<int>(i) + 1 == index);
  pugi::xml_node wbk = workbook_doc.document_element();
  pugi::xml_node views = xml::child(wbk, "bookViews");
  if (!views) views = xml::insert_before(wbk, "bookViews", xml::child(wbk, "sheets"));
  pugi::xml_node view = xml::child(views, "workbookView");
  if (!view) view = xml::append(views, "workbookView");
  int tab = sheets[static_cast<size_t>(index - 1)].tab;
  xml::set_attr(view, "activeTab", std::to_string(tab));
  if (view.attribute("firstSheet").as_int(0) > tab) xml::set_attr(view, "firstSheet", std::to_string(tab));
  views_changed = true;
}

void Workbook::Impl::ensure_styles(pugi::xml_document& rels, const std::string& rels_name) {
  if (styles) return;
  if (!styles_part.empty() && entry(styles_part)) {
    styles = std::make_unique<CellStyles>(part(styles_part), styles_part);
    return;
  }
  // A workbook without a styles part: add one with its relationship and content type.
  styles_part = folder_of(workbook_part) + "styles.xml";
  entries.push_back({styles_part, CellStyles::minimal_xml()});
  styles = std::make_unique<CellStyles>(part(styles_part), styles_part);
  if (!rels.document_element()) {
    rels.load_string(
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"/>)");
  }
  pugi::xml_node r = rels.document_element().append_child("Relationship");
  r.append_attribute("Id") = "rIdGwStyles";
  r.append_attribute("Type") = kStylesType;
  r.append_attribute("Target") = "styles.xml";
  ZipEntry* e = entry(rels_name);
  if (!e) {
    entries.push_back({rels_name, {}});
    e = &entries.back();
  }
  e->data = xml::write(rels);
  pugi::xml_document types;
  xml::parse(types, part(kContentTypes), kContentTypes);
  pugi::xml_node o = types.document_element().append_child("Override");
  o.append_attribute("PartName") = ("/" + styles_part).c_str();
  o.append_attribute("ContentType") = kStylesContent;
  part_data(kContentTypes) = xml::write(types);
}

void Workbook::Impl::prepare_save() {
  // A changed sheet is written out as the archive is written, straight into the compression.
  for (Sheet& s : sheets)
    if (s.ws->changed()) {
      part_data(s.part).clear();  // a part the load found
      entry(s.part)->produce = [ws = s.ws.get()](ByteSink& out) { ws->write_xml(out); };
    }
  if (styles && styles->changed()) part_data(styles_part) = styles->xml();
  if (!cells_changed && !views_changed) return;
  pugi::xml_node wbk = workbook_doc.document_element();
  if (cells_changed) {
    // Formulas that read the written cells are worked out again when the file opens.
    pugi::xml_node calc = xml::child(wbk, "calcPr");
    if (!calc) {
      pugi::xml_node after;
      for (const char* name : {"sheets", "functionGroups", "externalReferences", "definedNames"})
        if (pugi::xml_node n = xml::child(wbk, name)) after = n;
      calc = xml::insert_after(wbk, "calcPr", after);
    }
    xml::set_attr(calc, "fullCalcOnLoad", "1");
    // The calculation chain lists the formula cells as they were: drop it, the
    // spreadsheet rebuilds it.
    std::string rels_name = rels_of(workbook_part);
    if (ZipEntry* re = entry(rels_name)) {
      pugi::xml_document rels;
      xml::parse(rels, re->data, re->name);
      std::vector<std::string> dropped;
      for (pugi::xml_node r = rels.document_element().first_child(); r;) {
        pugi::xml_node next = r.next_sibling();
        if (ends_with(r.attribute("Type").value(), "/calcChain")) {
          dropped.push_back(resolve(folder_of(workbook_part), r.attribute("Target").value()));
          rels.document_element().remove_child(r);
        }
        r = next;
      }
      if (!dropped.empty()) {
        re->data = xml::write(rels);
        pugi::xml_document types;
        xml::parse(types, part(kContentTypes), kContentTypes);
        for (const std::string& p : dropped) {
          std::erase_if(entries, [&](const ZipEntry& e) { return same_part(e.name, p); });
          for (pugi::xml_node o = types.document_element().first_child(); o;) {
            pugi::xml_node next = o.next_sibling();
            if (same_part(o.attribute("PartName").value(), "/" + p)) types.document_element().remove_child(o);
            o = next;
          }
        }
        part_data(kContentTypes) = xml::write(types);
      }
    }
  }
  part_data(workbook_part) = xml::write(workbook_doc);
}

// ---- the public face ---------------------------------------------------------------

Workbook::Workbook(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Workbook::Workbook(Workbook&&) noexcept = default;
Workbook& Workbook::operator=(Workbook&&) noexcept = default;
Workbook::~Workbook() = default;

Workbook Workbook::open(const std::string& path) {
  auto impl = std::make_unique<Impl>();
  impl->path = path;
  impl->entries = read_zip(path);
  impl->load();
  return Workbook(std::move(impl));
}

int Workbook::sheet_count() const { return static_cast<int>(impl_->sheets.size()); }

std::string Workbook::sheet_name(int index) const {
  impl_->sheet(index);
  return impl_->sheets[static_cast<size_t>(index - 1)].name;
}

int Workbook::active_sheet() const { return impl_->active; }
void Workbook::select(int index) { impl_->set_active(index); }
void Workbook::activate(int index) { impl_->set_active(index); }

namespace {

void check_cell(int row, int col) {
  if (row < 1 || row > kMaxRow || col < 1 || col > kMaxCol)
    throw gw::Error("Application-defined or object-defined error: no cell (" + std::to_string(row) + ", " +
                    std::to_string(col) + ") on a worksheet.");
}

}  // namespace

void Workbook::set_value(int row, int col, const std::string& text) {
  check_cell(row, col);
  Worksheet& ws = impl_->active_sheet();
  if (text.empty())
    ws.set_blank(row, col);
  else if (auto n = typed_number(text))
    ws.set_number(row, col, *n);
  else
    ws.set_text(row, col, text);
  impl_->cells_changed = true;
}

void Workbook::set_text(int row, int col, const std::string& text) {
  check_cell(row, col);
  Worksheet& ws = impl_->active_sheet();
  if (text.empty())
    ws.set_blank(row, col);
  else
    ws.set_text(row, col, text);
  impl_->cells_changed = true;
}

void Workbook::set_number(int row, int col, double value) {
  check_cell(row, col);
  if (!std::isfinite(value)) throw gw::Error(gw::runtime_message::overflow);
  impl_->active_sheet().set_number(row, col, value);
  impl_->cells_changed = true;
}

void Workbook::set_date(int row, int col, int year, int month, int day) {
  check_cell(row, col);
  Worksheet& ws = impl_->active_sheet();
  int serial = day_number(year, month, day, impl_->date1904);
  pugi::xml_document rels;
  std::string rels_name = rels_of(impl_->workbook_part);
  if (ZipEntry* e = impl_->entry(rels_name)) xml::parse(rels, e->data, e->name);
  impl_->ensure_styles(rels, rels_name);
  int xf = impl_->styles->date_format_of(ws.style(row, col));
  ws.set_number(row, col, serial);
  ws.set_style(row, col, xf);
  impl_->cells_changed = true;
}

std::string Workbook::text(int row, int col) const {
  check_cell(row, col);
  CellValue v = impl_->active_sheet().value(row, col, impl_->shared);
  switch (v.kind) {
    case CellValue::Kind::Blank:
      return {};
    case CellValue::Kind::Number:
      return text::general(v.number);
    case CellValue::Kind::Boolean:
      return v.number != 0 ? "TRUE" : "FALSE";
    case CellValue::Kind::Text:
    case CellValue::Kind::Error:
      return v.text;
  }
  return {};
}

std::optional<double> Workbook::number(int row, int col) const {
  check_cell(row, col);
  CellValue v = impl_->active_sheet().value(row, col, impl_->shared);
  if (v.kind == CellValue::Kind::Number) return v.number;
  return std::nullopt;
}

void Workbook::save(const std::string& path) {
  std::string target = path.empty() ? impl_->path : path;
  impl_->prepare_save();
  write_zip(target, impl_->entries);
  impl_->path = target;
}

}  // namespace gw::wb
