// The project details window shared by frmProjectNOAA and its older twin frmProject: the
// PROJECT record bound to the window's controls, added, saved and cancelled.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/binding/binding.h"
#include "platform/db/recordset.h"
#include "shell/program.h"

namespace gw::shell {

class ProjectDetailsWindow : public Window {
 public:
  // `with_station`: the window of release "2.1", with the NOAA station and the release
  // marker; without them it is the window of older projects.
  ProjectDetailsWindow(Program& p, std::string name, bool with_station);

  // The window's recordset over table PROJECT.
  std::shared_ptr<db::Recordset> hydroprojrs;
  // True once the bound record has changed since it was loaded or saved.
  bool project_changed = false;

  // Opens hydroprojrs and copies its record into the shared project values.
  void get_project_records();
  // Binds every bound control to its PROJECT column of hydroprojrs.
  void attach_project_datasource();
  // Adds a new record with the defaults.
  void addnewproject();
  // Drops the pending changes and re-reads the record.
  void cancel_project_edit();
  void hydroprojrs_WillChangeRecord(db::ChangeReason reason, bool& cancel);

  void mnuprojsave_Click();
  void mnuprojexit_Click();
  void mnubrowseInlet_Click();
  void mnuprojsubhelp_Click();
  void mnuprojabout_Click();
  void units_Change();
  void cmdNOAAStationHelp_Click();

 protected:
  void build() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  // Fills the county list (and the station list) from the rainfall database's lists.
  void fill_lists();
  // Disables a key field with the button-face background, or enables it on the window
  // background.
  void set_key_field(const char* name, bool editable);
  // A detail typed or pasted into a text field: control characters are taken out, saying so.
  void detail_Change(const char* name, const char* label);
  // Whether the new record, not yet saved, holds anything other than its defaults.
  bool new_record_edited();
  // Writes the pending record into a PROJECT table that lacks release columns: the columns
  // are added first, as the upgrade adds them, and the station and release stored with it.
  void save_with_release_columns(db::Connection& conn);

  bool with_station_;
  // While the load fills the controls from the record: a stored UNITS text is shown as it
  // is, for the engineer to see and replace, not replaced by the list's first item.
  bool loading_record_ = false;
  // The texts of the bound fields as a new record showed them when the window loaded.
  std::vector<std::pair<std::string, std::string>> new_record_defaults_;
  ui::Binding binding_;  // after hydroprojrs: it lets go of the recordset first
};

}  // namespace gw::shell
