// Timing of opening the pipe table window, grid filled, on a project of 10,000 pipes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "design/frmpipeflex.h"
#include "model/model.h"
#include "platform/db/connection.h"
#include "platform/text/error.h"

namespace {

namespace fs = std::filesystem;

// A host with nobody in front of it: modal windows are marked shown and return at once;
// a message box means the window reported a failure, which spoils the measurement.
class QuietHost : public gw::ui::Host {
 public:
  std::string last_message;
  gw::ui::Answer message(const gw::ui::Message& m) override {
    last_message = m.text;
    return gw::ui::Answer::OK;
  }
  void show_modal(gw::ui::Form& f) override { f.host_set_visible(true, true); }
  void show_modeless(gw::ui::Form& f) override { f.host_set_visible(true, false); }
  bool file_dialog(gw::ui::FileDialog&, bool) override { return false; }
  void open_document(const std::string&) override {}
  double clock() override { return 0; }
  void end_program() override {}
};

// A copy of the template project in a folder of its own, holding `count` pipes with every
// column filled as the pipe design window writes it.
struct Project {
  fs::path folder;
  fs::path file;

  explicit Project(int count) {
    folder = fs::temp_directory_path() / ("gw_pipeflex_bench_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    file = folder / "bench.gwp";
    fs::copy_file(fs::path(GW_PROGRAM_DIR) / "Rillbase21.rdb", file, fs::copy_options::overwrite_existing);

    gw::db::Connection conn;
    conn.open(file.string());
    const std::vector<std::string> columns = conn.columns_of("PIPE");
    std::string sql = "INSERT INTO PIPE (";
    std::string marks;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      sql += (i ? ", " : "") + columns[i];
      marks += i ? ", ?" : "?";
    }
    sql += ") VALUES (" + marks + ")";
    gw::db::Transaction tx(conn);
    for (int p = 1; p <= count; ++p) {
      std::vector<gw::db::Value> values;
      values.reserve(columns.size());
      for (const std::string& c : columns) {
        if (c == "PIPE_NUMBER") values.emplace_back("P" + std::to_string(p));
        else if (c == "NODEIN_NO") values.emplace_back("N" + std::to_string(p));
        else if (c == "NODEOUT_NO") values.emplace_back("N" + std::to_string(p + 1));
        else if (c == "PRENODE1") values.emplace_back(p > 1 ? "P" + std::to_string(p - 1) : "");
        else if (c == "PIPE_SHAPE") values.emplace_back("Circular");
        else if (c == "PIPE_MAT") values.emplace_back("Concrete");
        else if (c == "PAREABUFSTR" || c == "PCBUFSTR") values.emplace_back("0.5,0.3,0.2,0.9,0.1,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0");
        else values.emplace_back("1234.567");
      }
      conn.execute(sql, values);
    }
    tx.commit();
  }
  ~Project() {
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
};

void BM_OpenPipeTableWindow(benchmark::State& state) {
  const int pipes = static_cast<int>(state.range(0));
  Project project(pipes);
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
