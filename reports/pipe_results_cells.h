// Where the pipe results workbook puts each PIPE value of the reported pipe.
#pragma once

#include <vector>

namespace gw::reports {

// One cell of the pipe results sheet and the PIPE column whose value, as text, it receives:
// as a label, kept as text as it stands (the pipe and node numbers, stations, previous pipes
// and the other names), or as typed (a numeric text becomes a number).
struct PipeResultCell {
  int row;
  int col;
  const char* column;
  bool label = false;
};

// The pipe's cells in the order they are written: geometry and material, the two
// structures, the hydrology, the previous pipes and the hydraulic results. A legacy project
// has no fourth previous pipe, so its four cells (row 32, columns 2 to 5) are left out;
// the design discharge in row 32, column 8 is always there.
const std::vector<PipeResultCell>& pipe_result_cells(bool legacy_project);

}  // namespace gw::reports
