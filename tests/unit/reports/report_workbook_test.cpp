// The report pattern shared by every report: dialog, questions, template copy, filling,
// hand-over, and the error path, for each report kind's differences.
#include "reports/report_workbook.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/error/error.h"
#include "platform/files/file_replacement.h"
#include "shell/frmsoftwaremain.h"
#include "shell/window_names.h"
#include "tests/support/book_files.h"
#include "tests/support/host_access.h"
#include "tests/support/recording_host.h"

using gw::testing::host_key;

namespace gw::reports {
namespace {

namespace fs = std::filesystem;
using ui::Buttons;
using ui::Icon;

// A window that only shows a mouse pointer.
class PointerWindow : public ui::Form {
 public:
  PointerWindow(ui::Forms& f, std::string name) : Form(f, std::move(name)) {}

 protected:
  void build() override {}
};

std::string read_all(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class ReportSessionTest : public ::testing::Test {
 protected:
  ReportSessionTest() : prog(host, program.path("program")) {
    fs::create_directories(prog.program_folder);
    fs::create_directories(reports_dir());
    for (const char* t : {"LD347.xlr", "LD229.xlr", "OUTLETPROTECTION.xlr"})
      fs::copy_file(std::string(GW_PROGRAM_DIR) + "/" + t, prog.program_file(t));
    // A results template saved with its second sheet active.
    wb::testing::BookSpec b;
    b.sheets = {wb::testing::sheet_part(""), wb::testing::sheet_part("")};
    b.active_tab = 1;
    wb::testing::write_book(prog.program_file("STORMDRAINRESULTS.xlr"), b);
    for (const char* w : {window::frmHGL, window::frmpipeflex, window::PipeEnergyForm})
      prog.forms.register_form(w, [w](ui::Forms& f) { return std::make_unique<PointerWindow>(f, w); });
  }

  std::string reports_dir() const { return program.path("reports"); }
  std::string report_file(const std::string& name) const { return program.path("reports/" + name); }
  int pointer(const char* window) { return prog.forms.get(window).mouse_pointer(); }

  // A whole report with the error path, as a handler runs it.
  void run(const ReportKind& kind, const std::function<void(ReportSession&)>& fill = {}) {
    ReportSession report(prog, kind);
    try {
      if (!report.choose_file()) return;
      report.open();
      if (fill) fill(report);
      report.finish();
    } catch (const std::exception& e) {
      report.fail(e);
    }
  }

  wb::testing::Folder program;
  testing::RecordingHost host;
  shell::Program prog;
};

TEST_F(ReportSessionTest, KindsNameTheirDialogs) {
  struct Case {
    const ReportKind& kind;
    const char* filter;
    const char* title;
  } cases[] = {
      {kFormLD347, "Form LD347 files (*.xlsx)|*.xlsx", "Enter New File Name for Form LD347"},
      {kFormLD229, "Form LD229 files (*.xlsx)|*.xlsx", "Enter New File Name for Form LD229"},
      {kPipeReport, "Pipe Report files (*.xlsx)|*.xlsx", "Enter New File Name for Pipe Report"},
      {kOutletProtection, "OUTLET PROTECTION files (*.xlsx)|*.xlsx",
       "Enter New File Name for OUTLET PROTECTION"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(report_filter(c.kind), c.filter);
    EXPECT_EQ(report_title(c.kind), c.title);
  }
}

TEST_F(ReportSessionTest, FillsSavesAndHandsOverTheCopy) {
  host.files = {report_file("net.xlsx")};
  prog.printDlg.file_name = "left over";
  int pointer_while_filling = -1;
  run(kFormLD229, [&](ReportSession& r) {
    pointer_while_filling = pointer(window::frmpipeflex);
    r.set_value(1, 13, "Route 29");
    r.set_value(12, 1, "7");
    r.set_number(12, 28, 1.5);
    EXPECT_EQ(r.number(12, 1), 7);  // cells read back
    EXPECT_EQ(r.text(12, 28), "1.5");
  });
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(prog.printDlg.filter, "Form LD229 files (*.xlsx)|*.xlsx");
  EXPECT_EQ(prog.printDlg.dialog_title, "Enter New File Name for Form LD229");
  EXPECT_EQ(prog.printDlg.init_dir, prog.program_folder);  // no earlier dialog: the program folder
  EXPECT_TRUE(prog.printDlg.cancel_error);
  EXPECT_EQ(pointer_while_filling, ui::kPointerHourglass);
  EXPECT_EQ(pointer(window::frmpipeflex), ui::kPointerDefault);
  EXPECT_EQ(prog.vars.handover.last_folder, reports_dir());
  ASSERT_EQ(host.documents, std::vector<std::string>{report_file("net.xlsx")});
  wb::Workbook saved = wb::Workbook::open(report_file("net.xlsx"));
  EXPECT_EQ(saved.text(1, 13), "Route 29");
  EXPECT_EQ(saved.number(12, 1), 7);
  EXPECT_EQ(saved.text(1, 11), "Project:");  // the template's labels stay

  // The next report's dialog opens in the folder of this one.
  host.files = {report_file("second.xlsx")};
  run(kOutletProtection);
  EXPECT_EQ(prog.printDlg.init_dir, reports_dir());
  EXPECT_TRUE(fs::exists(report_file("second.xlsx")));
}

TEST_F(ReportSessionTest, NoNameEndsTheReportWithNothingChanged) {
  for (const char* name : {"", "*.xls", "*.xlsx"}) {
    host.messages.clear();
    host.files = {name};
    prog.vars.handover.last_folder = "/earlier";
    run(kPipeReport);
    ASSERT_EQ(host.messages.size(), 1u) << name;
    EXPECT_EQ(host.messages[0].text, "No File Name selected!");
    EXPECT_EQ(host.messages[0].icon, Icon::Exclamation);
    EXPECT_EQ(host.messages[0].buttons, Buttons::OK);
    EXPECT_EQ(prog.vars.handover.last_folder, "/earlier");
    EXPECT_TRUE(host.documents.empty());
  }
  EXPECT_TRUE(fs::is_empty(reports_dir()));
}

TEST_F(ReportSessionTest, AnExistingFileIsOverwrittenOnlyOnYes) {
  std::ofstream(report_file("old.xlsx")) << "the user's own file";
  host.files = {report_file("old.xlsx")};
  host.answers = {ui::Answer::No};
  run(kFormLD229);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "File Already Exists!   Overwrite?");
  EXPECT_EQ(host.messages[0].buttons, Buttons::YesNo);
  EXPECT_EQ(host.messages[0].icon, Icon::Exclamation);
  EXPECT_EQ(read_all(report_file("old.xlsx")), "the user's own file");
  EXPECT_EQ(prog.vars.handover.last_folder, "");
  EXPECT_EQ(pointer(window::frmpipeflex), ui::kPointerDefault);

  host.files = {report_file("old.xlsx")};
  host.answers = {ui::Answer::Yes};
  run(kFormLD229, [](ReportSession& r) { r.set_value(1, 13, "again"); });
  EXPECT_EQ(wb::Workbook::open(report_file("old.xlsx")).text(1, 13), "again");
}

TEST_F(ReportSessionTest, CancelIsAFailureOnceAnyDialogSetTheCancelFlag) {
  // Right after start the outlet protection dialog's Cancel gives an empty name.
  run(kOutletProtection);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "No File Name selected!");

  // A report that sets the flag: Cancel takes the error path...
  host.messages.clear();
  run(kPipeReport);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, ui::FileDialog::kCancelDescription);
  EXPECT_EQ(host.messages[0].icon, Icon::Exclamation);
  EXPECT_TRUE(host.messages[0].system_modal);

  // ...and so does the outlet protection report's Cancel from then on.
  host.messages.clear();
  run(kOutletProtection);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, ui::FileDialog::kCancelDescription);
  EXPECT_TRUE(host.messages[0].system_modal);
  EXPECT_TRUE(fs::is_empty(reports_dir()));
  EXPECT_EQ(prog.vars.handover.last_folder, "");
}

TEST_F(ReportSessionTest, AMissingTemplateFailsAtTheCopyAfterTheFolderMoved) {
  fs::remove(prog.program_file("LD229.xlr"));
  host.files = {report_file("net.xlsx")};
  run(kFormLD229);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "File not found");
  EXPECT_TRUE(host.messages[0].system_modal);
  EXPECT_EQ(prog.vars.handover.last_folder, reports_dir());
  EXPECT_EQ(pointer(window::frmpipeflex), ui::kPointerDefault);  // not yet set
  EXPECT_FALSE(fs::exists(report_file("net.xlsx")));
}

// A destination that cannot take the report is found before anything is filled, and the
// message names the report, the file and the cause; nothing at all is written.
TEST_F(ReportSessionTest, ADestinationThatCannotBeReplacedIsNamedWithItsCause) {
  struct Case {
    const char* name;
    std::function<std::string()> make;  // gives the path to choose
    const char* cause;
  } cases[] = {
      {"read-only file",
       [&] {
         const std::string f = report_file("kept.xlsx");
         std::ofstream(f) << "old";
         fs::permissions(f, fs::perms::all, fs::perm_options::remove);
         fs::permissions(f, fs::perms::owner_read, fs::perm_options::add);
         return f;
       },
       ": the file is read-only."},
      {"open in an office program",
       [&] {
         const std::string f = report_file("open.xlsx");
         std::ofstream(f) << "old";
         std::ofstream(report_file(".~lock.open.xlsx#")) << "lock";
         return f;
       },
       ": the file is in use by another program."},
      {"missing folder", [&] { return report_file("no such folder/new.xlsx"); },
       ": the folder does not exist."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host.messages.clear();
    const std::string path = c.make();
    const std::string before = fs::exists(path) ? read_all(path) : "";
    host.files = {path};
    run(kFormLD229, [](ReportSession&) { ADD_FAILURE() << "filled for a file that cannot be written"; });
    ASSERT_EQ(host.messages.size(), fs::exists(path) ? 2u : 1u);  // after the overwrite question
    EXPECT_EQ(host.messages.back().text, "Form LD229 could not be saved as \"" + path + "\"" + c.cause);
    EXPECT_TRUE(host.messages.back().system_modal);
    EXPECT_EQ(pointer(window::frmpipeflex), ui::kPointerDefault);
    if (fs::exists(path)) {
      EXPECT_EQ(read_all(path), before);
    }
  }
  // A folder of the chosen name: the message says so.
  host.messages.clear();
  fs::create_directory(report_file("taken.xlsx"));
  host.files = {report_file("taken.xlsx")};
  run(kFormLD229);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "Form LD229 could not be saved: \"" + report_file("taken.xlsx") +
                                       "\" could not be written (it is a folder).");
}

// A save that fails on the way (the disk full, the folder taken away) leaves the earlier report
// whole and no temporary file, and names the cause.
TEST_F(ReportSessionTest, AFailedSaveKeepsTheEarlierReportAndNamesTheCause) {
  struct Case {
    files::Step step;
    int error;
    const char* cause;
  } cases[] = {
      {files::Step::write, ENOSPC, "the disk is full"},
      {files::Step::sync, EDQUOT, "the disk is full"},
      {files::Step::create, EACCES, "the folder is not writable"},
      {files::Step::rename, EBUSY, "the file is in use by another program"},
  };
  const std::string path = report_file("net.xlsx");
  host.files = {path};
  run(kFormLD229, [](ReportSession& r) { r.set_value(12, 1, "earlier"); });
  const std::string earlier = read_all(path);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cause);
    host.messages.clear();
    host.documents.clear();
    files::set_step_hook([&](files::Step s, const std::string&) { return s == c.step ? c.error : 0; });
    host.files = {path};
    run(kFormLD229, [](ReportSession& r) { r.set_value(12, 1, "new"); });
    files::set_step_hook({});
    ASSERT_EQ(host.messages.size(), 2u);  // the overwrite question, then the failure
    EXPECT_EQ(host.messages[1].text,
              "Form LD229 could not be saved as \"" + path + "\": " + std::string(c.cause) + ".");
    EXPECT_TRUE(host.documents.empty());
    EXPECT_EQ(read_all(path), earlier);
    EXPECT_EQ(std::distance(fs::directory_iterator(reports_dir()), fs::directory_iterator()), 1)
        << "a temporary file was left";
  }
}

// A template the workbook layer cannot use is named as the template, before anything is
// copied: nothing appears at the chosen name and a file already there is left as it was.
TEST_F(ReportSessionTest, ADamagedTemplateIsNamedAndNothingIsCopied) {
  wb::testing::BookSpec chain_on_workbook;
  chain_on_workbook.sheets = {wb::testing::sheet_part("")};
  chain_on_workbook.calc_chain = true;
  chain_on_workbook.calc_chain_target = "workbook.xml";
  wb::testing::BookSpec chain_on_types = chain_on_workbook;
  chain_on_types.calc_chain_target = "../[Content_Types].xml";
  wb::testing::BookSpec chain_on_sheet = chain_on_workbook;
  chain_on_sheet.calc_chain_target = "worksheets/sheet1.xml";
  const std::string template_path = prog.program_file("OUTLETPROTECTION.xlr");
  struct Case {
    const char* what;
    std::function<void()> damage;
  } cases[] = {
      {"not a zip", [&] { std::ofstream(template_path) << "no workbook"; }},
      {"chain on the workbook", [&] { wb::testing::write_book(template_path, chain_on_workbook); }},
      {"chain on the content types", [&] { wb::testing::write_book(template_path, chain_on_types); }},
      {"chain on a sheet", [&] { wb::testing::write_book(template_path, chain_on_sheet); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.damage();
    host.messages.clear();
    host.files = {report_file("out.xlsx")};
    run(kOutletProtection);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text.rfind(
                  "The report template OUTLETPROTECTION.xlr cannot be used: '" + template_path + "'", 0),
              0u)
        << host.messages[0].text;
    EXPECT_TRUE(host.messages[0].system_modal);
    EXPECT_FALSE(fs::exists(report_file("out.xlsx")));
    EXPECT_EQ(pointer(window::PipeEnergyForm), ui::kPointerDefault);  // not yet set
    EXPECT_TRUE(host.documents.empty());

    std::ofstream(report_file("mine.xlsx")) << "the user's own file";
    host.messages.clear();
    host.files = {report_file("mine.xlsx")};
    host.answers = {ui::Answer::Yes};
    run(kOutletProtection);
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(read_all(report_file("mine.xlsx")), "the user's own file");
  }
}

TEST_F(ReportSessionTest, AFailureWhileFillingWritesNothingAndPutsThePointerBack) {
  // A failing cell write: the cells before it stay in the open workbook, nothing is saved.
  host.files = {report_file("net.xlsx")};
  ReportSession report(prog, kFormLD229);
  try {
    ASSERT_TRUE(report.choose_file());
    report.open();
    report.set_value(12, 1, "1");
    report.set_value(0, 1, "x");
    report.finish();
  } catch (const std::exception& e) {
    report.fail(e);
  }
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(report.book().text(12, 1), "1");
  EXPECT_EQ(pointer(window::frmpipeflex), ui::kPointerDefault);
  EXPECT_TRUE(fs::is_empty(reports_dir()));  // nothing at the chosen name
}

TEST_F(ReportSessionTest, ThePipeReportWritesOnTheFirstSheetAndTheFileOpensThere) {
  host.files = {report_file("pipe.xlsx")};
  run(kPipeReport, [](ReportSession& r) {
    EXPECT_EQ(r.book().active_sheet(), 1);
    r.set_date(2, 9, 2024, 5, 17);
  });
  wb::Workbook saved = wb::Workbook::open(report_file("pipe.xlsx"));
  EXPECT_EQ(saved.active_sheet(), 1);
  EXPECT_EQ(saved.number(2, 9), 45429);

  // The others write on the sheet the template opens on; every saved file opens on sheet 1.
  host.files = {report_file("outlet.xlsx")};
  fs::copy_file(prog.program_file("STORMDRAINRESULTS.xlr"), prog.program_file("OUTLETPROTECTION.xlr"),
                fs::copy_options::overwrite_existing);
  run(kOutletProtection, [](ReportSession& r) {
    EXPECT_EQ(r.book().active_sheet(), 2);
    r.set_value(1, 3, "on two");
  });
  saved = wb::Workbook::open(report_file("outlet.xlsx"));
  EXPECT_EQ(saved.active_sheet(), 1);
  saved.select(2);
  EXPECT_EQ(saved.text(1, 3), "on two");
}

TEST_F(ReportSessionTest, TheGradeLineReportTakesTheErrorPathButCancelIsNoName) {
  // Cancel: no error box, the cleared name gives "No File Name selected!".
  {
    ReportSession report(prog, kFormLD347);
    EXPECT_FALSE(report.choose_file());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "No File Name selected!");
    EXPECT_TRUE(prog.printDlg.cancel_error);
  }
  // A missing template: the error path, no closing message, the pointer as it was.
  host.messages.clear();
  fs::remove(prog.program_file("LD347.xlr"));
  host.files = {report_file("hgl.xlsx")};
  run(kFormLD347);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "File not found");
  EXPECT_TRUE(host.messages[0].system_modal);
  EXPECT_EQ(pointer(window::frmHGL), ui::kPointerDefault);
  EXPECT_TRUE(host.documents.empty());
  EXPECT_FALSE(fs::exists(report_file("hgl.xlsx")));

  // A workbook that cannot be saved: the error path, no closing message, pointer back.
  fs::copy_file(std::string(GW_PROGRAM_DIR) + "/LD347.xlr", prog.program_file("LD347.xlr"));
  host.messages.clear();
  host.files = {report_file("hgl.xlsx")};
  {
    ReportSession report(prog, kFormLD347);
    try {
      ASSERT_TRUE(report.choose_file());
      report.open();
      fs::remove(report_file("hgl.xlsx"));
      fs::create_directory(report_file("hgl.xlsx"));  // the name now taken by a folder
      report.finish();
    } catch (const std::exception& e) {
      report.fail(e);
    }
  }
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].text, "Finished! Please check and Save your results");
  EXPECT_EQ(pointer(window::frmHGL), ui::kPointerDefault);
  EXPECT_TRUE(host.documents.empty());
  fs::remove(report_file("hgl.xlsx"));

  // With its template it fills, saves, shows the message (with the warning) before the
  // hand-over.
  host.messages.clear();
  host.files = {report_file("hgl.xlsx")};
  ReportSession report(prog, kFormLD347);
  ASSERT_TRUE(report.choose_file());
  report.open();
  report.set_value(11, 25, "0.0");
  report.finish("Pipe 1 (node A): column 9");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text,
            "Finished! Please check and Save your results\n\nPipe 1 (node A): column 9");
  EXPECT_EQ(host.messages[0].icon, Icon::Exclamation);
  EXPECT_EQ(host.documents, std::vector<std::string>{report_file("hgl.xlsx")});
  EXPECT_EQ(wb::Workbook::open(report_file("hgl.xlsx")).number(11, 25), 0);
}

TEST_F(ReportSessionTest, ANameWithoutExtensionOrWithXlsGetsXlsxOthersAreKept) {
  struct Case {
    std::string chosen;
    std::string written;
  } cases[] = {
      {report_file("net"), report_file("net.xlsx")},
      // The old workbook extension would name an Office Open XML file wrongly: the dialog's own
      // extension replaces it, in any case, and the folder's dots are no extension.
      {report_file("road.xls"), report_file("road.xlsx")},
      {report_file("v1.2/ROAD.XLS"), report_file("v1.2/ROAD.xlsx")},
      {report_file("net.v2.XLSX"), report_file("net.v2.XLSX")},
      {report_file("net.xlsm"), report_file("net.xlsm")},
      {report_file("summary.txt"), report_file("summary.txt")},
  };
  fs::create_directories(report_file("v1.2"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    host.documents.clear();
    host.files = {c.chosen};
    run(kFormLD229);
    EXPECT_EQ(host.documents, std::vector<std::string>{c.written});
    EXPECT_TRUE(fs::exists(c.written));
  }
  EXPECT_FALSE(fs::exists(report_file("net")));
  EXPECT_FALSE(fs::exists(report_file("road.xls")));
  // The dialog's own default extension is the report's while it shows, and given back after.
  prog.printDlg.default_ext = ".gwp";
  host.files = {report_file("again")};
  run(kPipeReport);
  EXPECT_EQ(prog.printDlg.default_ext, ".gwp");
}

TEST_F(ReportSessionTest, FilesTheProgramDependsOnAreNeverOverwritten) {
  const std::string project = program.path("work/road.gwp");
  const std::string inlets = program.path("work/inlets.ckb");
  fs::create_directories(program.path("work"));
  std::ofstream(project) << "project";
  std::ofstream(inlets) << "inlets";
  std::ofstream(prog.program_file("VARMNOAA.rdb")) << "stations";
  prog.vars.project.project_db_path = project;
  prog.vars.project.inlet_db_path = inlets;
  fs::create_symlink("road.gwp", program.path("work/to_project.xlsx"));
  fs::create_symlink(prog.program_file("LD347.xlr"), program.path("work/to_template.xlsx"));
  fs::create_symlink("other.gwp-wal", program.path("work/to_working.xlsx"));
  struct Case {
    std::string chosen;
    const char* names;  // what the message calls it
  } cases[] = {
      {project, "is the open project database."},
      {program.path("work/../work/road.gwp"), "is the open project database."},
      {inlets, "is the project's inlet database."},
      {prog.program_file("VARMNOAA.rdb"), "is a database of the program."},
      {prog.program_file("LD347.xlr"), "is a report template of the program."},
      {prog.program_file("ld229.XLR"), "is a report template of the program."},
      // Not there yet, but a template by that name would be read by every later report.
      {prog.program_file("STORMDRAINRESULTS2.xlr"), "is a report template of the program."},
      // Another database's working files, which the engine would delete as its own.
      {program.path("work/other.gwp-journal"), "working file that the database engine keeps beside the database"},
      {program.path("work/other.gwp-wal"), "working file that the database engine keeps beside the database"},
      {program.path("work/notes.db-SHM"), "working file that the database engine keeps beside the database"},
      // A link is kept and the file it leads to replaced.
      {program.path("work/to_project.xlsx"), "is the open project database."},
      {program.path("work/to_template.xlsx"), "which is a report template of the program."},
      {program.path("work/to_working.xlsx"), "which has the name of a working file"},
  };
  const std::string ld347_before = read_all(prog.program_file("LD347.xlr"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    host.messages.clear();
    host.files = {c.chosen};
    prog.vars.handover.last_folder = "/earlier";
    run(kFormLD229);
    // One message naming the file, before any overwrite question; nothing else happens.
    ASSERT_EQ(host.messages.size(), 1u);
    const std::string& text = host.messages[0].text;
    EXPECT_TRUE(text.find("\"" + std::string(fs::weakly_canonical(c.chosen)) + "\"") != std::string::npos ||
                text.find("\"" + c.chosen + "\"") != std::string::npos)
        << text;
    EXPECT_NE(host.messages[0].text.find(c.names), std::string::npos) << host.messages[0].text;
    EXPECT_EQ(host.messages[0].icon, Icon::Exclamation);
    EXPECT_EQ(host.messages[0].buttons, Buttons::OK);
    EXPECT_EQ(prog.vars.handover.last_folder, "/earlier");
    EXPECT_EQ(pointer(window::frmpipeflex), ui::kPointerDefault);
    EXPECT_TRUE(host.documents.empty());
  }
  EXPECT_EQ(read_all(project), "project");
  EXPECT_EQ(read_all(inlets), "inlets");
  EXPECT_EQ(read_all(prog.program_file("VARMNOAA.rdb")), "stations");
  EXPECT_EQ(read_all(prog.program_file("LD347.xlr")), ld347_before);
  EXPECT_FALSE(fs::exists(prog.program_file("STORMDRAINRESULTS2.xlr")));

  // Another file in the program folder, or a report beside the project, is free.
  host.messages.clear();
  host.files = {program.path("work/road.xlsx")};
  run(kFormLD229);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_TRUE(fs::exists(program.path("work/road.xlsx")));
}

// A report saved at a symbolic link replaces the file the link leads to, whole, and the link
// stays a link; a save that fails leaves both as they were.
TEST_F(ReportSessionTest, AReportAtALinkReplacesTheFileItLeadsTo) {
  fs::create_directories(program.path("shared"));
  const std::string file = program.path("shared/net.xlsx"), link = report_file("net.xlsx");
  std::ofstream(file) << "earlier";
  fs::create_symlink(file, link);
  files::set_step_hook([](files::Step s, const std::string&) { return s == files::Step::write ? ENOSPC : 0; });
  host.files = {link};
  host.answers = {ui::Answer::Yes};
  run(kFormLD229, [](ReportSession& r) { r.set_value(1, 13, "Route 29"); });
  files::set_step_hook({});
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[1].text, "Form LD229 could not be saved as \"" + link + "\": the disk is full.");
  EXPECT_EQ(read_all(file), "earlier");
  EXPECT_TRUE(fs::is_symlink(link));

  host.files = {link};
  host.answers = {ui::Answer::Yes};
  run(kFormLD229, [](ReportSession& r) { r.set_value(1, 13, "Route 29"); });
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(wb::Workbook::open(file).text(1, 13), "Route 29");
  EXPECT_EQ(std::distance(fs::directory_iterator(program.path("shared")), fs::directory_iterator()), 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(reports_dir()), fs::directory_iterator()), 1);
}

TEST_F(ReportSessionTest, ADesktopThatCannotOpenTheReportIsNamedWithItsFullPath) {
  host.desktop_opens = false;
  host.files = {report_file("net.xlsx")};
  run(kFormLD229);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "The report \"" + report_file("net.xlsx") +
                                       "\" could not be opened on this desktop. Please open it yourself.");
  EXPECT_EQ(host.messages[0].icon, Icon::Exclamation);
  EXPECT_EQ(pointer(window::frmpipeflex), ui::kPointerDefault);
  EXPECT_TRUE(fs::exists(report_file("net.xlsx")));
}

}  // namespace
// A main window with the two-panel status bar of the program's own.
// A long report tells in the main window's status bar how far it is, every 2000 pipes, and
// gives the panel its own text back when it ends, failure included; without the main window
// loaded nothing is shown (and the window is not loaded for it).
TEST_F(ReportSessionTest, LongReportsShowTheirProgressInTheStatusBar) {
  prog.forms.register_form(window::frmsoftwaremain,
                           [this](ui::Forms&) { return std::make_unique<shell::frmsoftwaremain>(prog); });
  {
    ReportSession report(prog, kFormLD229);
    report.progress(2000, 5000);
  }
  EXPECT_FALSE(prog.forms.get(window::frmsoftwaremain).is_loaded());

  ui::Control& bar = prog.forms.get(window::frmsoftwaremain).host_control(host_key, "StatusBar");
  bar.set_panel(1, "Project Database - p.gwp");
  try {
    ReportSession report(prog, kFormLD347);
    report.progress(1999, 5000);
    EXPECT_EQ(bar.panel(1), "Project Database - p.gwp");
    report.progress(2000, 5000);
    EXPECT_EQ(bar.panel(1), "Form LD347: 2000 of 5000 pipes written");
    report.progress(4000, 5000);
    EXPECT_EQ(bar.panel(1), "Form LD347: 4000 of 5000 pipes written");
    throw gw::Error("a row failed");
  } catch (const gw::Error&) {}
  EXPECT_EQ(bar.panel(1), "Project Database - p.gwp");
}

}  // namespace gw::reports
