// The upgrade window: chooses the NOAA station and upgrades an older project database to
// release "2.1".
#pragma once

#include "shell/program.h"
#include "shell/window_names.h"

namespace gw::shell {

class frmProjectUpdate : public Window {
 public:
  static constexpr const char* kName = window::frmProjectUpdate;
  explicit frmProjectUpdate(Program& p) : Window(p, kName) {}

  void btnUpdate_Click();
  void cmdNOAAStationHelp_Click();
  // Adds the release columns, stamps the release values and the station into PROJECT and
  // reopens the project with the NOAA rainfall database. A failing stamp changes nothing,
  // is reported, and leaves the project on its county rainfall database.
  void update_project_database();

 protected:
  void build() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  // Whether this showing of the window has opened a rainfall database for the project.
  bool rainfall_opened_ = false;
};

}  // namespace gw::shell
