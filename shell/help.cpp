// Help: the program folder's help document, opened by the desktop.
#include "shell/help.h"

#include "shell/desktop.h"

namespace gw::shell {

void show_help(Program& prog) { open_with_desktop(prog, prog.program_file(kHelpFile), "The help document"); }

}  // namespace gw::shell
