// Database connections of the program: project, reference and inlet databases, the
// PROJECT record's values and closing a project.
#pragma once

#include <string>

#include "shell/program.h"

namespace gw::shell {

// Opens `project_connection` on `project_db_path`, then `usda_connection`.
void open_project_database(Program& prog);
// Opens `inlet_connection` on `inlet_db_path`.
void open_inlet_database(Program& prog);
// Opens the county rainfall database the project kind needs and its county list.
void open_county_rainfall_db(Program& prog);
// Opens the NOAA rainfall database with its county and station lists.
void open_noaa_rainfall_db(Program& prog);
// Copies the PROJECT record into the shared project values.
void load_project_record(Program& prog);
// Ends the work on the open project.
void close_project(Program& prog);

// The unit system a UNITS text names: "ENGLISH" or "METRIC" in any letter case gives that
// system in capitals; any other text, the empty text included, gives the empty text.
std::string unit_system_of(const std::string& units);

// Copies the template project database to `path`, replacing a file there whole: written
// beside it and renamed over it when complete. Raises gw::Error ("File not found" without a
// template; a failed write names the file and the cause).
void copy_template(Program& prog, const std::string& path);

// Names of the program folder's databases.
inline constexpr const char* kTemplateDb = "Rillbase21.rdb";
inline constexpr const char* kNoaaRainfallDb = "VARMNOAA.rdb";
inline constexpr const char* kLegacyRainfallDb = "VArainfall.rdb";
inline constexpr const char* kCountyRainfallDb = "VARMSTORM.rdb";
inline constexpr const char* kUsdaDb = "USDACOEFF.rdb";

}  // namespace gw::shell
