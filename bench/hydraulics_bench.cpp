// Timing of a whole pipe solve at the largest standard size of each shape.
#include <benchmark/benchmark.h>

#include <string>

#include "hydraulics/solve.h"

namespace {

using gw::hyd::HydraulicsState;
using gw::hyd::SolveInput;

SolveInput pipe(std::string shape, std::string units, double dia, double span, double rise, double slope,
                double n) {
  SolveInput in;
  in.pipe_shape = std::move(shape);
  in.units = gw::units_of(units);
  in.pipe_dia = dia;
  in.span = span;
  in.rise = rise;
  in.pipe_slope = slope;
  in.pipe_mann = n;
  in.pipe_length = 100;
  in.numofpipes = 1;
  in.pipe_discharge = 1;
  return in;
}

// Solves `in` at `fraction` of its capacity: 1 flows partially at the deepest normal depth,
// 2 flows under pressure, where the critical-depth search climbs highest.
void solve_at_capacity(benchmark::State& bench, SolveInput in, double fraction) {
  HydraulicsState state;
  const gw::hyd::SolveResult probe = gw::hyd::solve_pipe(in, state);
  if (!probe.ok()) {
    bench.SkipWithError(probe.cause.c_str());
    return;
  }
  in.pipe_discharge = fraction * *probe.values.capacity;
  for (auto _ : bench) {
    gw::hyd::SolveResult out = gw::hyd::solve_pipe(in, state);
    benchmark::DoNotOptimize(out);
  }
}

const SolveInput kCircular72in = pipe("Circular", "ENGLISH", 72, 0, 0, 0.005, 0.013);
const SolveInput kCircular1800mm = pipe("Circular", "METRIC", 1800, 0, 0, 0.005, 0.013);
// Boxes have no list of standard sizes; 12 ft by 12 ft stands for a large one.
const SolveInput kBox144x144in = pipe("Box", "ENGLISH", 0, 144, 144, 0.005, 0.013);
const SolveInput kElliptical68x106in = pipe("Elliptical", "ENGLISH", 0, 68, 106, 0.005, 0.013);
const SolveInput kElliptical1705x2690mm = pipe("Elliptical", "METRIC", 0, 1705, 2690, 0.005, 0.013);
const SolveInput kArchConc168x106in = pipe("Arch-Conc", "ENGLISH", 0, 168.75, 106.5, 0.005, 0.013);
const SolveInput kArchLCor199x121in = pipe("Arch-L-Cor", "ENGLISH", 0, 199, 121, 0.005, 0.033);
const SolveInput kArchLCor5055x3073mm = pipe("Arch-L-Cor", "METRIC", 0, 5055, 3073, 0.005, 0.033);

BENCHMARK_CAPTURE(solve_at_capacity, circular_72in_partial, kCircular72in, 1.0);
BENCHMARK_CAPTURE(solve_at_capacity, circular_72in_pressure, kCircular72in, 2.0);
BENCHMARK_CAPTURE(solve_at_capacity, circular_1800mm_partial, kCircular1800mm, 1.0);
BENCHMARK_CAPTURE(solve_at_capacity, box_144x144in_partial, kBox144x144in, 1.0);
BENCHMARK_CAPTURE(solve_at_capacity, box_144x144in_pressure, kBox144x144in, 2.0);
BENCHMARK_CAPTURE(solve_at_capacity, elliptical_68x106in_partial, kElliptical68x106in, 1.0);
BENCHMARK_CAPTURE(solve_at_capacity, elliptical_68x106in_pressure, kElliptical68x106in, 2.0);
BENCHMARK_CAPTURE(solve_at_capacity, elliptical_1705x2690mm_partial, kElliptical1705x2690mm, 1.0);
BENCHMARK_CAPTURE(solve_at_capacity, arch_conc_168x106in_partial, kArchConc168x106in, 1.0);
BENCHMARK_CAPTURE(solve_at_capacity, arch_lcor_199x121in_partial, kArchLCor199x121in, 1.0);
BENCHMARK_CAPTURE(solve_at_capacity, arch_lcor_199x121in_pressure, kArchLCor199x121in, 2.0);
BENCHMARK_CAPTURE(solve_at_capacity, arch_lcor_5055x3073mm_partial, kArchLCor5055x3073mm, 1.0);

}  // namespace
