// Main window: project create/open/update/close, the Design gate and loop, help, About.
#include "shell/frmsoftwaremain.h"

#include <filesystem>

#include "platform/db/companions.h"
#include "platform/db/journal_rollback.h"
#include "platform/error/error.h"
#include "platform/files/file_replacement.h"
#include "shell/desktop.h"
#include "shell/help.h"
#include "shell/program_folder_files.h"
#include "shell/project_file.h"
#include "shell/project_path.h"
#include "shell/tarnelhydro_libraries.h"
#include "shell/window_names.h"

namespace gw::shell {

namespace fs = std::filesystem;
using ui::Buttons;
using ui::Icon;
using ui::Kind;

namespace {

constexpr const char* kProjectFilter = "Gullyware files (*.gwp)|*.gwp";

// The chosen file's own name, shown in the status bar.
std::string display_name(const std::string& path) { return fs::path(path).filename().string(); }

}  // namespace

void frmsoftwaremain::build() {
  set_caption("Gullyworks");
  Control& sb = add(Kind::StatusBar, "StatusBar");
  sb.set_panel_count(2);
  add(Kind::PictureBox, "Picture1").picture = "main.png";

  add_menu("mnuFile", "&File", "");
  add_menu("mnucreateProj", "&Create New Project", "mnuFile");
  add_menu("mnuopenProj", "&Open Project", "mnuFile");
  add_menu("mnusep0", "-", "mnuFile");
  add_menu("mnuupdateProj", "&Update Project Details", "mnuFile").set_enabled(false);
  add_menu("mnucloseProj", "Close Project", "mnuFile");
  add_menu("mnusep1", "-", "mnuFile");
  add_menu("mnuexit", "E&xit", "mnuFile", "Ctrl+X");
  add_menu("mnuDesign", "&Design", "");
  add_menu("mnuPipe", "&Gullyware", "mnuDesign");
  add_menu("mnuHelp", "&Help", "");
  add_menu("mnusubHelp", "&Help", "mnuHelp", "F1");
  add_menu("mnuabout", "About TarnelHydro", "mnuHelp");

  c("mnucreateProj").on_click = [this] { mnucreateProj_Click(); };
  c("mnuopenProj").on_click = [this] { mnuopenProj_Click(); };
  c("mnuupdateProj").on_click = [this] { mnuupdateProj_Click(); };
  c("mnucloseProj").on_click = [this] { mnucloseProj_Click(); };
  c("mnuexit").on_click = [this] { mnuexit_Click(); };
  c("mnuPipe").on_click = [this] { mnuPipe_Click(); };
  c("mnusubHelp").on_click = [this] { mnusubHelp_Click(); };
  c("mnuabout").on_click = [this] { mnuabout_Click(); };
}

void frmsoftwaremain::Form_Load() {
  main_title = "Tarnel Hydro";
  vars().handover.last_folder.clear();
  vars().project.product_name.clear();
  c("mnucloseProj").set_enabled(false);
  vars().project.project_kind = ProjectKind::current;
}

void frmsoftwaremain::set_project_open(bool open) {
  c("mnucreateProj").set_enabled(!open);
  c("mnuopenProj").set_enabled(!open);
  c("mnuupdateProj").set_enabled(open);
  c("mnucloseProj").set_enabled(open);
}

std::string frmsoftwaremain::dialog_init_dir() const {
  return prog.vars.handover.last_folder.empty() ? prog.program_folder : prog.vars.handover.last_folder;
}

std::optional<std::string> frmsoftwaremain::new_project_refusal(const std::string& path) const {
  // The program folder's files (the template among them) are never replaced, nor the file a
  // link there leads to.
  const std::string shown = "\"" + full_path(path) + "\"";
  const char* ending = " A new project cannot be created there; please choose another name.";
  if (auto role = program_file_role(prog, path)) return shown + " " + *role + "." + ending;
  const std::string replaced = files::replaced_file(path);
  if (replaced != full_path(path))
    if (auto role = program_file_role(prog, replaced))
      return shown + " leads to \"" + replaced + "\", which " + *role + "." + ending;
  if (const std::optional<std::string> problem = project_name_problem(path))
    return "The project database " + shown + " cannot be created: " + *problem + ".";
  return std::nullopt;
}

void frmsoftwaremain::mnucreateProj_Click() {
  SharedState& v = vars();
  try {
    v.project.project_kind = ProjectKind::current;
    v.project.project_db_path.clear();
    ui::FileDialog& dlg = printDlg();
    dlg.file_name.clear();
    dlg.filter = kProjectFilter;
    dlg.init_dir = dialog_init_dir();
    dlg.dialog_title = "Enter New Project Database File Name";
    ui::show_save(prog.host, dlg);
    v.project.project_db_path = dlg.file_name;
    if (v.project.project_db_path.empty() || v.project.project_db_path == "*.gwp") {
      msg("No project database selected!", Buttons::OK, Icon::Exclamation, main_title);
      return;
    }
    if (const std::optional<std::string> refused = new_project_refusal(v.project.project_db_path)) {
      msg(*refused, Buttons::OK, Icon::Exclamation, main_title);
      v.project.project_db_path.clear();
      return;
    }
    // The template is checked as a project file is, so that no project is made from a copy
    // carrying code or clauses of its own.
    const std::string template_path = prog.program_file(kTemplateDb);
    const ProjectFileCheck checked = check_project_file(template_path);
    if (!checked.problem.empty()) {
      msg("The template '" + template_path + "' cannot be used for a new project: " + checked.problem + ".",
          Buttons::OK, Icon::Exclamation, main_title);
      v.project.project_db_path.clear();
      return;
    }
    if (fs::exists(v.project.project_db_path)) {
      if (msg("File Already Exists!   Overwrite?", Buttons::YesNo, Icon::Exclamation) != ui::Answer::Yes)
        return;
    }
    copy_template(prog, v.project.project_db_path);
    v.project.project_kind = checked.kind;
    v.handover.last_folder = prog.host.current_folder();
    std::string shown = display_name(v.project.project_db_path);
    v.project.project_update_mode = false;
    set_mouse_pointer(ui::kPointerHourglass);
    msg("New Project Database has been created.  Please Add Project Details", Buttons::OK, Icon::Information,
        main_title);
    open_noaa_rainfall_db(prog);
    open_project_database(prog);
    prog.forms.get(window::frmProjectNOAA).show_modal();
    set_mouse_pointer(ui::kPointerDefault);
    c("StatusBar").set_panel(1, "Project Database - " + shown);
    // The units chosen in the new project's record, at once: the engineer works in them
    // from here on (empty when the window was left without saving).
    show_units();
    set_project_open(true);
  } catch (const std::exception& e) {
    set_mouse_pointer(ui::kPointerDefault);
    msg(e.what(), Buttons::OK, Icon::Exclamation, {}, true);
  }
}

void frmsoftwaremain::mnuopenProj_Click() {
  SharedState& v = vars();
  try {
    ui::FileDialog& dlg = printDlg();
    dlg.cancel_error = true;
    dlg.file_name.clear();
    dlg.default_ext = ".gwp";
    dlg.flags = ui::FileDialog::kFileMustExist;
    dlg.dialog_title = "Open";
    dlg.filter = kProjectFilter;
    dlg.init_dir = dialog_init_dir();
    ui::show_open(prog.host, dlg);
    v.project.project_db_path = dlg.file_name;
    if (v.project.project_db_path.empty()) {
      msg("No project database selected!", Buttons::OK, Icon::Exclamation, main_title);
      return;
    }
    v.handover.last_folder = prog.host.current_folder();
    std::string shown = display_name(v.project.project_db_path);
    // A name that leaves no room for the database's working file beside it would open, and
    // then every save would fail.
    if (const std::optional<std::string> problem = project_name_problem(v.project.project_db_path)) {
      msg("The file '" + v.project.project_db_path + "' cannot be opened as a project: " + *problem + ".",
          Buttons::OK, Icon::Exclamation, main_title);
      v.project.project_db_path.clear();
      return;
    }
    // A hot journal beside the file is settled before anything opens the file for writing;
    // the file check then names whatever else lies beside it.
    if (!settle_hot_journal(v.project.project_db_path)) {
      v.project.project_db_path.clear();
      return;
    }
    // A file that is not a project is refused before anything is opened or written; the
    // kind of one that is comes from its tables.
    const ProjectFileCheck checked = check_project_file(v.project.project_db_path);
    if (!checked.problem.empty()) {
      msg("The file '" + v.project.project_db_path + "' cannot be opened as a project: " + checked.problem +
              ".",
          Buttons::OK, Icon::Exclamation, main_title);
      v.project.project_db_path.clear();
      return;
    }
    v.project.project_kind = checked.kind;
    c("StatusBar").set_panel(1, "Opening Project Database.  Please wait...");
    set_mouse_pointer(ui::kPointerHourglass);
    open_project_database(prog);
    load_project_record(prog);
    if (!v.project.current_project_name.empty() && v.project.project_major_release != "2.1") {
      if (msg("Would you like to convert the current database version to comply with new VDOT "
              "Drainage Manual to include NOAA Stations?",
              Buttons::YesNo, Icon::Exclamation) == ui::Answer::Yes) {
        prog.forms.get(window::frmProjectUpdate).show_modal();
      } else {
        open_county_rainfall_db(prog);
      }
    } else {
      open_noaa_rainfall_db(prog);
    }
    set_mouse_pointer(ui::kPointerDefault);
    if (v.project.current_project_name.empty()) {
      msg("No Project Found.  Please Add Project Details", Buttons::OK, Icon::Exclamation, main_title);
      v.project.project_update_mode = false;
      prog.forms.get(window::frmProjectNOAA).show_modal();
    } else {
      msg("Project Name: " + v.project.current_project_name, Buttons::OK, Icon::Information, main_title);
    }
    // Details holding control characters (written by an earlier release) do not lock the
    // project out: the engineer is told where they are, to correct them.
    if (!checked.odd_columns.empty()) {
      std::string columns;
      for (const std::string& column : checked.odd_columns) columns += (columns.empty() ? "" : ", ") + column;
      msg("The project details hold control characters in " + columns +
              ". Please correct them in Update Project Details.",
          Buttons::OK, Icon::Exclamation, main_title);
    }
    c("StatusBar").set_panel(1, "Project Database - " + shown);
    show_units();
    set_project_open(true);
    // The unit system is never guessed: a UNITS text that names neither system is shown,
    // and the engineer chooses the units in the project details.
    if (!v.project.current_project_name.empty() && unit_system_of(v.unit_system()).empty()) {
      msg("The project's unit system \"" + v.unit_system() +
              "\" is neither ENGLISH nor METRIC. Please choose the project's units.",
          Buttons::OK, Icon::Exclamation, main_title);
      mnuupdateProj_Click();
    }
  } catch (const std::exception& e) {
    set_mouse_pointer(ui::kPointerDefault);
    msg(e.what(), Buttons::OK, Icon::Exclamation, {}, true);
  }
}

bool frmsoftwaremain::settle_hot_journal(const std::string& path) {
  const db::Companions beside = db::look_beside(path);
  if (beside.state != db::Companions::State::hot_journal) return true;
  const std::string file = full_path(path), journal = full_path(beside.companion);
  // The engineer decides: the journal holds the file as it was before a save that was cut
  // short, or (a backup copied over the file since) pages of another version of it.
  if (msg("The last save of \"" + file + "\" was interrupted. Its journal \"" + journal +
              "\" holds the project as it was before that save. Roll the project back to it and open it?",
          Buttons::YesNo, Icon::Exclamation, main_title) != ui::Answer::Yes)
    return false;
  try {
    db::roll_back_journal(path);
  } catch (const std::exception& e) {
    msg("The journal \"" + journal + "\" could not be rolled back into \"" + file + "\": " + e.what() +
            ". The file and its journal are left as they were, and the project is not opened.",
        Buttons::OK, Icon::Exclamation, main_title);
    return false;
  }
  return true;
}

void frmsoftwaremain::mnuupdateProj_Click() {
  SharedState& v = vars();
  if (!v.project.current_project_name.empty()) {
    v.project.project_update_mode = true;
    c("mnucreateProj").set_enabled(false);
    c("mnuopenProj").set_enabled(false);
    c("mnucloseProj").set_enabled(true);
    if (v.project.project_major_release == "2.1")
      prog.forms.get(window::frmProjectNOAA).show_modal();
    else
      prog.forms.get(window::frmProject).show_modal();
  } else {
    msg("No Project Found.  Please Add Project Details", Buttons::OK, Icon::Exclamation, main_title);
    set_mouse_pointer(ui::kPointerDefault);
    v.project.project_update_mode = false;
    prog.forms.get(window::frmProjectNOAA).show_modal();
  }
  // A record added here brings the project its units.
  show_units();
}

void frmsoftwaremain::show_units() { c("StatusBar").set_panel(2, "UNITS: " + vars().unit_system()); }

void frmsoftwaremain::mnucloseProj_Click() {
  msg("Current Project Is Closed!", Buttons::OK, Icon::Information);
  close_project(prog);
  set_project_open(false);
  c("StatusBar").set_panel(1, "");
  c("StatusBar").set_panel(2, "");
  vars().project.product_name.clear();
}

void frmsoftwaremain::mnuexit_Click() {
  vars().handover.pipe_design_done = false;
  unload();
  prog.unload_form(window::frmEnergyDissipation);
  prog.unload_form(window::PipeEnergyForm);
  prog.unload_form(window::frmpipemain);
  prog.host.end_program();
}

void frmsoftwaremain::mnuPipe_Click() {
  SharedState& v = vars();
  if (v.project.current_project_name.empty()) {
    msg("Please Select Current Working Project!", Buttons::OK, Icon::Exclamation, main_title);
    return;
  }
  if (v.project.product_name != "GULLYWORKS" && !v.project.legacy_project()) {
    msg("This is an Incompatible Project Database! Please use correct version of the database", Buttons::OK,
        Icon::Exclamation, main_title);
    return;
  }
  if (unit_system_of(v.unit_system()).empty()) {
    msg("The project's unit system \"" + v.unit_system() +
            "\" is neither ENGLISH nor METRIC. Please choose the project's units in Update Project Details.",
        Buttons::OK, Icon::Exclamation, main_title);
    return;
  }
  v.handover.pipe_design_done = false;
  while (!v.handover.pipe_design_done) {
    prog.forms.get(window::frmpipeflex).show_modal();
  }
}

void frmsoftwaremain::mnusubHelp_Click() { show_help(prog); }

void frmsoftwaremain::mnuabout_Click() { prog.forms.get(window::frmAbout).show_modal(); }

}  // namespace gw::shell
