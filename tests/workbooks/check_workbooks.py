#!/usr/bin/python3
"""Reads back the workbooks that dxf2csv writes, with openpyxl (a reader no one here wrote):
sheet names, every cell's value and type, merged ranges, wrapped cells, column widths, for
grouped and ruled tables, Japanese texts and the edges of the number rule; a failed run that
leaves an existing workbook as it was; a workbook written to standard output.

    check_workbooks.py DXF2CSV SOURCE_DIR
"""
import io
import os
import subprocess
import sys
import tempfile

import openpyxl

dxf2csv, source = sys.argv[1], sys.argv[2]
failures = []
passed = 0


def check(condition, what):
    global passed
    if condition:
        passed += 1
    else:
        failures.append(what)


def convert(drawing, *options, output=None):
    args = [dxf2csv, "--format", "xlsx", *options]
    if output:
        args += ["-o", output]
    return subprocess.run(args + [drawing], capture_output=True, env={**os.environ, "LANG": "C"})


def cells(workbook):
    """Each sheet as {name: [(coordinate, value, type)]}, with its merged ranges."""
    out = {}
    for sheet in workbook.worksheets:
        values = [(c.coordinate, c.value, c.data_type) for row in sheet.iter_rows() for c in row if c.value is not None]
        out[sheet.title] = (values, sorted(str(r) for r in sheet.merged_cells.ranges))
    return out


def pair(code, value):
    return f"{code:>3}\n{value}\n"


def drawing_of(entities):
    return (pair(0, "SECTION") + pair(2, "HEADER") + pair(9, "$ACADVER") + pair(1, "AC1021") + pair(0, "ENDSEC")
            + pair(0, "SECTION") + pair(2, "ENTITIES") + entities + pair(0, "ENDSEC") + pair(0, "EOF"))


def line(x1, y1, x2, y2):
    return pair(0, "LINE") + pair(10, x1) + pair(20, y1) + pair(11, x2) + pair(21, y2)


def text(content, x, y):
    return (pair(0, "TEXT") + pair(10, x) + pair(20, y) + pair(40, 2.5) + pair(1, content) + pair(72, 1)
            + pair(11, x) + pair(21, y) + pair(73, 2))


with tempfile.TemporaryDirectory() as work:
    # Grouped tables: the sample's three GROUPs, a worksheet each, numbers where plain.
    sample = os.path.join(work, "parts_list.dxf")
    with open(os.path.join(source, "examples", "parts_list.dxf"), "rb") as f, open(sample, "wb") as g:
        g.write(f.read())
    done = convert(sample)
    check(done.returncode == 0, f"parts_list: exit {done.returncode} {done.stderr!r}")
    got = cells(openpyxl.load_workbook(sample + ".xlsx"))
    check(list(got) == ["表1", "表2", "表3"], f"parts_list sheets {list(got)}")
    table1 = got["表1"][0]
    check(("A1", "品番", "s") in table1 and ("A2", 1, "n") in table1 and ("C4", 8, "n") in table1,
          f"parts_list 表1 {table1}")
    check(("B5", "丸棒 SS400 φ20", "s") in table1, "parts_list: text codes decoded")
    check(("B2", "2026-12-01", "s") in got["表2"][0], f"parts_list 表2 {got['表2'][0]}")

    # Ruled tables: the merged header, the MTEXT of two lines, the title block's entries.
    ruled = os.path.join(work, "title_block.dxf")
    with open(os.path.join(source, "tests", "data", "ruled", "title_block.dxf"), "rb") as f, open(ruled, "wb") as g:
        g.write(f.read())
    done = convert(ruled, "--tables", "ruled")
    check(done.returncode == 0, f"title_block: exit {done.returncode} {done.stderr!r}")
    workbook = openpyxl.load_workbook(ruled + ".xlsx")
    got = cells(workbook)
    check(list(got) == ["表1", "表2"], f"title_block sheets {list(got)}")
    values, merged = got["表1"]
    check(merged == ["B1:C1"], f"title_block merged {merged}")
    check(("B1", "品名・材質", "s") in values and ("D2", 4, "n") in values and ("B4", "丸棒\nL=120", "s") in values,
          f"title_block 表1 {values}")
    check(workbook["表1"]["B4"].alignment.wrap_text, "title_block: a cell of two lines wraps")
    check(("B1", "軸受けブラケット", "s") in got["表2"][0], f"title_block 表2 {got['表2'][0]}")
    widths = workbook["表1"].column_dimensions
    check(4 <= widths["A"].width <= 60 and widths["B"].width > widths["A"].width,
          f"title_block widths {widths['A'].width} {widths['B'].width}")

    # The number rule at its edges: only plain decimals are numbers.
    edges = [("4", 4), ("-12", -12), ("0.5", 0.5), ("12.50", 12.5), ("0", 0),
             ("1-2", "1-2"), ("007", "007"), ("1E5", "1E5"), ("3/4", "3/4"), ("M8", "M8"), ("１０", "１０"),
             ("+5", "+5"), (".5", ".5"), ("4.", "4."), ("-0.0", -0.0), ("00", "00")]
    entities = ""
    for k, (content, _) in enumerate(edges):
        x = 10 * k
        entities += line(x, 0, x, 10) + text(content, x + 5, 5)
    entities += line(10 * len(edges), 0, 10 * len(edges), 10) + line(0, 0, 10 * len(edges), 0) + line(0, 10, 10 * len(edges), 10)
    numbers = os.path.join(work, "numbers.dxf")
    with open(numbers, "w", encoding="utf-8") as f:
        f.write(drawing_of(entities))
    done = convert(numbers)
    check(done.returncode == 0, f"numbers: exit {done.returncode} {done.stderr!r}")
    row = [c for c in openpyxl.load_workbook(numbers + ".xlsx")["表1"][1]]
    for cell, (content, expected) in zip(row, edges):
        number = not isinstance(expected, str)
        check(cell.value == expected and (cell.data_type == "n") == number,
              f"number rule: {content!r} gave {cell.value!r} ({cell.data_type})")

    # No table: one empty worksheet 表1, and the report says so.
    nothing = os.path.join(work, "nothing.dxf")
    with open(nothing, "w", encoding="utf-8") as f:
        f.write(drawing_of(text("alone", 0, 0)))
    done = convert(nothing)
    got = cells(openpyxl.load_workbook(nothing + ".xlsx"))
    check(got == {"表1": ([], [])}, f"no table: {got}")
    check("表が見つかりませんでした" in done.stdout.decode(), f"no table report {done.stdout!r}")

    # A failed run leaves an existing workbook as it was; -o - writes the workbook itself.
    broken = os.path.join(work, "broken.dxf")
    with open(broken, "w") as f:
        f.write("  0\nSECTION\nxx\nENTITIES\n")
    with open(broken + ".xlsx", "wb") as f:
        f.write(b"the old workbook")
    done = convert(broken)
    with open(broken + ".xlsx", "rb") as f:
        check(done.returncode == 1 and f.read() == b"the old workbook", "a failed run kept the old workbook")
    check(sorted(os.listdir(work)).count("broken.dxf.xlsx") == 1, "no temporary file left")
    done = convert(ruled, output="-")
    check(done.returncode == 0 and list(cells(openpyxl.load_workbook(io.BytesIO(done.stdout)))) == ["表1", "表2"],
          "a workbook on standard output")

for failure in failures:
    print("FAILED:", failure)
print(f"{passed} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
