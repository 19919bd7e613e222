// Reading the program-wide variables by name.
#include "shell/shared_state.h"

#include <functional>
#include <map>

#include "platform/text/general.h"
#include "shell/tarnelhydro_libraries.h"

namespace gw::shell {

namespace {

std::string flag(bool b) { return b ? "True" : "False"; }
std::string num(double d) { return gw::text::general(d); }

using Getter = std::function<std::string(const SharedState&)>;

const std::map<std::string, Getter, std::less<>>& getters() {
  static const std::map<std::string, Getter, std::less<>> g = {
#define GW_TEXT(p, n)                              \
  {                                                \
#n, [](const SharedState& s) { return s.p.n; } \
  }
#define GW_FLAG(p, n)                                    \
  {                                                      \
#n, [](const SharedState& s) { return flag(s.p.n); } \
  }
#define GW_NUM(p, n)                                    \
  {                                                     \
#n, [](const SharedState& s) { return num(s.p.n); } \
  }
      GW_TEXT(project, current_project_name),
      GW_TEXT(project, current_project_id),
      GW_TEXT(project, project_state),
      GW_TEXT(project, project_county),
      GW_TEXT(project, project_noaa_station),
      GW_TEXT(project, project_location),
      GW_TEXT(project, project_designer),
      GW_TEXT(project, inlet_db_path),
      GW_TEXT(project, project_major_release),
      GW_TEXT(project, product_name),
      {"legacy_project", [](const SharedState& s) { return flag(s.project.legacy_project()); }},
      {"project_kind", [](const SharedState& s) { return std::string(kind_name(s.project.project_kind)); }},
      GW_TEXT(project, project_db_path),
      GW_FLAG(project, project_update_mode),
      GW_TEXT(connections, rainfall_db_path),
      GW_TEXT(rainfall, idf_a),
      GW_TEXT(rainfall, idf_b),
      GW_TEXT(rainfall, idf_d),
      GW_NUM(rainfall, idf_e),
      // The unit system and its constants under the names the program has always shown them by.
      {"unit_system", [](const SharedState& s) { return s.unit_system(); }},
      {"manning_k",
       [](const SharedState& s) { return gw::text::general_single(s.units().manning_k_single); }},
      {"inch_mm_factor",
       [](const SharedState& s) { return gw::text::general_single(s.units().inch_mm_factor); }},
      {"dia_divisor", [](const SharedState& s) { return num(s.units().size_divisor); }},
      {"rational_divisor", [](const SharedState& s) { return num(s.units().rational_divisor); }},
      {"to_feet_factor", [](const SharedState& s) { return num(s.units().to_feet); }},
      {"from_feet_factor", [](const SharedState& s) { return num(s.units().from_feet); }},
      {"gravity", [](const SharedState& s) { return num(s.units().gravity); }},
      GW_TEXT(discharge, structure_intensity),
      GW_TEXT(discharge, upstream_intensity1),
      GW_TEXT(discharge, upstream_intensity2),
      GW_TEXT(discharge, upstream_intensity3),
      GW_TEXT(discharge, upstream_intensity4),
      GW_TEXT(discharge, upstream_q1),
      GW_TEXT(discharge, upstream_q2),
      GW_TEXT(discharge, upstream_q3),
      GW_TEXT(discharge, upstream_q4),
      GW_TEXT(handover, pipe_form_mode),
      GW_TEXT(handover, pipe_form_id),
      GW_TEXT(handover, old_pipe_number),
      GW_TEXT(handover, new_pipe_number),
      GW_TEXT(handover, found_pipe_number),
      GW_FLAG(handover, pipe_design_done),
      GW_TEXT(handover, last_folder),
      {"area_row_count", [](const SharedState& s) { return std::to_string(s.handover.area_row_count); }},
      GW_TEXT(handover, standard_diameter),
      GW_NUM(handover, full_flow_area),
      {"number_format", [](const SharedState& s) { return s.number_format(); }},
#undef GW_TEXT
#undef GW_FLAG
#undef GW_NUM
  };
  return g;
}

}  // namespace

const char* kind_name(ProjectKind kind) {
  switch (kind) {
    case ProjectKind::older:
      return "older";
    case ProjectKind::legacy:
      return "legacy";
    case ProjectKind::current:
      break;
  }
  return "current";
}

void SharedState::set_unit_system(std::string units_text) {
  // "English" or "metric" in any letter case names that system; keep its canonical name so
  // the text and the constants always agree.
  if (std::string system = unit_system_of(units_text); !system.empty()) units_text = std::move(system);
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
