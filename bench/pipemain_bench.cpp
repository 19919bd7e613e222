// Timing of opening the pipe design window on one pipe of a project of 10,000 pipes.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "design/frmpipemain.h"
#include "model/model.h"
#include "platform/db/connection.h"

namespace {

namespace fs = std::filesystem;

// A host with nobody in front of it; a message box means the window reported a failure,
// which spoils the measurement.
class QuietHost : public gw::ui::Host {
 public:
  std::string last_message;
  gw::ui::Answer message(const gw::ui::Message& m) override {
    last_message = m.text;
    return gw::ui::Answer::Yes;
  }
  void show_modal(gw::ui::Form& f) override { f.host_set_visible(true, true); }
  void show_modeless(gw::ui::Form& f) override { f.host_set_visible(true, false); }
  bool file_dialog(gw::ui::FileDialog&, bool) override { return false; }
  void open_document(const std::string&) override {}
  double clock() override { return 0; }
  void end_program() override {}
};

// A copy of the template project in a folder of its own, holding `count` pipes P1..Pcount
// with every column filled, each pipe draining into the next.
struct Project {
  fs::path folder;
  fs::path file;

  explicit Project(int count) {
    folder = fs::temp_directory_path() / ("gw_pipemain_bench_" + std::to_string(::getpid()));
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
        else if (c == "DISCHARGEVAL") values.emplace_back("CRM");
        else if (c == "PAREABUFSTR" || c == "PCBUFSTR")
          values.emplace_back("0.5,0.3,0.2,0.9,0.1,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0");
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

// Loading the window as the pipe table's View (0) or Edit (1) does: the record of one pipe,
// its binding, and the upstream lists of every pipe.
void BM_OpenPipeDesignWindow(benchmark::State& state) {
  const int pipes = 10000;
  const char* mode = state.range(0) == 0 ? "view" : "edit";
  Project project(pipes);
  QuietHost host;
  auto prog = gw::make_program(host, GW_PROGRAM_DIR);
  prog->vars.unit_system = "ENGLISH";
  prog->vars.legacy_project = false;
  prog->vars.project_db_path = project.file.string();
  prog->vars.project_connection = std::make_shared<gw::db::Connection>();
  prog->vars.project_connection->open(project.file.string());
  prog->vars.pipe_form_mode = mode;
  prog->vars.pipe_form_id = "P5000";

  auto& window = prog->form<gw::design::frmpipemain>();
  for (auto _ : state) {
    window.load();
    state.PauseTiming();
    const bool shown = window.c("pipe_number").text() == "P5000" && window.c("prenode1").text() == "P4999" &&
                       window.c("prenode1").list_count() == pipes;
    window.unload();
    state.ResumeTiming();
    if (!host.last_message.empty() && host.last_message != "Exit without Saving?") {
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
BENCHMARK(BM_OpenPipeDesignWindow)->ArgName("edit")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)
    ->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
