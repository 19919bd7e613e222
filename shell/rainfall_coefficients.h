// Rainfall coefficients of the open project for one storm frequency, from the rainfall
// reference database.
#pragma once

#include <string>

#include "platform/db/connection.h"
#include "shell/program.h"

namespace gw::shell {

// Which table and key the project's lookups use.
enum class RainfallSource {
  legacy_county,  // VARAINFALL by COUNTY_NAME: A, B of i = A / (Tc + B)
  station,        // STORMDATA by NOAA_STATION: B, D, E of i = B / (Tc + D)^E
  county,         // STORMDATA by COUNTY_NAME: B, D, E as for a station
};

// The coefficients of one lookup. a, b and d are the stored numbers as texts in the
// general conversion ("44.2"); e is the number itself. A legacy lookup fills a and b only.
struct RainfallCoefficients {
  std::string a;
  std::string b;
  std::string d;
  double e = 0;
};

// The source of the open project: legacy projects take the legacy county table (also
// after an upgrade, since the marker stays in their path), projects of release "2.1"
// the station table, other projects the county table of the older release.
RainfallSource rainfall_source(bool legacy_project, const std::string& major_release);

// Reads the coefficients of `key` (a county or station name, matched exactly apart from
// letter case) for the storm frequency `freq_years` from `rainfall`.
// Storm frequencies are 2, 5, 10, 25, 50 and 100 years; the legacy table has no 5-year
// storm. Throws gw::Error naming the key, the frequency and the missing value when the
// frequency is not offered, the key has no row, or a coefficient is empty or not a number;
// the engine's description for a missing table or column or a closed connection.
RainfallCoefficients lookup_rainfall_coefficients(db::Connection& rainfall, RainfallSource source,
                                                  const std::string& key, int freq_years);

// Looks up the open project's coefficients for `freq` (years) on `rainfall_connection` and
// puts them into idf_a, idf_b (legacy) or idf_b, idf_d, idf_e. On failure shows the
// description (OK, no icon), clears all four coefficient variables and returns false, so
// that nothing is computed with the values of an earlier lookup.
bool get_rainfall_coefficients(Program& prog, int freq);

// As get_rainfall_coefficients, without a word: a failure's description goes into `error`.
bool load_rainfall_coefficients(Program& prog, int freq, std::string& error);

}  // namespace gw::shell
