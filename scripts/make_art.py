#!/usr/bin/env python3
"""Generates Tessivo's own icons, glyph strips, small images and reminder sounds into resources/.

Standard library only. The output is deterministic: running the script again rewrites the same
bytes, so the generated files are committed with it. Run from anywhere:

    python3 scripts/make_art.py

Pictures are described as simple shapes on a unit square and sampled 4 x 4 per pixel; a pixel takes
a shape's colour when at least half of it is covered, so edges stay hard (the magenta-keyed strips
need that). Sounds are additive synthesis with short envelopes, 22050 Hz, 16-bit mono.
"""

import math
import os
import struct
import zlib

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
OUT = os.path.join(ROOT, "resources")

MAGENTA = (255, 0, 255)

# ---------------------------------------------------------------------------------------------
# Shapes: each is a function (x, y) -> bool on coordinates in the picture's unit box.


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def ring(cx, cy, r_in, r_out, start=None, end=None):
    """A ring; with start/end (degrees, counter-clockwise from +x, y up) only that arc."""

    def inside(x, y):
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if not (r_in * r_in <= d2 <= r_out * r_out):
            return False
        if start is None:
            return True
        a = math.degrees(math.atan2(cy - y, x - cx)) % 360
        s, e = start % 360, end % 360
        return s <= a <= e if s <= e else (a >= s or a <= e)

    return inside


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def round_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

    return inside


def polygon(*pts):
    def inside(x, y):
        n = len(pts)
        hit = False
        j = n - 1
        for i in range(n):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit

    return inside


def line(x0, y0, x1, y1, w):
    """A stroke of width w with round ends."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy or 1e-9

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (w / 2) ** 2

    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


# ---------------------------------------------------------------------------------------------
# Raster: a picture is a list of layers (shape, fill colour, outline colour or None).

SS = 4  # samples per pixel along each axis


def coverage_mask(shape, w, h, box):
    """Pixels of a w x h grid covered at least half by the shape; `box` maps the unit square."""
    bx, by, bw, bh = box
    mask = [[False] * w for _ in range(h)]
    for py in range(h):
        for px in range(w):
            hits = 0
            for sy in range(SS):
                for sx in range(SS):
                    x = (px + (sx + 0.5) / SS - bx) / bw
                    y = (py + (sy + 0.5) / SS - by) / bh
                    if shape(x, y):
                        hits += 1
            mask[py][px] = hits * 2 >= SS * SS
    return mask


def render(layers, w, h, background=None, box=None):
    """RGBA pixel rows; background None leaves the picture transparent."""
    box = box or (0, 0, w, h)
    px = [[background + (255,) if background else (0, 0, 0, 0) for _ in range(w)] for _ in range(h)]
    for shape, fill, outline in layers:
        mask = coverage_mask(shape, w, h, box)
        for y in range(h):
            for x in range(w):
                if not mask[y][x]:
                    continue
                edge = outline is not None and any(
                    not (0 <= x + dx < w and 0 <= y + dy < h and mask[y + dy][x + dx])
                    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))
                )
                px[y][x] = (outline if edge else fill) + (255,)
    return px


def hstrip(pictures):
    """Places equal-height pictures side by side."""
    h = len(pictures[0])
    return [sum((p[y] for p in pictures), []) for y in range(h)]


# ---------------------------------------------------------------------------------------------
# File writers.


def write_png_rgba(path, rows):
    h, w = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in rows)
    _write_png(path, w, h, 8, 6, raw)


def write_png_mono(path, rows):
    """1-bit greyscale: set pixels are black (the glyph), the rest white."""
    h, w = len(rows), len(rows[0])
    data = bytearray()
    for row in rows:
        data.append(0)
        bits = 0
        for x in range(w):
            white = 0 if row[x] else 1
            bits = (bits << 1) | white
            if x % 8 == 7:
                data.append(bits)
                bits = 0
        if w % 8:
            data.append((bits << (8 - w % 8)) & 0xFF)
    _write_png(path, w, h, 1, 0, bytes(data))


def _write_png(path, w, h, depth, colour_type, raw):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    ihdr = struct.pack(">IIBBBBB", w, h, depth, colour_type, 0, 0, 0)
    blob = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    _save(path, blob)


def write_bmp24(path, rows, key=MAGENTA):
    """24-bit bottom-up BMP; transparent pixels become the key colour (the strip's mask colour)."""
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line_bytes = bytearray()
        for r, g, b, a in row:
            if a < 128:
                r, g, b = key
            line_bytes += bytes((b, g, r))
        line_bytes += b"\0" * (stride - len(line_bytes))
        pixels += line_bytes
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    _save(path, header + info + bytes(pixels))


def _save(path, blob):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(blob)


# ---------------------------------------------------------------------------------------------
# Item-type icons, in the order of the predefined types.

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
DARK = (40, 40, 48)
GREY = (128, 128, 128)
LIGHT = (208, 208, 208)
RED = (220, 30, 40)
GOLD = (240, 190, 40)
BLUE = (40, 90, 210)
GREEN = (40, 150, 60)
BROWN = (150, 90, 40)


def clock_face(cx, cy, r, rim, face):
    return [
        (circle(cx, cy, r), face, rim),
        (line(cx, cy, cx, cy - r * 0.62, r * 0.16), DARK, None),
        (line(cx, cy, cx + r * 0.45, cy + r * 0.1, r * 0.16), DARK, None),
    ]


ICONS = {
    "Alarm": [
        (circle(0.24, 0.2, 0.14), RED, DARK),
        (circle(0.76, 0.2, 0.14), RED, DARK),
        (line(0.22, 0.92, 0.32, 0.78, 0.09), DARK, None),
        (line(0.78, 0.92, 0.68, 0.78, 0.09), DARK, None),
    ]
    + [(circle(0.5, 0.52, 0.4), RED, DARK)]
    + clock_face(0.5, 0.52, 0.29, (200, 200, 200), WHITE),
    "Anniversary": [
        (union(circle(0.31, 0.36, 0.22), circle(0.69, 0.36, 0.22), polygon((0.1, 0.44), (0.9, 0.44), (0.5, 0.92))),
         (230, 50, 90), (120, 0, 40)),
        (circle(0.33, 0.32, 0.07), (255, 190, 210), None),
    ],
    "Appointment": [
        (round_rect(0.08, 0.12, 0.92, 0.94, 0.06), WHITE, DARK),
        (rect(0.08, 0.12, 0.92, 0.34), BLUE, DARK),
        (rect(0.26, 0.04, 0.34, 0.2), DARK, None),
        (rect(0.66, 0.04, 0.74, 0.2), DARK, None),
    ]
    + clock_face(0.5, 0.64, 0.22, GREEN, (225, 245, 225)),
    "Birthday": [
        (rect(0.47, 0.08, 0.53, 0.34), (250, 240, 160), None),
        (ellipse(0.5, 0.1, 0.07, 0.1), (255, 140, 0), None),
        (round_rect(0.12, 0.36, 0.88, 0.9, 0.05), (250, 200, 230), (150, 50, 110)),
        (rect(0.12, 0.55, 0.88, 0.64), (200, 60, 140), None),
        (rect(0.04, 0.88, 0.96, 0.96), GREY, DARK),
    ],
    "Holiday": [
        (rect(0.0, 0.7, 1.0, 1.0), (70, 150, 230), None),
        (polygon((0.0, 0.85), (1.0, 0.78), (1.0, 1.0), (0.0, 1.0)), (240, 210, 140), None),
        (circle(0.5, 0.42, 0.22), (255, 200, 0), (220, 120, 0)),
    ]
    + [(line(0.5 + 0.28 * math.cos(a), 0.42 + 0.28 * math.sin(a), 0.5 + 0.42 * math.cos(a),
             0.42 + 0.42 * math.sin(a), 0.08), (255, 160, 0), None)
       for a in [math.radians(d) for d in range(180, 361, 45)]],
    "Internet": [
        (circle(0.5, 0.5, 0.44), (90, 160, 240), (20, 60, 140)),
        (minus(ellipse(0.5, 0.5, 0.2, 0.44), ellipse(0.5, 0.5, 0.12, 0.38)), (20, 60, 140), None),
        (rect(0.06, 0.47, 0.94, 0.53), (20, 60, 140), None),
        (polygon((0.22, 0.24), (0.42, 0.2), (0.38, 0.4), (0.2, 0.38)), (60, 170, 80), None),
        (polygon((0.58, 0.6), (0.78, 0.58), (0.7, 0.82), (0.58, 0.76)), (60, 170, 80), None),
    ],
    "Meeting": [
        (circle(0.3, 0.3, 0.15), (240, 200, 160), DARK),
        (ellipse(0.3, 0.82, 0.26, 0.3), (60, 100, 200), DARK),
        (circle(0.7, 0.3, 0.15), (240, 200, 160), DARK),
        (ellipse(0.7, 0.82, 0.26, 0.3), (200, 80, 60), DARK),
    ],
    "Payment": [
        (round_rect(0.04, 0.22, 0.96, 0.78, 0.05), (150, 210, 140), (30, 100, 40)),
        (circle(0.5, 0.5, 0.17), (230, 245, 225), (30, 100, 40)),
        (rect(0.46, 0.38, 0.54, 0.62), (30, 100, 40), None),
        (circle(0.16, 0.34, 0.05), (30, 100, 40), None),
        (circle(0.84, 0.66, 0.05), (30, 100, 40), None),
    ],
    "Phone Call": [
        (round_rect(0.06, 0.5, 0.94, 0.94, 0.1), (60, 60, 70), BLACK),
        (polygon((0.06, 0.34), (0.94, 0.34), (0.82, 0.56), (0.18, 0.56)), (60, 60, 70), BLACK),
        (round_rect(0.02, 0.16, 0.98, 0.38, 0.1), (30, 30, 36), BLACK),
        (circle(0.5, 0.72, 0.13), LIGHT, BLACK),
    ],
    "Travel": [
        (polygon((0.5, 0.02), (0.58, 0.14), (0.58, 0.36), (0.98, 0.58), (0.98, 0.68), (0.58, 0.56),
                 (0.56, 0.82), (0.7, 0.92), (0.7, 0.98), (0.5, 0.93), (0.3, 0.98), (0.3, 0.92),
                 (0.44, 0.82), (0.42, 0.56), (0.02, 0.68), (0.02, 0.58), (0.42, 0.36), (0.42, 0.14)),
         (200, 205, 215), (60, 60, 90)),
    ],
    "TV program": [
        (line(0.5, 0.24, 0.28, 0.04, 0.06), DARK, None),
        (line(0.5, 0.24, 0.74, 0.04, 0.06), DARK, None),
        (round_rect(0.04, 0.22, 0.96, 0.86, 0.08), (120, 80, 50), (50, 30, 20)),
        (round_rect(0.12, 0.3, 0.72, 0.78, 0.06), (140, 200, 240), (30, 30, 30)),
        (circle(0.84, 0.42, 0.06), GOLD, None),
        (circle(0.84, 0.64, 0.06), GOLD, None),
        (rect(0.16, 0.86, 0.26, 0.96), DARK, None),
        (rect(0.74, 0.86, 0.84, 0.96), DARK, None),
    ],
}

TYPE_ORDER = ["Alarm", "Anniversary", "Appointment", "Birthday", "Holiday", "Internet", "Meeting",
              "Payment", "Phone Call", "Travel", "TV program"]

DEFAULT_ICON = [
    (round_rect(0.1, 0.1, 0.9, 0.94, 0.06), WHITE, DARK),
    (rect(0.1, 0.1, 0.9, 0.32), RED, DARK),
] + [(rect(0.2 + 0.22 * c, 0.42 + 0.17 * r, 0.3 + 0.22 * c, 0.52 + 0.17 * r), GREY, None)
     for r in range(3) for c in range(3)]

# Overlay images; image 4 is the one drawn over a task's icon: a tick badge at the lower right.
OVERLAYS = [
    [(circle(0.75, 0.75, 0.24), RED, WHITE)],
    [(circle(0.75, 0.75, 0.24), GOLD, DARK)],
    [(circle(0.75, 0.75, 0.24), BLUE, WHITE)],
    [(circle(0.75, 0.75, 0.24), GREY, WHITE)],
    [(round_rect(0.46, 0.46, 1.0, 1.0, 0.06), WHITE, (30, 110, 40)),
     (union(line(0.56, 0.74, 0.68, 0.88, 0.1), line(0.68, 0.88, 0.9, 0.56, 0.1)), (30, 140, 40), None)],
]

# ---------------------------------------------------------------------------------------------
# Monochrome status glyphs: 0 recurring, 1 reminder, 2 changed occurrence, 3 notes, 4 locked,
# 5 unlocked, 6 private, 7 task open, 8 task complete.


def arc_arrow_head(cx, cy, r, angle, size):
    """A triangle at the clockwise end of an arc ending at `angle` (degrees, y up), pointing on."""
    a = math.radians(angle)
    px, py = cx + r * math.cos(a), cy - r * math.sin(a)
    # Clockwise tangent on screen (y down) and the outward normal.
    tx, ty = math.sin(a), math.cos(a)
    nx, ny = math.cos(a), -math.sin(a)
    return polygon((px + nx * size, py + ny * size), (px - nx * size, py - ny * size),
                   (px + tx * size * 1.3, py + ty * size * 1.3))


def recurring_arrows():
    return union(
        ring(0.5, 0.5, 0.24, 0.38, 40, 170),
        ring(0.5, 0.5, 0.24, 0.38, 220, 350),
        arc_arrow_head(0.5, 0.5, 0.31, 40, 0.2),
        arc_arrow_head(0.5, 0.5, 0.31, 220, 0.2),
    )


GLYPHS = [
    recurring_arrows(),
    union(ellipse(0.5, 0.48, 0.3, 0.34), rect(0.12, 0.62, 0.88, 0.78), circle(0.5, 0.86, 0.1),
          circle(0.5, 0.1, 0.08)),
    union(recurring_arrows(), line(0.12, 0.92, 0.88, 0.08, 0.12)),
    minus(rect(0.18, 0.02, 0.82, 0.98), union(*[rect(0.3, y, 0.7, y + 0.12) for y in (0.16, 0.42, 0.68)])),
    union(minus(ring(0.5, 0.38, 0.14, 0.28), rect(0.0, 0.42, 1.0, 1.0)), rect(0.22, 0.36, 0.78, 0.42),
          minus(rect(0.16, 0.44, 0.84, 0.98), circle(0.5, 0.68, 0.08))),
    union(minus(ring(0.66, 0.3, 0.14, 0.28), rect(0.0, 0.3, 1.0, 1.0)), rect(0.8, 0.28, 0.94, 0.42),
          minus(rect(0.1, 0.44, 0.78, 0.98), circle(0.44, 0.68, 0.08))),
    union(minus(circle(0.3, 0.5, 0.26), circle(0.3, 0.5, 0.1)), rect(0.5, 0.44, 0.98, 0.56),
          rect(0.78, 0.56, 0.86, 0.76), rect(0.9, 0.56, 0.98, 0.7)),
    minus(rect(0.1, 0.1, 0.9, 0.9), rect(0.22, 0.22, 0.78, 0.78)),
    union(minus(rect(0.1, 0.1, 0.9, 0.9), rect(0.22, 0.22, 0.78, 0.78)),
          line(0.3, 0.46, 0.46, 0.66, 0.16), line(0.46, 0.66, 0.72, 0.32, 0.16)),
]

GLYPH_CELLS = [(14, 11), (18, 15), (25, 20)]


def glyph_strip(cell_w, cell_h):
    cells = []
    side = cell_h - 1
    box = ((cell_w - side) / 2.0, 0.5, side, side)
    for shape in GLYPHS:
        cells.append(coverage_mask(shape, cell_w, cell_h, box))
    return [sum((c[y] for c in cells), []) for y in range(cell_h)]


# Priority images of the shared small list, image (4 - priority): 0 lowest, 1 low, 2 normal (blank),
# 3 high, 4 urgent.
def arrow(up, colour):
    pts = [(0.5, 0.12), (0.86, 0.5), (0.62, 0.5), (0.62, 0.88), (0.38, 0.88), (0.38, 0.5), (0.14, 0.5)]
    if not up:
        pts = [(x, 1.0 - y) for x, y in pts]
    return [(polygon(*pts), colour, None)]


PRIORITY = [
    arrow(False, (20, 60, 200)) + [(rect(0.3, 0.02, 0.7, 0.1), (20, 60, 200), None)],
    arrow(False, (90, 130, 230)),
    [],
    arrow(True, (230, 120, 30)),
    [(rect(0.4, 0.08, 0.6, 0.64), RED, None), (circle(0.5, 0.84, 0.11), RED, None)],
]

# Header images of the list columns: 1 icon, 2 recurring, 3 priority, 4 complete, 5 reminder,
# 6 notes, 7 locked (0 is blank).
HEADER = [
    [],
    [(round_rect(0.12, 0.12, 0.88, 0.88, 0.1), (250, 240, 200), DARK)],
    [(GLYPHS[0], DARK, None)],
    [(rect(0.42, 0.1, 0.58, 0.62), DARK, None), (circle(0.5, 0.82, 0.1), DARK, None)],
    [(GLYPHS[8], DARK, None)],
    [(GLYPHS[1], DARK, None)],
    [(GLYPHS[3], DARK, None)],
    [(GLYPHS[4], DARK, None)],
]


def pixel_art(rows, colour):
    """Rows of '#' and '.' as RGBA rows."""
    return [[colour + (255,) if ch == "#" else (0, 0, 0, 0) for ch in row] for row in rows]


SORT_DOWN = ["#########", ".#######.", "..#####..", "...###...", "....#....", ".........", "........."]
OVERFLOW = ["...........", ".#########.", "..#######..", "...#####...", "....###....", ".....#.....",
            "..........."]
DAYS_GLYPH = ["###########", ".#########.", "..#######..", "...#####...", "....###....", ".....#.....",
              "...........", "..........."]


def pad11(rows):
    return ["." + r + "." for r in rows]


# Caption-button glyphs, 11 x 10: close, minimise, maximise, restore, help, pin, unpin.
CAPTION_GLYPHS = [
    ["...........", ".##.....##.", "..##...##..", "...##.##...", "....###....", "....###....",
     "...##.##...", "..##...##..", ".##.....##.", "..........."],
    ["...........", "...........", "...........", "...........", "...........", "...........",
     "...........", "..######...", "..######...", "..........."],
    ["...........", ".#########.", ".#########.", ".#.......#.", ".#.......#.", ".#.......#.",
     ".#.......#.", ".#.......#.", ".#########.", "..........."],
    ["...#######.", "...#######.", "...#.....#.", ".#######.#.", ".#######.#.", ".#.....###.",
     ".#.....#...", ".#.....#...", ".#######...", "..........."],
    ["...#####...", "..##...##..", "..##...##..", "......##...", ".....##....", ".....##....",
     "...........", ".....##....", ".....##....", "..........."],
    ["...........", "....#####..", "....#...#..", "....#...#..", "....#...#..", "..#########",
     "......#....", "......#....", "......#....", "..........."],
    ["...........", "...........", "..#........", "..#######..", "..#.....#..", "####.....#.",
     "..#.....#..", "..#######..", "..#........", "..........."],
]

# Command images, 16 x 16, in the order of the toolkit's standard command-image table: new, open,
# save, print, print preview, cut, copy, paste, undo, clear, about.
PAPER = (252, 252, 248)
FOLDER = (236, 196, 84)


def page(x0, y0, x1, y1):
    return polygon((x0, y0), (x1 - 0.2, y0), (x1, y0 + 0.2), (x1, y1), (x0, y1))


COMMANDS = [
    [(page(0.2, 0.06, 0.8, 0.94), PAPER, DARK), (polygon((0.6, 0.06), (0.8, 0.26), (0.6, 0.26)), LIGHT, DARK)],
    [(polygon((0.04, 0.2), (0.36, 0.2), (0.44, 0.3), (0.9, 0.3), (0.9, 0.86), (0.04, 0.86)), FOLDER, BROWN),
     (polygon((0.18, 0.44), (0.98, 0.44), (0.86, 0.86), (0.06, 0.86)), GOLD, BROWN)],
    [(round_rect(0.08, 0.08, 0.92, 0.92, 0.06), BLUE, DARK), (rect(0.24, 0.1, 0.76, 0.42), PAPER, None),
     (rect(0.28, 0.62, 0.72, 0.9), LIGHT, None), (rect(0.56, 0.66, 0.66, 0.86), DARK, None)],
    [(rect(0.26, 0.06, 0.74, 0.4), PAPER, DARK), (round_rect(0.06, 0.36, 0.94, 0.74, 0.06), LIGHT, DARK),
     (rect(0.24, 0.62, 0.76, 0.94), PAPER, DARK), (circle(0.8, 0.48, 0.05), GREEN, None)],
    [(page(0.1, 0.04, 0.66, 0.9), PAPER, DARK), (ring(0.6, 0.56, 0.13, 0.22), DARK, None),
     (line(0.74, 0.72, 0.94, 0.94, 0.12), DARK, None)],
    [(ring(0.28, 0.76, 0.08, 0.18), RED, None), (ring(0.72, 0.76, 0.08, 0.18), RED, None),
     (line(0.36, 0.62, 0.7, 0.06, 0.09), GREY, None), (line(0.64, 0.62, 0.3, 0.06, 0.09), GREY, None)],
    [(page(0.06, 0.04, 0.58, 0.66), PAPER, DARK), (page(0.4, 0.32, 0.94, 0.96), PAPER, DARK)],
    [(round_rect(0.1, 0.12, 0.74, 0.96, 0.06), BROWN, DARK), (rect(0.28, 0.04, 0.56, 0.2), LIGHT, DARK),
     (page(0.42, 0.36, 0.94, 0.96), PAPER, DARK)],
    [(ring(0.52, 0.58, 0.2, 0.34, -90, 180), BLUE, None),
     (polygon((0.02, 0.58), (0.36, 0.58), (0.19, 0.82)), BLUE, None)],
    [(line(0.18, 0.18, 0.82, 0.82, 0.18), RED, None), (line(0.82, 0.18, 0.18, 0.82, 0.18), RED, None)],
    [(circle(0.5, 0.5, 0.44), BLUE, DARK), (rect(0.42, 0.42, 0.58, 0.78), WHITE, None),
     (circle(0.5, 0.26, 0.09), WHITE, None)],
]


# ---------------------------------------------------------------------------------------------
# Sounds.

RATE = 22050


def tone(freq, dur, amp=1.0, harmonics=((1, 1.0),), attack=0.005, decay=None, vibrato=0.0):
    n = int(dur * RATE)
    out = []
    for i in range(n):
        t = i / RATE
        env = min(1.0, t / attack) if attack > 0 else 1.0
        if decay:
            env *= math.exp(-t / decay)
        release = min(1.0, (dur - t) / 0.01)
        f = freq * (1 + vibrato * math.sin(2 * math.pi * 6 * t))
        s = sum(a * math.sin(2 * math.pi * f * k * t) for k, a in harmonics)
        out.append(amp * env * release * s)
    return out


def silence(dur):
    return [0.0] * int(dur * RATE)


def mix_at(track, start, part):
    i0 = int(start * RATE)
    if len(track) < i0 + len(part):
        track.extend([0.0] * (i0 + len(part) - len(track)))
    for i, v in enumerate(part):
        track[i0 + i] += v
    return track


def note(name):
    names = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    semis = names[name[0]] + (int(name[-1]) - 4) * 12
    return 440.0 * 2 ** (semis / 12)


BELL = ((1, 1.0), (2.76, 0.4), (5.4, 0.2))
BRASS = ((1, 1.0), (2, 0.6), (3, 0.45), (4, 0.3), (5, 0.2))
SQUARE = ((1, 1.0), (3, 0.33), (5, 0.2), (7, 0.14))


def sound_alarm():
    track = []
    for k in range(4):
        mix_at(track, k * 0.16, tone(1320 if k % 2 else 880, 0.1, harmonics=SQUARE))
    return track


def sound_title():
    track = []
    for k, n in enumerate(["C5", "E5", "G5", "C6"]):
        mix_at(track, k * 0.12, tone(note(n), 0.55, harmonics=BELL, decay=0.22))
    return track


def sound_notify():
    track = mix_at([], 0.0, tone(988, 0.45, harmonics=BELL, decay=0.15))
    return mix_at(track, 0.14, tone(1319, 0.45, harmonics=BELL, decay=0.18))


def sound_fanfare():
    track = []
    for start, n, dur in [(0.0, "G4", 0.14), (0.15, "C5", 0.14), (0.3, "E5", 0.14), (0.45, "G5", 0.6)]:
        mix_at(track, start, tone(note(n), dur, harmonics=BRASS, attack=0.02, vibrato=0.004 if dur > 0.3 else 0))
    return track


def sound_tinkle():
    track = []
    for k, n in enumerate(["E6", "B6", "G6", "D7", "A6", "E7"]):
        mix_at(track, k * 0.08, tone(note(n), 0.35, amp=0.7, harmonics=BELL, decay=0.09))
    return track


def sound_alert():
    track = []
    for k in range(3):
        mix_at(track, k * 0.15, tone(660, 0.09, harmonics=SQUARE))
    return track


def sound_phone():
    track = []
    for burst in (0.0, 0.55):
        n = int(0.4 * RATE)
        part = []
        for i in range(n):
            t = i / RATE
            gate = 1.0 if math.sin(2 * math.pi * 20 * t) >= 0 else 0.35
            release = min(1.0, (0.4 - t) / 0.01, t / 0.005)
            part.append(gate * release * 0.5 * (math.sin(2 * math.pi * 480 * t) + math.sin(2 * math.pi * 620 * t)))
        mix_at(track, burst, part)
    return track


def sound_reveille():
    track = []
    seq = [("G4", 0.1), ("C5", 0.1), ("E5", 0.1), ("C5", 0.1), ("G4", 0.1), ("C5", 0.1), ("E5", 0.1),
           ("G5", 0.35)]
    t = 0.0
    for n, dur in seq:
        mix_at(track, t, tone(note(n), dur, harmonics=BRASS, attack=0.015))
        t += dur + 0.02
    return track


SOUNDS = {
    "Alarm.wav": sound_alarm,
    "Title.wav": sound_title,
    "Notify.wav": sound_notify,
    "Fanfare3.wav": sound_fanfare,
    "Tinkle.wav": sound_tinkle,
    "Alert.wav": sound_alert,
    "Phone.wav": sound_phone,
    "Reville.wav": sound_reveille,
}


def write_wav(path, samples):
    peak = max(1e-9, max(abs(s) for s in samples))
    scale = 0.6 * 32767 / peak
    data = b"".join(struct.pack("<h", int(round(s * scale))) for s in samples)
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE * 2, 2, 16)
    blob = b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVE" + b"fmt " + struct.pack("<I", 16) + fmt
    blob += b"data" + struct.pack("<I", len(data)) + data
    _save(path, blob)


# ---------------------------------------------------------------------------------------------


def main():
    files = []

    def out(rel):
        files.append(rel)
        return os.path.join(OUT, rel)

    for size in (16, 32):
        write_bmp24(out("icons/types%d.bmp" % size), hstrip([render(ICONS[n], size, size) for n in TYPE_ORDER]))
        write_png_rgba(out("icons/default%d.png" % size), render(DEFAULT_ICON, size, size))
    write_bmp24(out("icons/overlay.bmp"), hstrip([render(o, 16, 16) for o in OVERLAYS]))

    for w, h in GLYPH_CELLS:
        write_png_mono(out("glyphs/glyphs%dx%d.png" % (w, h)), glyph_strip(w, h))
    write_png_rgba(out("images/priority.png"), hstrip([render(p, 16, 16, box=(1, 1, 14, 14)) for p in PRIORITY]))
    write_png_rgba(out("images/header.png"), hstrip([render(p, 16, 16, box=(1, 1, 14, 14)) for p in HEADER]))
    up = list(reversed(SORT_DOWN[:5])) + SORT_DOWN[5:]
    write_bmp24(out("images/sortmarks.bmp"), hstrip([pixel_art(pad11(SORT_DOWN), GREY), pixel_art(pad11(up), GREY)]))
    write_png_rgba(out("images/overflow.png"), pixel_art(OVERFLOW, BLACK))
    write_bmp24(out("images/daysglyph.bmp"), pixel_art(DAYS_GLYPH, BLACK))
    write_bmp24(out("images/captionglyphs.bmp"), hstrip([pixel_art(g, BLACK) for g in CAPTION_GLYPHS]))
    commands = [render(c, 16, 16) for c in COMMANDS]
    write_png_rgba(out("images/commands.png"), hstrip(commands))
    write_bmp24(out("images/commands.bmp"), hstrip(commands))

    for name, make in SOUNDS.items():
        write_wav(out("sounds/" + name), make())

    qrc = ['<!DOCTYPE RCC>', '<RCC version="1.0">', '<qresource prefix="/">']
    qrc += ['    <file>%s</file>' % f for f in files]
    qrc += ['</qresource>', '</RCC>', '']
    with open(os.path.join(OUT, "tessivo.qrc"), "w") as f:
        f.write("\n".join(qrc))


if __name__ == "__main__":
    main()
