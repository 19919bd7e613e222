// Opening and closing the program's databases; loading the PROJECT record.
#include "shell/tarnelhydro_libraries.h"

#include <filesystem>
#include <functional>

#include "platform/db/recordset.h"
#include "platform/files/file_replacement.h"
#include "platform/text/ascii_case.h"
#include "platform/text/error.h"
#include "shell/desktop.h"
#include "shell/window_names.h"

namespace gw::shell {

namespace fs = std::filesystem;

namespace {

// A new connection on `path`, replacing the one held in `slot`.
void open_connection(std::shared_ptr<db::Connection>& slot, const std::string& path) {
  slot = std::make_shared<db::Connection>();
  slot->open(path);
}

std::shared_ptr<db::Recordset> open_list(db::Connection& conn, const std::string& sql) {
  auto rs = std::make_shared<db::Recordset>();
  rs->open(conn, sql);
  return rs;
}

void report(Program& prog, const std::exception& e) { prog.host.msgbox(e.what()); }

}  // namespace

namespace {

// Valid UTF-8 without control characters other than tab, line feed and carriage return.
bool displayable(const std::string& s) {
  for (size_t i = 0; i < s.size();) {
    auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      if (b < 0x20 && b != '\t' && b != '\n' && b != '\r') return false;
      if (b == 0x7F) return false;
      ++i;
      continue;
    }
    size_t len = (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
    if (len == 0 || b == 0xC0 || b == 0xC1 || b > 0xF4 || i + len > s.size()) return false;
    for (size_t k = 1; k < len; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += len;
  }
  return true;
}

}  // namespace

std::string project_file_problem(const std::string& path) {
  std::error_code ec;
  if (fs::is_regular_file(path, ec) && fs::file_size(path, ec) == 0 && !ec) return "the file is empty";
  try {
    db::Connection conn;
    conn.open(path);
    {
      db::Recordset check;
      check.open(conn, "PRAGMA quick_check");
      if (!check.eof() && check.field(0) != "ok") return "the file is damaged (" + check.field(0) + ")";
    }
    {
      db::Recordset code;
      code.open(conn, "SELECT type, name FROM sqlite_master WHERE type IN ('trigger', 'view') ORDER BY name");
      if (!code.eof()) return "it carries a " + code.field(0) + " of its own (" + code.field(1) + ")";
    }
    if (conn.columns_of("PROJECT").empty()) return "it has no table PROJECT";
    db::Recordset rs;
    rs.open(conn, "SELECT * FROM PROJECT");
    if (!rs.eof())
      for (int i = 0; i < rs.field_count(); ++i)
        if (!displayable(rs.field(i)))
          return "its PROJECT record holds a value that cannot be shown (" + rs.field_name(i) + ")";
  } catch (const std::exception& e) {
    return e.what();
  }
  return {};
}

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
    files::replace_with_copy(from, path);
  } catch (const gw::FileError& e) {
    if (e.cause == FileCause::other) throw;
    throw gw::Error("The project database \"" + full_path(path) +
                    "\" could not be created: " + file_cause_text(e.cause) + ".");
  }
}

void open_project_database(Program& prog) {
  SharedState& v = prog.vars;
  try {
    open_connection(v.connections.project_connection, v.project.project_db_path);
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
    if (v.project.legacy_project) {
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
    if (v.project.project_major_release == "2.1") copy("NOAA_STATION", v.project.project_noaa_station);
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
  if (failed) prog.host.msgbox("database close error");
  v.project.project_update_mode = false;
  v.project.current_project_id.clear();
  v.project.current_project_name.clear();
  prog.unload_form(window::frmProject);
  prog.unload_form(window::frmpipemain);
}

}  // namespace gw::shell
