// What the benchmarks share: a host with nobody in front of it, large project files of a
// realistic tree network, the peak memory of the process, and the timing of one command.
#pragma once

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/db/connection.h"
#include "platform/ui/form.h"
#include "platform/ui/host.h"
#include "shell/shared_state.h"

namespace gw::bench {

namespace fs = std::filesystem;

// Modal windows are marked shown and return at once; a Yes/No question is answered Yes;
// the save dialog names `report_file` (cancelled when it is empty). A message box with the
// OK button alone means a window reported a failure, which spoils the measurement, unless it
// is one of the `expected` messages: `last_message` keeps it.
class QuietHost : public ui::Host {
 public:
  std::string report_file;
  std::string last_message;
  std::vector<std::string> expected;
  std::vector<std::string> closed_at_once;  // modal windows that the user closes as they open
  std::function<void(ui::Form&)> on_modal;  // what the user does in a modal window, if anything
  int documents = 0;
  ui::Answer message(const ui::Message& m) override {
    if (m.buttons == ui::Buttons::YesNo) return ui::Answer::Yes;
    if (std::find(expected.begin(), expected.end(), m.text) == expected.end()) last_message = m.text;
    return ui::Answer::OK;
  }
  void show_modal(ui::Form& f) override {
    f.host_set_visible(true, true);
    if (on_modal) on_modal(f);
    if (f.is_loaded() &&
        std::find(closed_at_once.begin(), closed_at_once.end(), f.name()) != closed_at_once.end())
      f.unload();
  }
  void show_modeless(ui::Form& f) override { f.host_set_visible(true, false); }
  bool file_dialog(ui::FileDialog& d, bool) override {
    if (report_file.empty()) return false;
    d.file_name = report_file;
    set_current_folder(fs::path(report_file).parent_path().string());
    return true;
  }
  bool open_document(const std::string&) override {
    ++documents;
    return true;
  }
  double clock() override { return 0; }
  void end_program() override {}
};

// The pipes of a tree network draining to the outfall node "N0": pipe Pk runs from node Nk to
// the node in of its downstream pipe (the first pipe drains to N0), each pipe has at most four
// upstream pipes, which its PRENODE1..4 name, and most pipes join one made shortly before them,
// so that the network has long paths and many junctions.
struct NetworkPipe {
  int number = 0;
  int downstream = 0;  // 0 for the pipe at the outfall
  std::vector<int> upstream;
};

inline std::vector<NetworkPipe> tree_network(int count, unsigned seed = 229) {
  std::mt19937 rng(seed);
  std::vector<NetworkPipe> pipes(static_cast<std::size_t>(count) + 1);
  for (int k = 1; k <= count; ++k) {
    pipes[k].number = k;
    if (k == 1) continue;
    int down = 0;
    for (int tries = 0; tries < 64 && down == 0; ++tries) {
      std::uniform_int_distribution<int> near(std::max(1, k - 12), k - 1);
      const int d = tries < 32 ? near(rng) : std::uniform_int_distribution<int>(1, k - 1)(rng);
      if (pipes[d].upstream.size() < 4) down = d;
    }
    if (down == 0) down = k - 1;  // pipe k - 1 has no upstream pipe yet
    pipes[k].downstream = down;
    pipes[down].upstream.push_back(k);
  }
  return pipes;
}

// A copy of the template project in a folder of its own holding the tree network of `count`
// pipes, inserted in shuffled order, every column filled as the pipe design window writes it
// (nine in ten pipes circular, the others boxes); `values` overrides the text of a column for
// every pipe.
struct Project {
  fs::path folder;
  fs::path file;
  int count = 0;

  Project(const std::string& tag, int pipes, const std::map<std::string, std::string>& values = {})
      : count(pipes) {
    folder = fs::temp_directory_path() /
             ("gw_" + tag + "_bench_" + std::to_string(::getpid()) + "_" + std::to_string(pipes));
    fs::create_directories(folder);
    file = folder / "bench.gwp";
    fs::copy_file(fs::path(GW_PROGRAM_DIR) / "Rillbase21.rdb", file, fs::copy_options::overwrite_existing);

    db::Connection conn;
    conn.open(file.string());
    const std::vector<std::string> columns = conn.columns_of("PIPE");
    std::string sql = "INSERT INTO PIPE (";
    std::string marks;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      sql += (i ? ", " : "") + columns[i];
      marks += i ? ", ?" : "?";
    }
    sql += ") VALUES (" + marks + ")";

    const std::vector<NetworkPipe> net = tree_network(pipes);
    std::vector<int> order;
    for (int k = 1; k <= pipes; ++k) order.push_back(k);
    std::mt19937 rng(347);
    std::shuffle(order.begin(), order.end(), rng);
    const char* sizes[] = {"15", "18", "24", "30", "36", "42", "48"};
    auto fixed = [](double v, int decimals) {
      char buf[64];
      std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
      return std::string(buf);
    };

    // A pipe's accumulated values and flow time, which the rows of its downstream pipe copy.
    auto length_of = [](int k) { return 40 + static_cast<double>((k * 37) % 300); };
    auto accumulated_ca = [&fixed](int k) { return fixed(1.0 + (k % 97) * 0.37, 3); };
    auto accumulated_tc = [&fixed](int k) { return fixed(10 + (k % 31) * 0.5, 3); };
    auto flow_time_of = [&](int k) { return length_of(k) / (3 + k % 5); };

    db::Transaction tx(conn);
    for (int k : order) {
      const NetworkPipe& p = net[static_cast<std::size_t>(k)];
      const bool box = k % 10 == 0;
      const double invert = 100.0 + k * 0.01;
      const double length = length_of(k);
      const double flow_time = flow_time_of(k);
      auto node_of = [](int pipe) { return "N" + std::to_string(pipe); };
      std::map<std::string, std::string> v{
          {"PIPE_NUMBER", "P" + std::to_string(k)},
          {"NODEIN_NO", node_of(k)},
          {"NODEOUT_NO", p.downstream == 0 ? "N0" : node_of(p.downstream)},
          {"NODEIN_STATION", std::to_string(10 + k / 100) + "+" + fixed(k % 100, 2)},
          {"NODEOUT_STATION", std::to_string(10 + k / 100) + "+" + fixed((k + 50) % 100, 2)},
          {"NODEIN_TYPE", k % 3 == 0 ? "Inlet" : "Man Hole"},
          {"NODEIN_SHAPING", k % 2 == 0 ? "YES" : "NO"},
          {"NODEIN_TOPELE", fixed(invert + 8.0, 3)},
          {"PIPE_SHAPE", box ? "Box" : "Circular"},
          {"PIPE_DIA", box ? "" : sizes[k % 7]},
          {"SPAN", box ? "48" : ""},
          {"RISE", box ? "36" : ""},
          {"PIPE_MAT", "Concrete"},
          {"PIPE_MANN", "0.013"},
          {"NUMOFPIPES", "1"},
          {"PIPE_SKEW", std::to_string(k % 91)},
          {"PIPE_LENGTH", fixed(length, 3)},
          {"PIPE_ELEOUT", fixed(invert, 3)},
          {"PIPE_ELEIN", fixed(invert + 0.5, 3)},
          {"PIPE_SLOPE", fixed(0.5 / length, 5)},
          {"STRUCTURE_AREA", fixed(0.5 + (k % 13) * 0.25, 3)},
          {"STRUCTURE_CA", fixed((0.5 + (k % 13) * 0.25) * 0.6, 3)},
          {"ACCUMULATED_CA", accumulated_ca(k)},
          {"ACCUMULATED_TC", accumulated_tc(k)},
          {"PIPE_I", "6.000"},
          {"LATERAL_DISCHARGE", fixed((k % 17) * 0.3, 3)},
          {"PIPE_DISCHARGE", fixed(1 + (k % 40), 3)},
          {"CAPACITY", fixed(20 + (k % 40), 3)},
          {"FRICTION_SLOPE", fixed(0.002 + (k % 7) * 0.0003, 5)},
          {"PIPE_FLOWDEPTH", fixed(0.85 + (k % 9) * 0.1, 3)},
          {"PIPE_AREAFLOW", fixed(1.5 + (k % 11) * 0.2, 3)},
          {"HYD_RADIUS", fixed(0.4 + (k % 5) * 0.05, 3)},
          {"PIPE_VELOCITY", fixed(3.25 + k % 5, 3)},
          {"ENERGY", fixed(1.2 + (k % 8) * 0.1, 3)},
          {"FLOW_TIME", fixed(flow_time, 2)},
          {"PIPE_STORM_FREQ", "10"},
          {"DISCHARGEVAL", "CRM"},
          {"PAREABUFSTR", "0.5,0.3,0.2,0.9,0.1,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0"},
          {"PCBUFSTR", "0.5,0.3,0.2,0.9,0.1,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0"},
      };
      // Each row holds its upstream pipe's values as that pipe is saved, as entering it copies them.
      for (std::size_t u = 0; u < 4; ++u) {
        const std::string n = std::to_string(u + 1);
        const bool used = u < p.upstream.size();
        const int up = used ? p.upstream[u] : 0;
        v["PRENODE" + n] = used ? "P" + std::to_string(up) : "";
        v["PRECA" + n] = used ? accumulated_ca(up) : "0.0";
        v["PRETC" + n] = used ? accumulated_tc(up) : "0.0";
        v["PREFLOWTIME" + n] = used ? fixed(flow_time_of(up), 2) : "0.0";
      }
      for (const auto& [column, text] : values) v[column] = text;

      std::vector<db::Value> row;
      row.reserve(columns.size());
      for (const std::string& c : columns) {
        auto given = v.find(c);
        row.emplace_back(given != v.end() ? given->second : std::string("1234.567"));
      }
      conn.execute(sql, row);
    }
    tx.commit();
  }
  ~Project() {
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
};

// One project per size for the whole run of a benchmark program: building 100,000 pipes takes
// longer than what is measured on them.
inline Project& shared_project(const std::string& tag, int pipes) {
  static std::map<std::pair<std::string, int>, std::unique_ptr<Project>> made;
  auto& p = made[{tag, pipes}];
  if (!p) p = std::make_unique<Project>(tag, pipes);
  return *p;
}

// The program's shared values as after opening `project`: English units, a project of the
// current kind, its file and an open connection to it.
inline void open_as_project(shell::SharedState& vars, const Project& project) {
  vars.set_unit_system("ENGLISH");
  vars.project.current_project_name = "Benchmark";
  vars.project.project_kind = shell::ProjectKind::current;
  vars.project.project_db_path = project.file.string();
  vars.connections.project_connection = std::make_shared<db::Connection>();
  vars.connections.project_connection->open(project.file.string());
}

// Peak resident memory of the process since the last reset, in megabytes (Linux). The reset
// first hands freed memory back to the system, so that the peak starts from what is in use.
inline void reset_peak_memory() {
  ::malloc_trim(0);
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
}

inline double peak_memory_mb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  return 0;
}

// What the timed runs of a command gave: the peak memory over the runs (megabytes) and each
// run's seconds.
struct TimedRuns {
  double peak_mb = 0;
  std::vector<double> seconds;
};

// Times `command` alone, once per iteration of `state`: `prepare` runs before each run and
// `check` after it, both untimed, and the peak memory is that of the run. `check` gives what
// the run did wrong, empty when it did what it should. Stops with the error at a message the
// host was not told to expect or at a failed check.
inline TimedRuns time_command(benchmark::State& state, const QuietHost& host,
                              const std::function<void()>& command, const std::function<void()>& prepare = {},
                              const std::function<std::string()>& check = {}) {
  TimedRuns runs;
  for (auto _ : state) {
    state.PauseTiming();
    if (prepare) prepare();
    reset_peak_memory();
    const auto start = std::chrono::steady_clock::now();
    state.ResumeTiming();
    command();
    state.PauseTiming();
    runs.seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    runs.peak_mb = std::max(runs.peak_mb, peak_memory_mb());
    const std::string failed = check ? check() : std::string();
    state.ResumeTiming();
    if (!host.last_message.empty()) {
      state.SkipWithError(host.last_message.c_str());
      break;
    }
    if (!failed.empty()) {
      state.SkipWithError(failed.c_str());
      break;
    }
  }
  return runs;
}

}  // namespace gw::bench
