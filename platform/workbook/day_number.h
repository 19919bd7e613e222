// The spreadsheet's day numbers of calendar dates.
#pragma once

namespace gw::wb {

// Takes a calendar date (year 1900..9999, or 1904..9999 in the 1904 date system) and
// whether the workbook counts from 1904. Gives its day number: in the 1900 system 1 is
// 1 January 1900 and, as spreadsheets count, 60 is the 29 February 1900 that never was,
// so 61 is 1 March 1900; in the 1904 system 0 is 1 January 1904. Raises gw::Error for a
// date that does not exist or lies outside that range.
int day_number(int year, int month, int day, bool date1904 = false);

}  // namespace gw::wb
