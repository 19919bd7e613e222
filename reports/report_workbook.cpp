// The way every report workbook is made: save dialog, template copy, filling, hand-over.
#include "reports/report_workbook.h"

#include <filesystem>

#include "platform/text/error.h"

namespace gw::reports {

namespace fs = std::filesystem;

std::string report_filter(const ReportKind& kind) { return std::string(kind.caption) + " files (*.xls)|*.xls"; }

std::string report_title(const ReportKind& kind) {
  return std::string("Enter New File Name for ") + kind.caption;
}

namespace {

// The file operations' own descriptions of their failures.
constexpr const char* kFileNotFound = "File not found";
constexpr const char* kPermissionDenied = "Permission denied";

bool file_exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(path, ec) && !fs::is_directory(path, ec);
}

// CopyFile with overwrite: the source must be a file, the destination writable.
void copy_file(const std::string& from, const std::string& to) {
  if (!file_exists(from)) throw gw::Error(kFileNotFound);
  std::error_code ec;
  if (fs::exists(to, ec) && fs::equivalent(from, to, ec)) throw gw::Error(kPermissionDenied);
  fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
  if (ec) throw gw::Error(kPermissionDenied);
}

// The template must open as a workbook this layer can fill and save; a damaged one is
// named as the template, before anything is copied to the user's chosen name.
void check_template(const std::string& path, const char* name) {
  if (!file_exists(path)) return;  // the copy reports the missing file
  try {
    wb::Workbook::open(path);
  } catch (const std::exception& e) {
    throw gw::Error(std::string("The report template ") + name + " cannot be used: " + e.what());
  }
}

}  // namespace

ReportSession::ReportSession(shell::Program& prog, const ReportKind& kind)
    : prog_(prog), kind_(kind), template_path_(prog.program_file(kind.template_name)) {}

ReportSession::~ReportSession() = default;

template <class F>
void ReportSession::step(F&& f) {
  if (!kind_.passes_over_failures) {
    f();
    return;
  }
  try {
    f();
  } catch (const std::exception&) {
    // This report passes over a failing step: it has no effect and the next one runs.
  }
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
  dlg.init_dir = v.last_folder.empty() ? prog_.program_folder : v.last_folder;
  dlg.dialog_title = report_title(kind_);
  step([&] { ui::show_save(prog_.host, dlg); });
  file_name_ = dlg.file_name;

  if (file_name_.empty() || file_name_ == "*.xls") {
    prog_.host.msgbox("No File Name selected!", ui::Buttons::OK, ui::Icon::Exclamation);
    return false;
  }
  if (file_exists(file_name_) &&
      prog_.host.msgbox("File Already Exists!   Overwrite?", ui::Buttons::YesNo, ui::Icon::Exclamation) !=
          ui::Answer::Yes)
    return false;

  if (kind_.passes_over_failures) {
    step([&] {
      check_template(template_path_, kind_.template_name);
      copy_file(template_path_, file_name_);
    });
    v.last_folder = prog_.host.current_folder();
  } else {
    v.last_folder = prog_.host.current_folder();
    check_template(template_path_, kind_.template_name);
    copy_file(template_path_, file_name_);
  }
  set_pointer(ui::kPointerHourglass);
  return true;
}

wb::Workbook& ReportSession::open() {
  book_.reset();
  auto book = std::make_unique<wb::Workbook>(wb::Workbook::open(file_name_));
  if (kind_.selects_first_sheet) book->select(1);
  book_ = std::move(book);
  return *book_;
}

bool ReportSession::try_open() {
  try {
    open();
  } catch (const std::exception&) {
    book_.reset();
  }
  return has_book();
}

wb::Workbook& ReportSession::book() {
  if (!book_) throw gw::Error("Object variable or With block variable not set");
  return *book_;
}

void ReportSession::set_value(int row, int col, const std::string& text) {
  if (!book_ && kind_.passes_over_failures) return;
  step([&] { book().set_value(row, col, text); });
}

void ReportSession::set_number(int row, int col, double value) {
  if (!book_ && kind_.passes_over_failures) return;
  step([&] { book().set_number(row, col, value); });
}

void ReportSession::set_date(int row, int col, int year, int month, int day) {
  if (!book_ && kind_.passes_over_failures) return;
  step([&] { book().set_date(row, col, year, month, day); });
}

std::string ReportSession::text(int row, int col) const {
  if (!book_) throw gw::Error("Object variable or With block variable not set");
  return book_->text(row, col);
}

std::optional<double> ReportSession::number(int row, int col) const {
  if (!book_) throw gw::Error("Object variable or With block variable not set");
  return book_->number(row, col);
}

void ReportSession::finish() {
  if (kind_.closing_message) prog_.host.msgbox(kind_.closing_message, ui::Buttons::OK, ui::Icon::None);
  // Our stand-in for the spreadsheet program: the workbook is saved with its first sheet
  // active, so that it opens there, and handed to the desktop.
  bool saved = false;
  step([&] {
    if (!book_ && kind_.passes_over_failures) return;
    book().activate(1);
    book().save(file_name_);
    saved = true;
  });
  if (saved) step([&] { prog_.host.open_document(file_name_); });
  set_pointer(ui::kPointerDefault);
}

void ReportSession::fail(const std::exception& e) {
  prog_.host.msgbox(e.what(), ui::Buttons::OK, ui::Icon::Exclamation, {}, true);
}

}  // namespace gw::reports
