"""Writes a list of cells (row, column, n or s, value; tab-separated) with XlsxWriter and
prints the seconds that the writing and the closing of the workbook took."""
import sys
import time

import xlsxwriter


def main(cells_path, out_path):
    cells = []
    with open(cells_path, encoding="utf-8") as f:
        for line in f:
            row, col, kind, value = line.rstrip("\n").split("\t", 3)
            cells.append((int(row) - 1, int(col) - 1, float(value) if kind == "n" else value, kind == "n"))
    start = time.perf_counter()
    book = xlsxwriter.Workbook(out_path)
    sheet = book.add_worksheet()
    for row, col, value, is_number in cells:
        if is_number:
            sheet.write_number(row, col, value)
        else:
            sheet.write_string(row, col, value)
    book.close()
    print(time.perf_counter() - start)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
