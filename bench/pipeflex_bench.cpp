// Timing of opening the pipe table window, grid filled, on a project of 10,000 pipes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "design/frmpipeflex.h"
#include "model/model.h"
#include "bench/bench_project.h"
#include "platform/db/connection.h"
#include "platform/text/error.h"

namespace {

namespace fs = std::filesystem;

using gw::bench::Project;
using gw::bench::QuietHost;


void BM_OpenPipeTableWindow(benchmark::State& state) {
  const int pipes = static_cast<int>(state.range(0));
  Project project("pipeflex", pipes);
  QuietHost host;
  auto prog = gw::make_program(host, GW_PROGRAM_DIR);
  prog->vars.unit_system = "ENGLISH";
  prog->vars.legacy_project = false;
  prog->vars.project_db_path = project.file.string();
  prog->vars.project_connection = std::make_shared<gw::db::Connection>();
  prog->vars.project_connection->open(project.file.string());

  auto& window = prog->form<gw::design::frmpipeflex>();
  for (auto _ : state) {
    window.show_modal();
    state.PauseTiming();
    const bool filled =
        window.c("pipeflex").rows() == pipes + 1 && window.c("rec_count").text() == std::to_string(pipes);
    window.unload();
    state.ResumeTiming();
    if (!host.last_message.empty()) {
      state.SkipWithError(host.last_message.c_str());
      break;
    }
    if (!filled) {
      state.SkipWithError("the grid does not hold every pipe");
      break;
    }
  }
  state.counters["pipes"] = pipes;
}
BENCHMARK(BM_OpenPipeTableWindow)->Arg(10000)->Unit(benchmark::kMillisecond)->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace
