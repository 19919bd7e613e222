// Opening, filling, reading back and saving workbooks: what a report needs and what the
// template must keep.
#include "platform/workbook/workbook.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/error/error.h"
#include "platform/workbook/zip_archive.h"
#include "tests/support/book_files.h"

namespace gw::wb {
namespace {

using testing::BookSpec;
using testing::Folder;
using testing::part_text;
using testing::sheet_part;
using testing::write_book;

// One sheet with a shared-string label (A1), a styled number (B2), a styled blank cell
// (C3) and a formula over B2 (D2), merged cells, column widths and a calculation chain.
BookSpec form_book() {
  BookSpec b;
  b.shared = {"Project:", "Designer:"};
  b.sheets = {sheet_part(
      R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="C1" t="s"><v>1</v></c></row>)"
      R"(<row r="2"><c r="B2" s="1"><v>2.5</v></c><c r="D2"><f>B2*2</f><v>5</v></c></row>)"
      R"(<row r="3"><c r="C3" s="1"/></row>)",
      R"(<mergeCells count="1"><mergeCell ref="A5:D5"/></mergeCells>)",
      R"(<dimension ref="A1:D3"/><cols><col min="1" max="1" width="20" customWidth="1"/></cols>)")};
  b.calc_chain = true;
  return b;
}

TEST(Workbook, WritesAndReadsBackCellsAsTyped) {
  Folder dir;
  Workbook wb = Workbook::open(write_book(dir.path("f.xlr"), form_book()));
  wb.set_value(3, 3, "12.5");     // a numeric text becomes a number
  wb.set_value(4, 1, "24 X 30");  // any other text stays text
  wb.set_value(4, 2, "007");
  wb.set_value(4, 3, " padded ");
  wb.set_number(5, 1, 1.0 / 3.0);
  wb.set_value(1, 1, "");  // the empty text blanks a cell
  wb.set_value(9, 9, "");  // and leaves a missing one missing

  auto check = [](const Workbook& w) {
    EXPECT_EQ(w.number(3, 3), 12.5);
    EXPECT_EQ(w.text(3, 3), "12.5");
    EXPECT_EQ(w.text(4, 1), "24 X 30");
    EXPECT_EQ(w.number(4, 1), std::nullopt);
    EXPECT_EQ(w.number(4, 2), 7);
    EXPECT_EQ(w.text(4, 3), " padded ");
    EXPECT_EQ(w.number(5, 1), 1.0 / 3.0);  // a number keeps every digit
    EXPECT_EQ(w.text(5, 1), "0.333333333333333");
    EXPECT_EQ(w.text(1, 1), "");
    EXPECT_EQ(w.number(1, 1), std::nullopt);
    EXPECT_EQ(w.text(1, 3), "Designer:");  // shared strings read back
    EXPECT_EQ(w.text(2, 4), "5");          // a formula reads as its value
  };
  check(wb);
  wb.save(dir.path("out.xls"));
  check(Workbook::open(dir.path("out.xls")));
  std::string sheet = part_text(dir.path("out.xls"), "xl/worksheets/sheet1.xml");
  EXPECT_EQ(sheet.find("I9"), std::string::npos);
}

TEST(Workbook, KeepsWhatItDoesNotTouch) {
  Folder dir;
  std::string path = write_book(dir.path("f.xlr"), form_book());
  Workbook wb = Workbook::open(path);
  wb.set_value(3, 3, "4");  // a styled blank cell
  wb.set_value(6, 2, "new");
  wb.save(dir.path("out.xls"));

  std::string sheet = part_text(dir.path("out.xls"), "xl/worksheets/sheet1.xml");
  EXPECT_NE(sheet.find(R"(<c r="C3" s="1"><v>4</v></c>)"), std::string::npos) << sheet;  // style kept
  EXPECT_NE(sheet.find(R"(<mergeCell ref="A5:D5"/>)"), std::string::npos);
  EXPECT_NE(sheet.find(R"(<col min="1" max="1" width="20" customWidth="1"/>)"), std::string::npos);
  EXPECT_NE(sheet.find("<f>B2*2</f>"), std::string::npos);
  EXPECT_NE(sheet.find(R"(<dimension ref="A1:D6"/>)"), std::string::npos);
  // Rows and cells stay in order: row 6 comes after row 3.
  EXPECT_LT(sheet.find(R"(<row r="3")"), sheet.find(R"(<row r="6")"));
  EXPECT_EQ(part_text(dir.path("out.xls"), "xl/styles.xml"), part_text(path, "xl/styles.xml"));
  EXPECT_EQ(part_text(dir.path("out.xls"), "xl/sharedStrings.xml"), part_text(path, "xl/sharedStrings.xml"));
  // Formulas are worked out again on opening; the stale calculation chain is gone.
  EXPECT_NE(part_text(dir.path("out.xls"), "xl/workbook.xml").find(R"(fullCalcOnLoad="1")"),
            std::string::npos);
  EXPECT_FALSE(testing::has_part(dir.path("out.xls"), "xl/calcChain.xml"));
  EXPECT_EQ(part_text(dir.path("out.xls"), "[Content_Types].xml").find("calcChain"), std::string::npos);
  EXPECT_EQ(part_text(dir.path("out.xls"), "xl/_rels/workbook.xml.rels").find("calcChain"),
            std::string::npos);
  // The file it came from is untouched.
  EXPECT_EQ(Workbook::open(path).text(3, 3), "");
}

// A calculation chain is dropped at save; one whose relationship names a part the save
// must keep (or a part of the package itself) would make it delete or overwrite that
// part. Such a file is refused at open, naming the file, and nothing is written.
TEST(Workbook, RefusesRelationshipsThatNameThePackagesOwnParts) {
  Folder dir;
  for (const char* target :
       {"workbook.xml", "/[Content_Types].xml", "worksheets/sheet1.xml", "_rels/workbook.xml.rels",
        "../_rels/.rels", "styles.xml", "./../xl/WORKBOOK.xml"}) {
    BookSpec b = form_book();
    b.calc_chain_target = target;
    std::string path = write_book(dir.path("bad.xlr"), b);
    try {
      Workbook::open(path);
      ADD_FAILURE() << "opened with a calculation chain at '" << target << "'";
    } catch (const gw::Error& e) {
      EXPECT_NE(std::string(e.what()).find("'" + path + "' is not a usable workbook"), std::string::npos)
          << e.what();
    }
  }
}

// A part named outside the package, or a relationship that points out of it (marked
// External, another kind of address, or climbing above the root with ".."), refuses the file,
// naming what points out; the package's own absolute part names stay usable.
TEST(Workbook, RefusesPartsAndRelationshipsOutsideThePackage) {
  Folder dir;
  const std::string rel_type = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
  auto with_relationship = [&](const std::string& rels_part, const std::string& relationship) {
    std::vector<ZipEntry> parts = testing::book_parts(form_book());
    bool found = false;
    for (ZipEntry& e : parts)
      if (e.name == rels_part) {
        e.data.insert(e.data.rfind("</Relationships>"), relationship);
        found = true;
      }
    if (!found)
      parts.push_back(
          {rels_part,
           R"(<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)" +
               relationship + "</Relationships>"});
    return parts;
  };
  struct Case {
    const char* name;
    std::vector<ZipEntry> parts;
    const char* named;  // what the message names
  } cases[] = {
      {"external link of the workbook",
       with_relationship("xl/_rels/workbook.xml.rels",
                         R"(<Relationship Id="rIdX" Type=")" + rel_type +
                             R"(externalLink" Target="file:///etc/passwd" TargetMode="External"/>)"),
       "the relationship 'rIdX' of 'xl/_rels/workbook.xml.rels' to 'file:///etc/passwd'"},
      {"external hyperlink of a sheet",
       with_relationship("xl/worksheets/_rels/sheet1.xml.rels",
                         R"(<Relationship Id="rIdH" Type=")" + rel_type +
                             R"(hyperlink" Target="http://example.com/" TargetMode="External"/>)"),
       "the relationship 'rIdH' of 'xl/worksheets/_rels/sheet1.xml.rels' to 'http://example.com/'"},
      {"an address without the mark",
       with_relationship("xl/_rels/workbook.xml.rels", R"(<Relationship Id="rIdF" Type=")" + rel_type +
                                                           R"(theme" Target="file:/tmp/theme.xml"/>)"),
       "'rIdF'"},
      {"a network path",
       with_relationship("_rels/.rels", R"(<Relationship Id="rIdN" Type=")" + rel_type +
                                            R"(custom" Target="//server/share/x.xml"/>)"),
       "'rIdN'"},
      {"a windows path",
       with_relationship("xl/_rels/workbook.xml.rels", R"(<Relationship Id="rIdW" Type=")" + rel_type +
                                                           R"(theme" Target="C:\x\theme.xml"/>)"),
       "'rIdW'"},
      {"climbing out",
       with_relationship("xl/_rels/workbook.xml.rels", R"(<Relationship Id="rIdU" Type=")" + rel_type +
                                                           R"(theme" Target="../../theme.xml"/>)"),
       "'rIdU'"},
      {"a part named outside", testing::book_parts(form_book()), "its part '../outside.xml'"},
  };
  cases[6].parts.push_back({"../outside.xml", "<x/>"});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.path("outside.xlr");
    write_zip(path, c.parts);
    try {
      Workbook::open(path);
      ADD_FAILURE() << "opened";
    } catch (const gw::Error& e) {
      const std::string text = e.what();
      EXPECT_EQ(text.rfind("'" + path + "' is not a usable workbook (", 0), 0u) << text;
      EXPECT_NE(text.find(c.named), std::string::npos) << text;
      EXPECT_NE(text.find("points outside the workbook"), std::string::npos) << text;
    }
  }
  // Inside the package: absolute part names and ".." that stays within it.
  for (const char* target : {"/xl/worksheets/sheet1.xml", "../xl/worksheets/sheet1.xml"}) {
    std::vector<ZipEntry> parts = testing::book_parts(form_book());
    for (ZipEntry& e : parts)
      if (e.name == "xl/_rels/workbook.xml.rels") {
        const std::size_t at = e.data.find("worksheets/sheet1.xml");
        e.data.replace(at, std::string("worksheets/sheet1.xml").size(), target);
      }
    write_zip(dir.path("inside.xlr"), parts);
    EXPECT_EQ(Workbook::open(dir.path("inside.xlr")).sheet_count(), 1) << target;
  }
}

// A sheet nested far deeper than any machine's stack would carry through a recursive walk
// opens, fills and saves.
TEST(Workbook, ADeeplyNestedPartNeitherCrashesNorIsLost) {
  Folder dir;
  constexpr int kDepth = 300000;
  std::string deep;
  deep.reserve(kDepth * 8);
  for (int i = 0; i < kDepth; ++i) deep += "<x:a>";
  deep += "<?gw-added-rows?>";
  for (int i = 0; i < kDepth; ++i) deep += "</x:a>";
  BookSpec b;
  b.sheets = {sheet_part(R"(<row r="1"><c r="A1"><v>1</v></c></row>)",
                         R"(<extLst xmlns:x="urn:deep"><ext uri="urn:deep">)" + deep + "</ext></extLst>")};
  Workbook wb = Workbook::open(write_book(dir.path("deep.xlr"), b));
  wb.set_value(3, 1, "added");
  wb.save(dir.path("deep.xlsx"));
  Workbook back = Workbook::open(dir.path("deep.xlsx"));
  EXPECT_EQ(back.number(1, 1), 1);
  EXPECT_EQ(back.text(3, 1), "added");
  EXPECT_EQ(part_text(dir.path("deep.xlsx"), "xl/worksheets/sheet1.xml").find("gw-added-rows"),
            std::string::npos);
}

TEST(Workbook, CarriageReturnsComeBackFromTheFile) {
  Folder dir;
  Workbook wb = Workbook::open(write_book(dir.path("f.xlr"), form_book()));
  const std::string texts[] = {"line 1\r\nline 2", "a\rb", "\r", "end\r"};
  for (int i = 0; i < 4; ++i) wb.set_value(10 + i, 1, texts[i]);
  wb.save(dir.path("out.xls"));
  Workbook back = Workbook::open(dir.path("out.xls"));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(back.text(10 + i, 1), texts[i]) << i;
}

// Row numbers are read whole: one beyond the sheet's rows refuses the file instead of
// wrapping around to another row.
TEST(Workbook, RefusesRowNumbersBeyondTheSheet) {
  Folder dir;
  for (const char* rows : {R"(<row r="2147483647"><c><v>1</v></c></row><row><c><v>2</v></c></row>)",
                           R"(<row r="4294967297"><c r="A1"><v>1</v></c></row>)", R"(<row r="1048577"/>)",
                           R"(<row r="1048576"/><row><c><v>2</v></c></row>)", R"(<row r="-1"/>)"}) {
    BookSpec b;
    b.sheets = {sheet_part(rows)};
    std::string path = write_book(dir.path("rows.xlr"), b);
    EXPECT_THROW(Workbook::open(path), gw::Error) << rows;
  }
  BookSpec last;
  last.sheets = {sheet_part(R"(<row r="1048576"><c r="B1048576"><v>7</v></c></row>)")};
  EXPECT_EQ(Workbook::open(write_book(dir.path("last.xlr"), last)).number(1048576, 2), 7);
}

// A file that carries the processing instruction this layer marks added rows with (in a
// cell, before the sheet data) has it dropped: the rows written go where they belong.
TEST(Workbook, AMarkOfItsOwnInTheFileDoesNotMoveAddedRows) {
  Folder dir;
  BookSpec b;
  b.sheets = {sheet_part(R"(<row r="1"><c r="A1"><v>1</v></c></row>)"
                         R"(<row r="2"><c r="A2"><?gw-added-rows?><v>2</v></c></row>)"
                         R"(<?gw-added-rows?><row r="3"><c r="A3"><v>3</v></c></row>)",
                         {}, R"(<?gw-added-rows?>)")};
  Workbook wb = Workbook::open(write_book(dir.path("marked.xlr"), b));
  for (int row : {5, 6, 7}) wb.set_value(row, 2, "added " + std::to_string(row));
  wb.set_value(2, 2, "beside");
  wb.save(dir.path("out.xlsx"));
  Workbook back = Workbook::open(dir.path("out.xlsx"));
  for (int row : {1, 2, 3}) EXPECT_EQ(back.number(row, 1), row);
  for (int row : {5, 6, 7}) EXPECT_EQ(back.text(row, 2), "added " + std::to_string(row));
  EXPECT_EQ(back.text(2, 2), "beside");
  EXPECT_EQ(part_text(dir.path("out.xlsx"), "xl/worksheets/sheet1.xml").find("gw-added-rows"),
            std::string::npos);
}

TEST(Workbook, OverwritingAFormulaKeepsTheCellsThatShareIt) {
  Folder dir;
  BookSpec b;
  b.sheets = {sheet_part(
      R"(<row r="1"><c r="A1"><v>1</v></c><c r="B1"><f t="shared" ref="B1:B3" si="0">A1*2</f><v>2</v></c></row>)"
      R"(<row r="2"><c r="A2"><v>2</v></c><c r="B2"><f t="shared" si="0"/><v>4</v></c></row>)"
      R"(<row r="3"><c r="A3"><v>3</v></c><c r="B3"><f t="shared" si="0"/><v>6</v></c></row>)")};
  Workbook wb = Workbook::open(write_book(dir.path("f.xlr"), b));
  wb.set_value(1, 2, "x");
  wb.save();
  std::string sheet = part_text(dir.path("f.xlr"), "xl/worksheets/sheet1.xml");
  EXPECT_NE(sheet.find("<f>A2*2</f>"), std::string::npos) << sheet;
  EXPECT_NE(sheet.find("<f>A3*2</f>"), std::string::npos);
  EXPECT_EQ(sheet.find("shared"), std::string::npos);
  EXPECT_EQ(Workbook::open(dir.path("f.xlr")).text(1, 2), "x");
}

TEST(Workbook, WritesToTheActiveSheetAndSavesTheSheetItActivates) {
  Folder dir;
  BookSpec b;
  b.sheets = {
      sheet_part(""),
      sheet_part("", {}, R"(<sheetViews><sheetView tabSelected="1" workbookViewId="0"/></sheetViews>)")};
  b.active_tab = 1;
  Workbook wb = Workbook::open(write_book(dir.path("f.xlr"), b));
  EXPECT_EQ(wb.sheet_count(), 2);
  EXPECT_EQ(wb.sheet_name(2), "Sheet2");
  EXPECT_EQ(wb.active_sheet(), 2);  // as the file was saved
  wb.set_value(1, 1, "on two");
  wb.select(1);
  wb.set_value(1, 1, "on one");
  wb.activate(1);
  wb.save();

  Workbook back = Workbook::open(dir.path("f.xlr"));
  EXPECT_EQ(back.active_sheet(), 1);
  EXPECT_EQ(back.text(1, 1), "on one");
  back.select(2);
  EXPECT_EQ(back.text(1, 1), "on two");
  // Only the active sheet's tab is selected.
  EXPECT_NE(part_text(dir.path("f.xlr"), "xl/worksheets/sheet1.xml").find(R"(tabSelected="1")"),
            std::string::npos);
  EXPECT_EQ(part_text(dir.path("f.xlr"), "xl/worksheets/sheet2.xml").find("tabSelected"), std::string::npos);
  EXPECT_THROW(back.select(3), gw::Error);
  EXPECT_THROW(back.sheet_name(0), gw::Error);
}

TEST(Workbook, DatesAreDayNumbersShownWithADateFormat) {
  Folder dir;
  BookSpec b = form_book();
  Workbook wb = Workbook::open(write_book(dir.path("f.xlr"), b));
  wb.set_date(2, 2, 2024, 2, 29);  // a bold "0.00" cell: its copy with a date format
  wb.set_date(7, 1, 2000, 1, 1);   // a new cell: the default format's copy
  wb.set_date(3, 3, 2000, 1, 2);   // the same bold format again: the same copy
  EXPECT_EQ(wb.number(2, 2), 45351);
  EXPECT_EQ(wb.text(7, 1), "36526");
  wb.save();

  std::string styles = part_text(dir.path("f.xlr"), "xl/styles.xml");
  EXPECT_NE(styles.find(R"(<cellXfs count="4">)"), std::string::npos) << styles;
  EXPECT_NE(
      styles.find(
          R"(<xf numFmtId="14" fontId="1" fillId="0" borderId="0" xfId="0" applyFont="1" applyNumberFormat="1"/>)"),
      std::string::npos);
  std::string sheet = part_text(dir.path("f.xlr"), "xl/worksheets/sheet1.xml");
  EXPECT_NE(sheet.find(R"(<c r="B2" s="2"><v>45351</v></c>)"), std::string::npos) << sheet;
  EXPECT_NE(sheet.find(R"(<c r="C3" s="2">)"), std::string::npos);
  EXPECT_NE(sheet.find(R"(<c r="A7" s="3">)"), std::string::npos);
  EXPECT_THROW(wb.set_date(1, 1, 2023, 2, 29), gw::Error);
}

TEST(Workbook, ADateCellOfTheTemplateKeepsItsOwnFormat) {
  Folder dir;
  BookSpec b;
  b.workbook_pr = R"(<workbookPr date1904="1"/>)";
  b.styles =
      R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><numFmts count="1"><numFmt numFmtId="164" formatCode="mm/dd/yyyy"/></numFmts><cellXfs count="2"><xf numFmtId="0"/><xf numFmtId="164" applyNumberFormat="1"/></cellXfs></styleSheet>)";
  b.sheets = {sheet_part(R"(<row r="2"><c r="I2" s="1"/></row>)")};
  Workbook wb = Workbook::open(write_book(dir.path("f.xlr"), b));
  wb.set_date(2, 9, 2000, 1, 1);
  EXPECT_EQ(wb.number(2, 9), 35064);  // counted from 1904
  wb.save();
  EXPECT_NE(part_text(dir.path("f.xlr"), "xl/styles.xml").find(R"(<cellXfs count="2">)"), std::string::npos);
  EXPECT_NE(
      part_text(dir.path("f.xlr"), "xl/worksheets/sheet1.xml").find(R"(<c r="I2" s="1"><v>35064</v></c>)"),
      std::string::npos);
}

TEST(Workbook, ADateInAWorkbookWithoutStylesAddsThem) {
  Folder dir;
  BookSpec b;
  b.styles.clear();
  b.sheets = {sheet_part("")};
  Workbook wb = Workbook::open(write_book(dir.path("f.xlr"), b));
  wb.set_date(1, 1, 2001, 5, 6);
  wb.save();
  EXPECT_NE(part_text(dir.path("f.xlr"), "xl/styles.xml").find(R"(numFmtId="14")"), std::string::npos);
  EXPECT_NE(part_text(dir.path("f.xlr"), "[Content_Types].xml").find("/xl/styles.xml"), std::string::npos);
  EXPECT_NE(part_text(dir.path("f.xlr"), "xl/_rels/workbook.xml.rels").find("styles.xml"), std::string::npos);
  EXPECT_EQ(Workbook::open(dir.path("f.xlr")).number(1, 1), 37017);
}

TEST(Workbook, ReadsCellsWrittenByOtherPrograms) {
  Folder dir;
  BookSpec b;
  b.shared = {"label"};
  // Inline and rich texts, formula texts, booleans and errors; cells and rows without
  // their addresses; an element prefix for the main namespace.
  b.sheets = {
      std::string(R"(<x:worksheet xmlns:x=")") + testing::kMainNs +
      R"("><x:sheetData>)"
      R"(<x:row><x:c t="inlineStr"><x:is><x:r><x:t>rich </x:t></x:r><x:r><x:t>text</x:t></x:r></x:is></x:c>)"
      R"(<x:c t="str"><x:f>"a"&amp;"b"</x:f><x:v>ab</x:v></x:c><x:c t="b"><x:v>1</x:v></x:c></x:row>)"
      R"(<x:row><x:c t="e"><x:v>#DIV/0!</x:v></x:c><x:c r="C2" t="s"><x:v>0</x:v></x:c></x:row>)"
      R"(</x:sheetData></x:worksheet>)"};
  Workbook wb = Workbook::open(write_book(dir.path("f.xlsx"), b));
  EXPECT_EQ(wb.text(1, 1), "rich text");
  EXPECT_EQ(wb.text(1, 2), "ab");
  EXPECT_EQ(wb.text(1, 3), "TRUE");
  EXPECT_EQ(wb.text(2, 1), "#DIV/0!");
  EXPECT_EQ(wb.text(2, 3), "label");
  wb.set_value(2, 2, "between");
  wb.set_value(3, 1, "3");
  wb.save();
  std::string sheet = part_text(dir.path("f.xlsx"), "xl/worksheets/sheet1.xml");
  EXPECT_NE(sheet.find(R"(<x:c r="B2" t="inlineStr"><x:is><x:t>between</x:t></x:is></x:c>)"),
            std::string::npos)
      << sheet;
  EXPECT_NE(sheet.find(R"(<x:row r="3"><x:c r="A3"><x:v>3</x:v></x:c></x:row>)"), std::string::npos);
  Workbook back = Workbook::open(dir.path("f.xlsx"));
  EXPECT_EQ(back.text(2, 2), "between");
  EXPECT_EQ(back.text(2, 3), "label");
}

// Rows the template does not have go around its own rows in row order, wherever they fall;
// rewritten and blanked cells of such rows keep only their last state.
TEST(Workbook, NewRowsFallInPlaceAroundTheTemplatesRows) {
  Folder dir;
  BookSpec b;
  b.sheets = {
      sheet_part(R"(<row r="2"><c r="A2" s="1"><v>2</v></c></row><row r="5"><c r="B5"><v>5</v></c></row>)",
                 {}, R"(<dimension ref="A2:B5"/><cols><col min="3" max="3" width="9" style="1"/></cols>)")};
  Workbook wb = Workbook::open(write_book(dir.path("f.xlr"), b));
  for (int row : {7, 1, 4, 3, 6, 100000}) wb.set_value(row, 2, "r" + std::to_string(row));
  wb.set_value(5, 1, "own row");
  wb.set_value(4, 3, "3.5");
  wb.set_value(4, 3, "4.5");      // written again: the last value counts
  wb.set_value(6, 2, "");         // blanked: the cell holds nothing
  wb.set_value(7, 1, "a & <b>");  // characters the markup must escape
  wb.save(dir.path("out.xlsx"));

  const std::string sheet = part_text(dir.path("out.xlsx"), "xl/worksheets/sheet1.xml");
  std::size_t at = 0;
  for (int row : {1, 2, 3, 4, 5, 6, 7, 100000}) {
    const std::size_t found = sheet.find("<row r=\"" + std::to_string(row) + "\"", at);
    ASSERT_NE(found, std::string::npos) << "row " << row << " missing or out of order: " << sheet;
    at = found;
  }
  EXPECT_NE(sheet.find(R"(<c r="C4" s="1"><v>4.5</v></c>)"), std::string::npos) << sheet;
  EXPECT_NE(sheet.find(R"(<dimension ref="A1:C100000"/>)"), std::string::npos) << sheet;

  const Workbook back = Workbook::open(dir.path("out.xlsx"));
  for (int row : {1, 3, 4, 7, 100000}) EXPECT_EQ(back.text(row, 2), "r" + std::to_string(row));
  EXPECT_EQ(back.text(2, 1), "2");
  EXPECT_EQ(back.text(5, 1), "own row");
  EXPECT_EQ(back.text(5, 2), "5");
  EXPECT_EQ(back.number(4, 3), 4.5);
  EXPECT_EQ(back.text(6, 2), "");
  EXPECT_EQ(back.text(7, 1), "a & <b>");
}

// A sheet of many megabytes is compressed in blocks side by side; the saved file reads back
// whole, first row to last.
TEST(Workbook, ALargeSheetSavesWhole) {
  Folder dir;
  BookSpec b;
  b.sheets = {sheet_part("")};
  Workbook wb = Workbook::open(write_book(dir.path("f.xlr"), b));
  constexpr int kRows = 60000;
  for (int row = 1; row <= kRows; ++row) {
    wb.set_text(row, 1, "pipe " + std::to_string(row));
    for (int col = 2; col <= 8; ++col) wb.set_number(row, col, row * 0.25 + col);
  }
  wb.save(dir.path("big.xlsx"));
  EXPECT_GT(part_text(dir.path("big.xlsx"), "xl/worksheets/sheet1.xml").size(), 8u << 20);
  const Workbook back = Workbook::open(dir.path("big.xlsx"));
  for (int row : {1, 2, 29999, 30000, kRows}) {
    SCOPED_TRACE(row);
    EXPECT_EQ(back.text(row, 1), "pipe " + std::to_string(row));
    EXPECT_EQ(back.number(row, 8), row * 0.25 + 8);
  }
  EXPECT_EQ(back.text(kRows + 1, 1), "");
}

TEST(Workbook, ANewCellTakesItsColumnsFormat) {
  Folder dir;
  BookSpec b;
  b.sheets = {sheet_part("", {}, R"(<cols><col min="2" max="4" width="9" style="1"/></cols>)")};
  Workbook wb = Workbook::open(write_book(dir.path("f.xlr"), b));
  wb.set_value(12, 3, "1.5");
  wb.set_value(12, 5, "1.5");
  wb.save();
  std::string sheet = part_text(dir.path("f.xlr"), "xl/worksheets/sheet1.xml");
  EXPECT_NE(sheet.find(R"(<c r="C12" s="1">)"), std::string::npos) << sheet;
  EXPECT_NE(sheet.find(R"(<c r="E12">)"), std::string::npos);
}

TEST(Workbook, FailuresSayWhatWentWrong) {
  Folder dir;
  try {
    Workbook::open(dir.path("missing.xlr"));
    FAIL();
  } catch (const gw::Error& e) {
    EXPECT_NE(std::string(e.what()).find("missing.xlr"), std::string::npos);
  }
  { std::ofstream(dir.path("junk.xlr")) << "not a workbook"; }
  EXPECT_THROW(Workbook::open(dir.path("junk.xlr")), gw::Error);
  BookSpec b;
  b.sheets = {"<worksheet><sheetData><row>"};  // damaged XML
  EXPECT_THROW(Workbook::open(write_book(dir.path("bad.xlr"), b)), gw::Error);

  Workbook wb = Workbook::open(write_book(dir.path("f.xlr"), form_book()));
  for (auto [row, col] : {std::pair{0, 1}, std::pair{1, 0}, std::pair{1048577, 1}, std::pair{1, 16385}}) {
    EXPECT_THROW(wb.set_value(row, col, "x"), gw::Error);
    EXPECT_THROW(wb.text(row, col), gw::Error);
  }
  EXPECT_THROW(wb.set_number(1, 1, std::numeric_limits<double>::infinity()), gw::Error);
  EXPECT_THROW(wb.save(dir.path("no/such/folder/out.xls")), gw::Error);
}

TEST(Workbook, TextsThatXmlCannotHoldSurviveTheRoundTrip) {
  Folder dir;
  Workbook wb = Workbook::open(write_book(dir.path("f.xlr"), form_book()));
  const std::string odd = std::string("bell\x07 & <tag> \"q\" _x0041_ caf\xC3\xA9");
  wb.set_value(1, 1, odd);
  wb.save();
  EXPECT_EQ(Workbook::open(dir.path("f.xlr")).text(1, 1), odd);
}

}  // namespace
}  // namespace gw::wb
