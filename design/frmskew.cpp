// The picture that explains the pipe deflection angle at the lower end of a pipe.
#include "design/frmskew.h"

namespace gw::design {

void frmskew::build() {
  set_caption("PIPE DEFLECTION ANGLE (Lower End)");
  // Only the drawing; the window is closed with its close box.
  add(ui::Kind::PictureBox, "Picture1").picture = kPicture;
}

}  // namespace gw::design
