// The transcript's checks (`expect ...`): windows, controls, shared variables, the clock,
// databases and files. A check reads only: it never loads a window nor raises an event.
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/text/general.h"
#include "platform/workbook/workbook.h"
#include "runner/args.h"
#include "runner/interpreter.h"

namespace gw::runner {

namespace {

using ui::Kind;

std::string quoted_list(const std::vector<std::string>& v) {
  if (v.empty()) return "nothing";
  std::string s;
  for (auto& x : v) s += (s.empty() ? "" : " ") + quote(x);
  return s;
}

// ---- expect ended / clock / var / sql / file ----

void expect_ended(Interpreter& in, const Line& line, Args& a) {
  a.done();
  if (!in.ended()) in.fail(line, "the program has not ended");
}

void expect_clock(Interpreter& in, const Line& line, Args& a) {
  std::string want = a.text("the time of day");
  a.done();
  std::string now = text::general(in.clock().now());
  if (now != want) in.fail(line, "the clock reads " + quote(now));
}

void expect_var(Interpreter& in, const Line& line, Args& a) {
  std::string name = a.bare("the variable");
  std::string want = a.text("the value");
  a.done();
  if (!in.session().lookup) in.fail(line, "the program has no shared variables");
  std::optional<std::string> v = in.session().lookup(name);
  if (!v) in.fail(line, "the program has no variable " + name);
  if (*v != want) in.fail(line, name + " is " + quote(*v));
}

void expect_sql(Interpreter& in, const Line& line, Args& a) {
  std::string path = a.text("the database");
  std::string query = a.text("the query");
  std::optional<long long> rows;
  std::vector<std::string> want;
  if (a.take("rows")) {
    rows = a.integer("the row count");
    a.done();
  } else {
    while (!a.empty()) want.push_back(a.text("a value"));
    if (want.empty()) a.malformed("missing the values of the first row, or rows N");
  }
  std::vector<std::string> got;
  long count = 0;
  try {
    db::Connection conn;
    conn.open(path);
    db::Recordset rs;
    rs.open(conn, query);
    count = rs.record_count();
    if (!rows && count > 0) {
      rs.move_first();
      for (int i = 0; i < rs.field_count(); ++i) got.push_back(rs.field(i));
    }
  } catch (const std::exception& e) {
    in.fail(line, std::string("the query fails: ") + e.what());
  }
  if (rows) {
    if (count != *rows) in.fail(line, "the query gives " + std::to_string(count) + " rows");
    return;
  }
  if (count == 0) in.fail(line, "the query gives no row");
  if (got != want) in.fail(line, "the first row reads " + quoted_list(got));
}

void expect_file(Interpreter& in, const Line& line, Args& a) {
  std::string path = a.text("the file");
  std::string state = a.bare("exists or missing");
  a.done();
  if (state != "exists" && state != "missing") a.malformed("a file exists or is missing, not " + state);
  std::error_code ec;
  bool exists = std::filesystem::exists(path, ec);
  if (exists != (state == "exists")) in.fail(line, quote(path) + (exists ? " exists" : " is missing"));
}

// expect cell "path" SHEET ROW COL "text": a cell of a saved workbook, on its SHEET-th
// worksheet, read as the workbook layer gives it (numbers in the general conversion).
void expect_cell(Interpreter& in, const Line& line, Args& a) {
  std::string path = a.text("the workbook");
  long long sheet = a.integer("the sheet number");
  long long row = a.integer("the row");
  long long col = a.integer("the column");
  std::string want = a.text("the cell's text");
  a.done();
  std::string got;
  try {
    wb::Workbook book = wb::Workbook::open(path);
    if (sheet < 1 || sheet > book.sheet_count())
      in.fail(line, quote(path) + " has " + std::to_string(book.sheet_count()) + " worksheets");
    book.select(static_cast<int>(sheet));
    got = book.text(static_cast<int>(row), static_cast<int>(col));
  } catch (const std::exception& e) {
    in.fail(line, std::string("the workbook cannot be read: ") + e.what());
  }
  if (got != want)
    in.fail(line, "cell (" + std::to_string(row) + ", " + std::to_string(col) + ") of sheet " +
                      std::to_string(sheet) + " reads " + quote(got));
}

// ---- windows ----

void expect_window(Interpreter& in, const Line& line, Args& a, const Ref& ref) {
  std::string what = a.bare("loaded, unloaded, visible, hidden, caption or pointer");
  if (what == "caption") {
    std::string want = a.text("the caption");
    a.done();
    ui::Form& f = in.form_for_check(line, ref.window);
    if (f.caption() != want) in.fail(line, ref.window + " has caption " + quote(f.caption()));
    return;
  }
  if (what == "pointer") {
    std::string want = a.bare("default or hourglass");
    a.done();
    if (want != "default" && want != "hourglass")
      a.malformed("the pointer is default or hourglass, not " + want);
    ui::Form& f = in.form_for_check(line, ref.window);
    const int p = f.mouse_pointer();
    const std::string actual = p == ui::kPointerDefault     ? "default"
                               : p == ui::kPointerHourglass ? "hourglass"
                                                            : std::to_string(p);
    if (actual != want) in.fail(line, ref.window + "'s pointer is " + actual);
    return;
  }
  a.done();
  ui::Form* f = in.form_if_loaded(line, ref.window);
  std::string actual = !f ? "unloaded" : f->is_visible() ? "visible" : "loaded and hidden";
  bool ok = what == "loaded"     ? f != nullptr
            : what == "unloaded" ? f == nullptr
            : what == "visible"  ? f && f->is_visible()
            : what == "hidden"   ? !(f && f->is_visible())
                                 : (a.malformed("unknown window check " + what), false);
  if (!ok) in.fail(line, ref.window + " is " + actual);
}

// ---- controls ----

// A state a control is checked for, and its opposite.
struct State {
  const char* opposite;
  std::function<bool(const Target&)> holds;
};

bool button_or_control(const Target& t, bool ui::ToolButton::*flag, bool (ui::Control::*get)() const) {
  if (t.item > 0) return t.control->buttons()[static_cast<size_t>(t.item - 1)].*flag;
  return (t.control->*get)();
}

// A toolbar button is checked while it is drawn pressed.
bool pressed_or_checked(const Target& t) {
  if (t.item > 0) return t.control->buttons()[static_cast<size_t>(t.item - 1)].pressed;
  return t.control->checked();
}

const std::map<std::string, State, std::less<>>& states() {
  static const std::map<std::string, State, std::less<>> m = {
      {"enabled",
       {"disabled",
        [](const Target& t) {
          return button_or_control(t, &ui::ToolButton::enabled, &ui::Control::enabled);
        }}},
      {"disabled",
       {"enabled",
        [](const Target& t) {
          return !button_or_control(t, &ui::ToolButton::enabled, &ui::Control::enabled);
        }}},
      {"visible",
       {"hidden",
        [](const Target& t) {
          return button_or_control(t, &ui::ToolButton::visible, &ui::Control::visible);
        }}},
      {"hidden",
       {"visible",
        [](const Target& t) {
          return !button_or_control(t, &ui::ToolButton::visible, &ui::Control::visible);
        }}},
      {"locked", {"unlocked", [](const Target& t) { return t.control->locked(); }}},
      {"unlocked", {"locked", [](const Target& t) { return !t.control->locked(); }}},
      {"checked", {"unchecked", [](const Target& t) { return pressed_or_checked(t); }}},
      {"unchecked", {"checked", [](const Target& t) { return !pressed_or_checked(t); }}},
  };
  return m;
}

void require_control_itself(Interpreter& in, const Line& line, const Target& t, const char* what) {
  if (t.item > 0)
    in.fail(line, t.name + " is a " + (t.control->kind() == Kind::StatusBar ? "panel" : "button") +
                      ", which has no " + what);
}

// The text a line reads of a control: its text or caption, a status panel's text, a toolbar
// button's caption.
std::string text_of(Interpreter& in, const Line& line, const Target& t) {
  const ui::Control& c = *t.control;
  std::string got;
  if (t.item > 0 && c.kind() == Kind::StatusBar) {
    got = c.panel(t.item);
  } else if (t.item > 0 && c.kind() == Kind::Toolbar) {
    got = c.buttons()[static_cast<size_t>(t.item - 1)].caption;
  } else if (c.kind() == Kind::Toolbar || c.kind() == Kind::StatusBar || c.kind() == Kind::Grid) {
    in.fail(line, t.name + " has no text of its own" +
                      (c.kind() == Kind::StatusBar ? " (name a panel: " + t.name + "(1))"
                       : c.kind() == Kind::Grid    ? " (check a cell)"
                                                   : ""));
  } else {
    got = c.text();
  }
  return got;
}

void expect_text(Interpreter& in, const Line& line, const Target& t, const std::string& want) {
  const std::string got = text_of(in, line, t);
  if (got != want) in.fail(line, t.name + " reads " + quote(got));
}

void expect_control(Interpreter& in, const Line& line, Args& a, const Ref& ref) {
  const Word& w = a.word("a text or a check");
  Target t = in.control_for_check(line, ref);
  const ui::Control& c = *t.control;
  if (w.quoted) {
    a.done();
    expect_text(in, line, t, w.text);
    return;
  }
  if (auto s = states().find(w.text); s != states().end()) {
    a.done();
    bool on_button = t.item > 0 && c.kind() == Kind::Toolbar;
    bool button_state = w.text == "enabled" || w.text == "disabled" || w.text == "visible" ||
                        w.text == "hidden" || w.text == "checked" || w.text == "unchecked";
    if (t.item > 0 && !(on_button && button_state))
      require_control_itself(in, line, t, ("state " + w.text).c_str());
    if (!s->second.holds(t)) in.fail(line, t.name + " is " + s->second.opposite);
    return;
  }
  if (w.text == "color") {
    std::string want = a.text("the colour");
    a.done();
    require_control_itself(in, line, t, "colour");
    std::string got = ui::color_text(c.back_color());
    if (got != want) in.fail(line, t.name + " has color " + quote(got));
    return;
  }
  if (w.text == "items") {
    std::vector<std::string> want;
    while (!a.empty()) want.push_back(a.text("an item"));
    require_control_itself(in, line, t, "items");
    if (c.items() != want) in.fail(line, t.name + " has items " + quoted_list(c.items()));
    return;
  }
  if (w.text == "cell") {
    long long r = a.integer("the row");
    long long col = a.integer("the column");
    std::string want = a.text("the cell text");
    a.done();
    require_control_itself(in, line, t, "cells");
    if (c.kind() != Kind::Grid) in.fail(line, t.name + " is not a grid");
    if (r < 0 || r >= c.rows() || col < 0 || col >= c.cols())
      in.fail(line, t.name + " has " + std::to_string(c.rows()) + " rows and " + std::to_string(c.cols()) +
                        " columns");
    const std::string got(c.cell(static_cast<int>(r), static_cast<int>(col)));
    if (got != want)
      in.fail(line,
              t.name + " cell " + std::to_string(r) + " " + std::to_string(col) + " reads " + quote(got));
    return;
  }
  if (w.text == "rows") {
    long long n = a.integer("the row count");
    a.done();
    require_control_itself(in, line, t, "rows");
    if (c.kind() != Kind::Grid) in.fail(line, t.name + " is not a grid");
    if (c.rows() != n) in.fail(line, t.name + " has " + std::to_string(c.rows()) + " rows");
    return;
  }
  a.malformed("unknown control check " + w.text);
}

using Check = void (*)(Interpreter&, const Line&, Args&);

const std::map<std::string, Check, std::less<>>& keyword_checks() {
  static const std::map<std::string, Check, std::less<>> m = {
      {"ended", expect_ended}, {"clock", expect_clock}, {"var", expect_var},
      {"sql", expect_sql},     {"file", expect_file},   {"cell", expect_cell},
  };
  return m;
}

void cmd_expect(Interpreter& in, const Line& line) {
  Args a(in, line);
  const Word* first = a.peek();
  if (first && !first->quoted) {
    if (auto k = keyword_checks().find(first->text); k != keyword_checks().end()) {
      a.word("the check");
      k->second(in, line, a);
      return;
    }
  }
  Ref ref = a.ref("a window, a control or a check");
  if (ref.is_control())
    expect_control(in, line, a, ref);
  else
    expect_window(in, line, a, ref);
}

// `print W.C`, `print W.C cell R C`, `print W caption`, `print var NAME`: writes the value
// that the matching `expect` line would compare, as "file:line: what = "value"", so that a
// transcript's author can see what the program shows. It reads as the checks do.
void cmd_print(Interpreter& in, const Line& line) {
  Args a(in, line);
  std::string what, value;
  const Word* first = a.peek();
  if (first && !first->quoted && first->text == "var") {
    a.word("var");
    what = a.bare("the variable");
    a.done();
    if (!in.session().lookup) in.fail(line, "the program has no shared variables");
    std::optional<std::string> v = in.session().lookup(what);
    if (!v) in.fail(line, "the program has no variable " + what);
    value = *v;
  } else {
    Ref ref = a.ref("a window, a control or var");
    if (!ref.is_control()) {
      if (!a.take("caption")) a.malformed("print a window's caption: print " + ref.window + " caption");
      a.done();
      what = ref.window + " caption";
      value = in.form_for_check(line, ref.window).caption();
    } else {
      Target t = in.control_for_check(line, ref);
      what = t.name;
      if (a.take("cell")) {
        long long r = a.integer("the row");
        long long col = a.integer("the column");
        a.done();
        const ui::Control& c = *t.control;
        if (c.kind() != Kind::Grid) in.fail(line, t.name + " is not a grid");
        if (r < 0 || r >= c.rows() || col < 0 || col >= c.cols())
          in.fail(line, t.name + " has " + std::to_string(c.rows()) + " rows and " +
                            std::to_string(c.cols()) + " columns");
        what += " cell " + std::to_string(r) + " " + std::to_string(col);
        value = c.cell(static_cast<int>(r), static_cast<int>(col));
      } else {
        a.done();
        value = text_of(in, line, t);
      }
    }
  }
  in.print(std::to_string(line.number) + ": " + what + " = " + quote(value));
}

}  // namespace

void add_check_commands(CommandTable& t) {
  t["expect"] = cmd_expect;
  t["print"] = cmd_print;
}

}  // namespace gw::runner
