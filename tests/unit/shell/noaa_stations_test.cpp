// The upgrade window's station names are the keys of the station rainfall table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "shell/noaa_stations.h"

namespace {

TEST(NoaaStations, ListMatchesTheStationKeysOfTheProgramFolder) {
  const auto& names = gw::shell::noaa_station_names();
  ASSERT_EQ(names.size(), 176u);
  gw::db::Connection conn;
  conn.open(std::string(GW_PROGRAM_DIR) + "/VARMNOAA.rdb");
  gw::db::Recordset rs;
  rs.open(conn, "select NOAA_STATION from STORMDATA order by _rowid_");
  std::vector<std::string> keys;
  for (; !rs.eof(); rs.move_next()) keys.push_back(rs.field(0));
  EXPECT_EQ(keys, names);
}

TEST(NoaaStations, NamesKeepTheirBlanksAndApostrophe) {
  const auto& names = gw::shell::noaa_station_names();
  auto has = [&](const std::string& n) { return std::find(names.begin(), names.end(), n) != names.end(); };
  for (const char* n : {"Blacksburg  ", "Culpeper ", "Danville ", "Floyd ", "Lexington ", "Montebello ",
                        "Newport  2 NNW", "Stuart's Draft"})
    EXPECT_TRUE(has(n)) << "\"" << n << "\"";
  EXPECT_FALSE(has("Floyd"));
  EXPECT_EQ(names.front(), "Abingdon 3 S");
  EXPECT_EQ(names.back(), "Wytheville Post Office");
}

}  // namespace
