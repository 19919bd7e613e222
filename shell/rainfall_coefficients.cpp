// Rainfall coefficient lookup by NOAA station or county and storm frequency.
#include "shell/rainfall_coefficients.h"

#include <array>
#include <string_view>
#include <vector>

#include "platform/db/recordset.h"
#include "platform/error/error.h"
#include "platform/text/general.h"
#include "platform/text/parse.h"

namespace gw::shell {

namespace {

constexpr std::array<int, 6> kFrequencies = {2, 5, 10, 25, 50, 100};
constexpr std::array<int, 5> kLegacyFrequencies = {2, 10, 25, 50, 100};

template <std::size_t N>
bool offered(const std::array<int, N>& list, int f) {
  for (int x : list)
    if (x == f) return true;
  return false;
}

// "county \"Accomack\"" or "NOAA station \"Floyd \"": the quotes show blanks at the ends.
std::string key_text(RainfallSource source, const std::string& key) {
  return std::string(source == RainfallSource::station ? "NOAA station" : "county") + " \"" + key + "\"";
}

std::string join(const std::vector<std::string>& names) {
  std::string s;
  for (const std::string& n : names) s += (s.empty() ? "" : ", ") + n;
  return s;
}

}  // namespace

RainfallSource rainfall_source(bool legacy_project, const std::string& major_release) {
  if (legacy_project) return RainfallSource::legacy_county;
  return major_release == "2.1" ? RainfallSource::station : RainfallSource::county;
}

RainfallCoefficients lookup_rainfall_coefficients(db::Connection& rainfall, RainfallSource source,
                                                  const std::string& key, int freq_years) {
  const bool legacy = source == RainfallSource::legacy_county;
  const std::string prefix = "YEAR" + std::to_string(freq_years);
  std::vector<std::string> columns;
  if (legacy)
    columns = {prefix + "A", prefix + "B"};
  else
    columns = {prefix + "B", prefix + "D", prefix + "E"};
  const std::string who = key_text(source, key);
  const std::string storm = std::to_string(freq_years) + "-year";

  if (legacy && !offered(kLegacyFrequencies, freq_years))
    throw gw::Error("The " + who + " has no " + storm + " rainfall coefficients (" + join(columns) +
                    "): legacy projects have the 2, 10, 25, 50 and 100-year storms only.");
  if (!legacy && !offered(kFrequencies, freq_years))
    throw gw::Error("The " + who + " has no " + storm + " rainfall coefficients (" + join(columns) +
                    "): the storm frequencies are 2, 5, 10, 25, 50 and 100 years.");
  if (!rainfall.is_open()) throw gw::Error("The rainfall database is not open.");

  const char* table = legacy ? "VARAINFALL" : "STORMDATA";
  const char* key_column = source == RainfallSource::station ? "NOAA_STATION" : "COUNTY_NAME";
  const std::string sql = "select " + join(columns) + " from " + table + " where " + key_column + " = ?";
  db::Recordset rs;
  rs.open(rainfall, sql, {key});
  if (rs.eof())
    throw gw::Error("The " + who + " has no " + storm + " rainfall coefficients (" + join(columns) +
                    "): it is not in table " + table + " of the rainfall database.");

  std::vector<std::string> texts;
  for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
    const db::Value v = rs.value(i);
    const std::string& column = columns[static_cast<std::size_t>(i)];
    const std::string what = "The " + storm + " rainfall coefficient " + column + " of the " + who;
    std::string text;
    if (v.kind() == db::Value::Kind::integer || v.kind() == db::Value::Kind::real) {
      text = gw::text::general(v.real());
    } else {
      text = v.text();
      if (text.find_first_not_of(" \t") == std::string::npos)
        throw gw::Error(what + " is empty in the rainfall database.");
      if (!gw::text::is_numeric(text)) throw gw::Error(what + " is not a number: \"" + text + "\".");
    }
    texts.push_back(text);
  }
  rs.close();

  RainfallCoefficients c;
  if (legacy) {
    c.a = texts[0];
    c.b = texts[1];
  } else {
    c.b = texts[0];
    c.d = texts[1];
    c.e = gw::text::to_number(texts[2]);
  }
  return c;
}

bool get_rainfall_coefficients(Program& prog, int freq) {
  std::string error;
  if (load_rainfall_coefficients(prog, freq, error)) return true;
  prog.host.msgbox(error);
  return false;
}

bool load_rainfall_coefficients(Program& prog, int freq, std::string& error) {
  SharedState& v = prog.vars;
  const RainfallSource source = rainfall_source(v.project.legacy_project(), v.project.project_major_release);
  const std::string& key =
      source == RainfallSource::station ? v.project.project_noaa_station : v.project.project_county;
  try {
    if (!v.connections.rainfall_connection) throw gw::Error("The rainfall database is not open.");
    RainfallCoefficients c =
        lookup_rainfall_coefficients(*v.connections.rainfall_connection, source, key, freq);
    if (source == RainfallSource::legacy_county) {
      v.rainfall.idf_a = c.a;
      v.rainfall.idf_b = c.b;
    } else {
      v.rainfall.idf_b = c.b;
      v.rainfall.idf_d = c.d;
      v.rainfall.idf_e = c.e;
    }
    return true;
  } catch (const std::exception& e) {
    v.rainfall.idf_a.clear();
    v.rainfall.idf_b.clear();
    v.rainfall.idf_d.clear();
    v.rainfall.idf_e = 0;
    error = e.what();
    return false;
  }
}

}  // namespace gw::shell
