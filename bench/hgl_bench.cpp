// Timing of "Compute HGL" (the upstream walk, the grade line rows and form LD347 saved) on tree
// networks of 1,000 to 100,000 pipes, and of the walk and the rows alone.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_project.h"
#include "bench/host_access.h"
#include "model/model.h"
#include "platform/db/connection.h"
#include "platform/workbook/workbook.h"
#include "reports/frmHGL.h"
#include "reports/grade_line_sheet.h"
#include "reports/network_walk.h"

using gw::bench::host_key;

namespace {

using namespace gw::reports;

constexpr int kPipes = 10000;

// A network of kPipes pipes draining to node "N0": pipe i runs from node Ni into one of the 40
// nodes made just before it, so that the network has long paths and many junctions with
// laterals. The records come in a shuffled order, as a table filled over time would give them.
std::vector<GradeLineRecord> network() {
  std::mt19937 rng(347);
  std::vector<GradeLineRecord> records;
  records.reserve(kPipes);
  const char* sizes[] = {"15", "18", "24", "30", "36", "42", "48"};
  for (int i = 1; i <= kPipes; ++i) {
    std::uniform_int_distribution<int> near(std::max(0, i - 40), i - 1);
    GradeLineRecord r;
    r.node_in = "N" + std::to_string(i);
    r.node_out = "N" + std::to_string(near(rng));
    r.skew = std::to_string(static_cast<int>(rng() % 91));
    GradeLinePipe& p = r.pipe;
    p.number = "P" + std::to_string(i);
    p.dia = sizes[rng() % 7];
    p.shape = "Circular";
    p.manning_n = "0.013";
    p.length = std::to_string(40 + rng() % 300) + ".000";
    const double invert = 100.0 + i * 0.01;
    p.ele_out = std::to_string(invert);
    p.ele_in = std::to_string(invert + 0.5);
    p.flow_depth = "0.850";
    p.discharge = std::to_string(1 + rng() % 40) + ".000";
    p.barrels = "1";
    p.storm_freq = "10";
    p.nodein_type = i % 3 == 0 ? "Inlet" : "Man Hole";
    p.nodein_shaping = i % 2 == 0 ? "YES" : "NO";
    p.structure_ca = "0.500";
    p.intensity = "6.000";
    p.velocity = std::to_string(3 + rng() % 5) + ".250";
    p.nodein_station = std::to_string(i / 100) + "+" + std::to_string(i % 100);
    p.nodein_top = std::to_string(invert + 8.0);
    records.push_back(std::move(r));
  }
  std::shuffle(records.begin(), records.end(), rng);
  return records;
}

// The walk alone, from the pipes as read.
void BM_Walk(benchmark::State& state) {
  const PipeLookup pipes(network());
  const std::vector<WalkPipe> walk_pipes = pipes.walk_pipes();
  for (auto _ : state) {
    std::vector<Branch> branches = walk_upstream(walk_pipes, "N0");
    benchmark::DoNotOptimize(branches.data());
  }
}
BENCHMARK(BM_Walk)->Unit(benchmark::kMillisecond);

// What "Compute HGL" does between reading the pipes and writing the cells: the pipe index,
// the walk and every row of the form, the cells handed to a sink that keeps them.
void BM_WalkAndGradeLine(benchmark::State& state) {
  const std::vector<GradeLineRecord> records = network();
  const GradeLineHeader header{"Benchmark", "Designer", "N0", "100.00"};
  const gw::Units units = gw::units_of("ENGLISH");
  int rows = 0;
  for (auto _ : state) {
    const PipeLookup pipes(records);
    const std::vector<Branch> branches = walk_upstream(pipes.walk_pipes(), "N0");
    std::vector<SheetValue> cells;
    cells.reserve(28 * kPipes);
    rows = write_grade_line_sheet(branches, pipes, header, units, [&cells](int, int, const SheetValue& v) {
             cells.push_back(v);
           }).rows_written;
    benchmark::DoNotOptimize(cells.data());
  }
  if (rows != kPipes) state.SkipWithError("not every pipe got its row");
  state.counters["rows"] = rows;
}
BENCHMARK(BM_WalkAndGradeLine)->Unit(benchmark::kMillisecond);

// The whole command from the button to the saved workbook: the pipes read, the walk from the
// outfall N0, every row of form LD347 and the workbook written.
void BM_ComputeHGL(benchmark::State& state) {
  const int pipes = static_cast<int>(state.range(0));
  gw::bench::Project& project = gw::bench::shared_project("hgl", pipes);
  gw::bench::QuietHost host;
  host.report_file = (project.folder / "hgl.xlsx").string();
  host.expected = {"Finished! Please check and Save your results"};
  auto prog = gw::make_program(host, GW_PROGRAM_DIR);
  gw::bench::open_as_project(prog->vars, project);

  auto& window = prog->form<frmHGL>();
  window.show_modal();
  window.host_control(host_key, "hglanodeout").set_text("N0");
  window.host_control(host_key, "TWE").set_text("100.00");
  const gw::bench::TimedRuns runs =
      gw::bench::time_command(state, host, [&window] { window.cmdHGL_Click(); });
  if (host.last_message.empty()) {
    // Every pipe has its row: one row per node climbed, one empty row between branches.
    const auto book = gw::wb::Workbook::open(host.report_file);
    if (book.text(11, 1) != "N0" || book.text(12, 1).empty() || host.documents == 0)
      state.SkipWithError("the workbook does not hold the grade line");
  }
  window.unload();
  state.counters["pipes"] = pipes;
  state.counters["peak_MB"] = runs.peak_mb;
}
BENCHMARK(BM_ComputeHGL)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ComputeHGL)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace
