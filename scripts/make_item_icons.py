#!/usr/bin/env python3
"""Generates the program's icon library, the icons the Change Icon dialog offers for item types,
into resources/itemicons/ with its own resources/itemicons.qrc, using the shapes of make_art.py.

Standard library only, deterministic output. Run from anywhere:

    python3 scripts/make_item_icons.py

Each icon is an ".ico" file with a 16 x 16 and a 32 x 32 image of 8 bits per pixel (a palette of
the picture's own colours, transparency in the mask), the form the item type editor's icon reader
takes. Files are numbered so that the dialog lists them in this order.
"""

import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_art as art  # noqa: E402
from make_art import (BLUE, DARK, GOLD, GREEN, GREY, LIGHT, RED, WHITE, BROWN, circle, ellipse,  # noqa: E402
                      line, polygon, rect, round_rect, union, minus)

OUT = os.path.join(art.ROOT, "resources")

EXTRA = {
    "star": [(polygon((0.5, 0.04), (0.62, 0.36), (0.96, 0.38), (0.69, 0.59), (0.79, 0.94), (0.5, 0.74),
                      (0.21, 0.94), (0.31, 0.59), (0.04, 0.38), (0.38, 0.36)), GOLD, (150, 100, 0))],
    "flag": [(rect(0.14, 0.04, 0.22, 0.98), DARK, None),
             (polygon((0.22, 0.08), (0.92, 0.2), (0.62, 0.36), (0.92, 0.54), (0.22, 0.56)), RED, (120, 0, 0))],
    "book": [(round_rect(0.12, 0.08, 0.88, 0.94, 0.04), (60, 110, 180), (20, 40, 90)),
             (rect(0.22, 0.08, 0.28, 0.94), (20, 40, 90), None),
             (rect(0.38, 0.24, 0.78, 0.34), WHITE, None)],
    "house": [(polygon((0.5, 0.06), (0.96, 0.46), (0.04, 0.46)), RED, (110, 20, 20)),
              (rect(0.16, 0.44, 0.84, 0.94), (240, 230, 200), DARK),
              (rect(0.42, 0.62, 0.58, 0.94), BROWN, DARK)],
    "note": [(polygon((0.14, 0.04), (0.7, 0.04), (0.88, 0.22), (0.88, 0.96), (0.14, 0.96)), WHITE, DARK),
             (rect(0.26, 0.34, 0.76, 0.4), GREY, None), (rect(0.26, 0.52, 0.76, 0.58), GREY, None),
             (rect(0.26, 0.7, 0.62, 0.76), GREY, None)],
    "heart": [(union(circle(0.31, 0.36, 0.22), circle(0.69, 0.36, 0.22),
                     polygon((0.1, 0.44), (0.9, 0.44), (0.5, 0.92))), RED, (110, 0, 20))],
    "check": [(circle(0.5, 0.5, 0.44), GREEN, (20, 90, 30)),
              (union(line(0.28, 0.52, 0.44, 0.7, 0.1), line(0.44, 0.7, 0.74, 0.32, 0.1)), WHITE, None)],
    "ball": [(circle(0.5, 0.5, 0.44), WHITE, DARK),
             (minus(circle(0.5, 0.5, 0.44), union(rect(0.0, 0.0, 1.0, 0.4), rect(0.0, 0.6, 1.0, 1.0))),
              BLUE, None)],
    "leaf": [(ellipse(0.5, 0.5, 0.26, 0.44), (80, 170, 60), (30, 90, 20)),
             (line(0.5, 0.1, 0.5, 0.96, 0.05), (30, 90, 20), None)],
    "sun": [(circle(0.5, 0.5, 0.26), GOLD, (200, 120, 0))]
           + [(line(0.5 + 0.32 * dx, 0.5 + 0.32 * dy, 0.5 + 0.46 * dx, 0.5 + 0.46 * dy, 0.07), GOLD, None)
              for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1), (0.7, 0.7), (-0.7, 0.7), (0.7, -0.7), (-0.7, -0.7))],
    "cup": [(round_rect(0.16, 0.3, 0.7, 0.9, 0.08), (240, 240, 240), DARK),
            (minus(circle(0.74, 0.56, 0.16), circle(0.74, 0.56, 0.08)), DARK, None),
            (rect(0.2, 0.34, 0.66, 0.44), (120, 70, 40), None)],
    "gift": [(rect(0.1, 0.36, 0.9, 0.94), (200, 40, 60), (100, 10, 20)),
             (rect(0.04, 0.26, 0.96, 0.4), (220, 60, 80), (100, 10, 20)),
             (rect(0.44, 0.26, 0.56, 0.94), GOLD, None)],
}

PICTURES = [(name.lower().replace(" ", ""), art.ICONS[name]) for name in art.TYPE_ORDER]
PICTURES.append(("calendar", art.DEFAULT_ICON))
PICTURES += sorted(EXTRA.items())


def bitmap8(rows):
    """The icon image: info header, palette, bottom-up 8-bit rows, then the 1-bit mask."""
    size = len(rows)
    colours = []
    for row in rows:
        for px in row:
            if px[3] and px[:3] not in colours:
                colours.append(px[:3])
    colours = colours[:255]
    palette = [(0, 0, 0)] + colours
    stride = (size + 3) // 4 * 4
    mask_stride = (size + 31) // 32 * 4
    pixels = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        line_bytes = bytearray(stride)
        mask_bytes = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px[3]:
                line_bytes[x] = palette.index(px[:3]) if px[:3] in palette else 0
            else:
                mask_bytes[x // 8] |= 0x80 >> (x % 8)
        pixels += line_bytes
        mask += mask_bytes
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, len(pixels) + len(mask), 0, 0,
                         len(palette), 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + pal + bytes(pixels) + bytes(mask)


def ico(images):
    head = struct.pack("<HHH", 0, 1, len(images))
    body = b""
    offset = 6 + 16 * len(images)
    for size, blob in images:
        head += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8, len(blob), offset)
        offset += len(blob)
        body += blob
    return head + body


def main():
    names = []
    for number, (name, layers) in enumerate(PICTURES, 1):
        file_name = "itemicons/%02d-%s.ico" % (number, name)
        images = [(size, bitmap8(art.render(layers, size, size))) for size in (16, 32)]
        art._save(os.path.join(OUT, file_name), ico(images))
        names.append(file_name)
    qrc = ['<!DOCTYPE RCC>', '<RCC version="1.0">', '<qresource prefix="/">']
    qrc += ["    <file>%s</file>" % n for n in names]
    qrc += ["</qresource>", "</RCC>", ""]
    art._save(os.path.join(OUT, "itemicons.qrc"), "\n".join(qrc).encode())


if __name__ == "__main__":
    main()
