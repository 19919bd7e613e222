// Registration of the pipe network design windows.
#include "design/windows.h"

#include "design/frmpipeflex.h"
#include "design/frmpipemain.h"
#include "design/frmpipemodify.h"

#include "shell/placeholder_window.h"

namespace gw::design {

void register_design_windows(shell::Program& prog) {
  shell::Program* p = &prog;
  prog.forms.register_form(frmpipeflex::kName, [p](ui::Forms&) { return std::make_unique<frmpipeflex>(*p); });
  prog.forms.register_form(frmpipemain::kName, [p](ui::Forms&) { return std::make_unique<frmpipemain>(*p); });
  prog.forms.register_form(frmpipemodify::kName, [p](ui::Forms&) { return std::make_unique<frmpipemodify>(*p); });
}

}  // namespace gw::design
