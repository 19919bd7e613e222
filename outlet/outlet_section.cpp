// The outlet pipe's shape class, full-flow area of its barrels and standard diameter.
#include "outlet/outlet_section.h"

#include "hydraulics/section_fits.h"
#include "platform/math/checked.h"
#include "platform/math/pi.h"

namespace gw::outlet {

OutletShape outlet_shape_of(std::string_view shape_text) {
  if (shape_text == "Circular") return OutletShape::circular;
  if (shape_text == "Box" || shape_text == "Rectangulr") return OutletShape::box;
  if (shape_text == "Elliptical") return OutletShape::elliptical;
  return OutletShape::arch;
}

double full_flow_area(OutletShape shape, double rise, double width, double dia_divisor, int barrels) {
  using math::checked;
  using math::checked_div;
  const double d = checked_div(rise, dia_divisor);
  const double n = barrels;
  switch (shape) {
    case OutletShape::circular:
      return checked(((d * d) * kPi / 4) * n);
    case OutletShape::elliptical:
      return checked(((kPi * d) * width / 4) * n);
    case OutletShape::box:
      return checked((d * width) * n);
    case OutletShape::arch:
      break;
  }
  return checked(hyd::arch_full_section(d * width).area * n);
}

double standard_diameter(double size_in) {
  if (size_in <= kStandardDiameters.front()) return kStandardDiameters.front();
  if (size_in >= kStandardDiameters.back()) return kStandardDiameters.back();
  double below = kStandardDiameters.front();
  for (double d : kStandardDiameters) {
    if (d > size_in) break;
    below = d;
  }
  return below;
}

}  // namespace gw::outlet
