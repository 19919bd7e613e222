// Numeric key filters, select-all, the combo-box list check and the NOAA map.
#include "shell/input_procedures.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/text/parse.h"
#include "platform/ui/form.h"
#include "platform/ui/host.h"

namespace gw::shell {

namespace {

constexpr int kKeyMinus = 45;
constexpr int kKeyPoint = 46;

void filter_keypress(ui::Control& box, int& k, bool allow_minus) {
  if (k == kKeyEnter) {
    // Enter acts as Tab: the focus goes to the next field and the Enter itself is dropped.
    k = 0;
    box.form().tab_next();
    return;
  }
  if (k >= '0' && k <= '9') return;
  if (k < 32) return;
  if (allow_minus && k == kKeyMinus) return;
  if (k == kKeyPoint) {
    // One decimal point: a typed point passes when it replaces the one there is.
    bool selection_has_point = box.sel_text().find('.') != std::string::npos;
    bool text_has_point = box.text().find('.') != std::string::npos;
    if (selection_has_point || !text_has_point) return;
  }
  k = 0;
}

}  // namespace

void numeric_keypress(ui::Control& box, int& key_ascii) { filter_keypress(box, key_ascii, false); }

void signed_numeric_keypress(ui::Control& box, int& key_ascii) { filter_keypress(box, key_ascii, true); }

void numeric_field(ui::Control& box) {
  box.number_entry = ui::NumberEntry::unsigned_number;
  box.on_key_press = [&box](int& key) { numeric_keypress(box, key); };
}

void signed_numeric_field(ui::Control& box) {
  box.number_entry = ui::NumberEntry::signed_number;
  box.on_key_press = [&box](int& key) { signed_numeric_keypress(box, key); };
}

namespace {

// The name the window shows for a field: its label's caption ("lbl_name" or "lblname", else the
// label placed just before it in its frame), else the field's own name.
std::string field_caption(const std::vector<ui::Control*>& controls, const ui::Control& box) {
  for (const std::string& label : {"lbl_" + box.name(), "lbl" + box.name()}) {
    auto named = std::find_if(controls.begin(), controls.end(),
                              [&](const ui::Control* c) { return c->index() < 0 && c->name() == label; });
    const ui::Control* l = named == controls.end() ? nullptr : *named;
    if (l && l->kind() == ui::Kind::Label && !l->caption().empty()) {
      std::string caption = l->caption();
      while (!caption.empty() && (caption.back() == ' ' || caption.back() == ':')) caption.pop_back();
      return caption;
    }
  }
  // Else the label placed just before it in its frame.
  const ui::Control* before = nullptr;
  for (const ui::Control* c : controls) {
    if (c == &box) break;
    if (c->kind() == ui::Kind::Label && c->container == box.container && !c->caption().empty()) before = c;
  }
  return before ? before->caption() : box.key();
}

}  // namespace

ui::Control* refuse_non_numbers(ui::Host& host, const std::vector<ui::Control*>& controls) {
  std::vector<ui::Control*> fields;
  for (ui::Control* c : controls)
    if (c->number_entry != ui::NumberEntry::none && !c->text().empty() && !text::is_numeric(c->text()))
      fields.push_back(c);
  if (fields.empty()) return nullptr;
  ui::Control* first = *std::min_element(
      fields.begin(), fields.end(),
      [](const ui::Control* a, const ui::Control* b) { return a->tab_index < b->tab_index; });
  host.msgbox(field_caption(controls, *first) + " holds \"" + first->text() +
                  "\", which is not a number. Please enter a number.",
              ui::Buttons::OK, ui::Icon::Exclamation);
  return first;
}

void select_all_text(ui::Control& box) { box.set_selection(0, static_cast<int>(box.text().size())); }

bool combo_value_invalid(ui::Control& combo) {
  const std::string& text = combo.text();
  for (const std::string& item : combo.items())
    if (item.compare(0, text.size(), text) == 0) return false;
  combo.form().host().msgbox("Value not present in the list... Please enter a valid value..");
  combo.set_text(combo.items().empty() ? std::string() : combo.items().front());
  return true;
}

std::string completed_combo_text(const ui::Control& combo) {
  const std::string& text = combo.text();
  const std::string* only = nullptr;
  for (const std::string& item : combo.items()) {
    if (item == text) return text;
    if (item.compare(0, text.size(), text) == 0) {
      if (only) return text;
      only = &item;
    }
  }
  return only ? *only : text;
}

void open_noaa_station_map(Program& prog) { prog.host.open_document(kNoaaStationMapUrl); }

}  // namespace gw::shell
