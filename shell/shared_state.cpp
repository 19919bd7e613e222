// Reading the program-wide variables by name.
#include "shell/shared_state.h"

#include <functional>
#include <map>

#include "platform/text/general.h"

namespace gw::shell {

namespace {

std::string flag(bool b) { return b ? "True" : "False"; }
std::string num(double d) { return gw::text::general(d); }

using Getter = std::function<std::string(const SharedState&)>;

const std::map<std::string, Getter, std::less<>>& getters() {
  static const std::map<std::string, Getter, std::less<>> g = {
#define GW_TEXT(n) {#n, [](const SharedState& s) { return s.n; }}
#define GW_FLAG(n) {#n, [](const SharedState& s) { return flag(s.n); }}
#define GW_NUM(n) {#n, [](const SharedState& s) { return num(s.n); }}
      GW_TEXT(current_project_name), GW_TEXT(current_project_id), GW_TEXT(project_state),
      GW_TEXT(project_county), GW_TEXT(project_noaa_station), GW_TEXT(project_location),
      GW_TEXT(project_designer), GW_TEXT(inlet_db_path), GW_TEXT(project_major_release),
      GW_TEXT(product_name), {"unit_system", [](const SharedState& s) { return s.unit_system(); }},
      GW_FLAG(legacy_project),
      GW_TEXT(project_db_path), GW_FLAG(project_update_mode), GW_TEXT(rainfall_db_path),
      GW_TEXT(idf_a), GW_TEXT(idf_b), GW_TEXT(idf_d), GW_NUM(idf_e),
      // The unit constants under the names the program has always shown them by.
      {"manning_k", [](const SharedState& s) { return gw::text::general_single(s.units().manning_k_single); }},
      {"inch_mm_factor", [](const SharedState& s) { return gw::text::general_single(s.units().inch_mm_factor); }},
      {"dia_divisor", [](const SharedState& s) { return num(s.units().size_divisor); }},
      {"rational_divisor", [](const SharedState& s) { return num(s.units().rational_divisor); }},
      {"to_feet_factor", [](const SharedState& s) { return num(s.units().to_feet); }},
      {"from_feet_factor", [](const SharedState& s) { return num(s.units().from_feet); }},
      {"gravity", [](const SharedState& s) { return num(s.units().gravity); }},
      GW_TEXT(pipe_form_mode), GW_TEXT(pipe_form_id),
      GW_TEXT(old_pipe_number), GW_TEXT(new_pipe_number), GW_TEXT(found_pipe_number),
      GW_FLAG(pipe_design_done), GW_TEXT(last_folder),
      {"area_row_count", [](const SharedState& s) { return std::to_string(s.area_row_count); }},
      GW_TEXT(standard_diameter), GW_NUM(full_flow_area), GW_TEXT(computed_intensity),
      GW_TEXT(structure_intensity), GW_TEXT(upstream_intensity1), GW_TEXT(upstream_intensity2),
      GW_TEXT(upstream_intensity3), GW_TEXT(upstream_intensity4), GW_TEXT(upstream_q1),
      GW_TEXT(upstream_q2), GW_TEXT(upstream_q3), GW_TEXT(upstream_q4), GW_NUM(pipe_cf_value),
      GW_TEXT(number_format),
#undef GW_TEXT
#undef GW_FLAG
#undef GW_NUM
  };
  return g;
}

}  // namespace

void SharedState::set_unit_system(std::string units_text) {
  units_ = units_of(units_text);
  unit_system_ = std::move(units_text);
}

std::optional<std::string> SharedState::lookup(std::string_view name) const {
  auto& g = getters();
  auto it = g.find(name);
  if (it == g.end()) return std::nullopt;
  return it->second(*this);
}

}  // namespace gw::shell
