// Fuzz harness of the pipe hydraulics (SOLVE without its window): any inputs either solve or
// are refused with a failure kind; a solve gives finite numbers only, never a depth of flow or a
// critical depth above the pipe's rise, and every search ends.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "design/solve_texts.h"
#include "hydraulics/solve.h"
#include "platform/text/parse.h"

namespace {

void require(bool ok) {
  if (!ok) __builtin_trap();
}

// A value as a field could hold it: mostly within an engineer's range, sometimes any double
// (zero, negative, tiny, huge, not finite).
double field_value(FuzzedDataProvider& in, double low, double high) {
  switch (in.ConsumeIntegralInRange<int>(0, 7)) {
    case 0:
      return in.ConsumeFloatingPoint<double>();
    case 1:
      return in.ConsumeFloatingPointInRange<double>(-1e-3, 1e-3);
    case 2:
      return in.ConsumeFloatingPointInRange<double>(0, low);
    default:
      return in.ConsumeFloatingPointInRange<double>(low, high);
  }
}

const char* const kShapes[] = {"Circular",   "Elliptical", "Box",        "Rectangulr", "Arch-Conc",
                               "Arch-S-Cor", "Arch-M-Cor", "Arch-L-Cor", "",           "circular"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  gw::hyd::SolveInput s;
  s.pipe_shape = kShapes[in.ConsumeIntegralInRange<int>(0, 9)];
  const bool english = in.ConsumeBool();
  s.units = gw::units_of(english ? gw::UnitSystem::english : gw::UnitSystem::metric);
  s.pipe_discharge = field_value(in, 0.01, 2000);
  s.numofpipes = in.ConsumeBool() ? in.ConsumeIntegralInRange<int>(1, 4) : field_value(in, 1, 4);
  s.pipe_slope = field_value(in, 0.0001, 0.2);
  s.pipe_mann = field_value(in, 0.009, 0.03);
  s.pipe_length = field_value(in, 1, 1000);
  s.pipe_dia = field_value(in, english ? 12 : 300, english ? 144 : 3600);
  s.span = field_value(in, english ? 12 : 300, english ? 200 : 5000);
  s.rise = field_value(in, english ? 6 : 150, english ? 150 : 4000);

  gw::hyd::HydraulicsState state;
  const gw::hyd::SolveResult out = gw::hyd::solve_pipe(s, state);
  const gw::hyd::PipeResults& r = out.values;
  if (!out.ok()) {
    require(out.failure != gw::hyd::SolveFailure::none);
    return 0;
  }
  const double divisor = english ? 12 : 1000;
  const double height = (s.pipe_shape == "Circular" ? s.pipe_dia : s.rise) / divisor;
  require(r.regime.has_value());
  for (const std::optional<double>& v :
       {r.capacity, r.flow_depth, r.flow_area, r.velocity, r.hydraulic_radius, r.wetted_perimeter,
        r.froude_number, r.specific_energy, r.flow_time, r.critical_depth, r.friction_slope})
    require(!v || std::isfinite(*v));
  for (const std::optional<double>& depth : {r.flow_depth, r.critical_depth})
    require(!depth || *depth <= height * (1 + 1e-12));
  // The window writes every number as a numeric text.
  for (const gw::design::FieldWrite& w : gw::design::solve_outcome(s, out).writes) {
    if (w.field == gw::design::solve_field::flow_type || w.field == gw::design::solve_field::pipe_summary)
      continue;
    require(gw::text::is_numeric(w.text));
  }
  return 0;
}
