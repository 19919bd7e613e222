// The way every report workbook is made: save dialog, template copy, filling, hand-over.
#pragma once

#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "platform/error/error.h"
#include "platform/workbook/workbook.h"
#include "shell/program.h"
#include "shell/window_names.h"

namespace gw::reports {

// What tells one report from another: the dialog's caption word, the template in the
// program folder, the dialog's cancel flag, the sheet chosen after opening, the window
// that shows the hourglass and the message shown once the cells are written.
struct ReportKind {
  const char* caption;           // "Form LD229": filter "<caption> files (*.xlsx)|*.xlsx"
  const char* template_name;     // file name in the program folder
  bool sets_cancel_error;        // printDlg.CancelError := true before the dialog
  bool selects_first_sheet;      // Worksheets(1).Select after opening the copy
  const char* hourglass_window;  // window whose mouse pointer shows the hourglass
  const char* closing_message;   // nullptr: none
  // Cancel in the dialog ends as an empty name ("No File Name selected!") even with the
  // cancel flag set, and the template is copied before last_folder is set.
  bool cancel_gives_no_name;
};

inline constexpr ReportKind kFormLD347{
    "Form LD347", "LD347.xlr", true, false, window::frmHGL, "Finished! Please check and Save your results",
    true};
inline constexpr ReportKind kFormLD229{"Form LD229",        "LD229.xlr", true, false,
                                       window::frmpipeflex, nullptr,     false};
inline constexpr ReportKind kPipeReport{
    "Pipe Report", "STORMDRAINRESULTS.xlr", true, true, window::frmpipeflex, nullptr, false};
inline constexpr ReportKind kOutletProtection{
    "OUTLET PROTECTION", "OUTLETPROTECTION.xlr", false, false, window::PipeEnergyForm, nullptr, false};

// The extension of the report files: the workbooks are Office Open XML.
inline constexpr const char* kReportExtension = ".xlsx";

// "<caption> files (*.xlsx)|*.xlsx"
std::string report_filter(const ReportKind& kind);
// "Enter New File Name for <caption>"
std::string report_title(const ReportKind& kind);

// The file a report must never be written over, when `path` is one: the open project
// database or the project's inlet database, a name of the working files the database engine
// keeps beside a database ("-journal", "-wal", "-shm" after the database's name: the engine
// would take the report for its own and delete it), or any file in the program folder or below
// it (its databases, report templates, help document, pictures), whether it exists or not; for
// a symbolic link, the same of the file it leads to, which the report would replace. Gives the
// message that names it, or nothing when the path is free to take a report.
std::optional<std::string> protected_file_message(const shell::Program& prog, const std::string& path);

// One run of a report. A handler builds it at its start (this forms the template path),
// then:
//
//   ReportSession report(prog, kFormLD229);
//   try {
//     ...own first checks...
//     if (!report.choose_file()) return;    // dialog, questions, copy, hourglass
//     ...preparations before the workbook...
//     report.open();                        // opens the copy (sheet 1 selected if the kind says)
//     report.set_value(1, 9, name); ...     // the report's cells on the active sheet
//     report.finish();                      // save, message, hand to the desktop, pointer
//   } catch (const std::exception& e) {
//     report.fail(e);                       // system-modal exclamation box, pointer back
//   }
//
// Our stand-in for the spreadsheet program: the filled workbook is saved at the chosen
// name (nothing is lost) and handed to the desktop through Host::open_document, which
// stands for making it visible. The mouse pointer is back to normal on every path.
class ReportSession {
 public:
  ReportSession(shell::Program& prog, const ReportKind& kind);
  ReportSession(const ReportSession&) = delete;
  ReportSession& operator=(const ReportSession&) = delete;
  ~ReportSession();

  // The report file's name (empty before choose_file or after a cancel).
  const std::string& file_name() const { return file_name_; }

  // The dialog through the hourglass: sets the dialog's properties, shows the save
  // dialog, answers "No File Name selected!" to an empty name or the filter's pattern,
  // gives a name without an extension ".xlsx", refuses a file the program depends on
  // (a message naming it), and asks "File Already Exists!   Overwrite?" for an existing
  // file (each of these ends the report: returns false, nothing changed); then sets
  // last_folder, reads the template and shows the hourglass. Nothing is written at the chosen
  // name before the report is saved there whole (finish). Returns true when the report goes
  // on. Failures (Cancel with the cancel flag set, unless the kind gives no name for it; a
  // missing or unusable template; a destination that cannot be replaced, named with the
  // cause: read-only, in use, a folder that is missing or not writable) raise gw::Error.
  bool choose_file();

  // Opens the workbook to fill, made from the template, and, when the kind says so, selects
  // its first worksheet. Raises gw::Error on failure.
  wb::Workbook& open();
  // The opened workbook; raises gw::Error when none is open.
  wb::Workbook& book();

  // Cells of the active worksheet, (row, column) from 1; raise when no workbook is open.
  // set_value writes as a user typing it would (a numeric text becomes a number);
  // set_text writes a label, an identifier or a name, that stays text as it stands.
  void set_value(int row, int col, const std::string& text);
  void set_text(int row, int col, const std::string& text);
  void set_number(int row, int col, double value);
  void set_date(int row, int col, int year, int month, int day);
  std::string text(int row, int col) const;
  std::optional<double> number(int row, int col) const;

  // The end steps: activating the first worksheet (so that the saved file opens there) and
  // saving the workbook at the chosen name (written beside it and renamed over the old file
  // only when complete, so that a failure leaves the old file as it was; the message names
  // the report, the file and the cause), then the kind's closing message (followed by
  // `warning` and with the exclamation icon when a warning is given), handing the file to
  // the desktop (when the desktop cannot open it, a message says so with the file's full
  // path), pointer back to default. Raises on a failed save (no closing message).
  void finish(const std::string& warning = {});

  // Saves the workbook as it stands at the chosen name, for a report that stops part way;
  // gives whether it was saved.
  bool save_as_is();

  // The error path: a system-modal exclamation box with the failure's description; the
  // pointer back to default.
  void fail(const std::exception& e);
  void fail(const std::string& description);

  // Progress of a long report in the first panel of the main window's status bar: every
  // kProgressStep pipes, "<caption>: <done> of <total> pipes written". The panel gets its
  // own text back when the report ends, on every path. Reports of fewer pipes show nothing.
  static constexpr long kProgressStep = 2000;
  void progress(long done, long total);

 private:
  void set_pointer(int pointer);
  // "<caption> could not be saved as "<file>": the disk is full." for a failed save.
  std::string save_failure_text(const gw::FileError& e) const;

  shell::Program& prog_;
  ReportKind kind_;
  std::string template_path_;
  std::string file_name_;
  std::unique_ptr<wb::Workbook> template_;  // read by choose_file, filled once opened
  std::unique_ptr<wb::Workbook> book_;
  bool showed_progress_ = false;
  std::string status_before_;  // the panel's text before the first progress
};

}  // namespace gw::reports
