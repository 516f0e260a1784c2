#!/usr/bin/env python3
"""Writes title_block.dxf beside this script: an AC1015 drawing in Shift-JIS (ANSI_932) with no
GROUP, as drawing offices draw their tables: a sheet frame with a title block in its corner
that shares the frame's lines, its entries as ATTRIB values of a block placed by an INSERT (where they stand on the sheet), and
a parts list drawn as one closed LWPOLYLINE with inner LINEs in short pieces, a header cell
spanning two columns, an MTEXT of two lines and a %%c text."""
import os

def pair(code, value):
    return f"{code:>3}\r\n{value}\r\n"

def line(x1, y1, x2, y2):
    return (pair(0, "LINE") + pair(8, "FRAME") + pair(10, x1) + pair(20, y1) + pair(30, 0)
            + pair(11, x2) + pair(21, y2) + pair(31, 0))

def pieces(x1, y1, x2, y2, step):
    """A line drawn as pieces of `step`, each 0.5 short of the next (a drafting slip)."""
    out, n = "", max(1, int(round(max(abs(x2 - x1), abs(y2 - y1)) / step)))
    for k in range(n):
        a, b = k / n, (k + 1) / n
        out += line(x1 + (x2 - x1) * a, y1 + (y2 - y1) * a,
                    x1 + (x2 - x1) * b - (0.5 if x2 != x1 else 0), y1 + (y2 - y1) * b - (0.5 if y2 != y1 else 0))
    return out

def text(content, x, y, height=5):
    """Centred both ways on (x, y)."""
    return (pair(0, "TEXT") + pair(8, "TEXT") + pair(10, x) + pair(20, y) + pair(30, 0) + pair(40, height)
            + pair(1, content) + pair(72, 1) + pair(11, x) + pair(21, y) + pair(31, 0) + pair(73, 2))

def mtext(content, x, y, height=5):
    """Attached at its top left."""
    return (pair(0, "MTEXT") + pair(8, "TEXT") + pair(10, x) + pair(20, y) + pair(30, 0) + pair(40, height)
            + pair(71, 1) + pair(1, content))

def attdef(tag, x, y):
    return (pair(0, "ATTDEF") + pair(8, "TEXT") + pair(10, x) + pair(20, y) + pair(40, 5) + pair(1, "")
            + pair(3, tag + "?") + pair(2, tag) + pair(70, 0))

def attrib(tag, value, x, y):
    return (pair(0, "ATTRIB") + pair(8, "TEXT") + pair(10, x) + pair(20, y) + pair(40, 5) + pair(1, value)
            + pair(2, tag) + pair(70, 0))

# The title block: 180 x 40 in the frame's lower right corner (the frame is 420 x 297), rows
# of 10, its own lines in a block TITLE whose base point is its lower right corner.
title = ""
for y in (10, 20, 30, 40):
    title += line(-180, y, 0, y)
title += line(-180, 0, -180, 40) + line(-120, 0, -120, 40) + line(-60, 0, -60, 30)
labels = [("図名", -150, 35), ("図番", -150, 25), ("尺度", -150, 15), ("作成", -150, 5),
          ("日付", -90, 5)]
title_texts = "".join(text(t, x, y) for t, x, y in labels)
title_attdefs = attdef("NAME", -115, 33) + attdef("NUMBER", -115, 23)
blocks = (pair(0, "SECTION") + pair(2, "BLOCKS")
          + pair(0, "BLOCK") + pair(8, "0") + pair(2, "TITLE") + pair(70, 2) + pair(10, 0) + pair(20, 0) + pair(3, "TITLE")
          + title + title_texts + title_attdefs + pair(0, "ENDBLK") + pair(8, "0")
          + pair(0, "ENDSEC"))

# The parts list above the title block: 4 columns (No., name, material, quantity), a header
# row, then three parts; its header "品名・材質" spans the name and material columns.
parts = [("1", "六角ボルト M8", "SS400", "4"), ("2", "ナット M8", "SS400", "4"),
         ("3", "丸棒", "SS400 %%c20", "1")]
x0, xs, top, row = 240, [240, 260, 330, 390, 410], 120, 12
bottom = top - row * (len(parts) + 1)
ents = (pair(0, "LWPOLYLINE") + pair(8, "FRAME") + pair(90, 4) + pair(70, 1)
        + pair(10, xs[0]) + pair(20, bottom) + pair(10, xs[-1]) + pair(20, bottom)
        + pair(10, xs[-1]) + pair(20, top) + pair(10, xs[0]) + pair(20, top))
for k in range(1, len(parts) + 1):
    ents += pieces(xs[0], top - row * k, xs[-1], top - row * k, 10)
for k, x in enumerate(xs[1:-1]):
    # The line between name and material stops below the header.
    ents += pieces(x, bottom, x, top - (row if k == 1 else 0), 10)
ents += text("No.", 250, top - 6) + text("品名・材質", 325, top - 6) + text("数量", 400, top - 6)
for i, (no, name, material, qty) in enumerate(parts):
    y = top - row * (i + 1) - 6
    ents += text(no, 250, y) + text(qty, 400, y) + text(material, 360, y)
    if no == "3":
        ents += mtext("丸棒\\P{\\H0.7x;L=120}", 262, y + 5.5, 4)
    else:
        ents += text(name, 295, y)
# The sheet frame, with the title block's block placed in its inner lower right corner.
ents += line(10, 10, 410, 10) + line(410, 10, 410, 287) + line(410, 287, 10, 287) + line(10, 287, 10, 10)
ents += (pair(0, "INSERT") + pair(8, "FRAME") + pair(66, 1) + pair(2, "TITLE") + pair(10, 410) + pair(20, 10)
         + attrib("NAME", "軸受けブラケット", 410 - 115, 10 + 33) + attrib("NUMBER", "B-1024", 410 - 115, 10 + 23)
         + pair(0, "SEQEND") + pair(8, "FRAME"))
ents += text("1:2", -90 + 410, 15 + 10) + text("山田", -90 + 410 + 30, 5 + 10 + 0)

drawing = (pair(0, "SECTION") + pair(2, "HEADER") + pair(9, "$ACADVER") + pair(1, "AC1015")
           + pair(9, "$DWGCODEPAGE") + pair(3, "ANSI_932") + pair(0, "ENDSEC")
           + blocks + pair(0, "SECTION") + pair(2, "ENTITIES") + ents + pair(0, "ENDSEC") + pair(0, "EOF"))
here = os.path.dirname(os.path.abspath(__file__))
with open(os.path.join(here, "title_block.dxf"), "wb") as f:
    f.write(drawing.encode("cp932"))
