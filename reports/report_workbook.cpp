// The way every report workbook is made: save dialog, template copy, filling, hand-over.
#include "reports/report_workbook.h"

#include <filesystem>

#include "platform/error/error.h"
#include "platform/files/file_replacement.h"
#include "platform/text/ascii_case.h"
#include "shell/desktop.h"
#include "shell/frmsoftwaremain.h"
#include "shell/program_folder_files.h"
#include "shell/window_names.h"

namespace gw::reports {

namespace fs = std::filesystem;

std::string report_filter(const ReportKind& kind) {
  return std::string(kind.caption) + " files (*" + kReportExtension + ")|*" + kReportExtension;
}

std::string report_title(const ReportKind& kind) {
  return std::string("Enter New File Name for ") + kind.caption;
}

namespace {

// The file operations' own descriptions of their failures.
constexpr const char* kFileNotFound = "File not found";
constexpr const char* kNoWorkbook = "Object variable or With block variable not set";

bool file_exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(path, ec) && !fs::is_directory(path, ec);
}

// The template, which must open as a workbook this layer can fill and save; a damaged one, or
// one that points outside itself, is named as the template, before anything is written.
wb::Workbook open_template(const std::string& path, const char* name) {
  if (!file_exists(path)) throw gw::Error(kFileNotFound);
  try {
    return wb::Workbook::open(path);
  } catch (const std::exception& e) {
    throw gw::Error(std::string("The report template ") + name + " cannot be used: " + e.what());
  }
}

// A name without an extension gets the report files' own, and so does one typed with the old
// workbook extension ".xls" (in any case), which the spreadsheet program would refuse to trust
// for the workbook this program writes: "road.xls" is saved as "road.xlsx", as the dialog's
// filter says.
std::string with_report_extension(const std::string& name) {
  fs::path p(name);
  if (p.has_filename() && !p.has_extension()) return name + kReportExtension;
  if (p.has_filename() && p.has_stem() && text::iequals(p.extension().string(), ".xls"))
    return name.substr(0, name.size() - 4) + kReportExtension;
  return name;
}

}  // namespace

namespace {

// The engine's working files, named after their database with these endings.
constexpr const char* kWorkingFileEndings[] = {"-journal", "-wal", "-shm"};

// The message for a report at `path` itself (`shown` names the path the engineer chose).
std::optional<std::string> protected_message(const shell::Program& prog, const std::string& path,
                                             const std::string& shown) {
  const shell::SharedState& v = prog.vars;
  const char* ending = " A report cannot be saved over it; please choose another name.";
  if (shell::same_file(path, v.project.project_db_path)) return shown + " is the open project database." + ending;
  if (shell::same_file(path, v.project.inlet_db_path)) return shown + " is the project's inlet database." + ending;
  // The files the database engine keeps beside a database while it works on it: replacing
  // one would lose or corrupt the database's last changes.
  for (const char* working : kWorkingFileEndings) {
    if (!v.project.project_db_path.empty() && shell::same_file(path, v.project.project_db_path + working))
      return shown + " is a working file of the open project database." + ending;
    if (!v.project.inlet_db_path.empty() && shell::same_file(path, v.project.inlet_db_path + working))
      return shown + " is a working file of the project's inlet database." + ending;
  }
  // Any other database's: the engine takes a file of that name for its database's own and
  // deletes it when that database is next opened.
  const std::string name = fs::path(path).filename().string();
  for (std::string_view working : kWorkingFileEndings)
    if (name.size() > working.size() && text::iequals(name.substr(name.size() - working.size()), working))
      return shown + " has the name of a working file that the database engine keeps beside the database \"" +
             shell::full_path(path.substr(0, path.size() - working.size())) +
             "\", which would delete it. A report cannot be saved under that name; please choose another name.";
  if (auto role = shell::program_file_role(prog, path)) return shown + " " + *role + "." + ending;
  return std::nullopt;
}

}  // namespace

std::optional<std::string> protected_file_message(const shell::Program& prog, const std::string& path) {
  const std::string shown = "\"" + shell::full_path(path) + "\"";
  if (auto refused = protected_message(prog, path, shown)) return refused;
  // A symbolic link is kept and the file it leads to replaced: that file must be free too.
  const std::string replaced = files::replaced_file(path);
  if (replaced != shell::full_path(path))
    if (auto refused = protected_message(prog, replaced, shown + " leads to \"" + replaced + "\", which"))
      return refused;
  return std::nullopt;
}

ReportSession::ReportSession(shell::Program& prog, const ReportKind& kind)
    : prog_(prog), kind_(kind), template_path_(prog.program_file(kind.template_name)) {}

namespace {

constexpr const char* kMainWindow = window::frmsoftwaremain;

// The main window, when it is loaded (its status bar is written only then: a call on a window
// that is not loaded would load it).
shell::frmsoftwaremain* main_window(shell::Program& prog) {
  if (!prog.forms.knows(kMainWindow)) return nullptr;
  auto& main = prog.form<shell::frmsoftwaremain>();
  return main.is_loaded() ? &main : nullptr;
}

}  // namespace

ReportSession::~ReportSession() {
  if (!showed_progress_) return;
  if (shell::frmsoftwaremain* main = main_window(prog_)) main->show_status(status_before_);
}

void ReportSession::progress(long done, long total) {
  if (done <= 0 || done % kProgressStep != 0) return;
  shell::frmsoftwaremain* main = main_window(prog_);
  if (!main) return;
  if (!showed_progress_) {
    status_before_ = main->status();
    showed_progress_ = true;
  }
  main->show_status(std::string(kind_.caption) + ": " + std::to_string(done) + " of " +
                    std::to_string(total) + " pipes written");
  prog_.host.repaint(*main);
}

void ReportSession::set_pointer(int pointer) {
  if (prog_.forms.knows(kind_.hourglass_window))
    prog_.forms.get(kind_.hourglass_window).set_mouse_pointer(pointer);
  else
    prog_.host.set_mouse_pointer(pointer);
}

bool ReportSession::choose_file() {
  shell::SharedState& v = prog_.vars;
  ui::FileDialog& dlg = prog_.printDlg;
  file_name_.clear();
  if (kind_.sets_cancel_error) dlg.cancel_error = true;
  dlg.file_name.clear();
  dlg.filter = report_filter(kind_);
  dlg.init_dir = v.handover.last_folder.empty() ? prog_.program_folder : v.handover.last_folder;
  dlg.dialog_title = report_title(kind_);
  // The report's own default extension for this dialog only: the other dialogs that share
  // printDlg keep theirs.
  struct DefaultExtension {
    ui::FileDialog& dlg;
    std::string kept;
    explicit DefaultExtension(ui::FileDialog& d) : dlg(d), kept(d.default_ext) {
      d.default_ext = kReportExtension;
    }
    ~DefaultExtension() { dlg.default_ext = kept; }
  };
  {
    DefaultExtension extension(dlg);
    if (kind_.cancel_gives_no_name) {
      try {
        ui::show_save(prog_.host, dlg);
      } catch (const gw::Error&) {
        // Cancel: the name stays empty.
      }
    } else {
      ui::show_save(prog_.host, dlg);
    }
  }
  const std::string chosen = dlg.file_name;

  if (chosen.empty() || chosen == std::string("*") + kReportExtension || chosen == "*.xls") {
    prog_.host.msgbox("No File Name selected!", ui::Buttons::OK, ui::Icon::Exclamation);
    return false;
  }
  const std::string name = with_report_extension(chosen);
  if (auto refused = protected_file_message(prog_, name)) {
    prog_.host.msgbox(*refused, ui::Buttons::OK, ui::Icon::Exclamation);
    return false;
  }
  if (file_exists(name) && prog_.host.msgbox("File Already Exists!   Overwrite?", ui::Buttons::YesNo,
                                             ui::Icon::Exclamation) != ui::Answer::Yes)
    return false;

  file_name_ = name;
  // Nothing is written at the chosen name until the filled workbook is saved there whole; the
  // template is read from the program folder, and the chosen file is checked now for what
  // would stop the save (a read-only file, one in use, a folder that cannot take it).
  auto check_destination = [this] {
    try {
      files::check_replaceable(file_name_);
    } catch (const gw::FileError& e) {
      throw gw::Error(save_failure_text(e));
    }
  };
  if (kind_.cancel_gives_no_name) {
    template_ = std::make_unique<wb::Workbook>(open_template(template_path_, kind_.template_name));
    check_destination();
    v.handover.last_folder = prog_.host.current_folder();
  } else {
    v.handover.last_folder = prog_.host.current_folder();
    template_ = std::make_unique<wb::Workbook>(open_template(template_path_, kind_.template_name));
    check_destination();
  }
  set_pointer(ui::kPointerHourglass);
  return true;
}

std::string ReportSession::save_failure_text(const gw::FileError& e) const {
  const std::string head = std::string(kind_.caption) + " could not be saved";
  if (e.cause == FileCause::other) return head + ": " + e.what();
  return head + " as \"" + shell::full_path(file_name_) + "\": " + file_cause_text(e.cause) + ".";
}

wb::Workbook& ReportSession::open() {
  book_.reset();
  auto book = template_ ? std::move(template_)
                        : std::make_unique<wb::Workbook>(open_template(template_path_, kind_.template_name));
  if (kind_.selects_first_sheet) book->select(1);
  book_ = std::move(book);
  return *book_;
}

wb::Workbook& ReportSession::book() {
  if (!book_) throw gw::Error(kNoWorkbook);
  return *book_;
}

void ReportSession::set_value(int row, int col, const std::string& text) { book().set_value(row, col, text); }

void ReportSession::set_text(int row, int col, const std::string& text) { book().set_text(row, col, text); }

void ReportSession::set_number(int row, int col, double value) { book().set_number(row, col, value); }

void ReportSession::set_date(int row, int col, int year, int month, int day) {
  book().set_date(row, col, year, month, day);
}

std::string ReportSession::text(int row, int col) const {
  if (!book_) throw gw::Error(kNoWorkbook);
  return book_->text(row, col);
}

std::optional<double> ReportSession::number(int row, int col) const {
  if (!book_) throw gw::Error(kNoWorkbook);
  return book_->number(row, col);
}

void ReportSession::finish(const std::string& warning) {
  // Our stand-in for the spreadsheet program: the workbook is saved with its first sheet
  // active, so that it opens there, and handed to the desktop.
  book().activate(1);
  try {
    book().save(file_name_);
  } catch (const gw::FileError& e) {
    throw gw::Error(save_failure_text(e));
  }
  if (kind_.closing_message) {
    if (warning.empty())
      prog_.host.msgbox(kind_.closing_message, ui::Buttons::OK, ui::Icon::None);
    else
      prog_.host.msgbox(std::string(kind_.closing_message) + "\n\n" + warning, ui::Buttons::OK,
                        ui::Icon::Exclamation);
  }
  shell::open_with_desktop(prog_, file_name_, "The report");
  set_pointer(ui::kPointerDefault);
}

bool ReportSession::save_as_is() {
  if (!book_) return false;
  try {
    book_->activate(1);
    book_->save(file_name_);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void ReportSession::fail(const std::exception& e) { fail(std::string(e.what())); }

void ReportSession::fail(const std::string& description) {
  prog_.host.msgbox(description, ui::Buttons::OK, ui::Icon::Exclamation, {}, true);
  set_pointer(ui::kPointerDefault);
}

}  // namespace gw::reports
