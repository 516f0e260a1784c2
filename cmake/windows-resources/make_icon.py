#!/usr/bin/env python3
"""Writes dxf2csv.ico beside this script: a sheet with a ruled table on it, at 16, 32 and 48
pixels, as 32-bit images (what Explorer shows for both programs)."""
import os
import struct


def image(size):
    """The icon's pixels, bottom row first, as BGRA: a white sheet, a blue border and grid,
    its header row filled."""
    margin = max(1, size // 8)
    rows = []
    for y in range(size - 1, -1, -1):  # bottom row first
        row = b""
        for x in range(size):
            inside = margin <= x < size - margin and margin <= y < size - margin
            if not inside:
                row += bytes((0, 0, 0, 0))
                continue
            left, top = x - margin, y - margin
            width = size - 2 * margin
            grid = width // 4
            edge = left in (0, width - 1) or top in (0, width - 1)
            line = left % grid == 0 or top % grid == 0
            header = top < grid
            if edge or line:
                row += bytes((160, 80, 20, 255))   # blue rules
            elif header:
                row += bytes((240, 200, 150, 255))  # a light header row
            else:
                row += bytes((255, 255, 255, 255))  # the sheet
        rows.append(row)
    pixels = b"".join(rows)
    mask = b"\0" * (((size + 31) // 32) * 4 * size)  # all shown: alpha decides
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + mask


sizes = (16, 32, 48)
images = [image(s) for s in sizes]
out = struct.pack("<HHH", 0, 1, len(sizes))
offset = 6 + 16 * len(sizes)
for size, data in zip(sizes, images):
    out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
out += b"".join(images)
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "dxf2csv.ico"), "wb") as f:
    f.write(out)
