// Control semantics: Change only on a real change, selection typing, combos, grid.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/control.h"
#include "platform/ui/form.h"
#include "platform/ui/host.h"
#include "tests/support/host_access.h"
#include "tests/support/recording_host.h"

using gw::testing::host_key;

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
  Control& t = form.host_control(host_key, "txt");
  int changes = 0;
  t.on_change = [&] { ++changes; };
  t.set_text("1.5");
  t.set_text("1.5");
  t.set_text("");
  EXPECT_EQ(changes, 2);
}

TEST_F(ControlTest, TypingReplacesTheSelectionWithinTheInputLimit) {
  Control& t = form.host_control(host_key, "txt");
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
  Control& c = form.host_control(host_key, "cbo");
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

  Control& d = form.host_control(host_key, "dbc");
  int dchanges = 0;
  d.on_change = [&] { ++dchanges; };
  d.set_list_index(0);
  EXPECT_EQ(dchanges, 1);  // a data-bound combo reports the new text as a change
}

// The grid keeps each row's texts packed: whatever the texts (empty, long, with any byte),
// every cell reads back as written through every way of changing the grid.
TEST_F(ControlTest, GridCellsReadBackAsWrittenThroughEveryChange) {
  Control& g = form.host_control(host_key, "grid");
  const std::string long_text(300, 'x');
  const std::string odd("a\0b\x80\xff", 5);
  g.set_grid({{"PIPE_NUMBER", "SHAPE", "NOTE"}, {"P1", "", long_text}, {odd}});
  ASSERT_EQ(g.rows(), 3);
  ASSERT_EQ(g.cols(), 3);
  EXPECT_EQ(g.cell(1, 1), "");
  EXPECT_EQ(g.cell(1, 2), long_text);
  EXPECT_EQ(g.cell(2, 0), odd);
  EXPECT_EQ(g.cell(2, 2), "");  // a short row is padded
  g.set_cell(1, 1, "Box");
  g.set_cell(2, 2, long_text + "y");
  EXPECT_EQ(g.cell(1, 0), "P1");
  EXPECT_EQ(g.cell(1, 1), "Box");
  EXPECT_EQ(g.cell(1, 2), long_text);
  EXPECT_EQ(g.cell(2, 2), long_text + "y");
  g.set_cols(2);
  EXPECT_EQ(g.cell(1, 1), "Box");
  EXPECT_EQ(g.cell(1, 2), "");
  g.set_cols(4);
  EXPECT_EQ(g.cell(2, 0), odd);
  EXPECT_EQ(g.cell(2, 3), "");
  g.set_rows(5);
  EXPECT_EQ(g.cell(4, 3), "");
  g.set_cell(4, 3, "last");
  EXPECT_EQ(g.cell(4, 3), "last");
  g.set_rows(2);
  EXPECT_EQ(g.rows(), 2);
  EXPECT_EQ(g.cell(1, 1), "Box");
}

// Lists given one list of items share it; refilling one leaves the others as they were, and an
// unloaded window's lists and grids hold nothing.
TEST_F(ControlTest, ListsShareOneItemListAndUnloadingFreesItems) {
  auto numbers = std::make_shared<const std::vector<std::string>>(std::vector<std::string>{"P1", "P2"});
  Control& cbo = form.host_control(host_key, "cbo");
  Control& dbc = form.host_control(host_key, "dbc");
  cbo.set_text("P2");
  cbo.set_items(numbers);
  dbc.set_items(numbers);
  EXPECT_EQ(cbo.item_list(), dbc.item_list());
  EXPECT_EQ(cbo.list_index(), 1);
  dbc.set_items(std::vector<std::string>{"A"});
  EXPECT_EQ(cbo.items(), (std::vector<std::string>{"P1", "P2"}));
  EXPECT_EQ(dbc.items(), (std::vector<std::string>{"A"}));
  cbo.clear_items();
  EXPECT_EQ(cbo.list_count(), 0);
  EXPECT_EQ(numbers->size(), 2u);

  Control& grid = form.host_control(host_key, "grid");
  grid.set_grid({{"H"}, {"x"}});
  form.unload();  // the retired controls stay, without their contents
  EXPECT_EQ(dbc.list_count(), 0);
  EXPECT_EQ(grid.rows(), 0);
}

TEST_F(ControlTest, GridCellsOutsideTheGridReadEmptyAndAreNotWritten) {
  Control& g = form.host_control(host_key, "grid");
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
