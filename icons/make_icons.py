#!/usr/bin/env python3
"""Draws the data-file icons (48 x 48, 32-bit, classic BMP-in-ICO) shipped next
to the programs: a sheet of paper with a folded corner, a coloured band and the
file type's letters. Run from this folder: python3 make_icons.py"""
import struct

GLYPHS = {  # 5 x 7 bitmap letters
    'T': ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    'V': ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    'Q': ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    'M': ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    'E': ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    'L': ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    'N': ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    'R': ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
}

SIZE = 48


def draw(letters, band):
    px = [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]
    left, right, top, bottom, fold = 4, 43, 2, 45, 11
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            if x - (right - fold) > y - top:     # cut-off corner
                continue
            edge = x in (left, right) or y in (top, bottom) or x - (right - fold) == y - top
            px[y][x] = (90, 90, 90, 255) if edge else (255, 255, 255, 255)
    for y in range(top, top + fold + 1):         # the folded flap
        for x in range(right - fold, right - fold + (y - top) + 1):
            px[y][x] = (90, 90, 90, 255) if x == right - fold or y == top + fold else (215, 215, 215, 255)
    for y in range(24, 42):                      # coloured band
        for x in range(left + 1, right):
            px[y][x] = band + (255,)
    x0 = (SIZE - (len(letters) * 10 + (len(letters) - 1))) // 2
    for i, ch in enumerate(letters):
        for gy, row in enumerate(GLYPHS[ch]):
            for gx, bit in enumerate(row):
                if bit == '1':
                    for dy in (0, 1):
                        for dx in (0, 1):
                            px[26 + gy * 2 + dy][x0 + i * 11 + gx * 2 + dx] = (255, 255, 255, 255)
    return px


def ico(px):
    rows = b''
    for y in reversed(range(SIZE)):              # bottom-up BGRA
        for r, g, b, a in px[y]:
            rows += bytes((b, g, r, a))
    mask_row = ((SIZE + 31) // 32) * 4
    mask = b''
    for y in reversed(range(SIZE)):
        bits = 0
        row = bytearray(mask_row)
        for x in range(SIZE):
            if px[y][x][3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(row)
    dib = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 32, 0, len(rows) + len(mask), 0, 0, 0, 0) + rows + mask
    header = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, 1, 32, len(dib), 6 + 16)
    return header + entry + dib


for name, letters, band in (("TVQ.ico", "TVQ", (32, 96, 168)), ("MET.ico", "MET", (40, 130, 70)),
                            ("qln.ico", "QLN", (176, 72, 40)), ("mrv.ico", "MRV", (120, 60, 150))):
    with open(name, 'wb') as f:
        f.write(ico(draw(letters, band)))
