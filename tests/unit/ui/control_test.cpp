// Control semantics: Change only on a real change, selection typing, combos, grid.
#include <gtest/gtest.h>

#include "platform/ui/control.h"
#include "platform/ui/form.h"
#include "platform/ui/host.h"
#include "tests/support/recording_host.h"

namespace {

using gw::ui::Control;
using gw::ui::Kind;

class Bare : public gw::ui::Form {
 public:
  explicit Bare(gw::ui::Forms& f) : Form(f, "frmBare") {}

 protected:
  void build() override {
    add(Kind::TextBox, "txt").max_length = 5;
    add(Kind::ComboBox, "cbo").set_items({"ENGLISH", "METRIC"});
    add(Kind::DataCombo, "dbc").set_items({"A", "B"});
    add(Kind::Grid, "grid");
  }
};

using NoHost = gw::testing::RecordingHost;

struct ControlTest : ::testing::Test {
  NoHost host;
  gw::ui::Forms forms{host};
  Bare form{forms};
};

TEST_F(ControlTest, ChangeIsRaisedOnlyForARealChange) {
  Control& t = form.c("txt");
  int changes = 0;
  t.on_change = [&] { ++changes; };
  t.set_text("1.5");
  t.set_text("1.5");
  t.set_text("");
  EXPECT_EQ(changes, 2);
}

TEST_F(ControlTest, TypingReplacesTheSelectionWithinTheInputLimit) {
  Control& t = form.c("txt");
  t.set_text("12345");
  t.set_selection(1, 3);
  t.replace_selection("x");
  EXPECT_EQ(t.text(), "1x5");
  EXPECT_EQ(t.sel_start(), 2);
  t.set_selection(3, 0);
  t.replace_selection("abcdef");  // only two characters fit
  EXPECT_EQ(t.text(), "1x5ab");
  // A character that does not fit whole is left out, never cut into bytes.
  t.set_text("123");
  t.set_selection(3, 0);
  t.replace_selection("\xC3\xA9\xC3\xA9");  // two bytes of room, two two-byte characters
  EXPECT_EQ(t.text(), "123\xC3\xA9");
  t.set_text("1234");
  t.set_selection(4, 0);
  t.replace_selection("\xC3\xA9");
  EXPECT_EQ(t.text(), "1234");
}

TEST_F(ControlTest, PickingAComboItemSetsItsTextAndRaisesClick) {
  Control& c = form.c("cbo");
  int clicks = 0, changes = 0;
  c.on_click = [&] { ++clicks; };
  c.on_change = [&] { ++changes; };
  c.set_list_index(1);
  EXPECT_EQ(c.text(), "METRIC");
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(changes, 0);  // a plain combo reports a pick as a click only
  c.set_text("ENGLISH");  // typing the text of an item selects it
  EXPECT_EQ(c.list_index(), 0);
  c.set_text("MET");
  EXPECT_EQ(c.list_index(), -1);

  Control& d = form.c("dbc");
  int dchanges = 0;
  d.on_change = [&] { ++dchanges; };
  d.set_list_index(0);
  EXPECT_EQ(dchanges, 1);  // a data-bound combo reports the new text as a change
}

TEST_F(ControlTest, GridCellsOutsideTheGridReadEmptyAndAreNotWritten) {
  Control& g = form.c("grid");
  g.set_grid({{"PIPE_NUMBER", "SHAPE"}, {"P1", "Box"}});
  EXPECT_EQ(g.rows(), 2);
  EXPECT_EQ(g.cols(), 2);
  EXPECT_EQ(g.cell(1, 1), "Box");
  g.set_cell(5, 5, "x");
  EXPECT_EQ(g.cell(5, 5), "");
  g.set_row(1);
  EXPECT_EQ(g.row(), 1);
  EXPECT_EQ(gw::ui::color_text(gw::ui::kLockedColor), "&HFFC0C0");
  EXPECT_EQ(gw::ui::color_text(gw::ui::kWindowColor), "&H80000005");
}

}  // namespace
