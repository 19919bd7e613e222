// Hydraulic grade line of one node on form LD347: outlet water surface, friction and structure
// losses, grade line at the upper end and the check against the top of the structure.
#include "reports/grade_line.h"

#include <cmath>
#include <exception>

#include "hydraulics/friction_slope.h"
#include "hydraulics/section_fits.h"
#include "platform/math/checked.h"
#include "platform/math/pi.h"
#include "platform/text/parse.h"
#include "platform/workbook/typed_entry.h"

namespace gw::reports {

namespace {

// A value of the row that may be unknown: a number that could not be read or computed stays
// unknown, and so does everything computed from it.
using Num = std::optional<double>;

Num finite(double v) { return std::isfinite(v) ? Num(v) : std::nullopt; }

Num add(Num a, Num b) { return a && b ? finite(*a + *b) : std::nullopt; }
Num mul(Num a, Num b) { return a && b ? finite(*a * *b) : std::nullopt; }
Num div(Num a, Num b) {
  if (!a || !b) return std::nullopt;
  try {
    return finite(math::checked_div(*a, *b));
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::string trimmed(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

Num number(const std::string& s) { return text::try_number(s); }
// A number where an empty (or all-blank) text counts as 0.
Num number_or_zero(const std::string& s) { return trimmed(s).empty() ? Num(0.0) : number(s); }

SheetValue value(Num v) { return v ? SheetValue::of_number(*v) : SheetValue{}; }

}  // namespace

std::optional<double> SheetValue::as_number() const {
  switch (kind) {
    case Kind::number:
      return number;
    case Kind::text:
      return wb::typed_number(text);
    case Kind::label:
    case Kind::none:
      break;
  }
  return std::nullopt;
}

GradeLineRow grade_line_row(const std::string& node, const GradeLinePipe& p,
                            const std::vector<GradeLineLateral>& laterals,
                            const SheetValue& downstream_grade_line, const Units& u) {
  GradeLineRow row;
  auto& c = row.col;
  const Num div_by(u.size_divisor);
  // Velocity heads V^2 / 2g with the gravity SOLVE uses for circular and box pipes.
  const Num two_g(2 * u.gravity_circular_box);

  // Node, station, outlet invert, flow depth.
  c[1] = SheetValue::of_label(node);
  c[2] = SheetValue::of_label(p.nodein_station);
  c[3] = SheetValue::of_text(p.ele_out);
  const Num invert_out = c[3].as_number();
  const Num flow_depth = number(p.flow_depth);

  // Size, and the level at 0.8 of the height above the outlet invert.
  const bool circular = p.shape == "Circular";
  Num level_08;
  if (circular) {
    c[6] = SheetValue::of_text(p.dia);
    level_08 = add(invert_out, div(mul(0.8, c[6].as_number()), div_by));
  } else {
    c[6] = SheetValue::of_text(p.span + " X " + p.rise);
    level_08 = add(invert_out, div(mul(0.8, number(p.rise)), div_by));
  }

  // Outlet water surface: the highest of the downstream grade line, the flow surface and the
  // 0.8-height level.
  const Num flow_surface = add(flow_depth, invert_out);
  const Num downstream = downstream_grade_line.as_number();
  Num surface;
  if (flow_surface && level_08 && downstream) {
    const double a = *flow_surface, b = *level_08, cc = *downstream;
    surface = (cc > b && cc > a) ? cc : (b > a ? b : a);
  }
  c[5] = value(surface);

  // Discharge per barrel and length.
  const Num q = div(number(p.discharge), number(p.barrels));
  c[7] = value(q);
  const std::string length = trimmed(p.length);
  // An empty length stays blank: a friction loss of 0 would understate the grade line.
  c[8] = SheetValue::of_text(length);

  // Height in length units, the full section and its friction slope.
  const Num n = number(p.manning_n);
  Num height;
  Num area, radius;
  if (circular) {
    height = div(c[6].as_number(), div_by);
    area = div(mul(kPi, mul(height, height)), 4.0);
    radius = div(height, 4.0);
  } else {
    const Num span = number(p.span), rise = number(p.rise);
    height = div(rise, div_by);
    if (p.shape == "Elliptical") {
      area = div(mul(kPi, mul(span, rise)), mul(div_by, div_by));
      area = div(area, 4.0);
      const Num perimeter = div(mul(add(rise, span), kPi), 2.0);
      radius = div(area, div(perimeter, div_by));
    } else if (p.shape == "Box" || p.shape == "Rectangulr") {
      area = div(mul(span, rise), mul(div_by, div_by));
      // The box flowing full is wetted all round, 2 (S + R), as SOLVE's capacity has it.
      radius = div(div(mul(rise, span), mul(2.0, add(rise, span))), div_by);
    } else {
      // The arch shapes: area and hydraulic radius from span times rise.
      const Num sr = div(mul(span, rise), mul(div_by, div_by));
      if (sr) {
        try {
          const hyd::ArchFullSection arch = hyd::arch_full_section(*sr);
          area = arch.area;
          radius = arch.radius;
        } catch (const std::exception&) {
          // No section: nothing is computed from it.
        }
      }
    }
  }
  Num slope;
  if (q && n && area && radius) {
    try {
      slope = finite(hyd::full_section_friction_slope(*q, *n, *area, *radius, u.manning_k));
    } catch (const std::exception&) {
      // No slope: nothing is computed from it.
    }
  }
  c[4] = value(height);
  c[9] = value(slope);
  c[10] = value(mul(slope, c[8].as_number()));

  // Velocity and exit loss.
  c[11] = SheetValue::of_text(p.velocity);
  const Num exit_loss = div(mul(0.25, mul(c[11].as_number(), c[11].as_number())), two_g);
  c[12] = value(exit_loss);

  // Laterals: the velocity of the one with the largest Q V, and the largest bend loss of
  // those that carry more than a tenth of the pipe's barrel discharge.
  Num lateral_v(0.0);
  double largest_qv = 0;
  Num angle(0.0), bend_k(0.0), bend_loss(0.0);
  if (!q) angle = bend_k = bend_loss = std::nullopt;
  for (const GradeLineLateral& l : laterals) {
    const Num v = number_or_zero(l.velocity);
    const Num ql = number(l.discharge);
    const Num a = number_or_zero(l.skew);
    if (!v || !ql) {
      lateral_v = std::nullopt;
      angle = bend_k = bend_loss = std::nullopt;
      continue;
    }
    if (lateral_v && *v * *ql > largest_qv) {
      lateral_v = *v;
      largest_qv = *v * *ql;
    }
    if (!a) angle = bend_k = bend_loss = std::nullopt;
    if (!bend_loss || !(*ql > 0.1 * *q)) continue;
    double k = 0;
    if (*a == 0)
      k = 0;
    else if (*a == 90)
      k = 0.7;
    else
      k = -6e-5 * *a * *a + 0.0127 * *a + 0.0078;
    if (k > 0.7) k = 0.7;
    const Num term = mul(div(mul(v, v), two_g), k);
    if (!term) {
      angle = bend_k = bend_loss = std::nullopt;
    } else if (*term > *bend_loss) {
      bend_loss = term;
      angle = a;
      bend_k = k;
    }
  }
  c[13] = value(lateral_v);
  const Num lateral_head = div(mul(lateral_v, lateral_v), two_g);
  c[14] = value(lateral_head);
  const Num junction_loss = mul(0.35, lateral_head);
  c[15] = value(junction_loss);
  c[16] = value(angle);
  c[17] = value(bend_k);
  c[18] = value(bend_loss);
  const Num losses = add(exit_loss, add(junction_loss, bend_loss));
  c[19] = value(losses);

  // The inlet's own inflow, and the losses raised by 1.3 unless it is small.
  const Num inflow =
      p.nodein_type == "Inlet"
          ? div(mul(number_or_zero(p.structure_ca), number_or_zero(p.intensity)), u.rational_divisor)
          : Num(0.0);
  c[20] = value(inflow);
  Num raised;
  if (q && inflow && losses) raised = 0.2 * *q > *inflow ? *losses : 1.3 * *losses;
  c[21] = value(raised);

  // Shaping halves the structure losses.
  c[22] = SheetValue::of_text(p.nodein_shaping);
  const Num structure_loss = p.nodein_shaping == "YES" ? mul(0.5, raised) : raised;
  c[23] = value(structure_loss);
  const Num total_loss = add(c[10].as_number(), structure_loss);
  c[24] = value(total_loss);

  // Grade line at the upper end: at least the inlet invert plus the flow depth.
  Num grade_line = add(total_loss, surface);
  const Num floor = add(number(p.ele_in), flow_depth);
  if (grade_line && floor && *grade_line < *floor) grade_line = floor;
  if (!floor) grade_line = std::nullopt;
  c[25] = value(grade_line);

  c[26] = SheetValue::of_text(p.nodein_top);
  const Num top = c[26].as_number();
  if (top && grade_line) c[27] = SheetValue::of_text(*top < *grade_line ? "ADJUST" : "O.K.");

  row.storm_frequency = trimmed(p.storm_freq);
  return row;
}

}  // namespace gw::reports
