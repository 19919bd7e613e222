// Opening and closing the program's databases; loading the PROJECT record.
#include "shell/tarnelhydro_libraries.h"

#include <filesystem>
#include <functional>
#include <optional>

#include "platform/db/companions.h"
#include "platform/db/recordset.h"
#include "platform/db/write_lock.h"
#include "platform/error/error.h"
#include "platform/files/file_replacement.h"
#include "platform/text/ascii_case.h"
#include "shell/desktop.h"
#include "shell/window_names.h"

namespace gw::shell {

namespace fs = std::filesystem;

namespace {

// A new connection on `path`, replacing the one held in `slot`. The reference databases and
// the inlet database are only read: they are opened for reading only, so that opening them
// never changes them (not even by rolling back a journal another program left).
void open_connection(std::shared_ptr<db::Connection>& slot, const std::string& path,
                     db::Connection::Access access = db::Connection::Access::read_only) {
  slot = std::make_shared<db::Connection>();
  slot->open(path, access);
}

std::shared_ptr<db::Recordset> open_list(db::Connection& conn, const std::string& sql) {
  auto rs = std::make_shared<db::Recordset>();
  rs->open(conn, sql);
  return rs;
}

void report(Program& prog, const std::exception& e) { prog.host.msgbox(e.what()); }

}  // namespace

std::string unit_system_of(const std::string& units) {
  for (std::string_view system : {kEnglishName, kMetricName})
    if (text::iequals(units, system)) return std::string(system);
  return {};
}

void copy_template(Program& prog, const std::string& path) {
  std::string from = prog.program_file(kTemplateDb);
  if (!fs::exists(from)) throw gw::Error("File not found");
  // The copy is written beside the chosen file and replaces it only once complete: a failure
  // or a crash on the way leaves a file that was there as it was.
  try {
    // A file being replaced is locked as a writing connection locks it: a project that another
    // connection is saving into (another instance of the program) is refused, and none begins
    // a save into it meanwhile.
    std::optional<db::WriteLock> held;
    std::error_code ec;
    if (fs::is_regular_file(path, ec)) held.emplace(path);
    // The replaced file's journal and write-ahead log go with it, before the rename: left
    // beside the new file, the engine would play them into it when it is opened.
    files::replace_with_copy(from, path, [&path] {
      try {
        db::remove_companions(path);
      } catch (const gw::Error& e) {
        throw gw::Error("The project database \"" + full_path(path) + "\" could not be created: " +
                        e.what() + ".");
      }
    });
  } catch (const gw::FileError& e) {
    if (e.cause == FileCause::other) throw;
    throw gw::Error("The project database \"" + full_path(path) +
                    "\" could not be created: " + file_cause_text(e.cause) + ".");
  }
}

void open_project_database(Program& prog) {
  SharedState& v = prog.vars;
  try {
    open_connection(v.connections.project_connection, v.project.project_db_path,
                    db::Connection::Access::read_write);
    open_connection(v.connections.usda_connection, prog.program_file(kUsdaDb));
  } catch (const std::exception& e) {
    report(prog, e);
  }
}

void open_inlet_database(Program& prog) {
  SharedState& v = prog.vars;
  try {
    open_connection(v.connections.inlet_connection, v.project.inlet_db_path);
  } catch (const std::exception& e) {
    report(prog, e);
  }
}

void open_county_rainfall_db(Program& prog) {
  SharedState& v = prog.vars;
  try {
    std::string query;
    if (v.project.legacy_project()) {
      v.connections.rainfall_db_path = prog.program_file(kLegacyRainfallDb);
      query = "select COUNTY_NO, COUNTY_NAME from VARAINFALL Order by COUNTY_NAME";
    } else {
      v.connections.rainfall_db_path = prog.program_file(kCountyRainfallDb);
      query = "select COUNTY_NAME from STORMDATA Order by COUNTY_NAME";
    }
    v.connections.county_list_rs.reset();
    open_connection(v.connections.rainfall_connection, v.connections.rainfall_db_path);
    v.connections.county_list_rs = open_list(*v.connections.rainfall_connection, query);
    v.connections.county_list_rs->move_first();
  } catch (const std::exception& e) {
    report(prog, e);
  }
}

void open_noaa_rainfall_db(Program& prog) {
  SharedState& v = prog.vars;
  try {
    v.connections.rainfall_db_path = prog.program_file(kNoaaRainfallDb);
    v.connections.county_list_rs.reset();
    v.connections.station_list_rs.reset();
    open_connection(v.connections.rainfall_connection, v.connections.rainfall_db_path);
    v.connections.county_list_rs = open_list(*v.connections.rainfall_connection,
                                             "select COUNTY_NAME from VACOUNTY Order by COUNTY_NAME");
    v.connections.station_list_rs = open_list(*v.connections.rainfall_connection,
                                              "select NOAA_STATION from STORMDATA Order by NOAA_STATION");
    v.connections.county_list_rs->move_first();
    v.connections.station_list_rs->move_first();
  } catch (const std::exception& e) {
    report(prog, e);
  }
}

void load_project_record(Program& prog) {
  SharedState& v = prog.vars;
  try {
    if (!v.connections.project_connection || !v.connections.project_connection->is_open()) return;
    v.connections.project_rs = std::make_shared<db::Recordset>();
    v.connections.project_rs->open(*v.connections.project_connection, "SELECT * from PROJECT");
  } catch (const std::exception&) {
    return;
  }
  db::Recordset& rs = *v.connections.project_rs;
  if (!rs.bof() && !rs.eof()) {
    // Each copy stands by itself: a column the file lacks reads as empty text.
    auto copy = [&rs](const char* column, std::string& into) {
      into = rs.has_field(column) ? rs.field(column) : std::string();
    };
    copy("MAJOR_RELEASE", v.project.project_major_release);
    // The station of a project of release "2.1"; any other project has none, whatever an
    // earlier project left.
    if (v.project.project_major_release == "2.1")
      copy("NOAA_STATION", v.project.project_noaa_station);
    else
      v.project.project_noaa_station.clear();
    copy("PROJECT_ID", v.project.current_project_id);
    copy("PROJECT_NAME", v.project.current_project_name);
    copy("COUNTY", v.project.project_county);
    copy("STATE", v.project.project_state);
    // "English" or "metric" name their system; any other text stays as read, for the
    // open to show and the engineer to replace.
    std::string units;
    copy("UNITS", units);
    if (std::string system = unit_system_of(units); !system.empty()) units = system;
    v.set_unit_system(units);
    copy("LOCATION", v.project.project_location);
    copy("DESIGNER", v.project.project_designer);
    copy("INLET_DATABASE", v.project.inlet_db_path);
    copy("PRODUCT_NAME", v.project.product_name);
  }
  rs.close();
}

void close_project(Program& prog) {
  SharedState& v = prog.vars;
  // Only open connections are closed; the project is always left closed, even when a
  // close fails, so the shared values never name a project the menus call closed.
  bool failed = false;
  for (auto* conn : {&v.connections.project_connection, &v.connections.rainfall_connection}) {
    try {
      if (*conn && (*conn)->is_open()) (*conn)->close();
    } catch (const std::exception&) {
      failed = true;
    }
  }
  // The project's coefficient and inlet databases go with it.
  for (auto* conn : {&v.connections.usda_connection, &v.connections.inlet_connection}) {
    try {
      if (*conn && (*conn)->is_open()) (*conn)->close();
    } catch (const std::exception&) {}
  }
  if (failed) prog.host.msgbox("database close error");
  // Nothing of the closed project reaches the next one: every value it set is emptied, its
  // lists and coefficients, the work values of its pipes and what its windows handed over.
  v.project = ProjectValues{};
  v.set_unit_system("");
  v.connections = Connections{};
  v.rainfall = RainfallValues{};
  v.discharge = DischargeWork{};
  HandOver& h = v.handover;
  h.pipe_form_mode.clear();
  h.pipe_form_id.clear();
  h.old_pipe_number.clear();
  h.new_pipe_number.clear();
  h.found_pipe_number.clear();
  h.area_row_count = 0;
  h.standard_diameter.clear();
  h.full_flow_area = 0;
  prog.unload_form(window::frmProject);
  prog.unload_form(window::frmpipemain);
}

}  // namespace gw::shell
