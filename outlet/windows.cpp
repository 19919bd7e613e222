// Registration of the outlet protection windows.
#include "outlet/windows.h"

#include "outlet/PipeEnergyForm.h"
#include "outlet/frmEnergyDissipation.h"

namespace gw::outlet {

void register_outlet_windows(shell::Program& prog) {
  shell::Program* p = &prog;
  prog.forms.register_form(PipeEnergyForm::kName,
                           [p](ui::Forms&) { return std::make_unique<PipeEnergyForm>(*p); });
  prog.forms.register_form(frmEnergyDissipation::kName,
                           [p](ui::Forms&) { return std::make_unique<frmEnergyDissipation>(*p); });
}

}  // namespace gw::outlet
