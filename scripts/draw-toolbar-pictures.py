#!/usr/bin/env python3
"""Draws the plot toolbar's fourteen pictures into resources/ as 16-colour
bitmaps: 24 x 24 under their names, 16 x 16 with the prefix SMALL. The
background is teal (0x808000 as a colour value), which the toolbar leaves
out when it draws them.

Each picture is drawn in a 16-unit square and scaled to both sizes, so the
two sizes always show the same thing. Run it again after changing a
picture; the output is deterministic.
"""

import os
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)
BACKGROUND = TEAL


class Picture:
    def __init__(self, size):
        self.size = size
        self.scale = size / 16.0
        self.pixels = [[BACKGROUND] * size for _ in range(size)]

    def _px(self, v):
        return int(round(v * self.scale))

    def put(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.pixels[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        for y in range(self._px(y0), max(self._px(y1), self._px(y0) + 1)):
            for x in range(self._px(x0), max(self._px(x1), self._px(x0) + 1)):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        a, b, c, d = self._px(x0), self._px(y0), self._px(x1) - 1, self._px(y1) - 1
        for x in range(a, c + 1):
            self.put(x, b, colour)
            self.put(x, d, colour)
        for y in range(b, d + 1):
            self.put(a, y, colour)
            self.put(c, y, colour)

    def line(self, x0, y0, x1, y1, colour):
        ax, ay, bx, by = self._px(x0), self._px(y0), self._px(x1), self._px(y1)
        steps = max(abs(bx - ax), abs(by - ay), 1)
        for i in range(steps + 1):
            self.put(round(ax + (bx - ax) * i / steps), round(ay + (by - ay) * i / steps), colour)

    def polygon(self, points, colour):
        pts = [(x * self.scale, y * self.scale) for x, y in points]
        for y in range(self.size):
            for x in range(self.size):
                if _inside(pts, x + 0.5, y + 0.5):
                    self.put(x, y, colour)

    def ring(self, cx, cy, r, colour, fill=None):
        for y in range(self.size):
            for x in range(self.size):
                d = ((x + 0.5) / self.scale - cx) ** 2 + ((y + 0.5) / self.scale - cy) ** 2
                if fill is not None and d <= (r - 1.0) ** 2:
                    self.put(x, y, fill)
                elif (r - 1.3) ** 2 <= d <= r ** 2:
                    self.put(x, y, colour)


def _inside(points, x, y):
    inside = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def magnifier(p, sign=None):
    p.ring(6.5, 6.5, 5, BLACK, fill=AQUA)
    p.line(10, 10, 14.5, 14.5, BLACK)
    p.line(10.5, 10, 15, 14.5, BLACK)
    if sign:
        p.fill(4, 6, 9.5, 7.4, BLACK)
    if sign == "+":
        p.fill(6, 4, 7.4, 9.5, BLACK)


def page(p, x0, y0, x1, y1):
    p.fill(x0, y0, x1, y1, WHITE)
    p.frame(x0, y0, x1, y1, BLACK)


def draw_auto(p):
    p.polygon([(4, 2), (13, 8), (4, 14)], GREEN)
    p.line(4, 2, 4, 14, BLACK)


def draw_pause(p):
    p.fill(3.5, 2.5, 6.5, 13.5, NAVY)
    p.fill(9.5, 2.5, 12.5, 13.5, NAVY)


def draw_scroll(p):
    p.line(1, 8, 15, 8, BLACK)
    p.line(8, 1, 8, 15, BLACK)
    for tip in [[(1, 8), (4, 5), (4, 11)], [(15, 8), (12, 5), (12, 11)],
                [(8, 1), (5, 4), (11, 4)], [(8, 15), (5, 12), (11, 12)]]:
        p.polygon(tip, BLACK)


def draw_zoom(p):
    p.line(2, 2, 14, 14, BLACK)
    p.line(14, 2, 2, 14, BLACK)
    for tip in [[(1, 1), (6, 1), (1, 6)], [(15, 15), (10, 15), (15, 10)],
                [(15, 1), (10, 1), (15, 6)], [(1, 15), (6, 15), (1, 10)]]:
        p.polygon(tip, BLACK)


def draw_select(p):
    p.polygon([(3, 1), (3, 13), (6, 10), (9, 15), (11, 14), (8, 9.5), (12, 9.5)], WHITE)
    p.line(3, 1, 3, 13, BLACK)
    p.line(3, 1, 12, 9.5, BLACK)


def draw_scrollbox(p):
    for x in range(1, 15, 2):
        p.fill(x, 1, x + 1, 1.7, BLACK)
        p.fill(x, 13.3, x + 1, 14, BLACK)
    for y in range(1, 15, 2):
        p.fill(1, y, 1.7, y + 1, BLACK)
        p.fill(13.3, y, 14, y + 1, BLACK)
    p.polygon([(9, 9), (15, 12), (12, 12), (12, 15)], RED)


def draw_cursor(p):
    p.line(8, 0, 8, 16, RED)
    p.line(0, 8, 16, 8, RED)
    p.ring(8, 8, 4, BLACK)


def draw_properties(p):
    page(p, 2, 1, 14, 15)
    for y in (4, 7, 10):
        p.fill(4, y, 12, y + 1, NAVY)
    p.fill(4, 12.5, 9, 13.5, NAVY)


def draw_copy(p):
    page(p, 1, 1, 10, 11)
    page(p, 6, 5, 15, 15)
    p.fill(8, 8, 13, 9, GRAY)
    p.fill(8, 11, 13, 12, GRAY)


def draw_save(p):
    p.fill(1, 1, 15, 15, NAVY)
    p.fill(4, 1, 12, 7, WHITE)
    p.fill(4, 10, 12, 15, SILVER)
    p.fill(9, 11, 11, 14, NAVY)
    p.frame(1, 1, 15, 15, BLACK)


def draw_printer(p):
    page(p, 4, 1, 12, 7)
    p.fill(1, 6, 15, 12, SILVER)
    p.frame(1, 6, 15, 12, BLACK)
    page(p, 4, 10, 12, 15)
    p.fill(12, 7.5, 13.5, 9, LIME)


def draw_preview(p):
    page(p, 1, 1, 11, 15)
    for y in (4, 6, 8):
        p.fill(3, y, 9, y + 1, GRAY)
    p.ring(10, 10, 3.5, BLACK, fill=AQUA)
    p.line(12.5, 12.5, 15, 15, BLACK)


PICTURES = {
    "AUTO": draw_auto,
    "PAUSE": draw_pause,
    "SCROLL": draw_scroll,
    "ZOOM": draw_zoom,
    "ZOOMOUT": lambda p: magnifier(p, "-"),
    "ZOOMIN": lambda p: magnifier(p, "+"),
    "SELECT": draw_select,
    "SCROLLBOX": draw_scrollbox,
    "CURSOR": draw_cursor,
    "PROPERTIES": draw_properties,
    "COPY": draw_copy,
    "SAVE": draw_save,
    "PRINTER": draw_printer,
    "PREVIEW": draw_preview,
}


def bitmap_bytes(picture):
    size = picture.size
    row_bytes = ((size * 4 + 31) // 32) * 4
    rows = []
    for y in reversed(range(size)):
        row = bytearray(row_bytes)
        for x in range(size):
            row[x // 2] |= picture.pixels[y][x] << (0 if x % 2 else 4)
        rows.append(bytes(row))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image = b"".join(rows)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 4, 0, len(image), 2835, 2835, 16, 0)
    return header + info + palette + image


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources")
    for name, draw in PICTURES.items():
        for prefix, size in (("", 24), ("SMALL", 16)):
            picture = Picture(size)
            draw(picture)
            with open(os.path.join(out, prefix + name + ".bmp"), "wb") as f:
                f.write(bitmap_bytes(picture))


if __name__ == "__main__":
    main()
