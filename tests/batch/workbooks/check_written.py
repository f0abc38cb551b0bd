#!/usr/bin/python3
"""Checks with openpyxl, as another program reads it, what workbook_test
wrote: text stays text, scores are numbers, the header is bold, frozen and
filtered."""
import sys

import openpyxl

sheet = openpyxl.load_workbook(sys.argv[1]).active
assert all(cell.font.b for cell in sheet[1][:4]), "bold header"
assert sheet.freeze_panes == "A2", sheet.freeze_panes
assert sheet.auto_filter.ref == "A1:D5", sheet.auto_filter.ref
assert sheet.column_dimensions["B"].width >= 20, "identity column width"
for ref, kind, value in [("B2", "s", "110101199003071233"), ("D2", "s", "=1+1"), ("C2", "n", 120),
                         ("D3", "s", "-4"), ("C4", "n", -4.5), ("D4", "s", "0120"),
                         ("C5", "s", "x"), ("C3", "n", None)]:
    cell = sheet[ref]
    assert (cell.data_type, cell.value) == (kind, value), (ref, cell.data_type, cell.value)
