// Registration of the application shell's windows.
#include "shell/frmHydroSplash.h"
#include "shell/frmsoftwaremain.h"
#include "shell/placeholder_window.h"
#include "shell/program.h"

namespace gw::shell {

void register_shell_windows(Program& prog) {
  Program* p = &prog;
  prog.forms.register_form(frmsoftwaremain::kName, [p](ui::Forms&) { return std::make_unique<frmsoftwaremain>(*p); });
  prog.forms.register_form(frmHydroSplash::kName, [p](ui::Forms&) { return std::make_unique<frmHydroSplash>(*p); });
  prog.forms.register_form(frmAbout::kName, [p](ui::Forms&) { return std::make_unique<frmAbout>(*p); });
  prog.forms.register_form("frmProjectNOAA", [p](ui::Forms&) {
    return std::make_unique<PlaceholderWindow>(*p, "frmProjectNOAA", "Project", "mnuprojexit");
  });
  prog.forms.register_form("frmProject", [p](ui::Forms&) {
    return std::make_unique<PlaceholderWindow>(*p, "frmProject", "Project", "mnuprojexit");
  });
  prog.forms.register_form("frmProjectUpdate", [p](ui::Forms&) {
    return std::make_unique<PlaceholderWindow>(*p, "frmProjectUpdate", "Project Update", "mnuexit");
  });
}

}  // namespace gw::shell
