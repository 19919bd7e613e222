// Form LD347 laid out: the header, then one grade line row per node, branch by branch, each row
// taking its outlet water surface from the grade line of the row downstream.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "reports/grade_line.h"
#include "reports/network_walk.h"

namespace gw::reports {

// Where the rows find their pipes: the pipes the walk climbed, and the laterals query.
class GradeLineSource {
 public:
  virtual ~GradeLineSource() = default;
  // The pipe at `index` of the pipes the walk was given (Branch::pipes), a copy of its own;
  // none when there is no such pipe.
  virtual std::optional<GradeLinePipe> pipe(std::size_t index) const = 0;
  // Every other pipe that ends at `node`: node out `node`, pipe number not `pipe_number`.
  virtual std::vector<GradeLineLateral> laterals_into(const std::string& node,
                                                      const std::string& pipe_number) const = 0;
};

// One PIPE record with what the walk and the rows read of it.
struct GradeLineRecord {
  std::string node_in;   // NODEIN_NO
  std::string node_out;  // NODEOUT_NO
  std::string skew;      // PIPE_SKEW
  GradeLinePipe pipe;
};

// The pipes of a project held in memory, answering both queries as the project database does:
// records in the order given (the table's order), texts compared without regard to the case
// of ASCII letters. Built once per computation, so each row costs a hash look-up instead of
// a query. Each record's texts are kept packed in one block; pipe() unpacks the one asked for,
// in one pass over its block, into a pipe the caller owns.
class PipeLookup : public GradeLineSource {
 public:
  PipeLookup() = default;
  explicit PipeLookup(std::vector<GradeLineRecord> records);
  // Takes the next record (its index is the count before it).
  void add(const GradeLineRecord& record);
  std::optional<GradeLinePipe> pipe(std::size_t index) const override;
  std::vector<GradeLineLateral> laterals_into(const std::string& node,
                                              const std::string& pipe_number) const override;
  // Every pipe for the walk, in the same order.
  std::vector<WalkPipe> walk_pipes() const;
  std::size_t size() const { return records_.size(); }

 private:
  std::vector<std::string> records_;  // packed texts, see grade_line_sheet.cpp
  std::unordered_map<std::string, std::vector<std::size_t>> by_node_out_;
};

// The texts of the header: project name (1, 9), designer (1, 26), outfall node (11, 1) and
// tailwater elevation (11, 25), the grade line of the outfall.
struct GradeLineHeader {
  std::string project_name;
  std::string designer;
  std::string outfall;
  std::string tailwater;
};

// First row of the form: row 11 is the outfall, the pipes' rows start at 12.
inline constexpr int kOutfallRow = 11;

// A row whose computed columns could not all be computed (an empty or non-numeric value that
// a formula needs): those cells are left blank.
struct GradeLineBlanks {
  std::string pipe;          // the pipe of the row
  std::string node;          // the row's node
  std::vector<int> columns;  // the blank computed columns, ascending
};

struct GradeLineSheetSummary {
  int rows_written = 0;
  std::string storm_frequency;          // of the last row written, (4, 4)
  std::vector<GradeLineBlanks> blanks;  // rows with blank computed columns, in writing order
};

// The columns of a row that the grade line computes (every other one copies a stored value).
inline constexpr int kComputedGradeLineColumns[] = {4,  5,  7,  9,  10, 12, 13, 14, 15, 16,
                                                    17, 18, 19, 20, 21, 23, 24, 25, 27};

// The warning that lists the blank computed cells of the form, one line per row:
// "Pipe 10 (node 103): columns 9, 10, 24, 25, 27". The empty text when there are none.
std::string grade_line_blanks_text(const std::vector<GradeLineBlanks>& blanks);

// Takes the branches of the walk from the header's outfall, the pipes, the header and the unit
// constants; hands every written cell to `put` (row, column from 1; unwritten cells are not
// handed over) in writing order: the header, then branch by branch the rows of its nodes from
// the junction upstream, each row from the pipe the walk climbed to reach its node (where two
// pipes leave one node, the one on this path), the rows of each later branch after one empty
// row, the first of them taking its downstream grade line from the row of its junction (the
// first row written for that node), and last (4, 4), the storm frequency of the last row
// written (the empty text when none). A node whose pipe the source does not know ends its
// branch; a junction without a row ends the form. The project name, designer and outfall are
// labels. No limit on branches or rows. Pure.
GradeLineSheetSummary write_grade_line_sheet(
    const std::vector<Branch>& branches, const GradeLineSource& pipes, const GradeLineHeader& header,
    const Units& units, const std::function<void(int row, int col, const SheetValue& v)>& put);

}  // namespace gw::reports
