// Project details windows: load, add, save, cancel and browse of the PROJECT record.
#include "shell/project_details_window.h"

#include <utility>
#include <vector>

#include "platform/error/error.h"
#include "platform/ui/host.h"
#include "shell/frmsoftwaremain.h"
#include "shell/help.h"
#include "shell/input_procedures.h"
#include "shell/project_file.h"
#include "shell/project_text.h"
#include "shell/save_failure.h"
#include "shell/tarnelhydro_libraries.h"
#include "shell/window_names.h"

namespace gw::shell {

using ui::Buttons;
using ui::Icon;
using ui::Kind;

namespace {

constexpr const char* kFrame = "Project_Frame";
constexpr const char* kInletFilter = "Curbcast files (*.ckb;*.rvq)|*.ckb;*.rvq";

// The bound fields and their PROJECT columns; the window of release "2.1" adds the station and
// the release marker.
constexpr std::pair<const char*, const char*> kBoundFields[] = {{"project_id", "PROJECT_ID"},
                                                                {"project_name", "PROJECT_NAME"},
                                                                {"description", "DESCRIPTION"},
                                                                {"location", "LOCATION"},
                                                                {"county", "COUNTY"},
                                                                {"state", "STATE"},
                                                                {"units", "UNITS"},
                                                                {"designer", "DESIGNER"},
                                                                {"inlet_database", "INLET_DATABASE"}};
constexpr std::pair<const char*, const char*> kStationFields[] = {{"noaa_station", "NOAA_STATION"},
                                                                  {"major_release", "MAJOR_RELEASE"}};

// The details typed as free text, with their labels.
constexpr std::pair<const char*, const char*> kTextDetails[] = {{"project_id", "PROJECT ID"},
                                                                {"project_name", "PROJECT NAME"},
                                                                {"description", "DESCRIPTION"},
                                                                {"location", "LOCATION"},
                                                                {"state", "STATE"},
                                                                {"designer", "DESIGNED BY"},
                                                                {"inlet_database", "INLET DATABASE"}};

// The texts of one column of a list recordset, from its first row to its last.
std::vector<std::string> list_rows(const std::shared_ptr<db::Recordset>& rs, const char* column) {
  std::vector<std::string> rows;
  if (!rs || !rs->is_open() || rs->record_count() == 0) return rows;
  long keep = rs->absolute_position();
  rs->move_first();
  for (; !rs->eof(); rs->move_next()) rows.push_back(rs->field(column));
  if (keep > 0)
    rs->set_absolute_position(keep);
  else
    rs->move_first();
  return rows;
}

}  // namespace

ProjectDetailsWindow::ProjectDetailsWindow(Program& p, std::string name, bool with_station)
    : Window(p, std::move(name)), with_station_(with_station) {}

void ProjectDetailsWindow::build() {
  set_caption("Project");
  add(Kind::Frame, kFrame).set_caption("Project Details");

  // A labelled field inside the frame; tab order follows the order of the fields.
  auto field = [this](Kind kind, const char* name, const char* label, int limit) -> Control& {
    if (label) {
      Control& l = add(Kind::Label, std::string("lbl") + name);
      l.set_caption(label);
      l.container = kFrame;
    }
    Control& c = add(kind, name);
    c.container = kFrame;
    c.max_length = limit;
    return c;
  };
  field(Kind::TextBox, "project_id", "PROJECT ID", 20);
  field(Kind::TextBox, "project_name", "PROJECT NAME", 50);
  field(Kind::TextBox, "description", "DESCRIPTION", 200).multi_line = true;
  field(Kind::TextBox, "location", "LOCATION", 50);
  field(Kind::DataCombo, "county", "COUNTY", 0).style = 2;
  field(Kind::TextBox, "state", "STATE", 0).set_text("VA");
  Control& units = field(Kind::ComboBox, "units", "UNITS", 0);
  units.set_items({std::string(kEnglishName), std::string(kMetricName)});
  units.set_text(std::string(kEnglishName));
  field(Kind::TextBox, "designer", "DESIGNED BY", 25);
  field(Kind::TextBox, "inlet_database", "INLET DATABASE", 100);
  Control& browse = add(Kind::CommandButton, "mnubrowseInlet");
  browse.set_caption("Browse");
  browse.container = kFrame;
  if (with_station_) {
    field(Kind::DataCombo, "noaa_station", "NOAA STATION", 0).style = 2;
    Control& help = add(Kind::CommandButton, "cmdNOAAStationHelp");
    help.set_caption("NOAA Station Help");
    help.container = kFrame;
    // Carries the release marker of a new record into MAJOR_RELEASE; not for the user.
    Control& release = field(Kind::TextBox, "major_release", nullptr, 0);
    release.set_text("2.1");
    release.set_visible(false);
    help.on_click = [this] { cmdNOAAStationHelp_Click(); };
  }

  add_menu("mnuProjFile", "&File", "");
  add_menu("mnuprojsave", "&Save", "mnuProjFile", "Ctrl+S").on_click = [this] { mnuprojsave_Click(); };
  add_menu("mnuprojsep", "-", "mnuProjFile");
  Control& exit = add_menu("mnuprojexit", "&Exit", "mnuProjFile", "Ctrl+X");
  exit.on_click = [this] { mnuprojexit_Click(); };
  exit.cancel = true;  // the window has no button to leave by
  add_menu("mnuprojhelp", "&Help", "");
  add_menu("mnuprojsubhelp", "&Help", "mnuprojhelp", "F1").on_click = [this] { mnuprojsubhelp_Click(); };
  add_menu("mnuprojabout", "&About Tarnel Hydro", "mnuprojhelp").on_click = [this] { mnuprojabout_Click(); };

  browse.on_click = [this] { mnubrowseInlet_Click(); };
  units.on_change = [this] { units_Change(); };
  for (const auto& [name, label] : kTextDetails)
    c(name).on_change = [this, n = name, l = label] { detail_Change(n, l); };
}

void ProjectDetailsWindow::fill_lists() {
  c("county").set_items(list_rows(vars().connections.county_list_rs, "COUNTY_NAME"));
  if (with_station_)
    c("noaa_station").set_items(list_rows(vars().connections.station_list_rs, "NOAA_STATION"));
}

void ProjectDetailsWindow::set_key_field(const char* name, bool editable) {
  Control& k = c(name);
  k.set_enabled(editable);
  k.set_back_color(editable ? ui::kWindowColor : ui::kButtonFaceColor);
}

void ProjectDetailsWindow::Form_Load() {
  try {
    fill_lists();
    Control& units = c("units");
    units.set_items({std::string(kEnglishName), std::string(kMetricName)});
    units.set_list_index(0);
    get_project_records();
    loading_record_ = true;
    try {
      attach_project_datasource();
    } catch (...) {
      loading_record_ = false;
      throw;
    }
    loading_record_ = false;
    project_changed = false;
    const bool has_record = hydroprojrs && hydroprojrs->is_open() && hydroprojrs->record_count() > 0;
    if (vars().project.project_update_mode || has_record) {
      for (const char* key : {"project_id", "units", "county"}) set_key_field(key, false);
      if (with_station_) set_key_field("noaa_station", false);
      // A stored UNITS text that names neither system is the engineer's to choose.
      std::string system = unit_system_of(units.text());
      if (system.empty()) set_key_field("units", true);
      vars().set_unit_system(system.empty() ? units.text() : system);
    } else {
      set_key_field("project_id", true);
      set_key_field("units", true);
      addnewproject();
    }
    fill_lists();
    c("county").set_visible(true);
    // What a new record shows now are its defaults: anything else the engineer put there.
    new_record_defaults_.clear();
    if (hydroprojrs && hydroprojrs->is_open() && hydroprojrs->edit_mode() == db::EditMode::add)
      for (const auto& [name, column] : kBoundFields) new_record_defaults_.emplace_back(name, c(name).text());
    if (with_station_ && !new_record_defaults_.empty())
      for (const auto& [name, column] : kStationFields)
        new_record_defaults_.emplace_back(name, c(name).text());
  } catch (const std::exception& e) {
    msg(e.what());
  }
}

void ProjectDetailsWindow::get_project_records() {
  SharedState& v = vars();
  v.project.product_name.clear();
  // The binding holds the old recordset: it lets go before that one is replaced.
  binding_.detach();
  hydroprojrs = std::make_shared<db::Recordset>();
  hydroprojrs->will_change_record = [this](db::ChangeReason reason, bool& cancel) {
    hydroprojrs_WillChangeRecord(reason, cancel);
  };
  try {
    if (!v.connections.project_connection) throw gw::Error("The project database is not open.");
    hydroprojrs->open(*v.connections.project_connection, "SELECT * from PROJECT Order by PROJECT_ID");
  } catch (const std::exception&) {
    return;  // the window shows no record; its load goes on
  }
  db::Recordset& rs = *hydroprojrs;
  if (rs.eof()) return;
  // Each copy stands by itself: a column the file lacks reads as empty text, so nothing of
  // an earlier project stays.
  auto copy = [&rs](const char* column, std::string& into) {
    into = rs.has_field(column) ? rs.field(column) : std::string();
  };
  copy("PROJECT_ID", v.project.current_project_id);
  copy("PROJECT_NAME", v.project.current_project_name);
  copy("STATE", v.project.project_state);
  copy("COUNTY", v.project.project_county);
  if (with_station_) copy("NOAA_STATION", v.project.project_noaa_station);
  copy("LOCATION", v.project.project_location);
  if (rs.has_field("UNITS")) v.set_unit_system(rs.field("UNITS"));
  copy("DESIGNER", v.project.project_designer);
  copy("INLET_DATABASE", v.project.inlet_db_path);
  if (with_station_) copy("MAJOR_RELEASE", v.project.project_major_release);
  if (with_station_ || !v.project.legacy_project()) copy("PRODUCT_NAME", v.project.product_name);
}

void ProjectDetailsWindow::attach_project_datasource() {
  if (!hydroprojrs) return;
  binding_.attach(*hydroprojrs);
  for (const auto& [name, column] : kBoundFields) binding_.bind(c(name), column);
  if (with_station_)
    for (const auto& [name, column] : kStationFields) binding_.bind(c(name), column);
}

void ProjectDetailsWindow::addnewproject() {
  try {
    if (!hydroprojrs) throw gw::Error("The project database is not open.");
    hydroprojrs->add_new();
    c("state").set_text("VA");
    c("units").set_text(std::string(kEnglishName));
    if (with_station_) {
      c("noaa_station").set_text("Abingdon 3 S");
      c("county").set_text("Accomack");
      c("major_release").set_text("2.1");
    }
    vars().project.product_name = "GULLYWORKS";
    prog.form<frmsoftwaremain>().show_status("Create Project");
  } catch (const std::exception& e) {
    msg(e.what());
  }
}

void ProjectDetailsWindow::hydroprojrs_WillChangeRecord(db::ChangeReason reason, bool& cancel) {
  (void)cancel;
  if (reason == db::ChangeReason::first_change) project_changed = true;
}

void ProjectDetailsWindow::mnuprojsave_Click() {
  SharedState& v = vars();
  try {
    if (c("county").text().empty()) {
      msg("County Name is a Required Field!", Buttons::OK, Icon::Exclamation);
      return;
    }
    if (c("project_id").text().empty()) {
      msg("Project ID is a Required Field!", Buttons::OK, Icon::Exclamation);
      return;
    }
    // UNITS holds "ENGLISH" or "METRIC" only: a typed beginning of one item is completed
    // to it; a text that begins both (the empty text) is refused as the list refuses others.
    Control& units = c("units");
    if (units.enabled()) {
      units.set_text(completed_combo_text(units));
      if (units.find_item(units.text()) < 0) {
        msg("Value not present in the list... Please enter a valid value..");
        units.set_text(units.items().front());
        return;
      }
    }
    if (!hydroprojrs || !v.connections.project_connection)
      throw gw::Error("The project database is not open.");
    db::Connection& conn = *v.connections.project_connection;
    if (with_station_ && lacks_release_columns(conn)) {
      save_with_release_columns(conn);
    } else {
      db::Recordset& rs = *hydroprojrs;
      // A record this program creates carries its product name, so that the Design menu
      // accepts the project when it is opened again.
      if (rs.edit_mode() == db::EditMode::add && rs.has_field("PRODUCT_NAME"))
        rs.set_field("PRODUCT_NAME", "GULLYWORKS");
      if (with_station_) {
        rs.set_field("NOAA_STATION", c("noaa_station").text());
        rs.set_field("COUNTY", c("county").text());
        rs.update();
      }
      rs.update_batch();
    }
    db::Recordset& rs = *hydroprojrs;
    if (std::string system = unit_system_of(units.text()); !system.empty())
      v.set_unit_system(system);
    else
      v.set_unit_system(units.text());
    if (!rs.eof()) rs.move_next();
    rs.move_first();
    if (with_station_) v.project.project_major_release = c("major_release").text();
    v.project.current_project_name = c("project_name").text();
    if (with_station_) v.project.project_noaa_station = c("noaa_station").text();
    v.project.project_county = c("county").text();
    v.project.project_location = c("location").text();
    v.project.current_project_id = c("project_id").text();
    v.project.project_state = c("state").text();
    v.project.project_designer = c("designer").text();
    v.project.inlet_db_path = c("inlet_database").text();
    msg("Project Details are Saved!", Buttons::OK, Icon::Information);
    v.project.project_update_mode = true;
    project_changed = false;
    new_record_defaults_.clear();
  } catch (const std::exception& e) {
    if (auto refused = refused_save_text(e, "The project details could not be saved in", v.project.project_db_path))
      msg(*refused, Buttons::OK, Icon::Exclamation);
    else
      msg(e.what());
  }
}

void ProjectDetailsWindow::save_with_release_columns(db::Connection& conn) {
  db::Recordset& rs = *hydroprojrs;
  const bool adding = rs.edit_mode() == db::EditMode::add;
  // Taken before the write, whose refill empties the fields that have no column yet.
  const std::string station = c("noaa_station").text(), release = c("major_release").text();
  {
    // Columns and record go in together or not at all.
    db::Transaction tx(conn);
    add_release_columns(conn);
    rs.set_field("COUNTY", c("county").text());
    rs.update_batch();
    // The record read before the columns existed has no field for them: they are stamped
    // as the upgrade stamps them (the table holds the one record).
    std::string sql = "UPDATE PROJECT SET NOAA_STATION = ?, MAJOR_RELEASE = ?";
    std::vector<db::Value> values{station, release};
    if (adding) {
      sql += ", PRODUCT_NAME = ?";
      values.emplace_back("GULLYWORKS");
    }
    conn.execute(sql, values);
    tx.commit();
  }
  // The window goes on with the record as stored, its new columns bound; an older project
  // is now one of the NOAA-station release.
  loading_record_ = true;
  try {
    get_project_records();
    attach_project_datasource();
  } catch (...) {
    loading_record_ = false;
    throw;
  }
  loading_record_ = false;
  vars().project.project_kind = project_kind_of(conn);
}

void ProjectDetailsWindow::detail_Change(const char* name, const char* label) {
  if (loading_record_ || binding_.refilling()) return;
  Control& field = c(name);
  const std::string kept = without_control_characters(field.text(), field.multi_line);
  if (kept == field.text()) return;
  field.set_text(kept);
  msg(std::string("Control characters cannot be stored in ") + label + ": they were removed.", Buttons::OK,
      Icon::Exclamation);
}

bool ProjectDetailsWindow::new_record_edited() {
  if (!hydroprojrs || !hydroprojrs->is_open() || hydroprojrs->edit_mode() != db::EditMode::add) return false;
  for (const auto& [name, shown] : new_record_defaults_)
    if (c(name).text() != shown) return true;
  return false;
}

void ProjectDetailsWindow::Form_Unload(int& cancel) {
  // Every edit reaches the record as it is typed, so there is no pending control edit to
  // commit before the question.
  try {
    // A new record the engineer has typed into is kept from loss as a changed one is.
    if (project_changed || new_record_edited()) {
      if (msg("Exit without saving? ", Buttons::YesNo, Icon::Exclamation) == ui::Answer::Yes)
        cancel_project_edit();
      else
        cancel = 1;
    }
  } catch (const std::exception& e) {
    msg(e.what());
  }
}

void ProjectDetailsWindow::cancel_project_edit() {
  // Each step stands by itself: one that fails is skipped.
  if (hydroprojrs) {
    db::Recordset& rs = *hydroprojrs;
    try {
      rs.cancel_update();
    } catch (const std::exception&) {}
    try {
      rs.requery();
      rs.move_first();
    } catch (const std::exception&) {}
  }
  msg("Update Cancelled");
  project_changed = false;
}

void ProjectDetailsWindow::mnubrowseInlet_Click() {
  SharedState& v = vars();
  try {
    v.project.inlet_db_path.clear();
    ui::FileDialog& dlg = prog.printDlg;
    dlg.file_name.clear();
    dlg.cancel_error = true;
    dlg.flags = ui::FileDialog::kFileMustExist;
    dlg.dialog_title = "Open Inlet Database";
    dlg.filter = kInletFilter;
    dlg.init_dir = v.handover.last_folder.empty() ? prog.program_folder : v.handover.last_folder;
    ui::show_open(prog.host, dlg);
    v.project.inlet_db_path = dlg.file_name;
    if (!v.project.inlet_db_path.empty())
      c("inlet_database").set_text(v.project.inlet_db_path);
    else
      msg("No Inlet database selected!", Buttons::OK, Icon::Exclamation);
  } catch (const std::exception& e) {
    msg(e.what(), Buttons::OK, Icon::Exclamation, {}, true);
  }
}

void ProjectDetailsWindow::mnuprojexit_Click() { unload(); }

void ProjectDetailsWindow::mnuprojsubhelp_Click() { show_help(prog); }

void ProjectDetailsWindow::mnuprojabout_Click() { prog.forms.get(window::frmAbout).show_modal(); }

void ProjectDetailsWindow::units_Change() {
  if (loading_record_) return;
  combo_value_invalid(c("units"));
}

void ProjectDetailsWindow::cmdNOAAStationHelp_Click() { open_noaa_station_map(prog); }

}  // namespace gw::shell
