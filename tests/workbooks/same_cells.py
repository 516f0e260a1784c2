#!/usr/bin/python3
"""Whether two workbooks hold the same sheets, cells (values and types), merged ranges and
wrapped cells, as openpyxl reads them: the bytes differ by their time stamps.

    same_cells.py A.xlsx B.xlsx
"""
import sys

import openpyxl


def contents(path):
    workbook = openpyxl.load_workbook(path)
    return [(sheet.title,
             [(c.coordinate, c.value, c.data_type, bool(c.alignment.wrap_text))
              for row in sheet.iter_rows() for c in row if c.value is not None],
             sorted(str(r) for r in sheet.merged_cells.ranges),
             {k: d.width for k, d in sheet.column_dimensions.items()})
            for sheet in workbook.worksheets]


a, b = contents(sys.argv[1]), contents(sys.argv[2])
if a != b:
    print(f"{sys.argv[1]} and {sys.argv[2]} differ:\n{a}\n{b}")
    sys.exit(1)
