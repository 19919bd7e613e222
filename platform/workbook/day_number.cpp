// The spreadsheet's day numbers of calendar dates.
#include "platform/workbook/day_number.h"

#include <string>

#include "platform/error/error.h"

namespace gw::wb {

namespace {

bool leap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int days_in_month(int y, int m) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && leap(y) ? 29 : kDays[m - 1];
}

// Days since 1 January 1970 of a proleptic Gregorian date.
long days_from_civil(int y, int m, int d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

}  // namespace

int day_number(int year, int month, int day, bool date1904) {
  const int first_year = date1904 ? 1904 : 1900;
  if (year < first_year || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > days_in_month(year, month))
    throw gw::Error("Invalid date " + std::to_string(year) + "-" + std::to_string(month) + "-" +
                    std::to_string(day) + ".");
  const long days = days_from_civil(year, month, day);
  if (date1904) return static_cast<int>(days - days_from_civil(1904, 1, 1));
  long n = days - days_from_civil(1899, 12, 31);  // 1 for 1 January 1900
  if (n >= 60) ++n;                               // after the phantom 29 February 1900
  return static_cast<int>(n);
}

}  // namespace gw::wb
