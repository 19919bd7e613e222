// Tests of what opening a stored pipe finds out of date, and of the messages naming it.
#include "design/pipe_record_review.h"

#include <gtest/gtest.h>

namespace gw::design {
namespace {

TEST(PipeRecordReview, RowCopiesAgreeWithTheSavedRecordByNumberOrText) {
  const struct {
    const char* what;
    UpstreamValues row;
    UpstreamValues saved;
    bool current;
  } cases[] = {
      {"as copied", {"0.400", "5.000", "26.6"}, {"0.400", "5.000", "26.6"}, true},
      {"same numbers written otherwise", {"0.4", "5", "26.60"}, {"0.400", "5.000", "26.6"}, true},
      {"missing saved values copy as 0.0", {"0.0", "0.0", "0.0"}, {"", "", ""}, true},
      {"flow time saved anew", {"0.400", "5.000", "26.6"}, {"0.400", "5.000", "15.324"}, false},
      {"C*A saved anew", {"0.400", "5.000", "26.6"}, {"1.095", "5.000", "26.6"}, false},
      {"a missing Tc is not the copied 5.000", {"0.000", "5.000", "16.0"}, {"", "", ""}, false},
      {"texts that are no numbers compare as written", {"n/a", "5", "1"}, {"n/a", "5", "1"}, true},
      {"", {"n/a", "5", "1"}, {"N/A", "5", "1"}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(upstream_copies_current(c.row, c.saved), c.current) << c.what;
}

TEST(PipeRecordReview, MessagesNameTheRowsAndValues) {
  EXPECT_EQ(stale_rows_message({{1, "1"}}, true),
            "Previous pipe row 1 holds copies of pipe 1 that differ from its saved record. The row is entered "
            "again from the saved pipe: solve and save this pipe.");
  EXPECT_EQ(stale_rows_message({{1, "1"}, {3, "2"}, {4, "P-7"}}, false),
            "Previous pipe rows 1, 3 and 4 hold copies of pipes 1, 2 and P-7 that differ from their saved "
            "records. Edit this pipe to enter the rows again.");
  EXPECT_EQ(stored_intensity_message("6.120", "8.664", "5.000", "in/hr"),
            "The stored rainfall intensity 6.120 in/hr is not the program's 8.664 in/hr at the stored "
            "accumulated Tc of 5.000 min. It is kept as the engineer's own; \"Compute Intensity\" gives the "
            "program's.");
}

TEST(PipeRecordReview, OnlyTheEnteredModeHidesALateralDischarge) {
  const struct {
    const char* mode;
    const char* lateral;
    bool hidden;
  } cases[] = {
      {"INP", "0.5", true}, {"INP", "x", true},  {"", "0.25", true},   {"INP", "0.0", false},
      {"INP", "", false},   {"CRM", "0.5", false}, {"INP", "0.000", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(hidden_lateral_discharge(c.mode, c.lateral), c.hidden) << c.mode << " " << c.lateral;
}

}  // namespace
}  // namespace gw::design
