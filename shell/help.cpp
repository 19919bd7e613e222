// Help: the program folder's help document, opened by the desktop.
#include "shell/help.h"

namespace gw::shell {

void show_help(Program& prog) { prog.host.open_document(prog.program_file(kHelpFile)); }

}  // namespace gw::shell
