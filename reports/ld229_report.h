// The form LD229 workbook: the design computations of every pipe, one row per pipe.
#pragma once

#include "design/frmpipeflex.h"
#include "shell/program.h"

namespace gw::reports {

// The pipe table window's "Form LD229" command (frmpipeflex.mnuflexld229_Click): when table
// PIPE holds pipes, writes the project header and one row per pipe in pipe-number order into a
// copy of "LD229.xlr" that the user names; heights go from the project's size unit (in, mm) to
// its length unit (ft, m). Reads only the columns the form takes.
void mnuflexld229_Click(shell::Program& prog, design::frmpipeflex& window);

}  // namespace gw::reports
