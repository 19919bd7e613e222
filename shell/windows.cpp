// Registration of the application shell's windows.
#include "shell/frmAbout.h"
#include "shell/frmHydroSplash.h"
#include "shell/frmProject.h"
#include "shell/frmProjectNOAA.h"
#include "shell/frmProjectUpdate.h"
#include "shell/frmsoftwaremain.h"
#include "shell/program.h"

namespace gw::shell {

void register_shell_windows(Program& prog) {
  Program* p = &prog;
  prog.forms.register_form(frmsoftwaremain::kName,
                           [p](ui::Forms&) { return std::make_unique<frmsoftwaremain>(*p); });
  prog.forms.register_form(frmHydroSplash::kName,
                           [p](ui::Forms&) { return std::make_unique<frmHydroSplash>(*p); });
  prog.forms.register_form(frmAbout::kName, [p](ui::Forms&) { return std::make_unique<frmAbout>(*p); });
  prog.forms.register_form(frmProjectNOAA::kName,
                           [p](ui::Forms&) { return std::make_unique<frmProjectNOAA>(*p); });
  prog.forms.register_form(frmProject::kName, [p](ui::Forms&) { return std::make_unique<frmProject>(*p); });
  prog.forms.register_form(frmProjectUpdate::kName,
                           [p](ui::Forms&) { return std::make_unique<frmProjectUpdate>(*p); });
}

}  // namespace gw::shell
