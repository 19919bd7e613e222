// Form LD347 laid out from the walk: header, rows branch by branch, the downstream row of each
// row, the empty row between branches, the storm frequency, and the pipe look-ups.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "reports/grade_line_sheet.h"

namespace gw::reports {
namespace {

// A 12 in pipe from `in` down to `out`, low enough for the downstream grade line to govern.
GradeLineRecord pipe(const std::string& number, const std::string& in, const std::string& out,
                     const std::string& storm = "10", const std::string& velocity = "2") {
  GradeLineRecord r;
  r.node_in = in;
  r.node_out = out;
  r.skew = "0";
  GradeLinePipe& p = r.pipe;
  p.number = number;
  p.dia = "12";
  p.shape = "Circular";
  p.manning_n = "0.013";
  p.length = "100";
  p.ele_out = "100";
  p.ele_in = "101";
  p.flow_depth = "0.3";
  p.discharge = "1";
  p.barrels = "1";
  p.storm_freq = storm;
  p.nodein_type = "Man Hole";
  p.nodein_shaping = "NO";
  p.velocity = velocity;
  p.nodein_station = "0+00";
  p.nodein_top = "120";
  return r;
}

using Cells = std::map<std::pair<int, int>, SheetValue>;

struct Written {
  Cells cells;
  std::vector<std::pair<int, int>> order;
  GradeLineSheetSummary summary;
  const SheetValue& at(int r, int c) const {
    static const SheetValue none;
    auto it = cells.find({r, c});
    return it == cells.end() ? none : it->second;
  }
  std::vector<int> rows_of_column1() const {
    std::vector<int> rows;
    for (const auto& [rc, v] : cells)
      if (rc.second == 1 && rc.first > kOutfallRow) rows.push_back(rc.first);
    return rows;
  }
};

Written write(const GradeLineSource& src, const std::vector<Branch>& branches,
              const std::string& tailwater = "110.00") {
  Written w;
  GradeLineHeader h{"Route 340", "J. O'Neil", "O", tailwater};
  w.summary =
      write_grade_line_sheet(branches, src, h, units_of("ENGLISH"), [&w](int r, int c, const SheetValue& v) {
        EXPECT_TRUE(v.written());
        w.cells[{r, c}] = v;
        w.order.emplace_back(r, c);
      });
  return w;
}

// The worked network: O <- A <- B <- E, A <- C, O <- D.
PipeLookup worked_network() {
  return PipeLookup({pipe("P1", "A", "O", "10"), pipe("P2", "B", "A", "10"), pipe("P3", "C", "A", "25", "3"),
                     pipe("P4", "D", "O", "10"), pipe("P5", "E", "B", "10")});
}

TEST(GradeLineSheet, BranchesFollowEachOtherAfterOneEmptyRow) {
  const PipeLookup pipes = worked_network();
  const Written w = write(pipes, walk_upstream(pipes.walk_pipes(), "O"));
  // Branch 0 = O, A, B, E on rows 12-14; branch 1 = O, D on 16; branch 2 = A, C on 18.
  EXPECT_EQ(w.rows_of_column1(), (std::vector<int>{12, 13, 14, 16, 18}));
  EXPECT_EQ(w.at(12, 1).text, "A");
  EXPECT_EQ(w.at(13, 1).text, "B");
  EXPECT_EQ(w.at(14, 1).text, "E");
  EXPECT_EQ(w.at(16, 1).text, "D");
  EXPECT_EQ(w.at(18, 1).text, "C");
  EXPECT_EQ(w.summary.rows_written, 5);
}

TEST(GradeLineSheet, EachRowTakesTheGradeLineOfItsDownstreamRow) {
  const PipeLookup pipes = worked_network();
  const Written w = write(pipes, walk_upstream(pipes.walk_pipes(), "O"));
  // The first rows of the outfall's branches start from the tailwater, the next ones from the
  // row below them, and branch 2 from the row of its junction A (row 12).
  EXPECT_EQ(w.at(12, 5).number, 110.0);
  EXPECT_EQ(w.at(16, 5).number, 110.0);
  EXPECT_EQ(w.at(13, 5).number, w.at(12, 25).number);
  EXPECT_EQ(w.at(14, 5).number, w.at(13, 25).number);
  EXPECT_EQ(w.at(18, 5).number, w.at(12, 25).number);
  EXPECT_GT(w.at(13, 25).number, w.at(12, 25).number);
}

TEST(GradeLineSheet, HeaderFirstStormFrequencyLast) {
  const PipeLookup pipes = worked_network();
  const Written w = write(pipes, walk_upstream(pipes.walk_pipes(), "O"));
  ASSERT_GE(w.order.size(), 5u);
  EXPECT_EQ(w.order[0], std::make_pair(1, 9));
  EXPECT_EQ(w.order[1], std::make_pair(1, 26));
  EXPECT_EQ(w.order[2], std::make_pair(11, 1));
  EXPECT_EQ(w.order[3], std::make_pair(11, 25));
  EXPECT_EQ(w.order.back(), std::make_pair(4, 4));
  EXPECT_EQ(w.at(1, 9).text, "Route 340");
  EXPECT_EQ(w.at(1, 26).text, "J. O'Neil");
  EXPECT_EQ(w.at(11, 1).text, "O");
  EXPECT_EQ(w.at(11, 1).kind, SheetValue::Kind::label);
  EXPECT_EQ(w.at(1, 9).kind, SheetValue::Kind::label);
  EXPECT_EQ(w.at(12, 1).kind, SheetValue::Kind::label);
  EXPECT_EQ(w.at(11, 25).kind, SheetValue::Kind::text);
  EXPECT_EQ(w.at(11, 25).text, "110.00");
  // Pipe P3 (node C) is written last: its storm frequency.
  EXPECT_EQ(w.at(4, 4).text, "25");
  EXPECT_EQ(w.summary.storm_frequency, "25");
}

TEST(GradeLineSheet, RowsReadTheirLateralsFromThePipesEndingAtTheirNode) {
  const PipeLookup pipes = worked_network();
  const Written w = write(pipes, walk_upstream(pipes.walk_pipes(), "O"));
  // Into A end B's pipe (2 ft/s) and C's (3 ft/s, same discharge): C has the larger Q V.
  EXPECT_EQ(w.at(12, 13).number, 3.0);
  // Nothing ends at E.
  EXPECT_EQ(w.at(14, 13).number, 0.0);
}

TEST(GradeLineSheet, OutfallWithoutPipesGivesTheHeaderAndAnEmptyStormFrequency) {
  const PipeLookup pipes = worked_network();
  const Written w = write(pipes, walk_upstream(pipes.walk_pipes(), "Z"), "0.0");
  EXPECT_EQ(w.order.size(), 5u);
  EXPECT_EQ(w.at(11, 25).text, "0.0");
  EXPECT_EQ(w.at(4, 4).kind, SheetValue::Kind::text);
  EXPECT_EQ(w.at(4, 4).text, "");
  EXPECT_EQ(w.summary.rows_written, 0);
}

TEST(GradeLineSheet, EachRowShowsThePipeClimbedToItsNode) {
  GradeLineRecord first = pipe("P1", "A", "O", "10");
  first.pipe.dia = "15";
  const PipeLookup pipes({first, pipe("P2", "A", "O", "25")});
  const Written w = write(pipes, walk_upstream(pipes.walk_pipes(), "O"));
  // Two branches O, A, one through each pipe: each row shows its own pipe.
  EXPECT_EQ(w.rows_of_column1(), (std::vector<int>{12, 14}));
  EXPECT_EQ(w.at(12, 6).text, "15");
  EXPECT_EQ(w.at(14, 6).text, "12");
  EXPECT_EQ(w.at(4, 4).text, "25");
}

TEST(GradeLineSheet, TwoPipesLeavingANodeTakeTheOneOnThePath) {
  // P1 leaves A for another outfall X and comes first; the walk from O reaches A through P2.
  GradeLineRecord elsewhere = pipe("P1", "A", "X", "25");
  elsewhere.pipe.dia = "15";
  elsewhere.pipe.length = "900";
  const PipeLookup pipes({elsewhere, pipe("P2", "A", "O", "10"), pipe("P3", "B", "A", "10")});
  const Written w = write(pipes, walk_upstream(pipes.walk_pipes(), "O"));
  EXPECT_EQ(w.rows_of_column1(), (std::vector<int>{12, 13}));
  EXPECT_EQ(w.at(12, 6).text, "12");
  EXPECT_EQ(w.at(12, 8).text, "100");
  EXPECT_EQ(w.at(13, 1).text, "B");
  EXPECT_EQ(w.at(4, 4).text, "10");
}

TEST(GradeLineSheet, BlankComputedCellsAreListedPipeAndColumn) {
  GradeLineRecord no_velocity = pipe("P2", "B", "A");
  no_velocity.pipe.velocity = "";
  GradeLineRecord no_top = pipe("P3", "C", "A");
  no_top.pipe.nodein_top = "";
  const PipeLookup pipes({pipe("P1", "A", "O"), no_velocity, no_top});
  const Written w = write(pipes, walk_upstream(pipes.walk_pipes(), "O"));
  ASSERT_EQ(w.summary.blanks.size(), 2u);
  EXPECT_EQ(w.summary.blanks[0].pipe, "P2");
  EXPECT_EQ(w.summary.blanks[0].node, "B");
  EXPECT_EQ(w.summary.blanks[0].columns, (std::vector<int>{12, 19, 21, 23, 24, 25, 27}));
  EXPECT_EQ(w.summary.blanks[1].columns, (std::vector<int>{27}));
  EXPECT_EQ(grade_line_blanks_text(w.summary.blanks),
            "Pipe P2 (node B): columns 12, 19, 21, 23, 24, 25, 27\nPipe P3 (node C): column 27");
  // The blank cells are not handed over; a whole network gives no list.
  EXPECT_FALSE(w.at(13, 25).written());
  const PipeLookup whole = worked_network();
  EXPECT_TRUE(write(whole, walk_upstream(whole.walk_pipes(), "O")).summary.blanks.empty());
  EXPECT_EQ(grade_line_blanks_text({}), "");
}

// A source that does not know one pipe.
class Without : public GradeLineSource {
 public:
  Without(const PipeLookup& all, std::string missing) : all_(all), missing_(std::move(missing)) {}
  std::optional<GradeLinePipe> pipe(std::size_t index) const override {
    std::optional<GradeLinePipe> p = all_.pipe(index);
    if (p && p->number == missing_) return std::nullopt;
    return p;
  }
  std::vector<GradeLineLateral> laterals_into(const std::string& node,
                                              const std::string& number) const override {
    return all_.laterals_into(node, number);
  }

 private:
  const PipeLookup& all_;
  std::string missing_;
};

TEST(GradeLineSheet, ANodeWithoutPipeEndsItsBranch) {
  const PipeLookup pipes = worked_network();
  const auto branches = walk_upstream(pipes.walk_pipes(), "O");
  const Written w = write(Without(pipes, "P2"), branches);  // the pipe from B
  EXPECT_EQ(w.rows_of_column1(), (std::vector<int>{12, 14, 16}));
  EXPECT_EQ(w.at(16, 1).text, "C");
  EXPECT_EQ(w.at(16, 5).number, w.at(12, 25).number);
}

TEST(GradeLineSheet, AJunctionWithoutRowEndsTheForm) {
  const PipeLookup pipes = worked_network();
  const auto branches = walk_upstream(pipes.walk_pipes(), "O");
  const Written w = write(Without(pipes, "P1"), branches);  // the pipe from A
  // Branch 0 writes nothing, branch 1 writes D, branch 2 starts at A, which has no row.
  EXPECT_EQ(w.rows_of_column1(), (std::vector<int>{13}));
  EXPECT_EQ(w.at(13, 1).text, "D");
  EXPECT_EQ(w.at(4, 4).text, "10");
}

TEST(PipeLookup, AnswersAsTheDatabaseComparesTexts) {
  const PipeLookup pipes({pipe("P1", "a", "O"), pipe("P2", "B", "A"), pipe("p3", "C", "a"),
                          pipe("P4", "", ""), pipe("P5", "D", "b")});
  ASSERT_TRUE(pipes.pipe(2));
  EXPECT_EQ(pipes.pipe(2)->number, "p3");
  EXPECT_FALSE(pipes.pipe(5));
  // Each pipe asked for is the caller's own: a later look-up leaves an earlier one as it was.
  const std::optional<GradeLinePipe> first = pipes.pipe(0);
  const std::optional<GradeLinePipe> second = pipes.pipe(1);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->number, "P1");
  EXPECT_EQ(second->number, "P2");
  // A null node matches nothing.
  EXPECT_TRUE(pipes.laterals_into("", "P9").empty());
  // Into "A" end P2 and p3, in table order; "P3" is p3 itself.
  auto into_a = pipes.laterals_into("A", "P3");
  ASSERT_EQ(into_a.size(), 1u);
  EXPECT_EQ(into_a[0].number, "P2");
  into_a = pipes.laterals_into("a", "P9");
  ASSERT_EQ(into_a.size(), 2u);
  EXPECT_EQ(into_a[0].number, "P2");
  EXPECT_EQ(into_a[1].number, "p3");
  EXPECT_EQ(into_a[1].skew, "0");
  EXPECT_EQ(into_a[1].velocity, "2");
  EXPECT_EQ(into_a[1].discharge, "1");
}

}  // namespace
}  // namespace gw::reports
