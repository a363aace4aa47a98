#!/usr/bin/env python3
"""Draws Parvion's pictures and writes them beside this script.

    Parvion.ico     the main icon: one 32 x 32 image in the 16 standard colours
    HandCursor.cur  the hand shown over links: 32 x 32 monochrome, hot spot at
                    the tip of the index finger, the top-left pixel (0, 0)
    Start.bmp       the start screen picture: 399 x 266, 24 bits, uncompressed

Only the Python 3 standard library is used, so the pictures can be redrawn on
any machine:

    python3 res/draw_resources.py [--preview DIR]

--preview also writes enlarged PNG copies into DIR for looking at them.
"""

import argparse
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------------------
# The 16 standard colours, in the order of a 4-bit Windows palette.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# ---------------------------------------------------------------------------
# The main icon, drawn pixel by pixel. One letter per pixel:
#   .  transparent    K  black    W  white    s  silver    d  grey
#   R  red            n  navy     B  blue
ICON_KEYS = {'K': 0, 'n': 4, 's': 7, 'd': 8, 'R': 9, 'B': 12, 'W': 15}

# A sheet of a file with a folded corner, cut in two along the red dashed
# line; the pieces have moved apart, and red-handled scissors sit on the cut.
ICON = [
    "................................",
    ".........KKKKKKKKKKKKKKK........",
    ".........KWWWWWWWWWWWWWKK.......",
    ".........KWnnnnnnnnnnWWKsK......",
    ".........KWWWWWWWWWWWWWKssK.....",
    ".........KWnnnnnnnnWWWWKsssK....",
    ".........KWWWWWWWWWWWWWKKKKKK...",
    ".........KWBBBBBBBBBBBBBBBWWKd..",
    ".........KWWWWWWWWWWWWWWWWWWKd..",
    ".........KWnnnnnnnnnnnnnWWWWKd..",
    ".KKK.....KWWWWWWWWWWWWWWWWWWKd..",
    "KRRRK....KKKKKKKKKKKKKKKKKKKKd..",
    "KR.RK....KKddddddddddddddddddd..",
    "KRRRKK..KsK.....................",
    ".KKK.KKKsK......................",
    "......KssK..RRR.RRR.RRR.RRR.RRR.",
    "......KssK..RRR.RRR.RRR.RRR.RRR.",
    ".KKK.KKKsK......................",
    "KRRRKK..KsK.....................",
    "KR.RK....KK.....................",
    "KRRRK......KKKKKKKKKKKKKKKKKKK..",
    ".KKK.......KWWWWWWWWWWWWWWWWWKd.",
    "...........KWnnnnnnnnnnnnnWWWKd.",
    "...........KWWWWWWWWWWWWWWWWWKd.",
    "...........KWBBBBBBBBBBBBBBBWKd.",
    "...........KWWWWWWWWWWWWWWWWWKd.",
    "...........KWnnnnnnnnnWWWWWWWKd.",
    "...........KWWWWWWWWWWWWWWWWWKd.",
    "...........KWnnnnnnnnnnnnnnWWKd.",
    "...........KWWWWWWWWWWWWWWWWWKd.",
    "...........KKKKKKKKKKKKKKKKKKKd.",
    "............ddddddddddddddddddd.",
]

# ---------------------------------------------------------------------------
# The hand cursor: '.' shows what is behind it, '#' is black, 'o' white.
# The index finger points up; its tip is the top-left pixel, the hot spot.
HAND = [
    "##..............................",
    "#o##............................",
    "#ooo#...........................",
    "#ooo#...........................",
    "#ooo#...........................",
    "#ooo#.##........................",
    "#ooo##oo#.##....................",
    "#ooo#ooo##oo#.##................",
    "#ooo#ooo#ooo##oo#...............",
    "#ooo#ooo#ooo#ooo#...............",
    "#ooo#ooo#ooo#ooo#...##..........",
    "#ooo#ooo#ooo#ooo#..#oo#.........",
    "#oooooooooooooooo##ooo#.........",
    "#oooooooooooooooo#ooo#..........",
    "#oooooooooooooooooooo#..........",
    "#ooooooooooooooooooo#...........",
    "#ooooooooooooooooooo#...........",
    ".#oooooooooooooooooo#...........",
    ".#ooooooooooooooooo#............",
    "..#oooooooooooooooo#............",
    "..#ooooooooooooooo#.............",
    "...#oooooooooooooo#.............",
    "...#oooooooooooooo#.............",
    "...################.............",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
]
HAND_HOT_SPOT = (0, 0)

# ---------------------------------------------------------------------------
# A small bitmap font for the start picture: 7 rows above the base line and
# 2 below it for descenders; glyphs are as wide as their rows.
FONT = {
    ' ': ["...", "...", "...", "...", "...", "...", "..."],
    '.': [".", ".", ".", ".", ".", ".", "#"],
    ':': [".", ".", "#", ".", ".", ".", "#"],
    '-': ["....", "....", "....", "####", "....", "....", "...."],
    '/': ["....#", "...#.", "...#.", "..#..", ".#...", ".#...", "#...."],
    '0': [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    '1': ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    '2': [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    '3': ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
    '4': ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    '5': ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    '6': [".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."],
    '7': ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
    '8': [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."],
    '9': [".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."],
    'P': ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    'S': [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    'V': ["#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."],
    'W': ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"],
    'X': ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    'a': [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    'b': ["#....", "#....", "####.", "#...#", "#...#", "#...#", "####."],
    'c': [".....", ".....", ".####", "#....", "#....", "#....", ".####"],
    'd': ["....#", "....#", ".####", "#...#", "#...#", "#...#", ".####"],
    'e': [".....", ".....", ".###.", "#...#", "#####", "#....", ".####"],
    'f': ["..##", ".#..", "####", ".#..", ".#..", ".#..", ".#.."],
    'g': [".....", ".....", ".####", "#...#", "#...#", "#...#", ".####",
          "....#", ".###."],
    'h': ["#....", "#....", "####.", "#...#", "#...#", "#...#", "#...#"],
    'i': ["#", ".", "#", "#", "#", "#", "#"],
    'k': ["#...", "#...", "#..#", "#.#.", "##..", "#.#.", "#..#"],
    'l': ["#.", "#.", "#.", "#.", "#.", "#.", ".#"],
    'm': [".....", ".....", "####.", "#.#.#", "#.#.#", "#.#.#", "#.#.#"],
    'n': [".....", ".....", "####.", "#...#", "#...#", "#...#", "#...#"],
    'o': [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."],
    'p': [".....", ".....", "####.", "#...#", "#...#", "#...#", "####.",
          "#....", "#...."],
    'r': ["....", "....", "#.##", "##..", "#...", "#...", "#..."],
    's': [".....", ".....", ".####", "#....", ".###.", "....#", "####."],
    't': [".#..", ".#..", "####", ".#..", ".#..", ".#..", "..##"],
    'u': [".....", ".....", "#...#", "#...#", "#...#", "#...#", ".####"],
    'v': [".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    'w': [".....", ".....", "#...#", "#...#", "#.#.#", "#.#.#", ".#.#."],
    'x': [".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#"],
    'y': [".....", ".....", "#...#", "#...#", "#...#", "#...#", ".####",
          "....#", ".###."],
}
FONT_ASCENT = 7


def text_width(text, scale):
    """Width in pixels of text drawn at scale, one glyph column between glyphs."""
    columns = sum(len(FONT[ch][0]) for ch in text) + len(text) - 1
    return columns * scale


# ---------------------------------------------------------------------------
# A true-colour canvas with anti-aliased filling and stroking.
class Canvas:
    SUBSAMPLES = 4

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.pixels = [[0.0, 0.0, 0.0] for _ in range(width * height)]

    def blend(self, x, y, colour, alpha):
        if alpha <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        alpha = min(alpha, 1.0)
        pixel = self.pixels[y * self.width + x]
        for i in range(3):
            pixel[i] += (colour[i] - pixel[i]) * alpha

    def fill_rect(self, x0, y0, x1, y1, colour, alpha=1.0):
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.blend(x, y, colour, alpha)

    def fill_polygon(self, points, colour, alpha=1.0):
        """Fills a polygon given in pixel-edge coordinates, edges anti-aliased."""
        n = self.SUBSAMPLES
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        edges = list(zip(points, points[1:] + points[:1]))
        for y in range(max(0, int(min(ys))), min(self.height, int(math.ceil(max(ys))))):
            for x in range(max(0, int(min(xs))), min(self.width, int(math.ceil(max(xs))))):
                inside = 0
                for sy in range(n):
                    py = y + (sy + 0.5) / n
                    crossings = [ax + (py - ay) * (bx - ax) / (by - ay)
                                 for (ax, ay), (bx, by) in edges
                                 if (ay <= py) != (by <= py)]
                    for sx in range(n):
                        px = x + (sx + 0.5) / n
                        if sum(1 for c in crossings if c < px) % 2:
                            inside += 1
                self.blend(x, y, colour, alpha * inside / (n * n))

    def stroke_line(self, a, b, width, colour, alpha=1.0):
        """A line of the given width with round ends, anti-aliased by distance."""
        (ax, ay), (bx, by) = a, b
        half = width / 2.0
        dx, dy = bx - ax, by - ay
        length2 = dx * dx + dy * dy or 1e-9
        for y in range(int(min(ay, by) - half - 1), int(max(ay, by) + half + 2)):
            for x in range(int(min(ax, bx) - half - 1), int(max(ax, bx) + half + 2)):
                cx, cy = x + 0.5, y + 0.5
                t = max(0.0, min(1.0, ((cx - ax) * dx + (cy - ay) * dy) / length2))
                dist = math.hypot(cx - (ax + t * dx), cy - (ay + t * dy))
                self.blend(x, y, colour, alpha * max(0.0, min(1.0, half + 0.5 - dist)))

    def stroke_polygon(self, points, width, colour, alpha=1.0):
        for a, b in zip(points, points[1:] + points[:1]):
            self.stroke_line(a, b, width, colour, alpha)

    def draw_text(self, x, y, text, scale, colour, shadow=None, alpha=1.0):
        """Draws text with its top-left at (x, y); colour may be a function of
        the row inside the glyph cell (0 at the top, 1 at the base line).
        shadow is (offset, colour, alpha): a soft shadow below and right."""
        if shadow:
            offset, shadow_colour, shadow_alpha = shadow
            for i in range(3):
                self.draw_text(x + offset + i, y + offset + i, text, scale, shadow_colour,
                               alpha=shadow_alpha / (i + 1))
        pen = x
        for ch in text:
            glyph = FONT[ch]
            for row, bits in enumerate(glyph):
                shade = colour(row / (FONT_ASCENT - 1)) if callable(colour) else colour
                for col, bit in enumerate(bits):
                    if bit == '#':
                        self.fill_rect(pen + col * scale, y + row * scale,
                                       pen + (col + 1) * scale, y + (row + 1) * scale,
                                       shade, alpha)
            pen += (len(glyph[0]) + 1) * scale

    def rgb_rows(self):
        """Rows top to bottom of (r, g, b) byte triples."""
        for y in range(self.height):
            row = self.pixels[y * self.width:(y + 1) * self.width]
            yield [tuple(max(0, min(255, int(round(c)))) for c in p) for p in row]


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


# ---------------------------------------------------------------------------
# The start screen picture
START_SIZE = (399, 266)

NAVY = (14, 34, 84)
TEAL = (8, 104, 128)
GOLD = (255, 196, 64)
PAPER = (250, 250, 246)
INK = (20, 24, 40)
CUT = (224, 40, 40)
LINE_BLUE = (90, 120, 176)


def sheet_outline(x, y, w, h, fold):
    return [(x, y), (x + w - fold, y), (x + w, y + fold), (x + w, y + h), (x, y + h)]


def slice_polygon(points, y0, y1):
    """The part of a convex polygon between the horizontal lines y0 and y1."""
    def clip(poly, keep, y_edge):
        out = []
        for a, b in zip(poly, poly[1:] + poly[:1]):
            if keep(a):
                out.append(a)
            if keep(a) != keep(b):
                t = (y_edge - a[1]) / (b[1] - a[1])
                out.append((a[0] + t * (b[0] - a[0]), y_edge))
        return out
    top = clip(points, lambda p: p[1] >= y0, y0)
    return clip(top, lambda p: p[1] <= y1, y1)


def draw_sheet_part(c, outline, text_lines, y0, y1, dx, dy, fold_corner):
    """Draws the band y0..y1 of the sheet, moved by (dx, dy): shadow, paper,
    the text lines inside the band, the folded corner and an ink outline."""
    part = [(px + dx, py + dy) for px, py in slice_polygon(outline, y0, y1)]
    c.fill_polygon([(px + 3, py + 3) for px, py in part], (0, 0, 0), 0.35)
    c.fill_polygon(part, PAPER)
    for lx0, lx1, ly in text_lines:
        if y0 + 2 <= ly <= y1 - 2:
            c.stroke_line((lx0 + dx, ly + dy), (lx1 + dx, ly + dy), 2.2, LINE_BLUE)
    if fold_corner and y0 <= fold_corner[1][1]:
        corner = [(px + dx, py + dy) for px, py in fold_corner]
        c.fill_polygon(corner, (206, 210, 220))
        c.stroke_polygon(corner, 1.6, INK)
    c.stroke_polygon(part, 2.0, INK)


def draw_start_picture():
    width, height = START_SIZE
    c = Canvas(width, height)

    # Background: navy at the top to teal at the bottom, lit from the top left.
    for y in range(height):
        for x in range(width):
            t = y / (height - 1)
            base = mix(NAVY, TEAL, t * 0.85 + 0.15 * x / (width - 1))
            glow = max(0.0, 1.0 - math.hypot(x - 60, y - 20) / 260.0)
            c.pixels[y * width + x] = list(mix(base, (70, 140, 210), 0.45 * glow * glow))
    # A faint light band across the picture.
    c.fill_polygon([(150, 0), (230, 0), (90, height), (10, height)], (255, 255, 255), 0.05)
    c.fill_polygon([(250, 0), (270, 0), (130, height), (110, height)], (255, 255, 255), 0.04)

    # Product name.
    def title_shade(t):
        return mix((255, 255, 255), (170, 220, 255), t)
    c.draw_text(24, 22, "Parvion", 5, title_shade, shadow=(2, (0, 10, 30), 0.5))
    c.draw_text(26, 66, "Professional", 3, GOLD, shadow=(2, (0, 10, 30), 0.5))

    # Version badge at the top right.
    badge = [(288, 18), (376, 18), (382, 24), (382, 86), (376, 92), (288, 92),
             (282, 86), (282, 24)]
    c.fill_polygon([(x + 3, y + 3) for x, y in badge], (0, 0, 0), 0.35)
    c.fill_polygon(badge, GOLD)
    c.fill_polygon([(288, 18), (376, 18), (382, 24), (382, 50), (282, 50), (282, 24)],
                   (255, 255, 255), 0.22)
    c.stroke_polygon(badge, 2.0, (120, 76, 0))
    label = "Version"
    c.draw_text(332 - text_width(label, 2) // 2, 26, label, 2, NAVY)
    number = "2.2"
    c.draw_text(332 - text_width(number, 5) // 2, 48, number, 5, NAVY)

    c.fill_rect(24, 102, 382, 103, (255, 255, 255), 0.35)

    # The whole file, with the cuts to come marked on it.
    sx, sy, sw, sh, fold = 44, 116, 74, 102, 20
    outline = sheet_outline(sx, sy, sw, sh, fold)
    corner = [(sx + sw - fold, sy), (sx + sw - fold, sy + fold), (sx + sw, sy + fold)]
    text_lines = []
    for i, y in enumerate(range(sy + 14, sy + sh - 6, 10)):
        right = sx + sw - (26 if y < sy + fold + 4 else 10) - (i * 7) % 17
        text_lines.append((sx + 10, right, y))
    draw_sheet_part(c, outline, text_lines, sy, sy + sh, 0, 0, corner)
    cuts = [sy + sh / 3, sy + 2 * sh / 3]
    for cy in cuts:
        x = sx - 10
        while x < sx + sw + 10:
            c.stroke_line((x, cy), (min(x + 6, sx + sw + 10), cy), 2.4, CUT)
            x += 10

    # Arrow from the file to its pieces.
    ay = sy + sh / 2
    c.stroke_line((136, ay), (176, ay), 7, GOLD)
    c.fill_polygon([(174, ay - 13), (194, ay), (174, ay + 13)], GOLD)

    # The pieces, drifting apart, each with its number.
    bands = [(sy, cuts[0]), (cuts[0], cuts[1]), (cuts[1], sy + sh)]
    for n, (y0, y1) in enumerate(bands):
        dx, dy = 170 + 10 * n, -8 + 12 * n
        draw_sheet_part(c, outline, text_lines, y0, y1, dx, dy, corner if n == 0 else None)
        name = "file.%d" % (n + 1)
        c.draw_text(int(sx + sw + dx + 14), int((y0 + y1) / 2 + dy - 7), name, 2,
                    (235, 245, 255), shadow=(1, (0, 10, 30), 0.4))

    # What the program does, on a darker band at the bottom.
    c.fill_rect(0, 236, width, height, (0, 8, 24), 0.45)
    c.fill_rect(0, 236, width, 237, (255, 255, 255), 0.25)
    tagline = "Split large files to pieces and merge them together"
    c.draw_text((width - text_width(tagline, 1)) // 2, 247, tagline, 1, (220, 232, 245))
    return c


# ---------------------------------------------------------------------------
# File formats
def bitmap_info_header(width, height, bit_count, image_size):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bit_count, 0, image_size,
                       0, 0, 0, 0)


def pack_bits(values, bits):
    """Packs small integers MSB first, each row padded to 32 bits."""
    out = bytearray()
    acc, filled = 0, 0
    for v in values:
        acc = (acc << bits) | v
        filled += bits
        if filled == 8:
            out.append(acc)
            acc, filled = 0, 0
    if filled:
        out.append(acc << (8 - filled))
    while len(out) % 4:
        out.append(0)
    return bytes(out)


def icon_bytes(art):
    size = len(art)
    xor_rows, and_rows = [], []
    for line in reversed(art):  # bottom-up
        xor_rows.append(pack_bits([0 if ch == '.' else ICON_KEYS[ch] for ch in line], 4))
        and_rows.append(pack_bits([1 if ch == '.' else 0 for ch in line], 1))
    pixels = b''.join(xor_rows) + b''.join(and_rows)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in VGA)
    image = bitmap_info_header(size, size * 2, 4, len(pixels)) + palette + pixels
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def cursor_bytes(art, hot_spot):
    size = len(art)
    xor_rows, and_rows = [], []
    for line in reversed(art):  # bottom-up
        xor_rows.append(pack_bits([1 if ch == 'o' else 0 for ch in line], 1))
        and_rows.append(pack_bits([1 if ch == '.' else 0 for ch in line], 1))
    pixels = b''.join(xor_rows) + b''.join(and_rows)
    palette = struct.pack('<BBBBBBBB', 0, 0, 0, 0, 255, 255, 255, 0)
    image = bitmap_info_header(size, size * 2, 1, len(pixels)) + palette + pixels
    directory = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', size, size, 2, 0, hot_spot[0], hot_spot[1],
                        len(image), 6 + 16)
    return directory + entry + image


def bmp_bytes(rows, width, height):
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(list(rows)):  # bottom-up
        line = b''.join(struct.pack('<BBB', b, g, r) for r, g, b in row)
        body += line + b'\0' * (stride - len(line))
    info = bitmap_info_header(width, height, 24, len(body))
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(body), 0, 0, 14 + len(info))
    return header + info + bytes(body)


def png_bytes(rows, width, height):
    raw = b''.join(b'\0' + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data
                + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff))
    header = struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header)
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def art_preview(art, colour_of, scale):
    """Enlarged RGBA rows of pixel art, each pixel a scale x scale block."""
    rows = []
    for line in art:
        row = []
        for ch in line:
            row += [colour_of(ch)] * scale
        rows += [row] * scale
    return rows


def write(path, data):
    with open(path, 'wb') as f:
        f.write(data)
    print('wrote', os.path.relpath(path))


def check_art(art, allowed):
    assert len(art) == 32 and all(len(line) == 32 for line in art), 'art must be 32 x 32'
    unknown = set(''.join(art)) - set(allowed)
    assert not unknown, 'unknown pixel letters %r' % unknown


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--preview', metavar='DIR', help='also write enlarged PNG previews')
    args = parser.parse_args()

    check_art(ICON, '.' + ''.join(ICON_KEYS))
    check_art(HAND, '.#o')
    picture = draw_start_picture()
    width, height = START_SIZE

    write(os.path.join(HERE, 'Parvion.ico'), icon_bytes(ICON))
    write(os.path.join(HERE, 'HandCursor.cur'), cursor_bytes(HAND, HAND_HOT_SPOT))
    write(os.path.join(HERE, 'Start.bmp'), bmp_bytes(picture.rgb_rows(), width, height))

    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
        clear = (0, 0, 0, 0)

        def icon_colour(ch):
            return clear if ch == '.' else VGA[ICON_KEYS[ch]] + (255,)

        def hand_colour(ch):
            return {'.': clear, '#': (0, 0, 0, 255), 'o': (255, 255, 255, 255)}[ch]
        for name, art, colour_of in (('icon', ICON, icon_colour),
                                     ('cursor', HAND, hand_colour)):
            rows = art_preview(art, colour_of, 8)
            write(os.path.join(args.preview, name + '.png'), png_bytes(rows, 256, 256))
        rows = [[px + (255,) for px in row] for row in picture.rgb_rows()]
        write(os.path.join(args.preview, 'start.png'), png_bytes(rows, width, height))


if __name__ == '__main__':
    main()
