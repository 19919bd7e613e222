// Timing of the pipe table window on tree networks of 1,000 to 100,000 pipes: opening it with
// its grid, viewing one pipe and closing it (the table refreshes), and a renumber whose new
// number the downstream pipe's upstream list follows.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>

#include "bench/bench_project.h"
#include "bench/host_access.h"
#include "design/frmpipeflex.h"
#include "model/model.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"

using gw::bench::host_key;

namespace {

using gw::bench::Project;
using gw::bench::QuietHost;

struct Fixture {
  QuietHost host;
  std::unique_ptr<gw::shell::Program> prog;
  gw::design::frmpipeflex* window = nullptr;

  explicit Fixture(Project& project) {
    prog = gw::make_program(host, GW_PROGRAM_DIR);
    gw::bench::open_as_project(prog->vars, project);
    window = &prog->form<gw::design::frmpipeflex>();
  }
};

void BM_OpenPipeTableWindow(benchmark::State& state) {
  const int pipes = static_cast<int>(state.range(0));
  Fixture f(gw::bench::shared_project("pipeflex", pipes));
  const gw::bench::TimedRuns runs = gw::bench::time_command(
      state, f.host, [&f] { f.window->show_modal(); }, {},
      [&f, pipes]() -> std::string {
        const bool filled = f.window->host_control(host_key, "pipeflex").rows() == pipes + 1 &&
                            f.window->host_control(host_key, "rec_count").text() == std::to_string(pipes);
        f.window->unload();
        return filled ? "" : "the grid does not hold every pipe";
      });
  state.counters["pipes"] = pipes;
  state.counters["peak_MB"] = runs.peak_mb;
}
BENCHMARK(BM_OpenPipeTableWindow)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// View on a pipe in the middle of the grid: the pipe design window opens on it, the user closes
// it, and the table refreshes with the same row current.
void BM_ViewPipeAndClose(benchmark::State& state) {
  const int pipes = static_cast<int>(state.range(0));
  Fixture f(gw::bench::shared_project("pipeflex", pipes));
  f.host.closed_at_once = {"frmpipemain"};
  f.window->show_modal();
  const int row = pipes / 2;
  std::string number;
  const gw::bench::TimedRuns runs = gw::bench::time_command(
      state, f.host, [&f] { f.window->cmdflexviewpipe_Click(); },
      [&f, &number, row] {
        f.window->host_control(host_key, "pipeflex").set_row(row);
        number = f.window->host_control(host_key, "pipeflex").cell(row, 0);
      },
      [&f, &number, row]() -> std::string {
        const bool same_row = f.window->host_control(host_key, "pipeflex").row() == row &&
                              f.prog->vars.handover.pipe_form_id == number;
        return same_row ? "" : "the refreshed table lost the viewed row";
      });
  f.window->unload();
  state.counters["pipes"] = pipes;
  state.counters["peak_MB"] = runs.peak_mb;
}
BENCHMARK(BM_ViewPipeAndClose)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Modify on a pipe that its downstream pipe names upstream: the user types the new number and
// accepts (the number goes back and forth between runs), then the table refreshes.
void BM_RenumberCascade(benchmark::State& state) {
  const int pipes = static_cast<int>(state.range(0));
  Fixture f(gw::bench::shared_project("pipeflex", pipes));
  f.host.expected = {"Update completed! Please Refresh the screen to verify your changes"};
  std::string next;
  f.host.on_modal = [&next](gw::ui::Form& form) {
    if (form.name() != "frmpipemodify") return;
    form.host_control(host_key, "newpipenumber").set_text(next);
    form.host_control(host_key, "cmdmodaccept").click();
  };
  f.window->show_modal();
  const int row = pipes / 2;
  const gw::bench::TimedRuns runs = gw::bench::time_command(
      state, f.host, [&f] { f.window->cmdflexmodpipe_Click(); },
      [&f, &next, row] {
        auto& grid = f.window->host_control(host_key, "pipeflex");
        grid.set_row(row);
        const std::string number(grid.cell(row, 0));
        next = number[0] == 'R' ? number.substr(1) : "R" + number;
      },
      [&f, &next]() -> std::string {
        gw::db::Recordset check;
        check.open(*f.prog->vars.connections.project_connection,
                   "SELECT COUNT(*) FROM PIPE WHERE PIPE_NUMBER = ?", {next});
        return check.field(0) == "1" ? "" : "the pipe was not renumbered";
      });
  f.window->unload();
  state.counters["pipes"] = pipes;
  state.counters["peak_MB"] = runs.peak_mb;
}
BENCHMARK(BM_RenumberCascade)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
