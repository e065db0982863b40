#!/usr/bin/env python3
"""Writes segmenta.ico and chimer.ico (32x32 and 16x16, 32-bit colour) next to this script."""
import math
import os
import struct


def segmenta(x, y, n):
    # a monitor: dark frame, blue screen split into two segments, a stand below
    s = n / 32.0
    if 4 * s <= x < 28 * s and 5 * s <= y < 23 * s:
        if 6 * s <= x < 26 * s and 7 * s <= y < 21 * s:
            return (40, 110, 220) if x < 16 * s else (90, 160, 240)
        return (50, 50, 60)
    if 14 * s <= x < 18 * s and 23 * s <= y < 26 * s or 10 * s <= x < 22 * s and 26 * s <= y < 28 * s:
        return (50, 50, 60)
    return None


def chimer(x, y, n):
    # a bell: yellow dome, a rim and a clapper
    s = n / 32.0
    cx, cy = 16 * s, 15 * s
    if 6 * s <= x < 26 * s and 22 * s <= y < 25 * s:
        return (200, 150, 20)
    if y < 22 * s and y > 5 * s and abs(x + 0.5 - cx) < (9 * s) * math.sqrt(max(0.0, (y - 4 * s) / (18 * s))) + 1:
        return (245, 200, 40)
    if math.hypot(x + 0.5 - cx, y + 0.5 - 27 * s) < 2.2 * s:
        return (120, 80, 10)
    return None


def image(paint, n):
    rows = []
    for y in range(n - 1, -1, -1):   # bottom-up
        row = b''
        for x in range(n):
            c = paint(x, y, n)
            row += bytes((c[2], c[1], c[0], 255)) if c else b'\0\0\0\0'
        rows.append(row)
    mask_row = b'\0' * (((n + 31) // 32) * 4)
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + b''.join(rows) + mask_row * n


def write(name, paint):
    images = [image(paint, n) for n in (32, 16)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip((32, 16), images):
        out += struct.pack('<BBBBHHII', n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), name), 'wb') as f:
        f.write(out + b''.join(images))


write('segmenta.ico', segmenta)
write('chimer.ico', chimer)
