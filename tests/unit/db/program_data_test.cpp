// Tests of the built database files: the program folder's template and reference databases,
// and the test fixtures made from the same sources.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "scratch.h"

namespace gw::db {
namespace {

const std::string program = GW_PROGRAM_DIR;
const std::string fixtures = GW_FIXTURES_BUILD_DIR;

std::vector<std::string> column(Connection& c, const std::string& sql) {
  Recordset rs;
  rs.open(c, sql);
  std::vector<std::string> values;
  for (; !rs.eof(); rs.move_next()) values.push_back(rs.field(0));
  return values;
}

long count(Connection& c, const std::string& sql) {
  Recordset rs;
  rs.open(c, sql);
  return std::stol(rs.field(0));
}

// The number of non-NULL values in every column of a table but its key columns.
long filled_values(Connection& c, const std::string& table, const std::set<std::string>& keys) {
  long filled = 0;
  for (const std::string& col : c.columns_of(table))
    if (!keys.count(col)) filled += count(c, "SELECT count(" + col + ") FROM " + table);
  return filled;
}

Connection open(const std::string& path) {
  Connection c;
  c.open(path);
  return c;
}

const std::vector<std::string> project_columns = {
    "PROJECT_ID",   "PROJECT_NAME",  "DESCRIPTION",   "LOCATION",       "COUNTY",
    "STATE",        "UNITS",         "DESIGNER",      "INLET_DATABASE", "NOAA_STATION",
    "PRODUCT_NAME", "MAJOR_RELEASE", "MINOR_RELEASE", "RELEASE_DATE"};

TEST(ProgramData, TemplateHoldsTheEmptyProjectTables) {
  Connection c = open(program + "/Rillbase21.rdb");
  EXPECT_EQ(c.columns_of("PROJECT"), project_columns);
  const std::vector<std::string> pipe = c.columns_of("PIPE");
  ASSERT_EQ(pipe.size(), 73u);
  EXPECT_EQ(pipe.front(), "PIPE_NUMBER");
  EXPECT_EQ(pipe[48], "DISCHARGEVAL");
  EXPECT_EQ(pipe.back(), "PIPE_STORM_FREQ");
  for (const char* name : {"PRENODE4", "PTCOPTIONSTR", "FROUDE_NO", "PIPE_CF", "PAREABUFSTR"})
    EXPECT_TRUE(c.has_column("PIPE", name)) << name;
  EXPECT_EQ(c.columns_of("ENERGY").size(), 16u);
  for (const char* table : {"PROJECT", "PIPE", "ENERGY"})
    EXPECT_EQ(count(c, std::string("SELECT count(*) FROM ") + table), 0) << table;
}

TEST(ProgramData, PipeNumbersAreUniqueWithoutRegardToCase) {
  testing::Scratch s;
  Connection c = open(s.copy(program + "/Rillbase21.rdb", "p.gwp"));
  c.execute("INSERT INTO PIPE (PIPE_NUMBER) VALUES (?)", {"A1"});
  EXPECT_THROW(c.execute("INSERT INTO PIPE (PIPE_NUMBER) VALUES (?)", {"a1"}), std::exception);
  EXPECT_EQ(count(c, "SELECT count(*) FROM PIPE WHERE PIPE_NUMBER = 'a1'"), 1);
}

TEST(ProgramData, NoaaStationsAreExactlyTheStationList) {
  Connection c = open(program + "/VARMNOAA.rdb");
  const std::vector<std::string> stations =
      column(c, "select NOAA_STATION from STORMDATA Order by NOAA_STATION");
  ASSERT_EQ(stations.size(), 176u);
  EXPECT_EQ(stations.front(), "Abingdon 3 S");
  EXPECT_EQ(stations.back(), "Wytheville Post Office");
  const std::set<std::string> all(stations.begin(), stations.end());
  // Blanks and the apostrophe are part of the names.
  for (const char* name : {"Blacksburg  ", "Culpeper ", "Danville ", "Floyd ", "Lexington ", "Montebello ",
                           "Newport  2 NNW", "Stuart's Draft", "MC Gaheysville 3 S", "Columbia 2SSE"})
    EXPECT_TRUE(all.count(name)) << '[' << name << ']';
  for (const char* name : {"Blacksburg", "Floyd", "Newport 2 NNW", "Stuarts Draft"})
    EXPECT_FALSE(all.count(name)) << '[' << name << ']';
  EXPECT_EQ(count(c, "SELECT count(*) FROM STORMDATA WHERE NOAA_STATION = 'Stuart''s Draft'"), 1);
}

TEST(ProgramData, CountyListsHoldTheCountiesOfVirginia) {
  struct Case {
    const char* file;
    const char* query;
  };
  const Case cases[] = {
      {"/VARMNOAA.rdb", "select COUNTY_NAME from VACOUNTY Order by COUNTY_NAME"},
      {"/VARMNOAA.rdb", "select COUNTY_NAME from VARAINFALL Order by COUNTY_NAME"},
      {"/VArainfall.rdb", "select COUNTY_NAME from VARAINFALL Order by COUNTY_NAME"},
      {"/VARMSTORM.rdb", "select COUNTY_NAME from STORMDATA Order by COUNTY_NAME"},
  };
  for (const Case& k : cases) {
    Connection c = open(program + k.file);
    const std::vector<std::string> counties = column(c, k.query);
    ASSERT_EQ(counties.size(), 95u) << k.file << ' ' << k.query;
    EXPECT_EQ(counties.front(), "Accomack");
    EXPECT_EQ(counties.back(), "York");
    const std::set<std::string> all(counties.begin(), counties.end());
    for (const char* name : {"Floyd", "Isle of Wight", "King and Queen", "Prince William", "Rockingham"})
      EXPECT_TRUE(all.count(name)) << name;
  }
  Connection c = open(program + "/VArainfall.rdb");
  EXPECT_EQ(column(c, "select COUNTY_NO, COUNTY_NAME from VARAINFALL Order by COUNTY_NAME")[0], "1");
  EXPECT_EQ(column(c, "select COUNTY_NO from VARAINFALL where COUNTY_NAME = 'York'")[0], "95");
}

TEST(ProgramData, ReferenceCoefficientsShipEmpty) {
  struct Case {
    const char* file;
    const char* table;
    std::set<std::string> keys;
    long rows;
    long columns;
  };
  const Case cases[] = {
      {"/VARMNOAA.rdb", "STORMDATA", {"NOAA_STATION"}, 176, 19},
      {"/VARMNOAA.rdb", "VARAINFALL", {"COUNTY_NO", "COUNTY_NAME"}, 95, 12},
      {"/VArainfall.rdb", "VARAINFALL", {"COUNTY_NO", "COUNTY_NAME"}, 95, 12},
      {"/VARMSTORM.rdb", "STORMDATA", {"COUNTY_NAME"}, 95, 19},
      {"/USDACOEFF.rdb", "USDACOEFF", {"DIA"}, 18, 11},
  };
  for (const Case& k : cases) {
    Connection c = open(program + k.file);
    EXPECT_EQ(count(c, std::string("SELECT count(*) FROM ") + k.table), k.rows) << k.file;
    EXPECT_EQ(static_cast<long>(c.columns_of(k.table).size()), k.columns) << k.file;
    EXPECT_EQ(filled_values(c, k.table, k.keys), 0) << k.file << ' ' << k.table;
  }
  Connection c = open(program + "/USDACOEFF.rdb");
  EXPECT_EQ(column(c, "SELECT DIA FROM USDACOEFF"),
            (std::vector<std::string>{"12", "15", "18", "21", "24", "27", "30", "36", "42", "48", "54", "60",
                                      "66", "72", "78", "84", "90", "96"}));
  EXPECT_TRUE(c.has_column("USDACOEFF", "E2"));
}

TEST(Fixtures, ProjectsOfEachKind) {
  struct Case {
    const char* file;
    const char* release;  // MAJOR_RELEASE as read; nullptr: no such column
    bool has_station;
    long projects;
    long pipes;
    const char* units;
  };
  const Case cases[] = {
      {"/release2_1.gwp", "2.1", true, 1, 3, "ENGLISH"}, {"/metric2_1.gwp", "2.1", true, 1, 2, "METRIC"},
      {"/older.gwp", "", false, 1, 2, "ENGLISH"},        {"/legacy_GWL.gwp", nullptr, false, 1, 2, "ENGLISH"},
      {"/empty.gwp", nullptr, true, 0, 0, nullptr},
  };
  for (const Case& k : cases) {
    Connection c = open(fixtures + k.file);
    EXPECT_EQ(c.has_column("PROJECT", "NOAA_STATION"), k.has_station) << k.file;
    EXPECT_EQ(count(c, "SELECT count(*) FROM PROJECT"), k.projects) << k.file;
    EXPECT_EQ(count(c, "SELECT count(*) FROM PIPE"), k.pipes) << k.file;
    Recordset rs;
    rs.open(c, "SELECT * from PROJECT");
    if (k.projects == 0) continue;
    EXPECT_EQ(rs.field("UNITS"), k.units) << k.file;
    if (k.release != nullptr)
      EXPECT_EQ(rs.field("MAJOR_RELEASE"), k.release) << k.file;
    else
      EXPECT_FALSE(rs.has_field("MAJOR_RELEASE")) << k.file;
  }
  Connection legacy = open(fixtures + "/legacy_GWL.gwp");
  EXPECT_EQ(legacy.columns_of("PROJECT").size(), 9u);
  EXPECT_EQ(legacy.columns_of("PIPE").size(), 70u);
  EXPECT_FALSE(legacy.has_column("PIPE", "DISCHARGEVAL"));
  EXPECT_FALSE(legacy.has_column("PIPE", "PRENODE4"));
  EXPECT_EQ(column(legacy, "SELECT STRUCTURE_INPUT FROM PIPE ORDER BY PIPE_NUMBER"),
            (std::vector<std::string>{"1", "0"}));
}

TEST(Fixtures, ProjectStationsAreKeysOfTheStationTable) {
  Connection ref = open(fixtures + "/refdata/VARMNOAA.rdb");
  for (const char* file : {"/release2_1.gwp", "/metric2_1.gwp"}) {
    Connection c = open(fixtures + file);
    const std::string station = column(c, "SELECT NOAA_STATION FROM PROJECT")[0];
    Recordset rs;
    rs.open(ref, "select YEAR10B, YEAR10D, YEAR10E from STORMDATA where NOAA_STATION = ?", {station});
    EXPECT_EQ(rs.record_count(), 1) << file;
    EXPECT_FALSE(rs.is_null("YEAR10E")) << file;
  }
}

TEST(Fixtures, MadeUpReferenceDataHasItsKeysAndChosenGaps) {
  Connection noaa = open(fixtures + "/refdata/VARMNOAA.rdb");
  Connection program_noaa = open(program + "/VARMNOAA.rdb");
  EXPECT_EQ(column(noaa, "SELECT NOAA_STATION FROM STORMDATA ORDER BY NOAA_STATION"),
            column(program_noaa, "SELECT NOAA_STATION FROM STORMDATA ORDER BY NOAA_STATION"));
  struct Gap {
    const char* file;
    const char* query;  // counts the rows with a NULL coefficient
    long rows;
  };
  const Gap gaps[] = {
      {"/refdata/VARMNOAA.rdb", "SELECT count(*) FROM STORMDATA WHERE YEAR2B IS NULL OR YEAR10E IS NULL", 2},
      {"/refdata/VARMNOAA.rdb", "SELECT count(*) FROM VARAINFALL WHERE YEAR2A IS NULL OR YEAR10A IS NULL", 2},
      {"/refdata/VArainfall.rdb", "SELECT count(*) FROM VARAINFALL WHERE YEAR2A IS NULL OR YEAR10A IS NULL",
       2},
      {"/refdata/VARMSTORM.rdb", "SELECT count(*) FROM STORMDATA WHERE YEAR2B IS NULL OR YEAR5D IS NULL", 2},
      {"/refdata/USDACOEFF.rdb", "SELECT count(*) FROM USDACOEFF WHERE A2 IS NULL", 1},
  };
  for (const Gap& g : gaps) {
    Connection c = open(fixtures + g.file);
    EXPECT_EQ(count(c, g.query), g.rows) << g.file;
  }
  Recordset rs;
  rs.open(noaa, "select YEAR10B, YEAR10D, YEAR10E from STORMDATA where NOAA_STATION = ?", {"Altavista"});
  EXPECT_EQ(rs.field(0), "65.8");
  EXPECT_EQ(rs.field(2), "");
}

}  // namespace
}  // namespace gw::db
