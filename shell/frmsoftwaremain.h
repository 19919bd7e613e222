// The main window: File, Design and Help menus, status bar and the program's file dialog.
#pragma once

#include <optional>
#include <string>

#include "shell/program.h"
#include "shell/window_names.h"

namespace gw::shell {

class frmsoftwaremain : public Window {
 public:
  static constexpr const char* kName = window::frmsoftwaremain;
  explicit frmsoftwaremain(Program& p) : Window(p, kName) {}

  // Title of the message boxes the main window marks with it.
  std::string main_title;

  void mnucreateProj_Click();
  void mnuopenProj_Click();
  void mnuupdateProj_Click();
  void mnucloseProj_Click();
  void mnuexit_Click();
  void mnuPipe_Click();
  void mnusubHelp_Click();
  void mnuabout_Click();

  ui::FileDialog& printDlg() { return prog.printDlg; }

  // What other windows use: `text` in the first panel of the status bar (loads the window when
  // it is not loaded), and the text that panel shows (the reports put it back after their
  // progress).
  void show_status(const std::string& text) { c("StatusBar").set_panel(1, text); }
  std::string status() { return c("StatusBar").panel(1); }

 protected:
  void build() override;
  void Form_Load() override;

 private:
  // Switches the four project items between "no project" and "project open".
  void set_project_open(bool open);
  // The second panel of the status bar: the open project's unit system.
  void show_units();
  std::string dialog_init_dir() const;
  // Open's step for a hot journal beside the chosen file: names it and asks; Yes rolls it back
  // (db::roll_back_journal). True when the open may go on.
  bool settle_hot_journal(const std::string& path);
  // Why Create may not make a project at `path`, as the message says it: a file of the
  // program folder (or a link to one), a name too long for the database's working file.
  std::optional<std::string> new_project_refusal(const std::string& path) const;
};

}  // namespace gw::shell
