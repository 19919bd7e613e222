// Rainfall coefficient lookups on the fixture reference databases (made-up values).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "platform/ui/host.h"
#include "shell/program.h"
#include "shell/rainfall_coefficients.h"
#include "tests/support/recording_host.h"

namespace {

using gw::shell::lookup_rainfall_coefficients;
using gw::shell::RainfallSource;

const std::string kRef = std::string(GW_FIXTURES_BUILD_DIR) + "/refdata/";

gw::db::Connection open_ref(const char* file) {
  gw::db::Connection c;
  c.open(kRef + file);
  return c;
}

// The description of the failure `f` raises; empty when it raises none.
template <class F>
std::string failure_of(F f) {
  try {
    f();
  } catch (const std::exception& e) {
    return e.what();
  }
  return {};
}

TEST(RainfallSource, FollowsTheProjectKind) {
  EXPECT_EQ(gw::shell::rainfall_source(true, ""), RainfallSource::legacy_county);
  EXPECT_EQ(gw::shell::rainfall_source(true, "2.1"), RainfallSource::legacy_county);  // upgraded legacy
  EXPECT_EQ(gw::shell::rainfall_source(false, "2.1"), RainfallSource::station);
  EXPECT_EQ(gw::shell::rainfall_source(false, ""), RainfallSource::county);
  EXPECT_EQ(gw::shell::rainfall_source(false, "2.0"), RainfallSource::county);
}

TEST(RainfallLookup, LegacyCountyGivesAAndB) {
  struct Case {
    const char* file;
    const char* county;
    int freq;
    const char* a;
    const char* b;
  };
  const Case cases[] = {
      {"VArainfall.rdb", "Accomack", 2, "96.5", "14.5"},
      {"VArainfall.rdb", "Accomack", 100, "152.5", "19.3"},
      {"VArainfall.rdb", "albemarle", 10, "112", "16.2"},  // keys compare without regard to case
      {"VARMNOAA.rdb", "Floyd", 2, "108.5", "14.5"},       // upgraded legacy project
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " " + c.county + " " + std::to_string(c.freq));
    gw::db::Connection conn = open_ref(c.file);
    auto r = lookup_rainfall_coefficients(conn, RainfallSource::legacy_county, c.county, c.freq);
    EXPECT_EQ(r.a, c.a);
    EXPECT_EQ(r.b, c.b);
    EXPECT_EQ(r.d, "");
  }
}

TEST(RainfallLookup, StationAndCountyGiveBDAndE) {
  struct Case {
    const char* file;
    RainfallSource source;
    const char* key;
    int freq;
    const char* b;
    const char* d;
    double e;
  };
  const Case cases[] = {
      {"VARMNOAA.rdb", RainfallSource::station, "Stuart's Draft", 10, "67.9", "9.2", 0.776},
      {"VARMNOAA.rdb", RainfallSource::station, "Floyd ", 10, "67.9", "10.4", 0.776},
      {"VARMNOAA.rdb", RainfallSource::station, "Blacksburg  ", 2, "46.4", "8", 0.744},
      {"VARMNOAA.rdb", RainfallSource::station, "Newport  2 NNW", 10, "67.2", "9.2", 0.784},
      {"VARMSTORM.rdb", RainfallSource::county, "Accomack", 5, "56.8", "9.8", 0.768},
      {"VARMSTORM.rdb", RainfallSource::county, "Floyd", 25, "77.6", "11", 0.8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " \"" + c.key + "\" " + std::to_string(c.freq));
    gw::db::Connection conn = open_ref(c.file);
    auto r = lookup_rainfall_coefficients(conn, c.source, c.key, c.freq);
    EXPECT_EQ(r.a, "");
    EXPECT_EQ(r.b, c.b);
    EXPECT_EQ(r.d, c.d);
    EXPECT_DOUBLE_EQ(r.e, c.e);
  }
}

TEST(RainfallLookup, FailuresNameTheKeyTheFrequencyAndTheMissingValue) {
  struct Case {
    const char* file;
    RainfallSource source;
    const char* key;
    int freq;
    std::vector<std::string> parts;  // the description holds each
  };
  const Case cases[] = {
      // legacy projects have no 5-year storm
      {"VArainfall.rdb",
       RainfallSource::legacy_county,
       "Accomack",
       5,
       {"county \"Accomack\"", "5-year", "YEAR5A, YEAR5B"}},
      // an empty coefficient
      {"VArainfall.rdb",
       RainfallSource::legacy_county,
       "Amelia",
       10,
       {"county \"Amelia\"", "10-year", "YEAR10A", "empty"}},
      {"VArainfall.rdb",
       RainfallSource::legacy_county,
       "Bath",
       2,
       {"county \"Bath\"", "2-year", "YEAR2A", "empty"}},
      {"VARMNOAA.rdb",
       RainfallSource::station,
       "Altavista",
       10,
       {"NOAA station \"Altavista\"", "10-year", "YEAR10E", "empty"}},
      {"VARMNOAA.rdb",
       RainfallSource::station,
       "Amelia 4 SW",
       2,
       {"NOAA station \"Amelia 4 SW\"", "2-year", "YEAR2B", "empty"}},
      {"VARMSTORM.rdb", RainfallSource::county, "Bath", 5, {"county \"Bath\"", "5-year", "YEAR5D", "empty"}},
      // a key with no row: blanks count
      {"VARMNOAA.rdb",
       RainfallSource::station,
       "Floyd",
       10,
       {"NOAA station \"Floyd\"", "10-year", "YEAR10B, YEAR10D, YEAR10E", "not in table STORMDATA"}},
      {"VARMNOAA.rdb",
       RainfallSource::station,
       "Stuarts Draft",
       2,
       {"NOAA station \"Stuarts Draft\"", "2-year"}},
      {"VARMSTORM.rdb",
       RainfallSource::county,
       "Nowhere",
       2,
       {"county \"Nowhere\"", "not in table STORMDATA"}},
      // a frequency that is not a storm of the tables
      {"VARMNOAA.rdb", RainfallSource::station, "Floyd ", 7, {"NOAA station \"Floyd \"", "7-year", "YEAR7B"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " \"" + c.key + "\" " + std::to_string(c.freq));
    gw::db::Connection conn = open_ref(c.file);
    std::string what = failure_of([&] { lookup_rainfall_coefficients(conn, c.source, c.key, c.freq); });
    ASSERT_FALSE(what.empty());
    for (const std::string& part : c.parts) EXPECT_NE(what.find(part), std::string::npos) << what;
  }
}

TEST(RainfallLookup, AClosedConnectionFails) {
  gw::db::Connection closed;
  EXPECT_EQ(failure_of([&] { lookup_rainfall_coefficients(closed, RainfallSource::station, "Floyd ", 2); }),
            "The rainfall database is not open.");
}

using NullHost = gw::testing::RecordingHost;

TEST(GetRainfallCoefficients, SetsTheSharedValuesAndClearsThemOnFailure) {
  NullHost host;
  gw::shell::Program prog(host, kRef);
  auto& v = prog.vars;
  v.connections.rainfall_connection = std::make_shared<gw::db::Connection>();
  v.connections.rainfall_connection->open(kRef + "VARMNOAA.rdb");
  v.project.project_major_release = "2.1";
  v.project.project_county = "Augusta";
  v.project.project_noaa_station = "Stuart's Draft";

  // The station key is used although the county is known.
  EXPECT_TRUE(gw::shell::get_rainfall_coefficients(prog, 10));
  EXPECT_EQ(v.rainfall.idf_b, "67.9");
  EXPECT_EQ(v.rainfall.idf_d, "9.2");
  EXPECT_DOUBLE_EQ(v.rainfall.idf_e, 0.776);
  EXPECT_TRUE(host.messages.empty());

  // A failing lookup leaves nothing of the earlier one behind.
  v.project.project_noaa_station = "Altavista";
  EXPECT_FALSE(gw::shell::get_rainfall_coefficients(prog, 10));
  EXPECT_EQ(v.rainfall.idf_b, "");
  EXPECT_EQ(v.rainfall.idf_d, "");
  EXPECT_EQ(v.rainfall.idf_e, 0);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].text.find("YEAR10E"), std::string::npos);
  EXPECT_EQ(host.messages[0].icon, gw::ui::Icon::None);

  // A legacy project (also when upgraded) takes A and B by county over the same connection.
  v.project.project_kind = gw::shell::ProjectKind::legacy;
  v.project.project_county = "Accomack";
  EXPECT_TRUE(gw::shell::get_rainfall_coefficients(prog, 2));
  EXPECT_EQ(v.rainfall.idf_a, "96.5");
  EXPECT_EQ(v.rainfall.idf_b, "14.5");
  EXPECT_FALSE(gw::shell::get_rainfall_coefficients(prog, 5));
  EXPECT_EQ(v.rainfall.idf_a, "");
  EXPECT_EQ(v.rainfall.idf_b, "");

  // No rainfall database open at all.
  v.connections.rainfall_connection.reset();
  host.messages.clear();
  EXPECT_FALSE(gw::shell::get_rainfall_coefficients(prog, 2));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "The rainfall database is not open.");
}

}  // namespace
