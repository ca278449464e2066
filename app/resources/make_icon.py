#!/usr/bin/env python3
"""Draws the program's icon (a shelf of books) and writes linkshelf.ico.

Run it again after changing the drawing; the .ico beside it is what the build uses.
Sizes 16 and 32, 32-bit colour with an alpha channel, plus the AND mask that
old Windows versions read.
"""
import struct
import sys
from pathlib import Path

BOOKS = [  # (left, width, height as part of the shelf space, colour)
    (0.10, 0.13, 0.80, (0xB0, 0x30, 0x30)),
    (0.25, 0.11, 0.95, (0x2E, 0x5E, 0xAA)),
    (0.38, 0.14, 0.70, (0x3A, 0x8F, 0x4A)),
    (0.54, 0.10, 0.88, (0xD9, 0xA4, 0x1E)),
    (0.66, 0.22, 0.60, (0x7A, 0x4A, 0x9C)),
]
WOOD = (0x6B, 0x42, 0x1E)
LINK = (0xFF, 0xFF, 0xFF)


def draw(size):
    """Rows of (r, g, b, a), top row first."""
    pixels = [[(0, 0, 0, 0)] * size for _ in range(size)]
    shelf_top = int(size * 0.82)
    shelf_bottom = int(size * 0.94)
    space_top = int(size * 0.08)
    for y in range(shelf_top, shelf_bottom):
        for x in range(size):
            pixels[y][x] = WOOD + (255,)
    for left, width, height, colour in BOOKS:
        x0 = int(left * size)
        x1 = max(x0 + 2, int((left + width) * size))
        y0 = shelf_top - int(height * (shelf_top - space_top))
        for y in range(y0, shelf_top):
            for x in range(x0, min(x1, size)):
                edge = x in (x0, x1 - 1) or y == y0
                shade = tuple(max(0, c - 60) for c in colour) if edge else colour
                pixels[y][x] = shade + (255,)
        # a light band across each spine, like a label
        band = y0 + (shelf_top - y0) // 3
        for x in range(x0 + 1, min(x1 - 1, size)):
            pixels[band][x] = LINK + (255,)
    return pixels


def bitmap(pixels):
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def icon(sizes):
    images = [bitmap(draw(size)) for size in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


if __name__ == "__main__":
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name("linkshelf.ico")
    target.write_bytes(icon([16, 32]))
