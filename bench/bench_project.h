// What the benchmarks share: a host with nobody in front of it, and a large project file.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "platform/ui/form.h"
#include "platform/ui/host.h"

namespace gw::bench {

namespace fs = std::filesystem;

// Modal windows are marked shown and return at once; a Yes/No question is answered Yes;
// the save dialog names `report_file` (cancelled when it is empty). Any other message box
// means a window reported a failure, which spoils the measurement: `last_message` keeps it.
class QuietHost : public ui::Host {
 public:
  std::string report_file;
  std::string last_message;
  int documents = 0;
  ui::Answer message(const ui::Message& m) override {
    if (m.buttons == ui::Buttons::YesNo) return ui::Answer::Yes;
    last_message = m.text;
    return ui::Answer::OK;
  }
  void show_modal(ui::Form& f) override { f.host_set_visible(true, true); }
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

// A copy of the template project in a folder of its own, holding `count` circular pipes
// P1..Pcount, each draining into the next, with every column filled as the pipe design
// window writes it; `values` overrides the text of a column for every pipe.
struct Project {
  fs::path folder;
  fs::path file;

  Project(const std::string& tag, int count, const std::map<std::string, std::string>& values = {}) {
    folder = fs::temp_directory_path() / ("gw_" + tag + "_bench_" + std::to_string(::getpid()));
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
    db::Transaction tx(conn);
    for (int p = 1; p <= count; ++p) {
      std::vector<db::Value> row;
      row.reserve(columns.size());
      for (const std::string& c : columns) {
        auto given = values.find(c);
        if (given != values.end()) row.emplace_back(given->second);
        else if (c == "PIPE_NUMBER") row.emplace_back("P" + std::to_string(p));
        else if (c == "NODEIN_NO") row.emplace_back("N" + std::to_string(p));
        else if (c == "NODEOUT_NO") row.emplace_back("N" + std::to_string(p + 1));
        else if (c == "PRENODE1") row.emplace_back(p > 1 ? "P" + std::to_string(p - 1) : "");
        else if (c == "PIPE_SHAPE") row.emplace_back("Circular");
        else if (c == "PIPE_MAT") row.emplace_back("Concrete");
        else if (c == "PAREABUFSTR" || c == "PCBUFSTR")
          row.emplace_back("0.5,0.3,0.2,0.9,0.1,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0");
        else row.emplace_back("1234.567");
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

}  // namespace gw::bench
