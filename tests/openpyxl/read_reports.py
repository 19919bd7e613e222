"""Reads the four report workbooks that tests/scenarios/reports_identifiers.scn saves with
openpyxl, an independent reader: each must open, and its identifiers must be texts exactly as
typed while the quantities beside them are numbers. The saved workbooks keep the layout that
prints them as the forms: a title row tall enough for its title, the pipe report's units note on
a row of its own, the outlet workbook's D50 column wide enough for a range and its page break
before the USBR basin."""
import sys

import openpyxl

# workbook -> [(row, column, expected value)]; a str must be stored as text, a number as one.
EXPECTED = {
    "ld229.xlsx": [
        (12, 1, "001"), (12, 2, "0010"), (12, 4, "1E2"), (12, 5, "3-4"), (13, 3, "3-4"),
        (13, 4, "0104"), (14, 2, "=A1"), (12, 16, 120), (5, 25, "ENGLISH"),
        (1, 13, "Route 340 Storm Sewer"), (4, 13, "Augusta"),
    ],
    "pipe.xlsx": [
        (11, 3, "10"), (20, 4, "1E2"), (20, 5, "3-4"), (21, 4, "0104"), (29, 2, "001"),
        (29, 3, 0.4), (12, 3, 150),
    ],
    "ld347.xlsx": [
        (11, 1, "0104"), (11, 25, 1504), (12, 1, "1E2"), (12, 2, "3-4"), (12, 3, 1496.25),
        (13, 1, "0010"), (15, 1, "=A1"), (12, 27, "ADJUST"),
    ],
    "outlet.xlsx": [
        (5, 5, "0104"), (1, 3, "Route 340 Storm Sewer"),
    ],
}

# The 14-point titles need rows of at least 20 points; the D50 range "0.00082 - 0.00041" needs
# a column of 18 characters; the outlet workbook's second page starts at the USBR basin (row 54).
MIN_ROW_HEIGHT = {"ld229.xlsx": {1: 20}, "ld347.xlsx": {2: 20}, "pipe.xlsx": {1: 20, 4: 20}, "outlet.xlsx": {4: 20}}
MIN_COLUMN_WIDTH = {"outlet.xlsx": {"I": 18}}
ROW_BREAKS = {"outlet.xlsx": [53]}  # the last row of each page before a break


def layout_failures(name, sheet):
    failures = []
    for row, least in MIN_ROW_HEIGHT.get(name, {}).items():
        height = sheet.row_dimensions[row].height
        if height is None or height < least:
            failures.append(f"{name}: row {row} is {height} points high, less than {least}")
    for col, least in MIN_COLUMN_WIDTH.get(name, {}).items():
        width = sheet.column_dimensions[col].width
        if width is None or width < least:
            failures.append(f"{name}: column {col} is {width} wide, less than {least}")
    breaks = sorted(b.id for b in sheet.row_breaks.brk)
    if breaks != ROW_BREAKS.get(name, []):
        failures.append(f"{name}: page breaks after rows {breaks}, want {ROW_BREAKS.get(name, [])}")
    if name == "pipe.xlsx":
        if "A4:I4" not in {str(r) for r in sheet.merged_cells.ranges}:
            failures.append("pipe.xlsx: the units note does not span A4:I4")
        if sheet.cell(row=3, column=1).value is not None:
            failures.append("pipe.xlsx: A3 holds text beside the Designer block")
    return failures


def main(folder):
    failures = []
    for name, cells in EXPECTED.items():
        try:
            book = openpyxl.load_workbook(f"{folder}/{name}")
        except Exception as e:  # the workbook must open at all
            failures.append(f"{name}: openpyxl cannot open it: {e}")
            continue
        sheet = book.worksheets[0]
        failures += layout_failures(name, sheet)
        for row, col, want in cells:
            cell = sheet.cell(row=row, column=col)
            got = cell.value
            if isinstance(want, str):
                ok = isinstance(got, str) and got == want and cell.data_type == "s"
            else:
                ok = isinstance(got, (int, float)) and not isinstance(got, bool) and abs(got - want) < 1e-9
            if not ok:
                failures.append(f"{name} ({row}, {col}): want {want!r}, got {got!r} ({cell.data_type})")
        # A formula never stands where the program wrote a text.
        for row in sheet.iter_rows():
            for cell in row:
                if cell.data_type == "f" and cell.value == "=A1":
                    failures.append(f"{name} {cell.coordinate}: '=A1' became a formula")
    for f in failures:
        print(f)
    print(f"{len(EXPECTED)} workbooks read, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
