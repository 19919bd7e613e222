// Timing of the form LD229 workbook on a project of 10,000 pipes, from the menu command to
// the saved workbook.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "design/frmpipeflex.h"
#include "model/model.h"
#include "platform/db/connection.h"
#include "platform/workbook/workbook.h"

namespace {

namespace fs = std::filesystem;

// A host with nobody in front of it: the save dialog names the report file, the overwrite
// question is answered Yes; any other message box means the report failed, which spoils
// the measurement.
class QuietHost : public gw::ui::Host {
 public:
  std::string report_file;
  std::string last_message;
  int documents = 0;
  gw::ui::Answer message(const gw::ui::Message& m) override {
    if (m.buttons == gw::ui::Buttons::YesNo) return gw::ui::Answer::Yes;
    last_message = m.text;
    return gw::ui::Answer::OK;
  }
  void show_modal(gw::ui::Form& f) override { f.host_set_visible(true, true); }
  void show_modeless(gw::ui::Form& f) override { f.host_set_visible(true, false); }
  bool file_dialog(gw::ui::FileDialog& d, bool) override {
    d.file_name = report_file;
    set_current_folder(fs::path(report_file).parent_path().string());
    return true;
  }
  void open_document(const std::string&) override { ++documents; }
  double clock() override { return 0; }
  void end_program() override {}
};

// A copy of the template project in a folder of its own, holding `count` solved circular
// pipes in a chain, every column filled as the pipe design window writes it.
struct Project {
  fs::path folder;
  fs::path file;

  explicit Project(int count) {
    folder = fs::temp_directory_path() / ("gw_ld229_bench_" + std::to_string(::getpid()));
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
        else if (c == "NODEIN_STATION" || c == "NODEOUT_STATION") values.emplace_back("10+00");
        else if (c == "PRENODE1") values.emplace_back(p > 1 ? "P" + std::to_string(p - 1) : "");
        else if (c == "PIPE_SHAPE") values.emplace_back("Circular");
        else if (c == "PIPE_DIA") values.emplace_back("24");
        else if (c == "PIPE_MAT") values.emplace_back("Concrete");
        else if (c == "STRUCTURE_AREA") values.emplace_back("5.000");
        else if (c == "STRUCTURE_CA") values.emplace_back("2.500");
        else if (c == "FLOW_TIME") values.emplace_back("26.6");
        else if (c == "PIPE_FLOWDEPTH") values.emplace_back("1.250");
        else if (c == "PIPE_STORM_FREQ") values.emplace_back("10");
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

void BM_FormLD229(benchmark::State& state) {
  const int pipes = static_cast<int>(state.range(0));
  Project project(pipes);
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
