// The pipe table window: grid of the project's pipes, Add/View/Edit/Modify/Refresh/Delete/Exit,
// and the menu commands that open the reports and the outlet protection.
#include "design/frmpipeflex.h"

#include <vector>

#include "design/frmpipemain.h"
#include "design/frmpipemodify.h"
#include "design/pipe_renumber.h"
#include "platform/error/error.h"
#include "shell/help.h"
#include "shell/save_failure.h"
#include "shell/window_names.h"

namespace gw::design {

using ui::Answer;
using ui::Buttons;
using ui::Icon;
using ui::Kind;

frmpipeflex::frmpipeflex(shell::Program& p) : Window(p, kName) {}

frmpipeflex::~frmpipeflex() = default;

std::string frmpipeflex::grid_query(bool legacy) {
  std::string sql =
      "SELECT PIPE_NUMBER AS [PIPE_ID], NODEIN_NO AS [NODE_IN] , NODEOUT_NO AS [NODE_OUT], "
      "PIPE_LENGTH  AS [LENGTH], PIPE_SHAPE AS [SHAPE],NUMOFPIPES AS [NUMBER], PIPE_DIA AS [DIA], "
      "SPAN, RISE, PIPE_ELEIN AS [ELEV_IN], PIPE_ELEOUT AS [ELEV_OUT], PIPE_MAT AS [MATERIAL], "
      "PIPE_DISCHARGE AS [DISCHARGE], PRENODE1 AS [PRE_PIPE1], PRENODE2 AS [PRE_PIPE2],"
      "PRENODE3 AS [PRE_PIPE3]";
  if (!legacy) sql += ", PRENODE4 AS [PRE_PIPE4]";
  sql += " FROM PIPE ORDER BY PIPE_NUMBER";
  return sql;
}

void frmpipeflex::build() {
  set_caption("Gullyworks");

  add(Kind::Frame, "Frame2");
  Control& label = add(Kind::Label, "Label1");
  label.set_caption("Total Number of Pipes in the Project Database:");
  label.container = "Frame2";
  Control& count = add(Kind::TextBox, "rec_count");
  count.container = "Frame2";
  count.set_locked(true);
  count.set_back_color(ui::kLockedColor);

  Control& grid = add(Kind::Grid, "pipeflex");
  grid.fixed_rows = 1;
  grid.fixed_cols = 0;
  Control& data = add(Kind::DataControl, "Adodc1");
  data.set_caption("Adodc1");
  data.set_visible(false);

  Control& functions = add(Kind::Frame, "Frame1");
  functions.set_caption("Pipe Functions");
  auto button = [this](const char* name, const char* caption) -> Control& {
    Control& b = add(Kind::CommandButton, name);
    b.set_caption(caption);
    b.container = "Frame1";
    return b;
  };
  button("cmdflexaddpipe", "Add").on_click = [this] { cmdflexaddpipe_Click(); };
  button("cmdflexviewpipe", "View").on_click = [this] { cmdflexviewpipe_Click(); };
  button("cmdflexveditpipe", "Edit").on_click = [this] { cmdflexveditpipe_Click(); };
  button("cmdflexmodpipe", "Modify").on_click = [this] { cmdflexmodpipe_Click(); };
  button("cmdflexrefreshpipe", "Refresh").on_click = [this] { cmdflexrefreshpipe_Click(); };
  button("cmdflexdeletepipe", "Delete").on_click = [this] { cmdflexdeletepipe_Click(); };
  Control& exit = button("cmdflexexit", "Exit");
  exit.on_click = [this] { cmdflexexit_Click(); };
  exit.cancel = true;

  add_menu("mnuflexfile", "&File", "");
  add_menu("mnuflexaddpipe", "&Add Pipe", "mnuflexfile", "Ctrl+A").on_click = [this] {
    cmdflexaddpipe_Click();
  };
  add_menu("mnuflexviewpipe", "&View Pipe", "mnuflexfile", "Ctrl+V").on_click = [this] {
    cmdflexviewpipe_Click();
  };
  add_menu("mnuflexveditpipe", "&Edit Pipe", "mnuflexfile", "Ctrl+E").on_click = [this] {
    cmdflexveditpipe_Click();
  };
  add_menu("mnuflexmodifypipe", "&Modify Pipe Number", "mnuflexfile", "Ctrl+M").on_click = [this] {
    cmdflexmodpipe_Click();
  };
  add_menu("mnuflexrefresh", "&Refresh", "mnuflexfile", "Ctrl+R").on_click = [this] {
    cmdflexrefreshpipe_Click();
  };
  add_menu("mnuflexdeletepipe", "&Delete Pipe", "mnuflexfile", "Ctrl+D").on_click = [this] {
    cmdflexdeletepipe_Click();
  };
  add_menu("mnusep1", "-", "mnuflexfile");
  add_menu("mnuenergy", "Energy Dissipation", "mnuflexfile").on_click = [this] { mnuenergy_Click(); };
  add_menu("flexsep3", "-", "mnuflexfile");
  add_menu("mnupipereport", "Pipe Report", "mnuflexfile").on_click = [this] { mnupipereport_Click(); };
  add_menu("mnuflexld229", "Form LD229", "mnuflexfile").on_click = [this] { mnuflexld229_Click(); };
  add_menu("mnuflexHGL", "HGL Analysis", "mnuflexfile").on_click = [this] { mnuflexHGL_Click(); };
  add_menu("mnusep", "-", "mnuflexfile");
  add_menu("mnuflexexit", "E&xit", "mnuflexfile", "Ctrl+X").on_click = [this] { mnuflexexit_Click(); };
  add_menu("mnuhelp", "&Help", "");
  add_menu("mnuflexhelp", "&Help ", "mnuhelp", "F1").on_click = [this] { mnuflexhelp_Click(); };
  add_menu("flexsep2", "-", "mnuhelp");
  add_menu("mnuflexabout", "About Tarnel Hydro", "mnuhelp").on_click = [this] { mnuflexabout_Click(); };

  grid.on_click = [this] { pipeflex_Click(); };
  grid.on_dblclick = [this] { pipeflex_DblClick(); };
  grid.on_row_change = [this] {
    if (!moving_row_) pipeflex_EnterCell();
  };
}

// ---- loading and the grid's source ----------------------------------------------------

void frmpipeflex::Form_Load() {
  shell::SharedState& v = vars();
  try {
    reshow_requested = false;
    v.set_number_format("0.000");
    if (v.project.legacy_project()) {
      v.handover.area_row_count = 24;
      c("mnuenergy").set_enabled(false);
    } else {
      v.handover.area_row_count = 15;
      c("mnuenergy").set_enabled(true);
    }
    get_flexpipe_records();
    refresh_Adodc1();
    if (Adodc1_record_count() >= 1) {
      move_grid_row(1);
      if (current_row == 0) current_row = 1;
    }
    c("rec_count").set_text(std::to_string(Adodc1_record_count()));
  } catch (const std::exception& e) {
    msg(e.what());
  }
}

void frmpipeflex::get_flexpipe_records() {
  shell::SharedState& v = vars();
  flexpipeRS.reset();
  if (adodc_database_ != v.project.project_db_path) {
    clear_adodc_records();
    adodc_connection_.close();
  }
  adodc_database_ = v.project.project_db_path;
  adodc_record_source_ = grid_query(v.project.legacy_project());
}

db::Recordset& frmpipeflex::open_flexpipeRS() {
  if (!flexpipeRS || !flexpipeRS->is_open()) {
    shell::SharedState& v = vars();
    if (!v.connections.project_connection || !v.connections.project_connection->is_open())
      throw gw::Error("The project database is not open.");
    auto rs = std::make_shared<db::Recordset>();
    rs->open(*v.connections.project_connection, "SELECT * FROM PIPE ORDER BY PIPE_NUMBER");
    flexpipeRS = std::move(rs);
  }
  return *flexpipeRS;
}

void frmpipeflex::refresh_Adodc1() {
  if (!is_loaded()) {
    load();  // the load runs the grid's query itself
    return;
  }
  if (adodc_record_source_.empty()) return;  // no source yet: the grid stays empty
  if (!adodc_connection_.is_open()) adodc_connection_.open(adodc_database_);
  // A query that fails leaves the records and the grid as they were, still matching.
  db::TextTable records = db::read_text_table(adodc_connection_, adodc_record_source_);
  adodc_read_ = true;
  adodc_rowids_ = std::move(records.rowids);
  adodc_numbers_.clear();
  adodc_numbers_.reserve(records.rows.size());
  for (const auto& row : records.rows) adodc_numbers_.push_back(row.empty() ? std::string() : row.front());
  fill_grid(std::move(records));
}

void frmpipeflex::clear_adodc_records() {
  adodc_read_ = false;
  adodc_numbers_.clear();
  adodc_rowids_.clear();
}

long frmpipeflex::Adodc1_record_count() const {
  return adodc_read_ ? static_cast<long>(adodc_numbers_.size()) : 0;
}

void frmpipeflex::fill_grid(db::TextTable records) {
  const int fields = static_cast<int>(records.names.size());
  std::vector<std::vector<std::string>> cells;
  cells.reserve(records.rows.size() + 1);
  cells.push_back(std::move(records.names));
  for (auto& row : records.rows) cells.push_back(std::move(row));

  Control& grid = c("pipeflex");
  grid.set_cols(fields);
  grid.set_grid(std::move(cells));
  move_grid_row(grid.rows() > 1 ? 1 : 0);
}

void frmpipeflex::move_grid_row(int row) {
  Control& grid = c("pipeflex");
  moving_row_ = true;
  grid.set_row(row);
  grid.set_col(0);
  moving_row_ = false;
}

std::string frmpipeflex::current_pipe_number() {
  Control& grid = c("pipeflex");
  return std::string(grid.cell(grid.row(), 0));
}

void frmpipeflex::focus_refresh_button() { set_focus(c("cmdflexrefreshpipe")); }

// ---- pipe commands ----------------------------------------------------------------------

void frmpipeflex::open_pipe_window(const std::string& mode, const std::string& id) {
  frmpipemain& pipe_window = prog.form<frmpipemain>();
  pipe_window.open_on(mode, id);
  pipe_window.show_modal();
  focus_refresh_button();
  refresh_pipes();
}

void frmpipeflex::cmdflexaddpipe_Click() { open_pipe_window("add", ""); }

void frmpipeflex::view_or_edit(const std::string& mode) {
  if (Adodc1_record_count() == 0) {
    msg("No pipes to View/Edit!", Buttons::OK, Icon::Information);
    return;
  }
  if (mode == "view") current_row = c("pipeflex").row();
  open_pipe_window(mode, current_pipe_number());
}

void frmpipeflex::cmdflexviewpipe_Click() { view_or_edit("view"); }

void frmpipeflex::cmdflexveditpipe_Click() { view_or_edit("edit"); }

void frmpipeflex::cmdflexdeletepipe_Click() {
  delete_flex_pipe();
  focus_refresh_button();
  refresh_pipes();
}

void frmpipeflex::delete_flex_pipe() {
  std::string number;
  try {
    if (Adodc1_record_count() == 0) {
      msg("No pipes to Delete!", Buttons::OK, Icon::Information);
      return;
    }
    number = current_pipe_number();
    if (msg("Delete Current Pipe - " + number + " ?", Buttons::YesNo, Icon::Exclamation) != Answer::Yes)
      return;

    // Refused when another pipe names this one upstream, and also when that cannot be
    // found out (the search reports its own failure).
    frmpipemain& pipe_window = prog.form<frmpipemain>();
    const frmpipemain::PipeSearch named_upstream = pipe_window.search_pipes(number, "PRENODE1");
    if (named_upstream.failed) return;
    if (named_upstream.found) {
      msg("Current Pipe is used as a Previous Pipe for Pipe  - " + named_upstream.pipe + " - Delete Denied!",
          Buttons::OK, Icon::Exclamation);
      return;
    }

    const int row = c("pipeflex").row();
    if (row < 1 || row > Adodc1_record_count())
      throw gw::Error("There is no record at position " + std::to_string(row) + ".");
    const auto at = static_cast<std::size_t>(row - 1);
    if (adodc_numbers_[at] != number)
      throw gw::Error("The pipe list has changed. Please Refresh the screen and try again.");
    if (adodc_rowids_.empty()) throw gw::Error("The records of this query cannot be changed.");
    if (adodc_connection_.execute("DELETE FROM PIPE WHERE _rowid_ = ?", {adodc_rowids_[at]}) == 0)
      throw gw::Error("The record could not be written: it was changed or deleted since it was read.");
    adodc_numbers_.erase(adodc_numbers_.begin() + row - 1);
    adodc_rowids_.erase(adodc_rowids_.begin() + row - 1);
    msg("Current pipe Deleted! Please Refresh the screen to verify the results", Buttons::OK,
        Icon::Exclamation);
  } catch (const std::exception& e) {
    if (auto refused = shell::refused_save_text(e, "Pipe " + number + " could not be deleted from",
                                                vars().project.project_db_path))
      msg(*refused, Buttons::OK, Icon::Exclamation);
    else
      msg(e.what());
  }
}

void frmpipeflex::cmdflexmodpipe_Click() {
  modify_flex_pipe_number();
  focus_refresh_button();
  refresh_pipes();
}

void frmpipeflex::modify_flex_pipe_number() {
  shell::SharedState& v = vars();
  std::string number, new_number;
  try {
    if (Adodc1_record_count() == 0) {
      msg("No pipes to Modify!", Buttons::OK, Icon::Information);
      return;
    }
    number = current_pipe_number();
    if (msg("Modify Current pipe number - " + number + " ?", Buttons::YesNo, Icon::Exclamation) !=
        Answer::Yes)
      return;
    new_number = prog.form<frmpipemodify>().ask_new_number(number);
    if (new_number == number || new_number.empty()) return;

    set_mouse_pointer(ui::kPointerHourglass);
    if (!v.connections.project_connection) throw gw::Error("The project database is not open.");
    renumber_pipe(*v.connections.project_connection, number, new_number, v.project.legacy_project());
    set_mouse_pointer(ui::kPointerDefault);
    msg("Update completed! Please Refresh the screen to verify your changes", Buttons::OK, Icon::Information);
  } catch (const std::exception& e) {
    if (is_loaded()) set_mouse_pointer(ui::kPointerDefault);
    if (auto refused = shell::refused_save_text(
            e, "Pipe " + number + " could not be renumbered to " + new_number + " in", v.project.project_db_path))
      msg(*refused, Buttons::OK, Icon::Exclamation);
    else
      msg(e.what());
  }
}

void frmpipeflex::cmdflexrefreshpipe_Click() {
  focus_refresh_button();
  refresh_pipes();
}

long frmpipeflex::grid_pipe_count() {
  if (!is_loaded() || adodc_record_source_.empty()) {
    refresh_Adodc1();
    return Adodc1_record_count();
  }
  if (!adodc_connection_.is_open()) adodc_connection_.open(adodc_database_);
  // The grid's query is compiled (it fails where filling the grid would) but not run.
  adodc_connection_.query_value(adodc_record_source_ + " LIMIT 0");
  return static_cast<long>(adodc_connection_.query_value("SELECT COUNT(*) FROM PIPE").integer());
}

long frmpipeflex::pipe_count() {
  if (flexpipeRS && flexpipeRS->is_open()) return flexpipeRS->record_count();
  shell::SharedState& v = vars();
  if (!v.connections.project_connection || !v.connections.project_connection->is_open())
    throw gw::Error("The project database is not open.");
  return static_cast<long>(
      v.connections.project_connection->query_value("SELECT COUNT(*) FROM PIPE").integer());
}

void frmpipeflex::refresh_pipes() {
  try {
    reshow_requested = true;
    // A table that still holds pipes rebuilds the window, whose load reads the grid; the count
    // decides that without reading the grid twice.
    if (grid_pipe_count() == 0) {
      refresh_Adodc1();
      if (flexpipeRS && flexpipeRS->is_open()) flexpipeRS->requery();
      c("rec_count").set_text("0");
      return;
    }
    // The window rebuilds itself. Unloading ends this modal show; the Design loop shows the
    // rebuilt window again, and the load reads the pipes afresh (the pipe list included,
    // when it is next used; it counts what the grid counts).
    unload();
    load();
    c("rec_count").set_text(std::to_string(Adodc1_record_count()));
    Control& grid = c("pipeflex");
    // A row that no longer exists leaves row 1 current.
    if (current_row < 1 || current_row >= grid.rows()) return;
    move_grid_row(current_row);
  } catch (const std::exception&) {
    // A refresh that fails leaves the window as it stands, without a message.
  }
}

// ---- leaving the window and the Design loop ----------------------------------------------

void frmpipeflex::cmdflexexit_Click() {
  vars().handover.pipe_design_done = true;
  reshow_requested = false;
  unload();
}

void frmpipeflex::mnuflexexit_Click() {
  vars().handover.pipe_design_done = true;
  cmdflexexit_Click();
}

void frmpipeflex::Form_Unload(int& cancel) {
  (void)cancel;
  vars().handover.pipe_design_done = !reshow_requested;
  clear_adodc_records();
  adodc_connection_.close();
}

// ---- menu commands of the reports and the outlet protection -----------------------------

void frmpipeflex::mnuenergy_Click() {
  if (pipe_count() < 1) {
    msg("No pipes to do Energy Dissipation Analysis!", Buttons::OK, Icon::Information);
    return;
  }
  // The outfall window belongs to the outlet protection; without it there is nothing more to do.
  if (prog.forms.knows(window::PipeEnergyForm)) prog.forms.get(window::PipeEnergyForm).show_modal();
}

void frmpipeflex::mnuflexHGL_Click() {
  if (pipe_count() < 1) {
    msg("No pipes to Display in HGL Report!", Buttons::OK, Icon::Information);
    return;
  }
  // The grade line window belongs to the design reports; without it there is nothing more to do.
  if (!prog.forms.knows(window::frmHGL)) return;
  prog.forms.get(window::frmHGL).show_modal();
  refresh_pipes();
}

// The one-pipe results and form LD229 workbooks belong to the design reports; this window
// only hosts their commands.
void frmpipeflex::mnupipereport_Click() { prog.run_command(kPipeReportCommand); }

void frmpipeflex::mnuflexld229_Click() { prog.run_command(kLd229Command); }

void frmpipeflex::mnuflexhelp_Click() { shell::show_help(prog); }

void frmpipeflex::mnuflexabout_Click() { prog.forms.get(window::frmAbout).show_modal(); }

// ---- grid events --------------------------------------------------------------------------

void frmpipeflex::pipeflex_Click() {
  const int row = c("pipeflex").row();
  if (row != 0) current_row = row;
}

void frmpipeflex::pipeflex_DblClick() {
  const int row = c("pipeflex").row();
  if (row == 0) return;
  current_row = row;
  cmdflexviewpipe_Click();
}

void frmpipeflex::pipeflex_EnterCell() { current_row = c("pipeflex").row(); }

}  // namespace gw::design
