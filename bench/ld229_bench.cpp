// Timing of the form LD229 workbook on a project of 10,000 pipes, from the menu command to
// the saved workbook.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "design/frmpipeflex.h"
#include "model/model.h"
#include "bench/bench_project.h"
#include "platform/db/connection.h"
#include "platform/workbook/workbook.h"

namespace {

namespace fs = std::filesystem;

using gw::bench::Project;
using gw::bench::QuietHost;


void BM_FormLD229(benchmark::State& state) {
  const int pipes = static_cast<int>(state.range(0));
  Project project("ld229", pipes,
                  {{"NODEIN_STATION", "10+00"}, {"NODEOUT_STATION", "10+00"}, {"PIPE_DIA", "24"},
                   {"STRUCTURE_AREA", "5.000"}, {"STRUCTURE_CA", "2.500"}, {"FLOW_TIME", "26.6"},
                   {"PIPE_FLOWDEPTH", "1.250"}, {"PIPE_STORM_FREQ", "10"},
                   {"PAREABUFSTR", "1234.567"}, {"PCBUFSTR", "1234.567"}});
  QuietHost host;
  host.report_file = (project.folder / "ld229.xls").string();
  auto prog = gw::make_program(host, GW_PROGRAM_DIR);
  prog->vars.unit_system = "ENGLISH";
  prog->vars.current_project_name = "Benchmark";
  prog->vars.legacy_project = false;
  prog->vars.project_db_path = project.file.string();
  prog->vars.project_connection = std::make_shared<gw::db::Connection>();
  prog->vars.project_connection->open(project.file.string());

  auto& window = prog->form<gw::design::frmpipeflex>();
  window.show_modal();
  window.open_flexpipeRS();
  for (auto _ : state) {
    window.mnuflexld229_Click();
    if (!host.last_message.empty()) {
      state.SkipWithError(host.last_message.c_str());
      break;
    }
  }
  if (host.last_message.empty()) {
    // One row per pipe, from row 12 on, in pipe-number order ("P9999" sorts last).
    const auto book = gw::wb::Workbook::open(host.report_file);
    if (book.text(11 + pipes, 1) != "P9999" || !book.text(12 + pipes, 1).empty() || host.documents == 0)
      state.SkipWithError("the workbook does not hold every pipe");
  }
  window.unload();
  state.counters["pipes"] = pipes;
}
BENCHMARK(BM_FormLD229)->Arg(10000)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
