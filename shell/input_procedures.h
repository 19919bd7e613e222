// Shared input and help procedures of the windows: numeric key filters, select-all on
// focus, the combo-box list check, the help document and the NOAA station map.
#pragma once

#include <vector>

#include "platform/ui/control.h"
#include "shell/help.h"
#include "shell/program.h"

namespace gw::shell {

// Key codes the filters act on.
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyTab = 9;
inline constexpr int kKeyBackspace = 8;

// Key filter of a numeric text box, for its KeyPress handler. `key_ascii` is changed in
// place: Enter moves the focus to the next field of the box's window and becomes 0;
// digits and control keys (below 32) pass; a decimal point passes when the box holds
// none or the selection it replaces holds one; every other key becomes 0.
void numeric_keypress(ui::Control& box, int& key_ascii);

// The same filter that also passes the minus sign (45), wherever the caret stands.
void signed_numeric_keypress(ui::Control& box, int& key_ascii);

// Makes a box a numeric field: its KeyPress handler is the numeric (or signed) key filter, and
// a text from outside (a paste, another program) passes only as those keys would.
void numeric_field(ui::Control& box);
void signed_numeric_field(ui::Control& box);

// The check before a window stores or reports its numbers, over the window's own controls: the
// first numeric field (in tab order) whose text is neither empty nor a number is named in a
// message box (exclamation) and returned; nullptr when every field reads.
ui::Control* refuse_non_numbers(ui::Host& host, const std::vector<ui::Control*>& controls);

// Selects the box's whole text; for the GotFocus handler of the same boxes.
void select_all_text(ui::Control& box);

// Rejects a combo-box text that is not the start of any list item (case-sensitive):
// shows "Value not present in the list... Please enter a valid value..", puts the first
// item into the box and returns true. Returns false, changing nothing, when some item
// begins with the text (the empty text begins every item).
bool combo_value_invalid(ui::Control& combo);

// The single list item the combo's text is the start of (case-sensitive), or the text
// itself when it is the start of none or of several items. "MET" gives "METRIC".
std::string completed_combo_text(const ui::Control& combo);

// Address of the public NOAA precipitation-frequency map, at its Virginia bookmark.
inline constexpr const char* kNoaaStationMapUrl =
    "https://hdsc.nws.noaa.gov/pfds/pfds_map_cont.html?bkmrk=va";

// Opens the NOAA precipitation-frequency map page with the desktop's browser.
void open_noaa_station_map(Program& prog);

// show_help(Program&) of shell/help.h opens the program's help document.

}  // namespace gw::shell
