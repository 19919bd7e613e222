// Spreadsheet workbooks (Office Open XML): open, read and write cells, select sheets, save.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace gw::wb {

// One workbook file, held in memory while it is filled. Cells are addressed (row, column),
// both counted from 1, on the active worksheet, as the report writers address them.
// Failures raise gw::Error with a description the user can read.
class Workbook {
 public:
  // Opens a workbook file whatever its extension (the templates are ".xlr").
  static Workbook open(const std::string& path);
  Workbook(Workbook&&) noexcept;
  Workbook& operator=(Workbook&&) noexcept;
  ~Workbook();

  int sheet_count() const;
  std::string sheet_name(int index) const;  // 1-based
  // The worksheet the file was saved with as active, until select/activate change it.
  int active_sheet() const;
  void select(int index);    // Worksheets(index).Select
  void activate(int index);  // Worksheets(index).Activate

  // Writes a value as a user typing it would: a text that reads as a number is stored as
  // a number, the empty text leaves the cell blank, any other text is stored as text.
  void set_value(int row, int col, const std::string& text);
  // Writes a label: the text is stored as text exactly as it stands, whatever it reads as
  // ("001", "1E2", "=A1" stay texts); the empty text leaves the cell blank.
  void set_text(int row, int col, const std::string& text);
  void set_number(int row, int col, double value);
  // A date, stored as the spreadsheet's day number and shown with a date format.
  void set_date(int row, int col, int year, int month, int day);
  // What a cell holds, as text: a number in the general conversion, a text as is, a
  // blank cell as the empty text. A date reads as its day number.
  std::string text(int row, int col) const;
  std::optional<double> number(int row, int col) const;

  // Writes the workbook to `path` (the file it was opened from when empty).
  void save(const std::string& path = {});

 private:
  struct Impl;
  explicit Workbook(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace gw::wb
