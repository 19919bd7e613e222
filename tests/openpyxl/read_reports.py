"""Reads the four report workbooks that tests/scenarios/reports_identifiers.scn saves with
openpyxl, an independent reader: each must open, and its identifiers must be texts exactly as
typed while the quantities beside them are numbers."""
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


def main(folder):
    failures = []
    for name, cells in EXPECTED.items():
        try:
            book = openpyxl.load_workbook(f"{folder}/{name}")
        except Exception as e:  # the workbook must open at all
            failures.append(f"{name}: openpyxl cannot open it: {e}")
            continue
        sheet = book.worksheets[0]
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
