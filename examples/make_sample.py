#!/usr/bin/env python3
"""Writes examples/parts_list.dxf: a small AC1015 drawing in Shift-JIS (ANSI_932) with three
grouped tables, as a drawing office would save it: a parts list and a revision table of
centred texts, and a table of notes whose texts are aligned left on their baseline (they have
no second alignment point, group 21)."""
import os

def pair(code, value):
    return f"{code:>3}\r\n{value}\r\n"

def text(handle, content, x, y, v=2, h=1):
    return (pair(0, "TEXT") + pair(5, handle) + pair(100, "AcDbEntity") + pair(8, "TABLE")
            + pair(100, "AcDbText") + pair(10, x) + pair(20, y) + pair(30, "0.0") + pair(40, "50.0")
            + pair(1, content) + pair(72, h) + pair(11, x) + pair(21, y) + pair(31, "0.0")
            + pair(100, "AcDbText") + pair(73, v))

def left_text(handle, content, x, y):
    """A TEXT aligned left on its baseline: no 72, 73 or second alignment point."""
    return (pair(0, "TEXT") + pair(5, handle) + pair(100, "AcDbEntity") + pair(8, "NOTES")
            + pair(100, "AcDbText") + pair(10, x) + pair(20, y) + pair(30, "0.0") + pair(40, "50.0")
            + pair(1, content) + pair(100, "AcDbText"))

def line(handle, x1, y1, x2, y2):
    return (pair(0, "LINE") + pair(5, handle) + pair(100, "AcDbEntity") + pair(8, "TABLE")
            + pair(100, "AcDbLine") + pair(10, x1) + pair(20, y1) + pair(30, "0.0")
            + pair(11, x2) + pair(21, y2) + pair(31, "0.0"))

def group(handle, name, members):
    out = pair(0, "GROUP") + pair(5, handle) + pair(102, "{ACAD_REACTORS") + pair(330, "C")
    out += pair(102, "}") + pair(330, "C") + pair(100, "AcDbGroup") + pair(300, name)
    out += pair(70, 0) + pair(71, 1)
    for m in members:
        out += pair(340, m)
    return out

parts = [("品番", "品名", "数量"), ("1", "六角ボルト M8", "4"), ("2", "ナット M8", "4"),
         ("3", "ワッシャー, 平 M8", "8"), ("4", "丸棒 SS400 %%c20", "1")]
notes = [("記号", "注記"), ("A", "面取り C1"), ("B", "穴 %%c8 通し")]
revisions = [("改訂", "日付", "内容"), ("A", "2026-12-01", "初版"), ("B", "2026-12-10", "数量訂正")]

entities = ""
handle = 0x100
part_handles, rev_handles = [], []
for r, row in enumerate(parts):
    for c, cell in enumerate(row):
        h = f"{handle:X}"; handle += 1
        entities += text(h, cell, f"{[100.0, 600.0, 2100.0][c]:.1f}", f"{1000.0 - 300.0 * r:.1f}")
        part_handles.append(h)
for r, row in enumerate(revisions):
    for c, cell in enumerate(row):
        h = f"{handle:X}"; handle += 1
        # The revision B text was drawn with baseline alignment (73 = 0), not centred.
        v = 0 if cell == "数量訂正" else 2
        entities += text(h, cell, f"{[3100.0, 3500.0, 4300.0][c]:.1f}", f"{1000.0 - 300.0 * r:.1f}", v=v)
        rev_handles.append(h)
note_handles = []
for r, row in enumerate(notes):
    for c, cell in enumerate(row):
        h = f"{handle:X}"; handle += 1
        entities += left_text(h, cell, f"{[100.0, 500.0][c]:.1f}", f"{-800.0 - 250.0 * r:.1f}")
        note_handles.append(h)
entities += text(f"{handle:X}", "部品表", "100.0", "1400.0"); handle += 1
entities += line(f"{handle:X}", "0.0", "1150.0", "2500.0", "1150.0"); handle += 1

# Members listed in an order unlike the drawing's, as CAD programs do.
out = pair(0, "SECTION") + pair(2, "HEADER") + pair(9, "$ACADVER") + pair(1, "AC1015")
out += pair(9, "$DWGCODEPAGE") + pair(3, "ANSI_932") + pair(0, "ENDSEC")
out += pair(0, "SECTION") + pair(2, "ENTITIES") + entities + pair(0, "ENDSEC")
out += pair(0, "SECTION") + pair(2, "OBJECTS")
out += pair(0, "DICTIONARY") + pair(5, "C") + pair(100, "AcDbDictionary") + pair(3, "ACAD_GROUP") + pair(350, "D")
out += group("E0", "PARTS", list(reversed(part_handles)))
out += group("E1", "REVISIONS", rev_handles[3:] + rev_handles[:3])
out += group("E2", "NOTES", list(reversed(note_handles)))
out += pair(0, "ENDSEC") + pair(0, "EOF")

path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "parts_list.dxf")
with open(path, "wb") as f:
    f.write(out.encode("cp932"))
