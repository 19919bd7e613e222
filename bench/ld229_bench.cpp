// Timing of the form LD229 workbook from the menu command to the saved file on tree networks
// of 1,000 to 100,000 pipes, and of XlsxWriter writing the same cells in the same run; beside
// them the one-pipe results workbook on the same networks.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_project.h"
#include "bench/host_access.h"
#include "design/frmpipeflex.h"
#include "model/model.h"
#include "platform/db/connection.h"
#include "platform/workbook/workbook.h"

using gw::bench::host_key;

namespace {

namespace fs = std::filesystem;

using gw::bench::Project;
using gw::bench::QuietHost;

constexpr int kLastColumn = 30;
constexpr int kFirstRow = 12;

// Seconds per run, by benchmark, for the closing comparison.
std::vector<double> ours_10k;
std::vector<double> peer_10k;
std::vector<double> ours_100k;
std::vector<double> pipe_report_100k;
std::string report_10k;  // the workbook written for 10,000 pipes, whose cells the peer writes

double median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void BM_FormLD229(benchmark::State& state) {
  const int pipes = static_cast<int>(state.range(0));
  Project& project = gw::bench::shared_project("ld229", pipes);
  QuietHost host;
  host.report_file = (project.folder / "ld229.xlsx").string();
  auto prog = gw::make_program(host, GW_PROGRAM_DIR);
  gw::bench::open_as_project(prog->vars, project);

  auto& window = prog->form<gw::design::frmpipeflex>();
  window.show_modal();
  // As the menu finds the window after a load: the pipe list is read by the command.
  const gw::bench::TimedRuns runs = gw::bench::time_command(
      state, host, [&window] { window.mnuflexld229_Click(); }, [&window] { window.get_flexpipe_records(); });
  if (pipes == 10000) ours_10k.insert(ours_10k.end(), runs.seconds.begin(), runs.seconds.end());
  if (pipes == 100000) ours_100k.insert(ours_100k.end(), runs.seconds.begin(), runs.seconds.end());
  if (host.last_message.empty()) {
    // One row per pipe from row 12 on, in pipe-number order ("P9999" sorts last of 10,000).
    const auto book = gw::wb::Workbook::open(host.report_file);
    std::string last = "P";
    for (int n = pipes; n >= 10; n /= 10) last += '9';
    if (book.text(kFirstRow - 1 + pipes, 1) != last || !book.text(kFirstRow + pipes, 1).empty() ||
        host.documents == 0)
      state.SkipWithError("the workbook does not hold every pipe");
    if (pipes == 10000) report_10k = host.report_file;
  }
  window.unload();
  state.counters["pipes"] = pipes;
  state.counters["peak_MB"] = runs.peak_mb;
}
BENCHMARK(BM_FormLD229)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FormLD229)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// The pipe results workbook of the pipe in the middle of the table, from the menu command to
// the saved file.
void BM_PipeReport(benchmark::State& state) {
  const int pipes = static_cast<int>(state.range(0));
  Project& project = gw::bench::shared_project("ld229", pipes);
  QuietHost host;
  host.report_file = (project.folder / "pipe.xlsx").string();
  auto prog = gw::make_program(host, GW_PROGRAM_DIR);
  gw::bench::open_as_project(prog->vars, project);
  auto& window = prog->form<gw::design::frmpipeflex>();
  window.show_modal();
  const int row = pipes / 2;
  window.host_control(host_key, "pipeflex").set_row(row);
  const std::string number(window.host_control(host_key, "pipeflex").cell(row, 0));
  const gw::bench::TimedRuns runs = gw::bench::time_command(
      state, host, [&window] { window.mnupipereport_Click(); }, [&window] { window.get_flexpipe_records(); });
  if (pipes == 100000)
    pipe_report_100k.insert(pipe_report_100k.end(), runs.seconds.begin(), runs.seconds.end());
  if (host.last_message.empty() && gw::wb::Workbook::open(host.report_file).text(11, 3) != number)
    state.SkipWithError("the workbook does not report the pipe of the current row");
  window.unload();
  state.counters["pipes"] = pipes;
  state.counters["peak_MB"] = runs.peak_mb;
}
BENCHMARK(BM_PipeReport)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The cells of the 10,000-pipe workbook (header and rows), as a tab-separated list of
// row, column, "n" or "s", value.
std::string dump_cells(const std::string& workbook, int pipes) {
  const auto book = gw::wb::Workbook::open(workbook);
  const std::string out = (fs::path(workbook).parent_path() / "cells.tsv").string();
  std::ofstream f(out);
  for (int row = 1; row < kFirstRow + pipes; ++row)
    for (int col = 1; col <= kLastColumn; ++col) {
      if (auto n = book.number(row, col)) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.17g", *n);
        f << row << '\t' << col << "\tn\t" << buf << '\n';
      } else if (std::string t = book.text(row, col); !t.empty()) {
        std::replace(t.begin(), t.end(), '\t', ' ');
        std::replace(t.begin(), t.end(), '\n', ' ');
        f << row << '\t' << col << "\ts\t" << t << '\n';
      }
    }
  return out;
}

// The interpreter that has XlsxWriter: Debian's python3-xlsxwriter lives with /usr/bin/python3.
std::string peer_python() {
  for (const char* py : {"/usr/bin/python3", "python3"}) {
    const std::string probe = std::string(py) + " -c 'import xlsxwriter' >/dev/null 2>&1";
    if (std::system(probe.c_str()) == 0) return py;
  }
  return {};
}

// XlsxWriter writing the cells of the 10,000-pipe workbook into a new workbook; the time is
// that of the writing and the closing of the workbook as the script measures it (the start of
// the interpreter and the reading of the cell list are not counted).
void BM_XlsxWriterPeer(benchmark::State& state) {
  if (report_10k.empty()) {
    state.SkipWithError("the 10,000-pipe form LD229 did not run");
    return;
  }
  const std::string python = peer_python();
  if (python.empty()) {
    state.SkipWithError("XlsxWriter is not installed (make bench installs python3-xlsxwriter)");
    return;
  }
  static const std::string cells = dump_cells(report_10k, 10000);
  const std::string out = (fs::path(cells).parent_path() / "peer.xlsx").string();
  const std::string cmd = python + " " GW_BENCH_DIR "/xlsxwriter_peer.py '" + cells + "' '" + out + "'";
  for (auto _ : state) {
    FILE* p = popen(cmd.c_str(), "r");
    double seconds = -1;
    if (p) {
      if (std::fscanf(p, "%lf", &seconds) != 1) seconds = -1;
      pclose(p);
    }
    if (seconds <= 0) {
      state.SkipWithError("the XlsxWriter script failed");
      break;
    }
    state.SetIterationTime(seconds);
    peer_10k.push_back(seconds);
  }
  state.counters["pipes"] = 10000;
}
BENCHMARK(BM_XlsxWriterPeer)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->Unit(benchmark::kMillisecond)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (!ours_10k.empty() && !peer_10k.empty()) {
    const double ours = median(ours_10k), peer = median(peer_10k);
    std::printf("Form LD229, 10,000 pipes: %.1f ms; XlsxWriter, the same cells: %.1f ms; %.1fx faster\n",
                ours * 1e3, peer * 1e3, peer / ours);
  }
  if (!ours_100k.empty() && !pipe_report_100k.empty()) {
    const double form = median(ours_100k), one = median(pipe_report_100k);
    std::printf("100,000 pipes: Form LD229 %.1f ms; one pipe's results workbook %.1f ms, %.3f of it\n",
                form * 1e3, one * 1e3, one / form);
  }
  return 0;
}
