#!/usr/bin/env python3
"""Draws the module's bitmaps and icons. Run it after changing the art; its
output is committed beside it, so the build does not need Python."""
import os
import struct

from pixelart import CLEAR, GLYPHS, Canvas

HERE = os.path.dirname(os.path.abspath(__file__))
KEY = (255, 0, 255)          # transparent colour of the button strip
WHITE = (255, 255, 255)
TILE = (120, 115, 200)       # blue-violet tile at rest
HOT_TILE = (175, 165, 255)   # lighter tile under the mouse


def symbol(cv, kind, ox):
    w = WHITE
    if kind == "check":
        cv.polyline([(8.5, 16.5), (13.5, 22), (23.5, 9.5)], 4, w, ox)
    elif kind == "undo":
        cv.arc(16, 15, 7, 200, 470, 3, w, ox)
        cv.polyline([(6, 10), (9.5, 15.5), (14, 11.5)], 3, w, ox)
        cv.rect(8, 24, 24, 26.5, w, ox)
    elif kind == "info":
        cv.disc(16, 8.5, 2.4, w, ox)
        cv.rect(14, 13, 18, 24, w, ox)
        cv.rect(12, 13, 18, 15, w, ox)
        cv.rect(12, 23, 20, 25, w, ox)
    elif kind == "question":
        cv.arc(16, 11.5, 5, 180, 390, 3.2, w, ox)
        cv.polyline([(20.3, 14), (16, 17.5), (16, 20)], 3.2, w, ox)
        cv.disc(16, 24.5, 2.1, w, ox)
    elif kind == "cross":
        cv.polyline([(9.5, 9.5), (22.5, 22.5)], 4, w, ox)
        cv.polyline([(22.5, 9.5), (9.5, 22.5)], 4, w, ox)
    elif kind == "floppy":
        cv.rounded_rect(7, 7, 25, 25, 1.5, w, ox)
        cv.rect(11, 7, 21, 13, (90, 90, 140), ox)
        cv.rect(17, 8, 19.5, 12, w, ox)
        cv.rect(10, 17, 22, 25, (230, 230, 240), ox)


def button_strip():
    kinds = ["check", "undo", "info", "question", "cross", "floppy"]
    cv = Canvas(32 * 12, 32, KEY)
    for i, kind in enumerate(kinds):
        for hot in (0, 1):
            ox = (i * 2 + hot) * 32
            cv.rounded_rect(1, 1, 31, 31, 5, HOT_TILE if hot else TILE, ox)
            symbol(cv, kind, ox)
    return cv


def folder(cv, x, y, body, tab, line):
    cv.rect(x, y + 1, x + 3, y + 2, tab)
    cv.rect(x, y + 2, x + 6, y + 6, body)
    cv.rect(x, y + 6, x + 6, y + 6.9, line)


def folder_tree():
    """Two 16x16 cells: yellow folders joined by a tree line, then greyed."""
    cv = Canvas(32, 16, KEY)
    for cell, (body, tab, line, tree) in enumerate([
            ((255, 214, 64), (230, 170, 20), (150, 110, 0), (0, 0, 0)),
            ((192, 192, 192), (160, 160, 160), (128, 128, 128), (128, 128, 128))]):
        ox = cell * 16
        cv.rect(ox + 3, 8, ox + 3.9, 13.5, tree)
        cv.rect(ox + 3, 13, ox + 8, 13.9, tree)
        folder(cv, ox + 1, 1, body, tab, line)
        folder(cv, ox + 8, 8, body, tab, line)
    return cv


def page_icon():
    cv = Canvas(32, 32, None)
    cv.rounded_rect(2, 3, 30, 29, 3, (0, 0, 128))
    cv.rect(4, 7, 28, 27, (255, 255, 255))
    for i, y in enumerate(range(9, 26, 3)):
        cv.rect(6, y, 6 + (18 if i % 2 else 13), y + 1, (0, 128, 128))
    cv.polyline([(20, 15), (26, 21), (20, 27)], 3, (255, 0, 0))
    return cv


def write_bmp24(path, cv):
    row = (cv.w * 3 + 3) & ~3
    data = bytearray()
    for y in range(cv.h - 1, -1, -1):
        line = bytearray()
        for r, g, b in cv.px[y]:
            line += bytes((b, g, r))
        data += line + b"\0" * (row - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, cv.w, cv.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def write_ico16(path, cv):
    """A 32x32 icon in the 16 standard colours; None pixels are transparent."""
    xor = bytearray()
    mask = bytearray()
    for y in range(cv.h - 1, -1, -1):
        nib = [VGA16.index(p) if p is not None else 0 for p in cv.px[y]]
        xor += bytes((nib[i] << 4) | nib[i + 1] for i in range(0, cv.w, 2))
        bits = 0
        for x, p in enumerate(cv.px[y]):
            if p is None:
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in VGA16)
    info = struct.pack("<IiiHHIIiiII", 40, cv.w, cv.h * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = info + palette + xor + mask
    head = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", cv.w, cv.h, 16, 0, 1, 4, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(head + entry + image)


def write_bmp4(path, cv):
    """A 16-colour, uncompressed bitmap in the standard palette."""
    row = ((cv.w + 1) // 2 + 3) & ~3
    data = bytearray()
    for y in range(cv.h - 1, -1, -1):
        nib = [VGA16.index(p) for p in cv.px[y]] + [0]
        line = bytes((nib[i] << 4) | nib[i + 1] for i in range(0, cv.w, 2))
        data += line + b"\0" * (row - len(line))
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in VGA16)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, cv.w, cv.h, 1, 4, 0, len(data), 2835, 2835, 16, 0)
    with open(path, "wb") as f:
        f.write(header + info + palette + data)


if __name__ == "__main__":
    for name, draw in GLYPHS.items():
        cv = draw()
        assert cv.px[cv.h - 1][0] == CLEAR, name + ": the bottom-left pixel must be the transparent colour"
        write_bmp4(os.path.join(HERE, name + ".bmp"), cv)
    write_bmp24(os.path.join(HERE, "buttons.bmp"), button_strip())
    write_bmp24(os.path.join(HERE, "foldertree.bmp"), folder_tree())
    write_ico16(os.path.join(HERE, "page.ico"), page_icon())
