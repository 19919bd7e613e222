// VDOT Drainage Manual riprap apron: lining class by outlet velocity and the apron's size.
#include "outlet/vdot_apron.h"

#include "platform/text/format.h"
#include "platform/text/parse.h"

namespace gw::outlet {

VdotLining vdot_lining(double v_fps) {
  if (v_fps < 3.01) return {"Lining Not Required\u201d", 0, false, true};
  if (v_fps < 8.01) return {" Class A1 ", 1.5, true, false};
  if (v_fps < 14.01) return {" Class I ", 2.0, true, false};
  if (v_fps < 19.01) return {" Class II ", 3.0, true, false};
  return {"Special Design Reqd.", 0, false, false};
}

VdotApron vdot_apron_size(double area_sqft, double do_, double w0) {
  const double k = area_sqft < 7.0 ? 3 : 5;
  VdotApron r;
  r.length = k * do_;
  r.width = r.length;
  const double shown = text::to_number(text::format(r.length, "0.00"));
  if (shown < 2 * do_ + w0) r.width = 2 * do_ + w0;
  return r;
}

}  // namespace gw::outlet
