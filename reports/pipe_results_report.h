// The pipe results workbook: design data and hydraulic results of the grid's current pipe.
#pragma once

#include "design/frmpipeflex.h"
#include "shell/program.h"

namespace gw::reports {

// The pipe table window's "Pipe Report" command (frmpipeflex.mnupipereport_Click): writes
// the project header and the stored values of the pipe in the grid's current row into a
// copy of "STORMDRAINRESULTS.xlr" that the user names. Reads that pipe's record alone.
void mnupipereport_Click(shell::Program& prog, design::frmpipeflex& window);

}  // namespace gw::reports
