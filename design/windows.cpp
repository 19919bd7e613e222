// Registration of the pipe network design windows.
#include "design/windows.h"

#include "design/frmVATc.h"
#include "design/frmarea.h"
#include "design/frmareaV2.h"
#include "design/frmpipeflex.h"
#include "design/frmpipemain.h"
#include "design/frmpipemodify.h"
#include "design/frmskew.h"
#include "design/pipe_size_picker.h"

namespace gw::design {

void register_design_windows(shell::Program& prog) {
  shell::Program* p = &prog;
  prog.forms.register_form(frmpipeflex::kName, [p](ui::Forms&) { return std::make_unique<frmpipeflex>(*p); });
  prog.forms.register_form(frmpipemain::kName, [p](ui::Forms&) { return std::make_unique<frmpipemain>(*p); });
  prog.forms.register_form(frmpipemodify::kName,
                           [p](ui::Forms&) { return std::make_unique<frmpipemodify>(*p); });
  prog.forms.register_form(frmskew::kName, [p](ui::Forms&) { return std::make_unique<frmskew>(*p); });
  register_size_pickers(prog);
  prog.forms.register_form(frmVATc::kName, [p](ui::Forms&) { return std::make_unique<frmVATc>(*p); });
  prog.forms.register_form(frmareaV2::kName, [p](ui::Forms&) { return std::make_unique<frmareaV2>(*p); });
  prog.forms.register_form(frmarea::kName, [p](ui::Forms&) { return std::make_unique<frmarea>(*p); });
}

}  // namespace gw::design
