// The program-wide variables through which the windows share the open project, in named parts.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/units/units.h"

namespace gw::shell {

// Variables typed "value" in the design hold text here (an empty value is empty
// text); numbers that the program computes with are doubles; flags are bools.

// What a project file is, read from its tables' columns when it is opened or created (never
// from its name).
enum class ProjectKind {
  current,  // PROJECT has NOAA_STATION: the NOAA-station release
  older,    // the release before NOAA stations: PROJECT without NOAA_STATION
  legacy,   // PIPE of the legacy layout: three upstream pipes, integer STRUCTURE_INPUT /
            // STRUCTURE_COMPUTE, no DISCHARGEVAL; it stays legacy when upgraded
};

// The kind's name as the scenario checks read it: "current", "older" or "legacy".
const char* kind_name(ProjectKind kind);

// The open project's own values, as its PROJECT record and the project details give them.
struct ProjectValues {
  std::string current_project_name;
  std::string current_project_id;
  std::string project_state;
  std::string project_county;
  std::string project_noaa_station;
  std::string project_location;
  std::string project_designer;
  std::string inlet_db_path;
  std::string project_major_release;
  std::string product_name;
  ProjectKind project_kind = ProjectKind::current;
  // A legacy project: at most three upstream pipes, no 5-year storm, county rainfall from the
  // legacy database, no energy dissipation.
  bool legacy_project() const { return project_kind == ProjectKind::legacy; }
  std::string project_db_path;
  // The project details window edits the open project (rather than adding one).
  bool project_update_mode = false;
};

// The open databases and the lists read from them.
struct Connections {
  std::shared_ptr<db::Connection> project_connection;
  std::shared_ptr<db::Connection> usda_connection;
  std::shared_ptr<db::Connection> inlet_connection;
  std::shared_ptr<db::Connection> rainfall_connection;
  std::string rainfall_db_path;
  std::shared_ptr<db::Recordset> county_list_rs;
  std::shared_ptr<db::Recordset> station_list_rs;
  std::shared_ptr<db::Recordset> project_rs;
};

// The rainfall coefficients of the storm last looked up (as read; idf_e converted to a number).
struct RainfallValues {
  std::string idf_a;
  std::string idf_b;
  std::string idf_d;
  double idf_e = 0;
};

// The intensities and upstream discharges of the pipe design window's last discharge
// computation, copied here as it computes them (emptied when it starts on a pipe) so that the
// transcripts read them by name (`expect var upstream_q1`). The window computes from its own
// fields; no window reads these back.
struct DischargeWork {
  std::string structure_intensity;
  std::string upstream_intensity1, upstream_intensity2, upstream_intensity3, upstream_intensity4;
  std::string upstream_q1, upstream_q2, upstream_q3, upstream_q4;
};

// Values the windows have always shown under these names. Most are copies for the transcripts
// of what a window hands another through its face (the pipe table opens the pipe design window
// with `open_on(mode, id)`, the renumber dialog returns the accepted number, the outfall window
// gives its values in `OutfallValues`): no window reads them back. Two are program state that
// windows read: `pipe_design_done` and `last_folder`.
struct HandOver {
  std::string pipe_form_mode;     // copy: the mode the pipe design window was opened in
  std::string pipe_form_id;       // copy: the pipe it was opened on
  std::string old_pipe_number;    // copy: the pipe the renumber dialog was asked about
  std::string new_pipe_number;    // copy: the number it accepted, empty when cancelled
  std::string found_pipe_number;  // copy: the pipe the pipe design window's find reached
  // Read by the main window's Design command, which shows the pipe table again until the
  // table's Exit sets it.
  bool pipe_design_done = false;
  // Read by the file dialogs of the main window, the project details and the reports as the
  // folder to start in: that of the last project or report chosen in one, empty for the
  // program folder.
  std::string last_folder;
  // Copy: the rows of the drainage-area calculator of this project's kind, set as the pipe
  // table and the pipe design window load (24 for a legacy project's, 15 for a current one's);
  // each calculator has its own rows and reads nothing here.
  int area_row_count = 0;
  std::string standard_diameter;  // copy: the outfall window's outlet size as a standard diameter
  double full_flow_area = 0;      // copy: the outfall window's full-flow area
};

struct SharedState {
  ProjectValues project;
  Connections connections;
  RainfallValues rainfall;
  DischargeWork discharge;
  HandOver handover;

  // The project's unit system: the UNITS text as read or chosen (shown as it is) and the
  // constants of the system it names, set together.
  const std::string& unit_system() const { return unit_system_; }
  const Units& units() const { return units_; }
  void set_unit_system(std::string units_text);

  // The display pattern of computed values (the variable `number_format`): the fixed-decimal
  // pattern in which the pipe design windows, their calculators, form LD229 and the outfall
  // window write the values they compute. There is one for the whole program and the last
  // setting holds:
  // - the pipe table window sets "0.000" when it loads, whatever the unit system;
  // - the pipe design window and the drainage-area and Tc calculators set the project's
  //   (Units::number_format: "0.000" English, "0.0000" metric) when they load;
  // - each SOLVE leaves "#0.000" or "#0.0000" (Units::solve_number_format).
  // A reader formats with it at the time it writes; nothing stores it.
  const std::string& number_format() const { return number_format_; }
  void set_number_format(std::string_view pattern) { number_format_ = pattern; }

  // A variable's value as the scenario checks read it, by the variable's own name: a flag
  // reads "True" or "False", a number in the general conversion. nullopt for an unknown name.
  std::optional<std::string> lookup(std::string_view name) const;

 private:
  std::string unit_system_;
  Units units_;
  std::string number_format_;
};

}  // namespace gw::shell
