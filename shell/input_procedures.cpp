// Numeric key filters, select-all, the combo-box list check and the NOAA map.
#include "shell/input_procedures.h"

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
