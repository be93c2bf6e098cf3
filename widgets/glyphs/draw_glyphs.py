#!/usr/bin/env python3
"""Draws the widget library's default glyphs as 24-bit BMP files.

Each image keys out magenta, which also fills its bottom-left pixel (the
pixel that picks the transparent colour of a bitmap). Run it again after
changing a drawing; the build embeds the .bmp files.
"""
import struct

KEY = (255, 0, 255)


def write_bmp(name, pixels):
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        body += line + bytes(stride - len(line))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(body), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(body), 3780, 3780, 0, 0)
    with open(name, 'wb') as f:
        f.write(header + info + body)


def arrow(width, height, up, colour, shift=0):
    """A filled triangle pointing up or down, centred in width x height."""
    image = [[KEY] * width for _ in range(height)]
    rows = (width + 1) // 2 - 1
    top = (height - rows) // 2 + shift
    for i in range(rows):
        half = i if up else rows - 1 - i
        y = top + i
        for x in range(width // 2 - half, width // 2 + half + 1):
            if 0 <= y < height - 1 and 0 <= x < width:
                image[y][x] = colour
    return image


def strip(images):
    return [sum((image[y] for image in images), []) for y in range(len(images[0]))]


# normal, hot (mouse over), pressed (one pixel lower), disabled
STATES = [((192, 192, 192), 0), ((255, 255, 255), 0), ((0, 255, 0), 1), ((96, 96, 96), 0)]
for name, up in (('UpDown_Up.bmp', True), ('UpDown_Down.bmp', False)):
    write_bmp(name, strip([arrow(11, 8, up, colour, shift) for colour, shift in STATES]))

# The jog meter's pin: a red head on a dark stem, pointing down.
pin = [[KEY] * 9 for _ in range(14)]
for y in range(13):
    for x in range(9):
        if y < 5 and 1 <= x <= 7:
            pin[y][x] = (255, 0, 0) if (x, y) not in ((1, 0), (7, 0), (1, 4), (7, 4)) else KEY
        elif y >= 5 and x == 4:
            pin[y][x] = (64, 64, 64)
write_bmp('QdPin.bmp', pin)
