// Fuzz harness of the pipe hydraulics (SOLVE without its window): any inputs either solve or
// are refused with a message; a solve gives finite numbers only, never a depth of flow or a
// critical depth above the pipe's rise, and every search ends.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "design/hydraulics/solve.h"
#include "platform/text/parse.h"

namespace {

void require(bool ok) {
  if (!ok) __builtin_trap();
}

// A value as a field could hold it: mostly within an engineer's range, sometimes any double
// (zero, negative, tiny, huge, not finite).
double field_value(FuzzedDataProvider& in, double low, double high) {
  switch (in.ConsumeIntegralInRange<int>(0, 7)) {
    case 0: return in.ConsumeFloatingPoint<double>();
    case 1: return in.ConsumeFloatingPointInRange<double>(-1e-3, 1e-3);
    case 2: return in.ConsumeFloatingPointInRange<double>(0, low);
    default: return in.ConsumeFloatingPointInRange<double>(low, high);
  }
}

const char* const kShapes[] = {"Circular", "Elliptical", "Box", "Rectangulr", "Arch-Conc",
                               "Arch-S-Cor", "Arch-M-Cor", "Arch-L-Cor", "", "circular"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  gw::hyd::SolveInput s;
  s.pipe_shape = kShapes[in.ConsumeIntegralInRange<int>(0, 9)];
  s.unit_system = in.ConsumeBool() ? "ENGLISH" : "METRIC";
  const bool english = s.unit_system == "ENGLISH";
  s.pipe_discharge = field_value(in, 0.01, 2000);
  s.numofpipes = in.ConsumeBool() ? in.ConsumeIntegralInRange<int>(1, 4) : field_value(in, 1, 4);
  s.pipe_slope = field_value(in, 0.0001, 0.2);
  s.pipe_mann = field_value(in, 0.009, 0.03);
  s.pipe_length = field_value(in, 1, 1000);
  s.pipe_dia = field_value(in, english ? 12 : 300, english ? 144 : 3600);
  s.span = field_value(in, english ? 12 : 300, english ? 200 : 5000);
  s.rise = field_value(in, english ? 6 : 150, english ? 150 : 4000);

  gw::hyd::HydraulicsState state;
  const gw::hyd::SolveOutcome out = gw::hyd::solve(s, state);
  if (!out.ok) {
    require(!out.messages.empty());
    return 0;
  }
  const double divisor = english ? 12 : 1000;
  const double height = (s.pipe_shape == "Circular" ? s.pipe_dia : s.rise) / divisor;
  for (const gw::hyd::FieldWrite& w : out.writes) {
    if (w.field == gw::hyd::field::flow_type || w.field == gw::hyd::field::pipe_summary) continue;
    require(std::isfinite(w.value));
    require(gw::text::is_numeric(w.text));
  }
  for (std::string_view depth : {gw::hyd::field::pipe_flowdepth, gw::hyd::field::critical_depth})
    if (const gw::hyd::FieldWrite* w = out.find(depth)) require(w->value <= height * (1 + 1e-12));
  return 0;
}
