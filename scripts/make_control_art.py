#!/usr/bin/env python3
"""Generates the art of the toolkit's own controls into resources/controls/ with its own
resources/controls.qrc, using the shapes and writers of make_art.py.

Standard library only, deterministic output. Run from anywhere:

    python3 scripts/make_control_art.py

- comboarrow.png, comboarrowoff.png: the coloured combo box's arrow, 11 x 8, 16-colour palette
  images whose key colours (black, grey, silver, white) are swapped for a control's colours.
- treeoptions.bmp: the options tree's 13 images of 16 x 16 on magenta: check boxes and radio
  buttons (checked, unchecked; enabled, disabled), then five group pictures.
"""

import os
import struct
import sys
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_art as art  # noqa: E402

OUT = os.path.join(art.ROOT, "resources")

BLACK = (0, 0, 0)
GREY = (128, 128, 128)
SILVER = (192, 192, 192)
WHITE = (255, 255, 255)
# The 16 colours of a classic palette image; the recoloured entries are among them.
PALETTE16 = [BLACK, (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128), GREY,
             SILVER, (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), WHITE]


def write_png_palette4(path, rows):
    """A 4-bit palette PNG of PALETTE16 colours given as RGB tuples."""
    h, w = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        idx = [PALETTE16.index(px) for px in row]
        if len(idx) % 2:
            idx.append(0)
        for i in range(0, len(idx), 2):
            raw.append(idx[i] << 4 | idx[i + 1])

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    ihdr = struct.pack(">IIBBBBB", w, h, 4, 3, 0, 0, 0)
    plte = b"".join(bytes(c) for c in PALETTE16)
    blob = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"PLTE", plte) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))
    art._save(path, blob)


ARROW = ["...........",
         "...........",
         "..#######..",
         "...#####...",
         "....###....",
         ".....#.....",
         "...........",
         "..........."]


def combo_arrow(disabled):
    rows = [[SILVER] * 11 for _ in range(8)]
    for y, line in enumerate(ARROW):
        for x, ch in enumerate(line):
            if ch != "#":
                continue
            if disabled:
                if y + 1 < 8 and x + 1 < 11:
                    rows[y + 1][x + 1] = WHITE
                rows[y][x] = GREY
            else:
                rows[y][x] = BLACK
    if disabled:  # the grey arrow over its white copy
        for y, line in enumerate(ARROW):
            for x, ch in enumerate(line):
                if ch == "#":
                    rows[y][x] = GREY
    return rows


def opaque(rgb):
    return rgb + (255,)


def check_box(checked, enabled):
    px = [[(0, 0, 0, 0)] * 16 for _ in range(16)]
    x0, y0 = 1, 1  # a 13 x 13 box
    for i in range(13):
        for j in range(13):
            px[y0 + j][x0 + i] = opaque(WHITE if enabled else SILVER)
    for i in range(13):  # outer edge: grey top and left, white bottom and right
        px[y0][x0 + i] = opaque(GREY)
        px[y0 + i][x0] = opaque(GREY)
        px[y0 + 12][x0 + i] = opaque(WHITE)
        px[y0 + i][x0 + 12] = opaque(WHITE)
    for i in range(1, 12):  # inner edge: black top and left, silver bottom and right
        px[y0 + 1][x0 + i] = opaque(BLACK)
        px[y0 + i][x0 + 1] = opaque(BLACK)
        px[y0 + 11][x0 + i] = opaque(SILVER)
        px[y0 + i][x0 + 11] = opaque(SILVER)
    px[y0 + 11][x0 + 1] = opaque(SILVER)
    px[y0 + 1][x0 + 11] = opaque(SILVER)
    if checked:
        left, top = x0 + 2, y0 + 2
        mark = opaque(BLACK if enabled else GREY)
        for down in range(3):
            for x, y in [(1, 3), (2, 4), (3, 5), (4, 4), (5, 3), (6, 2), (7, 1)]:
                px[top + y + down][left + x] = mark
    return px


def radio_button(selected, enabled):
    """A round button: a dark ring (lighter when disabled) that reads on white and grey alike."""
    px = [[(0, 0, 0, 0)] * 16 for _ in range(16)]
    cx = cy = 7.5
    ring = (80, 80, 80) if enabled else (150, 150, 150)
    for y in range(16):
        for x in range(16):
            dx, dy = x - cx, y - cy
            d = (dx * dx + dy * dy) ** 0.5
            if d <= 4.9:
                px[y][x] = opaque(WHITE if enabled else SILVER)
            elif d <= 6.1:
                px[y][x] = opaque(ring)
            if selected and d <= 2.2:
                px[y][x] = opaque(BLACK if enabled else GREY)
    return px


DARK = (60, 60, 60)
GROUPS = [
    # 8: a folder
    [(art.union(art.round_rect(0.08, 0.22, 0.5, 0.4, 0.05), art.round_rect(0.08, 0.3, 0.92, 0.84, 0.06)),
      (240, 200, 90), (150, 110, 30))],
    # 9: a calendar page
    [(art.rect(0.12, 0.16, 0.88, 0.88), (255, 255, 255), DARK), (art.rect(0.12, 0.16, 0.88, 0.34), (200, 60, 50), None),
     (art.rect(0.3, 0.5, 0.44, 0.62), DARK, None), (art.rect(0.56, 0.5, 0.7, 0.62), DARK, None),
     (art.rect(0.3, 0.7, 0.44, 0.8), DARK, None)],
    # 10: a bell
    [(art.union(art.polygon((0.2, 0.74), (0.3, 0.4), (0.5, 0.18), (0.7, 0.4), (0.8, 0.74)),
                art.rect(0.12, 0.7, 0.88, 0.78)), (250, 210, 60), (140, 100, 20)),
     (art.circle(0.5, 0.86, 0.09), (140, 100, 20), None)],
    # 11: a window
    [(art.rect(0.1, 0.16, 0.9, 0.86), (255, 255, 255), (40, 80, 160)),
     (art.rect(0.1, 0.16, 0.9, 0.32), (70, 120, 200), None)],
    # 12: a gear-like wheel
    [(art.union(art.circle(0.5, 0.5, 0.3), art.rect(0.44, 0.08, 0.56, 0.92), art.rect(0.08, 0.44, 0.92, 0.56),
                art.line(0.2, 0.2, 0.8, 0.8, 0.13), art.line(0.2, 0.8, 0.8, 0.2, 0.13)), (150, 160, 175), (70, 80, 95)),
     (art.circle(0.5, 0.5, 0.12), (255, 255, 255), None)],
]


def main():
    files = []

    def out(rel):
        files.append(rel)
        return os.path.join(OUT, rel)

    write_png_palette4(out("controls/comboarrow.png"), combo_arrow(False))
    write_png_palette4(out("controls/comboarrowoff.png"), combo_arrow(True))
    pictures = [check_box(True, True), check_box(False, True), radio_button(True, True), radio_button(False, True),
                check_box(True, False), check_box(False, False), radio_button(True, False),
                radio_button(False, False)]
    pictures += [art.render(g, 16, 16, box=(1, 1, 14, 14)) for g in GROUPS]
    art.write_bmp24(out("controls/treeoptions.bmp"), art.hstrip(pictures))

    qrc = ['<!DOCTYPE RCC>', '<RCC version="1.0">', '<qresource prefix="/">']
    qrc += ['    <file>%s</file>' % f for f in files]
    qrc += ['</qresource>', '</RCC>', '']
    with open(os.path.join(OUT, "controls.qrc"), "w") as f:
        f.write("\n".join(qrc))


if __name__ == "__main__":
    main()
