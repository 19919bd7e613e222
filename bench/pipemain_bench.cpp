// Timing of opening the pipe design window on one pipe of a project of 10,000 pipes.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_project.h"
#include "design/frmpipemain.h"
#include "model/model.h"
#include "platform/db/connection.h"

namespace {

namespace fs = std::filesystem;

using gw::bench::Project;
using gw::bench::QuietHost;

// Loading the window as the pipe table's View (0) or Edit (1) does: the record of one pipe,
// its binding, and the upstream lists of every pipe.
void BM_OpenPipeDesignWindow(benchmark::State& state) {
  const int pipes = 10000;
  const char* mode = state.range(0) == 0 ? "view" : "edit";
  Project project("pipemain", pipes, {{"DISCHARGEVAL", "CRM"}});
  QuietHost host;
  auto prog = gw::make_program(host, GW_PROGRAM_DIR);
  gw::bench::open_as_project(prog->vars, project);
  prog->form<gw::design::frmpipemain>().open_on(mode, "P5000");

  const std::vector<gw::bench::NetworkPipe> net = gw::bench::tree_network(pipes);
  std::string first_upstream;
  if (!net[5000].upstream.empty()) first_upstream.append("P").append(std::to_string(net[5000].upstream[0]));
  auto& window = prog->form<gw::design::frmpipemain>();
  for (auto _ : state) {
    window.load();
    state.PauseTiming();
    const bool shown = window.host_control("pipe_number").text() == "P5000" &&
                       window.host_control("prenode1").text() == first_upstream &&
                       window.host_control("prenode1").list_count() == pipes;
    window.unload();
    state.ResumeTiming();
    if (!host.last_message.empty()) {
      state.SkipWithError(host.last_message.c_str());
      break;
    }
    if (!shown) {
      state.SkipWithError("the window does not show the pipe and its upstream list");
      break;
    }
  }
  state.counters["pipes"] = pipes;
}
BENCHMARK(BM_OpenPipeDesignWindow)
    ->ArgName("edit")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace
