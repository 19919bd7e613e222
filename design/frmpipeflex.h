// The pipe table window: every pipe of the project in a read-only grid, with the pipe commands.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/db/text_table.h"
#include "shell/program.h"
#include "shell/window_names.h"

namespace gw::design {

class frmpipeflex : public shell::Window {
 public:
  static constexpr const char* kName = window::frmpipeflex;
  explicit frmpipeflex(shell::Program& p);
  ~frmpipeflex() override;

  // ---- public members read by other windows ----
  // The window's pipe list: every PIPE record ordered by PIPE_NUMBER, on the project
  // connection; record k belongs to grid row k. It is read when first used after the
  // window's source was (re)built, through open_flexpipeRS(), so that opening the window
  // does not read every column of every pipe; until then it is null. Requeried by every
  // refresh and by the pipe design window's save when it is open.
  std::shared_ptr<db::Recordset> flexpipeRS;
  // The pipe list, read now when it is not open yet (at its first record).
  db::Recordset& open_flexpipeRS();
  // The grid's current row (1 for the first pipe; loads the window when it is not loaded).
  int current_grid_row() { return c("pipeflex").row(); }
  // Builds the grid's source (connection and query for the project kind) and releases
  // the pipe list, which the next open_flexpipeRS() reads afresh. Touches no control.
  void get_flexpipe_records();
  // The data control's Refresh: re-runs the grid's query on the data control's own
  // connection and refills the grid. Loads the window when it is not loaded.
  void refresh_Adodc1();
  // Records the data control holds (0 when its query has not run).
  long Adodc1_record_count() const;
  // The grid's query for the project kind: 16 columns for a legacy project, else 17.
  static std::string grid_query(bool legacy);

  // ---- form-level values (kept while the window is unloaded; the load resets them) ----
  // Grid row of the pipe last clicked, entered or opened; 0 until the first load.
  int current_row = 0;
  // True from the start of a refresh until the window loads again or Exit is used; the
  // unload ends the Design loop unless it is set.
  bool reshow_requested = false;

  // ---- commands ----
  void cmdflexaddpipe_Click();
  void cmdflexviewpipe_Click();
  void cmdflexveditpipe_Click();
  void cmdflexmodpipe_Click();
  void cmdflexrefreshpipe_Click();
  void cmdflexdeletepipe_Click();
  void cmdflexexit_Click();
  void mnuflexexit_Click();
  void mnuenergy_Click();
  void mnupipereport_Click();
  void mnuflexld229_Click();
  // The report commands run the design reports' writers, which this layer cannot reach:
  // the reports register them with the program under these names. While none is
  // registered the command does nothing.
  static constexpr const char* kPipeReportCommand = "PipeReport";
  static constexpr const char* kLd229Command = "FormLD229";
  void mnuflexHGL_Click();
  void mnuflexhelp_Click();
  void mnuflexabout_Click();
  void pipeflex_Click();
  void pipeflex_DblClick();
  void pipeflex_EnterCell();

 protected:
  void build() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void view_or_edit(const std::string& mode);
  void delete_flex_pipe();
  void modify_flex_pipe_number();
  // Shows the pipe design window in `mode` on `id`, then focuses Refresh and refreshes.
  void open_pipe_window(const std::string& mode, const std::string& id);
  // Refresh without the focus move: the body of the Refresh command.
  void refresh_pipes();
  // The records the grid's query gives, counted without reading them (the grid is filled
  // when the window is not loaded yet).
  long grid_pipe_count();
  // The pipes of the pipe list for the emptiness tests of the menus: its record count when it
  // is open, else counted in the table without reading the pipes.
  long pipe_count();
  void focus_refresh_button();
  // The current pipe: the number in column 0 of the grid's current row.
  std::string current_pipe_number();
  // Moves the grid's current row without counting it as a user's move.
  void move_grid_row(int row);
  void fill_grid(db::TextTable records);

  // The data control: its own connection to the project file and the grid's records.
  std::string adodc_database_;
  std::string adodc_record_source_;
  db::Connection adodc_connection_;
  // What the data control keeps of its records besides the grid's texts: whether its query
  // has run, and each record's pipe number and row id, for Delete.
  bool adodc_read_ = false;
  std::vector<std::string> adodc_numbers_;
  std::vector<long long> adodc_rowids_;  // empty when the records cannot be changed
  void clear_adodc_records();
  bool moving_row_ = false;
};

}  // namespace gw::design
