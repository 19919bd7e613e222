// Numeric key filters, select-all and the combo-box list check, as tables of cases.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/host.h"
#include "shell/input_procedures.h"
#include "tests/support/host_access.h"
#include "tests/support/recording_host.h"

using gw::testing::host_key;

namespace {

using gw::ui::Answer;
using gw::ui::Control;
using gw::ui::Form;
using gw::ui::Forms;
using gw::ui::Kind;

using RecordingHost = gw::testing::RecordingHost;

// Two numeric boxes and a units list, in this tab order.
class InputForm : public Form {
 public:
  static constexpr const char* kName = "frmInput";
  explicit InputForm(Forms& f) : Form(f, kName) {}

 protected:
  void build() override {
    add(Kind::TextBox, "txtFirst");
    add(Kind::TextBox, "txtSecond");
    Control& units = add(Kind::ComboBox, "units");
    units.set_items({"ENGLISH", "METRIC"});
  }
};

class InputProcedures : public ::testing::Test {
 protected:
  RecordingHost host;
  Forms forms{host};
  void SetUp() override {
    forms.register_form(InputForm::kName, [](Forms& f) { return std::make_unique<InputForm>(f); });
  }
  Form& form() { return forms.get(InputForm::kName); }
  // A box holding `text` with the selection [start, start + length).
  Control& box(const std::string& text, int start, int length) {
    Control& b = form().host_control(host_key, "txtFirst");
    b.set_text(text);
    b.set_selection(start, length);
    return b;
  }
};

struct KeyCase {
  const char* text;
  int sel_start;
  int sel_length;
  int key;
  int unsigned_result;  // what numeric_keypress leaves in the key
  int signed_result;    // what signed_numeric_keypress leaves
};

TEST_F(InputProcedures, KeyFiltersPassDigitsControlKeysAndOneDecimalPoint) {
  const KeyCase cases[] = {
      {"", 0, 0, '0', '0', '0'},    {"12", 2, 0, '9', '9', '9'},
      {"", 0, 0, '.', '.', '.'},     // no point yet
      {"1.5", 3, 0, '.', 0, 0},      // a second point is dropped
      {"1.5", 1, 2, '.', '.', '.'},  // ".5" selected: the typed point replaces it
      {"1.5", 0, 1, '.', 0, 0},      // "1" selected: the point stays, so no second one
      {"15", 0, 0, '-', 0, '-'},     // minus: signed only, also before the digits
      {"-15", 3, 0, '-', 0, '-'},    // and a second time
      {"", 0, 0, 'a', 0, 0},        {"", 0, 0, 'E', 0, 0},
      {"", 0, 0, ' ', 0, 0},        {"1", 1, 0, ',', 0, 0},
      {"1", 1, 0, '+', 0, 0},       {"1", 1, 0, '/', 0, 0},  // the neighbours of the digits
      {"1", 1, 0, ':', 0, 0},       {"1", 1, 0, 127, 0, 0},  // Delete as a character
      {"1", 1, 0, 8, 8, 8},                                  // Backspace
      {"1", 1, 0, 9, 9, 9},                                  // Tab
      {"1", 1, 0, 27, 27, 27},                               // Escape
      {"1", 1, 0, 3, 3, 3},                                  // Ctrl+C
      {"1", 1, 0, 31, 31, 31},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(std::string("text \"") + c.text + "\" key " + std::to_string(c.key));
    int k = c.key;
    gw::shell::numeric_keypress(box(c.text, c.sel_start, c.sel_length), k);
    EXPECT_EQ(k, c.unsigned_result);
    k = c.key;
    gw::shell::signed_numeric_keypress(box(c.text, c.sel_start, c.sel_length), k);
    EXPECT_EQ(k, c.signed_result);
  }
}

TEST_F(InputProcedures, EnterMovesTheFocusToTheNextFieldAndIsDropped) {
  for (bool is_signed : {false, true}) {
    SCOPED_TRACE(is_signed ? "signed" : "unsigned");
    Control& first = form().host_control(host_key, "txtFirst");
    first.set_text("12");
    ASSERT_TRUE(form().set_focus(first));
    int k = 13;
    if (is_signed)
      gw::shell::signed_numeric_keypress(first, k);
    else
      gw::shell::numeric_keypress(first, k);
    EXPECT_EQ(k, 0);
    EXPECT_EQ(first.text(), "12");
    ASSERT_NE(form().active_control(host_key), nullptr);
    EXPECT_EQ(form().active_control(host_key)->name(), "txtSecond");
  }
}

TEST_F(InputProcedures, SelectAllSelectsTheWholeText) {
  Control& b = box("12.75", 2, 1);
  gw::shell::select_all_text(b);
  EXPECT_EQ(b.sel_start(), 0);
  EXPECT_EQ(b.sel_length(), 5);
  EXPECT_EQ(b.sel_text(), "12.75");
  Control& empty = box("", 0, 0);
  gw::shell::select_all_text(empty);
  EXPECT_EQ(empty.sel_length(), 0);
}

TEST_F(InputProcedures, ComboValueInvalidAcceptsOnlyTheStartOfAnItem) {
  struct Case {
    const char* typed;
    bool rejected;
    const char* text_after;
  };
  const Case cases[] = {
      {"", false, ""},  // every item begins with the empty text
      {"MET", false, "MET"},
      {"E", false, "E"},
      {"METRIC", false, "METRIC"},
      {"X", true, "ENGLISH"},
      {"english", true, "ENGLISH"},  // the comparison heeds letter case
      {"METRICS", true, "ENGLISH"},  // longer than every item
      {" MET", true, "ENGLISH"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("typed \"") + c.typed + "\"");
    host.messages.clear();
    Control& units = form().host_control(host_key, "units");
    units.set_text(c.typed);
    EXPECT_EQ(gw::shell::combo_value_invalid(units), c.rejected);
    EXPECT_EQ(units.text(), c.text_after);
    if (c.rejected) {
      ASSERT_EQ(host.messages.size(), 1u);
      EXPECT_EQ(host.messages[0].text, "Value not present in the list... Please enter a valid value..");
      EXPECT_EQ(host.messages[0].icon, gw::ui::Icon::None);
      EXPECT_EQ(host.messages[0].buttons, gw::ui::Buttons::OK);
    } else {
      EXPECT_TRUE(host.messages.empty());
    }
  }
}

TEST_F(InputProcedures, CompletedComboTextCompletesTheOnlyItemATextBegins) {
  struct Case {
    const char* typed;
    const char* completed;
  };
  const Case cases[] = {
      {"MET", "METRIC"}, {"E", "ENGLISH"}, {"ENGLISH", "ENGLISH"},
      {"M", "METRIC"},   {"", ""},  // the start of both items: nothing to complete
      {"X", "X"},        {"met", "met"},
  };
  for (const Case& c : cases) {
    Control& units = form().host_control(host_key, "units");
    units.set_text(c.typed);
    EXPECT_EQ(gw::shell::completed_combo_text(units), c.completed) << "typed \"" << c.typed << "\"";
  }
}

TEST_F(InputProcedures, NoaaStationMapOpensTheVirginiaBookmark) {
  gw::shell::Program prog(host, "/opt/program");
  gw::shell::open_noaa_station_map(prog);
  ASSERT_EQ(host.documents.size(), 1u);
  const std::string& url = host.documents[0];
  EXPECT_EQ(url.substr(0, 8), "https://");
  EXPECT_EQ(url.substr(url.size() - 9), "?bkmrk=va");
  gw::shell::show_help(prog);
  ASSERT_EQ(host.documents.size(), 2u);
  EXPECT_EQ(host.documents[1], "/opt/program/Gullyworks.html");
}

}  // namespace
