#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files beside this script.

  program.ico        icon 106: 32x32 in 16 colours, 32x32 in 256 colours,
                     16x16 in 16 colours
  program-small.ico  icon 107: the same 16x16 image in 16 colours

The picture is a word list (a card with rows) with a microphone in front of
it. The .ico files are committed; run this again only to change the picture.
Needs nothing but Python 3.
"""
import os
import struct

# The 16 colours of the classic Windows palette, in their usual order.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

BLACK, NAVY, GREY, SILVER, WHITE = (0, 0, 0), (0, 0, 128), (128, 128, 128), (192, 192, 192), (255, 255, 255)
BLUE, RED, MAROON = (0, 0, 255), (255, 0, 0), (128, 0, 0)


def blank(size):
    return [[None] * size for _ in range(size)]


def rect(img, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = colour


def draw_32(shaded):
    """The 32x32 picture; `shaded` adds the 256-colour image's gradients."""
    img = blank(32)
    # The card: a white sheet with a dark outline and a shadow.
    rect(img, 4, 3, 24, 29, GREY)
    rect(img, 2, 1, 22, 27, NAVY)
    rect(img, 3, 2, 21, 26, WHITE)
    if shaded:
        for y in range(2, 27):
            tone = 255 - (y - 2) * 2
            rect(img, 3, y, 21, y, (tone, tone, 255))
    # Header row and word rows: a blue word, a grey reading.
    rect(img, 3, 2, 21, 5, BLUE if not shaded else (40, 80, 220))
    for y in (9, 13, 17, 21):
        rect(img, 5, y, 9, y + 1, NAVY)
        rect(img, 11, y, 17, y + 1, SILVER if not shaded else (150, 160, 190))
    # The microphone: a red capsule on a black stand.
    for y in range(11, 22):
        for x in range(19, 28):
            dx, dy = x - 23, y - (13 if y < 13 else 19 if y > 19 else y)
            if dx * dx + dy * dy <= 16:
                colour = RED
                if shaded:
                    colour = (min(255, 230 - dx * 20), max(0, 50 - dx * 15), max(0, 50 - dx * 15))
                elif dx >= 2:
                    colour = MAROON
                img[y][x] = colour
    for x in range(20, 27):
        if img[13][x] is not None:
            img[15][x] = BLACK if not shaded else (60, 0, 0)
    for y in range(18, 25):
        img[y][18] = BLACK
        img[y][28] = BLACK
    rect(img, 18, 24, 28, 24, BLACK)
    rect(img, 23, 25, 23, 28, BLACK)
    rect(img, 19, 29, 27, 30, BLACK)
    return img


def draw_16():
    img = blank(16)
    rect(img, 2, 1, 12, 15, GREY)
    rect(img, 1, 0, 11, 14, NAVY)
    rect(img, 2, 1, 10, 13, WHITE)
    rect(img, 2, 1, 10, 2, BLUE)
    for y in (4, 7, 10):
        rect(img, 3, y, 4, y, NAVY)
        rect(img, 6, y, 8, y, SILVER)
    rect(img, 10, 5, 13, 10, RED)
    rect(img, 13, 5, 13, 10, MAROON)
    for x, y in ((10, 5), (13, 5), (10, 10), (13, 10)):
        img[y][x] = None  # round the capsule's corners
    rect(img, 10, 7, 12, 7, MAROON)
    rect(img, 9, 9, 9, 11, BLACK)
    rect(img, 14, 9, 14, 11, BLACK)
    rect(img, 9, 12, 14, 12, BLACK)
    rect(img, 11, 13, 12, 13, BLACK)
    rect(img, 10, 14, 13, 14, BLACK)
    return img


def nearest(palette, colour):
    return min(range(len(palette)), key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], colour)))


def dib(img, bits):
    """One icon image: BITMAPINFOHEADER, palette, colour bits, AND mask."""
    size = len(img)
    if bits == 4:
        palette = VGA
    else:
        palette = sorted({c for row in img for c in row if c is not None})
        palette += [(0, 0, 0)] * (256 - len(palette))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, len(palette), 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    xor_stride = ((size * bits + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor, mask = b"", b""
    for row in reversed(img):  # bottom-up
        indices = [0 if c is None else nearest(palette, c) for c in row]
        if bits == 4:
            packed = bytes((indices[i] << 4) | indices[i + 1] for i in range(0, size, 2))
        else:
            packed = bytes(indices)
        xor += packed.ljust(xor_stride, b"\0")
        bitsrow = 0
        for x, c in enumerate(row):
            if c is None:
                bitsrow |= 1 << (size - 1 - x)
        mask += bitsrow.to_bytes(size // 8, "big").ljust(and_stride, b"\0")
    return header + colours + xor + mask, len(palette) if bits == 4 else 0


def write_ico(path, images):
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for img, bits in images:
        blob, count = dib(img, bits)
        size = len(img)
        entries += struct.pack("<BBBBHHII", size, size, count, 0, 1, bits, len(blob), offset)
        blobs += blob
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)) + entries + blobs)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    small = draw_16()
    write_ico(os.path.join(here, "program.ico"), [(draw_32(False), 4), (draw_32(True), 8), (small, 4)])
    write_ico(os.path.join(here, "program-small.ico"), [(small, 4)])


if __name__ == "__main__":
    main()
