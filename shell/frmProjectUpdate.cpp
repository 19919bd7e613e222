// Project upgrade to the NOAA-station release.
#include "shell/frmProjectUpdate.h"

#include "platform/db/connection.h"
#include "platform/error/error.h"
#include "shell/input_procedures.h"
#include "shell/noaa_stations.h"
#include "shell/project_file.h"
#include "shell/save_failure.h"
#include "shell/tarnelhydro_libraries.h"

namespace gw::shell {

using ui::Buttons;
using ui::Icon;
using ui::Kind;

namespace {

void close_if_open(std::shared_ptr<db::Connection>& conn) {
  if (conn && conn->is_open()) conn->close();
}

}  // namespace

void frmProjectUpdate::build() {
  set_caption("Update Project");
  add(Kind::Frame, kName).set_caption("Select NOAA Station");
  Control& label = add(Kind::Label, "Label1");
  label.set_caption("NOAA STATION:");
  label.container = kName;
  Control& station = add(Kind::ComboBox, "noaa_station");
  station.container = kName;
  // A drop-down list: the names are table keys, so only the listed ones may be chosen.
  station.style = 2;
  station.set_items(noaa_station_names());
  Control& update = add(Kind::CommandButton, "btnUpdate");
  update.set_caption("Update Project");
  update.container = kName;
  Control& help = add(Kind::CommandButton, "cmdNOAAStationHelp");
  help.set_caption("NOAA Station Help");
  help.container = kName;

  update.on_click = [this] { btnUpdate_Click(); };
  help.on_click = [this] { cmdNOAAStationHelp_Click(); };
}

void frmProjectUpdate::Form_Load() {
  rainfall_opened_ = false;
  c("noaa_station").set_text("Abingdon 3 S");
}

void frmProjectUpdate::Form_Unload(int& cancel) {
  (void)cancel;
  // Closed without an upgrade: the project goes on by county, as when the conversion
  // question is answered No.
  if (!rainfall_opened_) {
    rainfall_opened_ = true;
    open_county_rainfall_db(prog);
  }
}

void frmProjectUpdate::btnUpdate_Click() { update_project_database(); }

void frmProjectUpdate::cmdNOAAStationHelp_Click() { open_noaa_station_map(prog); }

void frmProjectUpdate::update_project_database() {
  SharedState& v = vars();
  const std::string station = c("noaa_station").text();
  try {
    if (!v.connections.project_connection || !v.connections.project_connection->is_open())
      throw gw::Error("The project database is not open.");
    db::Connection& conn = *v.connections.project_connection;
    // Columns and stamp go in together or not at all.
    db::Transaction tx(conn);
    // An older file lacks the station only, a legacy file all five release columns; each
    // missing one is added. One that cannot be added (a file that may not be written) fails
    // the upgrade.
    add_release_columns(conn);
    conn.execute(
        "UPDATE PROJECT SET PRODUCT_NAME = ?, MAJOR_RELEASE = ?, MINOR_RELEASE = ?, NOAA_STATION = ?, "
        "RELEASE_DATE = ?",
        {"GULLYWORKS", "2.1", "0.0", station, "JULY 2016"});
    tx.commit();
  } catch (const std::exception& e) {
    // A write the project file refused says which file and why, as every other save does.
    msg(refused_save_text(e, "The project update could not be saved in", v.project.project_db_path)
            .value_or(e.what()),
        Buttons::OK, Icon::Exclamation, {}, true);
    rainfall_opened_ = true;
    open_county_rainfall_db(prog);
    unload();
    return;
  }
  msg("Project database Updated with selected NOAA Station! Please review and recompute your results",
      Buttons::OK, Icon::Exclamation);
  v.project.project_major_release = "2.1";
  v.project.project_noaa_station = station;
  v.project.product_name = "GULLYWORKS";
  close_if_open(v.connections.project_connection);
  close_if_open(v.connections.usda_connection);
  close_if_open(v.connections.rainfall_connection);
  open_project_database(prog);
  // The file has the station now: an older project becomes a current one; a legacy one keeps
  // its pipe layout and stays legacy.
  if (v.connections.project_connection && v.connections.project_connection->is_open())
    v.project.project_kind = project_kind_of(*v.connections.project_connection);
  rainfall_opened_ = true;
  open_noaa_rainfall_db(prog);
  unload();
}

}  // namespace gw::shell
