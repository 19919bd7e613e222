// The way every report workbook is made: save dialog, template copy, filling, hand-over.
#pragma once

#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "platform/workbook/workbook.h"
#include "shell/program.h"

namespace gw::reports {

// What tells one report from another: the dialog's caption word, the template in the
// program folder, the dialog's cancel flag, the sheet chosen after opening, the window
// that shows the hourglass and the message shown once the cells are written.
struct ReportKind {
  const char* caption;            // "Form LD229": filter "<caption> files (*.xls)|*.xls"
  const char* template_name;      // file name in the program folder
  bool sets_cancel_error;         // printDlg.CancelError := true before the dialog
  bool selects_first_sheet;       // Worksheets(1).Select after opening the copy
  const char* hourglass_window;   // window whose mouse pointer shows the hourglass
  const char* closing_message;    // nullptr: none
  // Every failure is passed over (the step has no effect, the next step runs), the
  // copy comes before last_folder is set, and no error box is shown.
  bool passes_over_failures;
};

inline constexpr ReportKind kFormLD347{"Form LD347", "LD347.xlr", true, false, "frmHGL",
                                       "Finished! Please check and Save your results", true};
inline constexpr ReportKind kFormLD229{"Form LD229", "LD229.xlr", true, false, "frmpipeflex",
                                       nullptr, false};
inline constexpr ReportKind kPipeReport{"Pipe Report", "STORMDRAINRESULTS.xlr", true, true,
                                        "frmpipeflex", nullptr, false};
inline constexpr ReportKind kOutletProtection{"OUTLET PROTECTION", "OUTLETPROTECTION.xlr", false,
                                              false, "PipeEnergyForm", nullptr, false};

// "<caption> files (*.xls)|*.xls"
std::string report_filter(const ReportKind& kind);
// "Enter New File Name for <caption>"
std::string report_title(const ReportKind& kind);

// One run of a report. A handler builds it at its start (this forms the template path),
// then, for the three reports with the error path:
//
//   ReportSession report(prog, kFormLD229);
//   try {
//     ...own first checks...
//     if (!report.choose_file()) return;    // dialog, questions, copy, hourglass
//     ...preparations before the workbook...
//     report.open();                        // opens the copy (sheet 1 selected if the kind says)
//     report.set_value(1, 9, name); ...     // the report's cells on the active sheet
//     report.finish();                      // message, sheet 1, save, hand to the desktop, pointer
//   } catch (const std::exception& e) {
//     report.fail(e);                       // system-modal exclamation box with e.what()
//   }
//
// The LD347 report (passes_over_failures) uses the same calls without the try block, and
// try_open() in place of open(): choose_file, try_open and finish then never throw, and
// cell writes through the session do nothing while no workbook could be opened. Cell
// reads still throw when there is nothing to read, so that the handler can pass over
// that step itself.
//
// Our stand-in for the spreadsheet program: the filled workbook is saved at the chosen
// name (nothing is lost) and handed to the desktop through Host::open_document, which
// stands for making it visible.
class ReportSession {
 public:
  ReportSession(shell::Program& prog, const ReportKind& kind);
  ReportSession(const ReportSession&) = delete;
  ReportSession& operator=(const ReportSession&) = delete;
  ~ReportSession();

  const ReportKind& kind() const { return kind_; }
  // The template in the program folder, formed at construction.
  const std::string& template_path() const { return template_path_; }
  // The name the dialog returned (empty before choose_file or after a cancel).
  const std::string& file_name() const { return file_name_; }

  // The dialog through the hourglass: sets the dialog's properties, shows the save
  // dialog, answers "No File Name selected!" to an empty name or "*.xls" and asks
  // "File Already Exists!   Overwrite?" for an existing file (both end the report:
  // returns false, nothing changed), then sets last_folder, copies the template over
  // the chosen name and shows the hourglass. Returns true when the report goes on.
  // Failures (Cancel with the cancel flag set, a missing template, an unwritable
  // destination) raise gw::Error, unless the kind passes over failures.
  bool choose_file();

  // Opens the copy (the workbook at the chosen name) and, when the kind says so,
  // selects its first worksheet. Raises gw::Error on failure.
  wb::Workbook& open();
  // The same for a kind that passes over failures: returns whether the copy opened
  // (has_book()); never raises.
  bool try_open();
  bool has_book() const { return book_ != nullptr; }
  // The opened workbook; raises gw::Error when none is open.
  wb::Workbook& book();

  // Cells of the active worksheet, (row, column) from 1. Writes raise when no workbook
  // is open, unless the kind passes over failures (then they do nothing). Reads always
  // raise when no workbook is open.
  void set_value(int row, int col, const std::string& text);
  void set_number(int row, int col, double value);
  void set_date(int row, int col, int year, int month, int day);
  std::string text(int row, int col) const;
  std::optional<double> number(int row, int col) const;

  // The end steps: the kind's closing message, activating the first worksheet (so that
  // the saved file opens there), saving the workbook at the chosen name, handing it to
  // the desktop, pointer back to default.
  // Raises on failure (the pointer then stays the hourglass), unless the kind passes
  // over failures.
  void finish();

  // The error path: a system-modal exclamation box with the failure's description.
  // The pointer is left as it is.
  void fail(const std::exception& e);

 private:
  void set_pointer(int pointer);
  template <class F>
  void step(F&& f);

  shell::Program& prog_;
  ReportKind kind_;
  std::string template_path_;
  std::string file_name_;
  std::unique_ptr<wb::Workbook> book_;
};

}  // namespace gw::reports
