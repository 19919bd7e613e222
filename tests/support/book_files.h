// Workbook files for the workbook and report tests: a private folder, and small packages written
// part by part so that each test shows the structure it is about.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/workbook/zip_archive.h"
#include "tests/support/scratch_folder.h"

namespace gw::wb::testing {

// The private folder of one test (the shared scratch folder under its older name here).
using Folder = gw::testing::ScratchFolder;

inline const char* kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

// A worksheet part around the given sheetData rows (and anything after it).
inline std::string sheet_part(const std::string& rows, const std::string& after = {},
                              const std::string& before = {}) {
  return std::string(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?><worksheet xmlns=")") +
         kMainNs + R"(" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)" +
         before + "<sheetData>" + rows + "</sheetData>" + after + "</worksheet>";
}

struct BookSpec {
  std::vector<std::string> sheets;  // worksheet parts
  int active_tab = 0;
  std::vector<std::string> shared;  // shared strings; none: no part
  std::string styles =
      R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><fonts count="2"><font><sz val="10"/><name val="Arial"/></font><font><b/><sz val="10"/><name val="Arial"/></font></fonts><fills count="2"><fill><patternFill patternType="none"/></fill><fill><patternFill patternType="gray125"/></fill></fills><borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders><cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs><cellXfs count="2"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/><xf numFmtId="2" fontId="1" fillId="0" borderId="0" xfId="0" applyFont="1"/></cellXfs></styleSheet>)";
  bool calc_chain = false;
  std::string calc_chain_target = "calcChain.xml";  // as the workbook's relationship names it
  std::string workbook_pr;                          // e.g. R"(<workbookPr date1904="1"/>)"
};

inline std::vector<ZipEntry> book_parts(const BookSpec& b) {
  std::string types =
      R"(<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
      R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
      R"(<Default Extension="xml" ContentType="application/xml"/>)"
      R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)";
  std::string rels =
      R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
  std::string wb = std::string(R"(<?xml version="1.0" encoding="UTF-8"?><workbook xmlns=")") + kMainNs +
                   R"(" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)" +
                   b.workbook_pr + "<bookViews><workbookView activeTab=\"" + std::to_string(b.active_tab) +
                   "\"/></bookViews><sheets>";
  std::vector<ZipEntry> parts;
  for (size_t i = 0; i < b.sheets.size(); ++i) {
    std::string n = std::to_string(i + 1);
    wb += "<sheet name=\"Sheet" + n + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
    rels += "<Relationship Id=\"rId" + n +
            "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
            "Target=\"worksheets/sheet" +
            n + ".xml\"/>";
    types +=
        "<Override PartName=\"/xl/worksheets/sheet" + n +
        ".xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
    parts.push_back({"xl/worksheets/sheet" + n + ".xml", b.sheets[i]});
  }
  wb += "</sheets></workbook>";
  if (!b.styles.empty()) {
    rels +=
        R"(<Relationship Id="rIdS" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)";
    types +=
        R"(<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>)";
    parts.push_back({"xl/styles.xml", b.styles});
  }
  if (!b.shared.empty()) {
    std::string sst = std::string("<sst xmlns=\"") + kMainNs + "\">";
    for (const std::string& s : b.shared) sst += "<si><t>" + s + "</t></si>";
    sst += "</sst>";
    rels +=
        R"(<Relationship Id="rIdT" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>)";
    types +=
        R"(<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>)";
    parts.push_back({"xl/sharedStrings.xml", sst});
  }
  if (b.calc_chain) {
    rels +=
        R"(<Relationship Id="rIdC" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/calcChain" Target=")" +
        b.calc_chain_target + "\"/>";
    types +=
        R"(<Override PartName="/xl/calcChain.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml"/>)";
    parts.push_back({"xl/calcChain.xml",
                     std::string("<calcChain xmlns=\"") + kMainNs + "\"><c r=\"C1\" i=\"1\"/></calcChain>"});
  }
  rels += "</Relationships>";
  types += "</Types>";
  parts.insert(parts.begin(), {"xl/_rels/workbook.xml.rels", rels});
  parts.insert(parts.begin(), {"xl/workbook.xml", wb});
  parts.insert(
      parts.begin(),
      {"_rels/.rels",
       R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)"});
  parts.insert(parts.begin(), {"[Content_Types].xml", types});
  return parts;
}

inline std::string write_book(const std::string& path, const BookSpec& b) {
  write_zip(path, book_parts(b));
  return path;
}

// The text of one part of a saved file ("" when absent).
inline std::string part_text(const std::string& path, const std::string& name) {
  for (const ZipEntry& e : read_zip(path))
    if (e.name == name) return e.data;
  return {};
}

inline bool has_part(const std::string& path, const std::string& name) {
  for (const ZipEntry& e : read_zip(path))
    if (e.name == name) return true;
  return false;
}

}  // namespace gw::wb::testing
