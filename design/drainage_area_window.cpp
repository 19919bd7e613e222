// The drainage-area calculator window: building the rows, loading the stored lists, the
// area and C rules, the totals, and SAVE, COMPUTE and CANCEL.
#include "design/drainage_area_window.h"

#include "design/frmpipemain.h"
#include "platform/text/format.h"
#include "platform/text/general.h"
#include "platform/text/parse.h"
#include "shell/input_procedures.h"

namespace gw::design {

using ui::Buttons;
using ui::Icon;
using ui::Kind;

template <class F>
void DrainageAreaWindow::guarded(F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    msg(e.what());
  }
}

void DrainageAreaWindow::build() {
  set_caption("DRAINAGE AREA");
  auto frame = [&](const char* name, const char* caption) { add(Kind::Frame, name).set_caption(caption); };
  frame("Frame_type", "TYPE OF DRAINAGE AREA");
  frame("Frame_area", "A (Acres)");
  frame("Frame_crange", "C - Range");
  frame("Frame_c", "C");
  frame("Frame_ca", "C * A");

  // One line per row; the focus runs from a row's area to its C, then to the next row.
  int heading = 0;
  for (int i = 0; i < row_count(); ++i) {
    const area::LandUseRow& r = rows_[static_cast<std::size_t>(i)];
    if (*r.heading) {
      Control& h = add(Kind::Label, "lblheading", heading++);
      h.set_caption(r.heading);
      h.container = "Frame_type";
    }
    Control& type = add(Kind::Label, "lbltype", i);
    type.set_caption(r.label);
    type.container = "Frame_type";

    Control& a = add(Kind::TextBox, "Area", i);
    a.container = "Frame_area";
    a.on_got_focus = [&a] { shell::select_all_text(a); };
    shell::numeric_field(a);
    a.on_lost_focus = [this, i] { Area_LostFocus(i); };

    Control& range = add(Kind::Label, "Crange", i);
    range.set_caption(r.c_range);
    range.set_back_color(ui::kLockedColor);
    range.container = "Frame_crange";

    Control& cv = add(Kind::TextBox, "Cval", i);
    cv.set_text(r.default_c);
    cv.container = "Frame_c";
    cv.on_got_focus = [&cv] { shell::select_all_text(cv); };
    shell::numeric_field(cv);
    cv.on_lost_focus = [this, i] { Cval_LostFocus(i); };

    Control& ca = add(Kind::TextBox, "CA", i);
    ca.set_locked(true);
    ca.tab_stop = false;
    ca.container = "Frame_ca";
  }

  add(Kind::Label, "lblTAREA").set_caption("Total Area");
  Control& total_area = add(Kind::TextBox, "TAREA");
  total_area.set_locked(true);
  total_area.tab_stop = false;
  total_area.set_back_color(ui::kLockedColor);
  add(Kind::Label, "TAunit").set_caption("Ac.");
  add(Kind::Label, "lblTCA").set_caption("Total C * A");
  Control& total_ca = add(Kind::TextBox, "TCA");
  total_ca.set_locked(true);
  total_ca.tab_stop = false;
  total_ca.set_back_color(ui::kLockedColor);

  Control& save = add(Kind::CommandButton, "cmdsavearea");
  save.set_caption("SAVE");
  save.on_click = [this] { cmdsavearea_Click(); };
  Control& cancel = add(Kind::CommandButton, "cmdcancelarea");
  cancel.set_caption("CANCEL");
  cancel.cancel = true;
  cancel.on_click = [this] { cmdcancelarea_Click(); };
  Control& compute = add(Kind::CommandButton, "cmdcomputearea");
  compute.set_caption("COMPUTE");
  compute.on_click = [this] { cmdcomputearea_Click(); };
}

void DrainageAreaWindow::Form_Load() {
  shell::SharedState& v = vars();
  v.set_number_format(v.units().number_format);
  if (v.units().metric()) {
    c("Frame_area").set_caption("A (Hectares)");
    c("TAunit").set_caption("Ha");
  }
  guarded([&] {
    const frmpipemain::AreaCalculatorLists lists = prog.form<frmpipemain>().area_calculator_lists();
    if (!lists.areas.empty()) decode_area_buffers(lists);
    for (int i = 0; i < row_count(); ++i)
      if (!c("Area", i).text().empty()) show_row_product(i);
    compute_area_totals();
  });
}

void DrainageAreaWindow::show_row_product(int row) {
  const auto product = area::row_product(c("Area", row).text(), c("Cval", row).text());
  c("CA", row).set_text(product ? text::general(*product) : std::string());
}

void DrainageAreaWindow::decode_area_buffers(const frmpipemain::AreaCalculatorLists& lists) {
  // The rows are those of this window; a list of another length fills what it has (a
  // longer one leaves the rest of its text in the last row, so saving loses nothing).
  const std::size_t n = rows_.size();
  const auto areas = area::split_rows(lists.areas, n);
  const auto cs = area::split_rows(lists.cs, n);
  for (std::size_t i = 0; i < areas.size(); ++i) c("Area", static_cast<int>(i)).set_text(areas[i]);
  for (std::size_t i = 0; i < cs.size(); ++i) c("Cval", static_cast<int>(i)).set_text(cs[i]);
}

frmpipemain::AreaCalculatorLists DrainageAreaWindow::encode_area_buffers() {
  std::vector<std::string> areas, cs;
  for (int i = 0; i < row_count(); ++i) {
    areas.push_back(c("Area", i).text());
    cs.push_back(c("Cval", i).text());
  }
  return {area::join_rows(areas), area::join_rows(cs)};
}

std::string DrainageAreaWindow::compute_area_totals() {
  std::vector<std::string> areas, cs;
  for (int i = 0; i < row_count(); ++i) {
    Control& a = c("Area", i);
    a.set_text(area::trim_blanks(a.text()));
    areas.push_back(a.text());
    cs.push_back(c("Cval", i).text());
  }
  // A field that is no finite number (pasted, or stored) gives no totals, never a total
  // that leaves it out.
  if (const auto bad = area::first_unreadable_field(areas, cs)) {
    c("TCA").set_text("");
    c("TAREA").set_text("");
    const std::string label = area::trim_blanks(rows_[bad->row].label);
    return std::string(bad->area ? "The area" : "The C") + " of row \"" + label + "\" is not a number.";
  }
  const area::Totals totals = area::area_totals(areas, cs);
  c("TCA").set_text(text::general(totals.ca));
  c("TAREA").set_text(text::general(totals.area));
  return {};
}

void DrainageAreaWindow::Area_LostFocus(int row) {
  guarded([&] {
    Control& a = c("Area", row);
    a.set_selection(0, 0);
    const std::string trimmed = area::trim_blanks(a.text());
    // A lone decimal point clears the row like an empty one; any other text that is no
    // number (beyond the double range) stays for COMPUTE and SAVE to name.
    const auto value = text::try_number(trimmed);
    if (!value && trimmed != ".") {
      a.set_text(trimmed);
      c("CA", row).set_text("");
    } else if (!value || *value == 0) {
      a.set_text("");
      c("CA", row).set_text("");
    } else {
      a.set_text(text::format(*value, vars().number_format()));
      show_row_product(row);
    }
    compute_area_totals();
  });
}

void DrainageAreaWindow::Cval_LostFocus(int row) {
  guarded([&] {
    Control& cv = c("Cval", row);
    cv.set_text(area::bounded_c_text(cv.text(), area::parse_c_range(c("Crange", row).caption())));
    // The product and totals take C as it stands; only then is it shown with two decimals.
    if (!c("Area", row).text().empty()) show_row_product(row);
    compute_area_totals();
    cv.set_text(text::format_text(cv.text(), "0.00"));
  });
}

void DrainageAreaWindow::cmdcomputearea_Click() {
  guarded([&] {
    const std::string problem = compute_area_totals();
    if (!problem.empty()) msg(problem, Buttons::OK, Icon::Exclamation);
  });
}

void DrainageAreaWindow::cmdsavearea_Click() {
  guarded([&] {
    // Only finite numbers reach the pipe: a field that is none is named and nothing is saved.
    const std::string problem = compute_area_totals();
    if (!problem.empty()) {
      msg(problem, Buttons::OK, Icon::Exclamation);
      return;
    }
    prog.form<frmpipemain>().take_drainage_area(encode_area_buffers(), c("TCA").text(), c("TAREA").text());
    unload();
  });
}

void DrainageAreaWindow::cmdcancelarea_Click() { unload(); }

}  // namespace gw::design
