// What the user does: start, clicks, typing, keys, focus, picking, closing a window.
#include <cctype>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "runner/args.h"
#include "runner/host_access.h"
#include "runner/interpreter.h"

namespace gw::runner {

namespace {

using ui::Kind;

// The control is still the one the line named: its window is loaded and holds it.
bool still_there(const ui::Control& c) {
  return c.form().is_loaded() && c.form().find(host_key, c.name(), c.index()) == &c;
}

// A mouse action on a control that takes the focus gives it the focus first, as a real
// click does (the control that had it runs its LostFocus). Returns whether the control
// is still there to take the action: a LostFocus handler may have unloaded the window
// or disabled the control or its frame.
bool mouse_focus(const Target& t) {
  ui::Form& f = *t.form;
  ui::Control& c = *t.control;
  if (t.item == 0 && f.can_focus(c) && f.active_control(host_key) != &c) f.set_focus(c);
  return still_there(c) && c.enabled() && c.visible() && !f.hidden_container(c) && !f.disabled_container(c);
}

bool takes_typing(const ui::Control& c) {
  return c.kind() == Kind::TextBox || c.kind() == Kind::ComboBox || c.kind() == Kind::DataCombo;
}

// Whether typed characters change the text: not in a locked box, nor in a combo that is
// a drop-down list.
bool editable(const ui::Control& c) {
  if (!takes_typing(c) || c.locked()) return false;
  return c.kind() == Kind::TextBox || c.style != 2;
}

// The UTF-8 text of one character code.
std::string utf8(int code) {
  auto cp = static_cast<unsigned>(code);
  std::string s;
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | (cp >> 6));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    s += static_cast<char>(0xE0 | (cp >> 12));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (cp >> 18));
    s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

// The character codes of a UTF-8 text; a byte that starts no valid sequence stands
// for itself.
std::vector<int> codes_of(const std::string& text) {
  std::vector<int> out;
  size_t i = 0;
  while (i < text.size()) {
    auto b = static_cast<unsigned char>(text[i]);
    int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    bool ok = len > 0 && i + static_cast<size_t>(len) <= text.size();
    for (int k = 1; ok && k < len; ++k)
      ok = (static_cast<unsigned char>(text[i + static_cast<size_t>(k)]) >> 6) == 2;
    if (!ok) {
      out.push_back(b);
      ++i;
      continue;
    }
    int cp = len == 1 ? b : b & (0x7F >> len);
    for (int k = 1; k < len; ++k) cp = (cp << 6) | (text[i + static_cast<size_t>(k)] & 0x3F);
    out.push_back(cp);
    i += static_cast<size_t>(len);
  }
  return out;
}

// One key as a keyboard gives it to the focused control: KeyPress first, whose handler
// may change the code or swallow it (0); then, in an editable box, the edit: 8 deletes
// the selection or the character before the caret, 13 breaks the line of a multi-line
// box, other control codes do nothing, a character replaces the selection (raising
// Change).
void press_key(ui::Control& c, int code) {
  int key = code;
  if (c.on_key_press) c.on_key_press(key);
  if (key == 0 || !still_there(c) || !editable(c)) return;
  if (key == 8) {
    if (c.sel_length() == 0) {
      if (c.sel_start() == 0) return;
      int start = c.sel_start() - 1;
      while (start > 0 && (static_cast<unsigned char>(c.text()[static_cast<size_t>(start)]) >> 6) == 2)
        --start;
      c.set_selection(start, c.sel_start() - start);
    }
    c.replace_selection("");
    return;
  }
  if (key == 13) {
    if (c.multi_line) c.replace_selection("\n");
    return;
  }
  if (key < 32) return;
  c.replace_selection(utf8(key));
}

// Gives the control the focus as the user would (Tab or click), failing when it
// cannot take it. The program may send the focus elsewhere while the last field is
// left (a refused value goes back into its field): that is the program's answer, not
// the user's fault, so only `must_arrive` callers (typing) fail then.
void take_focus(Interpreter& in, const Line& line, const Target& t, bool must_arrive = true) {
  ui::Form& f = *t.form;
  if (f.active_control(host_key) == t.control) return;
  if (!f.can_focus(*t.control)) in.fail(line, t.name + " cannot take the focus");
  f.set_focus(*t.control);
  if (must_arrive && t.form->is_loaded() && f.active_control(host_key) != t.control)
    in.fail(line,
            t.name + " did not get the focus: the program kept it at " +
                (f.active_control(host_key) ? f.active_control(host_key)->key() : std::string("no control")));
}

void cmd_start(Interpreter& in, const Line& line) {
  Args(in, line).done();
  in.require_running(line);
  if (!in.session().start) in.fail(line, "there is no start-up procedure");
  if (in.started()) in.fail(line, "the program has started already");
  in.set_started();
  in.session().start();
}

void cmd_click(Interpreter& in, const Line& line) {
  Args a(in, line);
  Ref ref = a.control("the control");
  a.done();
  Target t = in.control_for_user(line, ref);
  ui::Control& c = *t.control;
  if (t.item > 0 && c.kind() == Kind::Toolbar) {
    c.click_button(t.item);
    return;
  }
  if (!mouse_focus(t)) return;
  switch (c.kind()) {
    case Kind::CheckBox:
      c.set_value(c.value() == 1 ? 0 : 1);
      break;  // raises Click
    case Kind::OptionButton:
      c.set_value(1);
      break;  // raises Click when it changes
    default:
      c.click();
      break;
  }
}

void cmd_dblclick(Interpreter& in, const Line& line) {
  Args a(in, line);
  Ref ref = a.control("the control");
  a.done();
  Target t = in.control_for_user(line, ref);
  if (!mouse_focus(t)) return;
  t.control->dblclick();
}

void cmd_type(Interpreter& in, const Line& line) {
  Args a(in, line);
  Ref ref = a.control("the control");
  std::string text = a.text("the text to type");
  a.done();
  Target t = in.control_for_user(line, ref);
  ui::Control& c = *t.control;
  if (!takes_typing(c)) in.fail(line, t.name + " takes no typing");
  take_focus(in, line, t);
  c.set_selection(0, static_cast<int>(c.text().size()));
  bool first = true;
  for (int code : codes_of(text)) {
    if (!first) {
      // The rest of the text would go elsewhere: the transcript must say where.
      if (!still_there(c)) in.fail(line, t.name + " went away while typing");
      if (t.form->active_control(host_key) != &c) in.fail(line, t.name + " lost the focus while typing");
    }
    first = false;
    press_key(c, code == '\n' ? 13 : code);
  }
}

void cmd_set(Interpreter& in, const Line& line) {
  Args a(in, line);
  Ref ref = a.control("the control");
  std::string text = a.text("the text");
  a.done();
  Target t = in.control_for_user(line, ref);
  ui::Control& c = *t.control;
  if (!takes_typing(c)) in.fail(line, t.name + " takes no text");
  if (c.locked()) in.fail(line, t.name + " is locked");
  c.enter_text(text);  // a numeric field refuses a text its key filter would not let through
}

void cmd_key(Interpreter& in, const Line& line) {
  Args a(in, line);
  Ref ref = a.control("the control");
  long long code = a.integer("the key code");
  a.done();
  if (code < 0 || code > 0x10FFFF) a.malformed("the key code is out of range");
  Target t = in.control_for_user(line, ref);
  take_focus(in, line, t);
  press_key(*t.control, static_cast<int>(code));
}

void cmd_focus(Interpreter& in, const Line& line) {
  Args a(in, line);
  Ref ref = a.control("the control");
  a.done();
  take_focus(in, line, in.control_for_user(line, ref), false);
}

void cmd_tab(Interpreter& in, const Line& line) {
  Args(in, line).done();
  in.require_running(line);
  ui::Form* f = in.topmost();
  if (!f) in.fail(line, "no window is shown");
  f->tab_next();
}

// A key as the keyboard names it: "Esc", or a shortcut of a letter, digit or function key
// after any of "Ctrl+", "Shift+" and "Alt+" ("Ctrl+A", "F1").
bool key_name(const std::string& k) {
  if (k == "Esc") return true;
  std::string_view rest(k);
  for (std::string_view mod : {"Ctrl+", "Shift+", "Alt+"})
    if (rest.substr(0, mod.size()) == mod) rest.remove_prefix(mod.size());
  if (rest.size() == 1) return std::isalnum(static_cast<unsigned char>(rest[0])) != 0;
  if (rest.size() < 2 || rest.size() > 3 || rest[0] != 'F') return false;
  const int n = std::atoi(std::string(rest.substr(1)).c_str());
  return n >= 1 && n <= 12 && std::isdigit(static_cast<unsigned char>(rest[1]));
}

// A key pressed in the window the user works in (the topmost shown one), wherever its focus
// is: Esc presses the window's cancel control, a shortcut clicks the menu item carrying it.
// Nothing moves the focus. A key the window has no command for, or whose command the user
// cannot operate now (disabled, or in a disabled frame or menu), does nothing, as on the
// screen.
void cmd_press(Interpreter& in, const Line& line) {
  Args a(in, line);
  const std::string k = a.bare("the key");
  a.done();
  if (!key_name(k)) a.malformed("unknown key " + k + " (Esc, or a shortcut such as Ctrl+A)");
  in.require_running(line);
  ui::Form* f = in.topmost();
  if (!f) in.fail(line, "no window is shown");
  ui::Control* c = k == "Esc" ? f->cancel_control(host_key) : f->shortcut_control(host_key, k);
  if (!c || !f->operable(*c)) return;
  c->click();
}

void cmd_pick(Interpreter& in, const Line& line) {
  Args a(in, line);
  Ref ref = a.control("the control");
  std::string item = a.text("the item");
  a.done();
  Target t = in.control_for_user(line, ref);
  ui::Control& c = *t.control;
  if (c.kind() != Kind::ListBox && c.kind() != Kind::ComboBox && c.kind() != Kind::DataCombo)
    in.fail(line, t.name + " is not a list or combo box");
  int i = c.find_item(item);
  if (i < 0) {
    std::string items;
    for (auto& s : c.items()) items += " " + quote(s);
    in.fail(line,
            t.name + " has no item " + quote(item) + " (items:" + (items.empty() ? " none" : items) + ")");
  }
  if (!mouse_focus(t)) return;
  c.set_list_index(i);
}

void cmd_row(Interpreter& in, const Line& line) {
  Args a(in, line);
  Ref ref = a.control("the grid");
  long long row = a.integer("the row");
  a.done();
  Target t = in.control_for_user(line, ref);
  ui::Control& c = *t.control;
  if (c.kind() != Kind::Grid) in.fail(line, t.name + " is not a grid");
  if (row < c.fixed_rows || row >= c.rows())
    in.fail(line, t.name + " has rows " + std::to_string(c.fixed_rows) + " to " +
                      std::to_string(c.rows() - 1) + " to select");
  if (!mouse_focus(t)) return;
  c.set_row(static_cast<int>(row));
  c.click();
}

void cmd_page(Interpreter& in, const Line& line) {
  Args a(in, line);
  Ref ref = a.control("the tab strip");
  long long tab = a.integer("the tab");
  a.done();
  Target t = in.control_for_user(line, ref);
  ui::Control& c = *t.control;
  if (c.kind() != Kind::TabStrip) in.fail(line, t.name + " is not a tab strip");
  if (tab < 0 || (!c.tabs().empty() && tab >= static_cast<long long>(c.tabs().size())))
    in.fail(line, t.name + " has " + std::to_string(c.tabs().size()) + " tabs (counted from 0)");
  if (!mouse_focus(t)) return;
  c.set_tab(static_cast<int>(tab));
}

void cmd_close(Interpreter& in, const Line& line) {
  Args a(in, line);
  Ref ref = a.window("the window");
  a.done();
  in.form_for_user(line, ref.window).unload();
}

}  // namespace

void add_user_commands(CommandTable& t) {
  t["start"] = cmd_start;
  t["click"] = cmd_click;
  t["dblclick"] = cmd_dblclick;
  t["type"] = cmd_type;
  t["set"] = cmd_set;
  t["key"] = cmd_key;
  t["focus"] = cmd_focus;
  t["tab"] = cmd_tab;
  t["press"] = cmd_press;
  t["pick"] = cmd_pick;
  t["row"] = cmd_row;
  t["page"] = cmd_page;
  t["close"] = cmd_close;
}

}  // namespace gw::runner
