// Timing of the pipe design window on projects of 1,000 to 100,000 pipes: opening it on one pipe, and
// leaving an upstream row.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_project.h"
#include "bench/host_access.h"
#include "design/frmpipemain.h"
#include "model/model.h"
#include "platform/db/connection.h"

using gw::bench::host_key;

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
  gw::bench::time_command(
      state, host, [&window] { window.load(); }, {},
      [&window, &first_upstream, pipes]() -> std::string {
        const bool shown = window.host_control(host_key, "pipe_number").text() == "P5000" &&
                           window.host_control(host_key, "prenode1").text() == first_upstream &&
                           window.host_control(host_key, "prenode1").list_count() == pipes;
        window.unload();
        return shown ? "" : "the window does not show the pipe and its upstream list";
      });
  state.counters["pipes"] = pipes;
}
BENCHMARK(BM_OpenPipeDesignWindow)
    ->ArgName("edit")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// Leaving an upstream-pipe row in edit mode with the number of a pipe that no other pipe
// names (the outfall pipe P1): the row's checks (own number, duplicate rows, named by another
// pipe), the pipe's values read and the discharge derived. A frame is 16 ms.
void BM_LeaveUpstreamRow(benchmark::State& state) {
  const int pipes = static_cast<int>(state.range(0));
  Project project("pipemain_row", pipes, {{"DISCHARGEVAL", "CRM"}});
  QuietHost host;
  auto prog = gw::make_program(host, GW_PROGRAM_DIR);
  gw::bench::open_as_project(prog->vars, project);

  // A pipe half-way down the list with a free row.
  const std::vector<gw::bench::NetworkPipe> net = gw::bench::tree_network(pipes);
  int pipe = pipes / 2;
  while (net[static_cast<std::size_t>(pipe)].upstream.size() >= 4) ++pipe;
  const std::string slot = std::to_string(net[static_cast<std::size_t>(pipe)].upstream.size() + 1);
  auto& window = prog->form<gw::design::frmpipemain>();
  window.open_on("edit", "P" + std::to_string(pipe));
  window.load();
  host.last_message.clear();  // what opening the stored pipe says is not measured here
  gw::ui::Control& row = window.host_control(host_key, "prenode" + slot);
  gw::ui::Control& away = window.host_control(host_key, "structure_Tc");
  auto indexes = [&project] {
    gw::db::Connection conn;
    conn.open(project.file.string(), gw::db::Connection::Access::read_only);
    return conn.query_value("select count(*) from sqlite_master where type = 'index'").text();
  };
  const std::string indexes_before = indexes();

  gw::bench::time_command(
      state, host, [&window, &away] { window.set_focus(away); },
      [&window, &row] {
        window.set_focus(row);
        row.set_text("P1");
      },
      [&window, &row, &away, &slot]() -> std::string {
        const bool loaded = window.host_control(host_key, "prenode" + slot).text() == "P1" &&
                            window.host_control(host_key, "preflowtime" + slot).text() != "0.0";
        window.set_focus(row);
        row.set_text("");
        window.set_focus(away);
        return loaded ? "" : "the row did not load pipe P1";
      });
  window.unload();
  // Leaving a row makes no index in the project file.
  if (indexes() != indexes_before) state.SkipWithError("an index was made in the project file");
  state.counters["pipes"] = pipes;
}
BENCHMARK(BM_LeaveUpstreamRow)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace
