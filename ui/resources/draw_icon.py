#!/usr/bin/env python3
"""Draws the program icon, a baseball, as 16-colour PNGs of 32 x 32 and 16 x 16,
and as diz.ico holding both sizes for the Windows program (icon resource 128).

Run from this folder: python3 draw_icon.py. Uses the standard library only.
Each pixel is sampled 8 x 8 times; the mean colour is matched to the nearest
palette entry, so edges are smoothed within the 16 colours.
"""
import math
import struct
import zlib

PALETTE = [
    (0, 0, 0, 0),          # 0 transparent
    (255, 255, 255, 255),  # 1 white
    (236, 236, 232, 255),  # 2 leather light
    (214, 214, 206, 255),  # 3 leather shade
    (182, 182, 172, 255),  # 4 leather dark
    (120, 120, 112, 255),  # 5 outline
    (64, 64, 60, 255),     # 6 outline dark
    (208, 32, 32, 255),    # 7 stitch red
    (160, 20, 20, 255),    # 8 stitch dark
    (236, 120, 120, 255),  # 9 stitch light
    (255, 255, 255, 128),  # 10 white, half covered
    (182, 182, 172, 128),  # 11 dark, half covered
    (120, 120, 112, 128),  # 12 outline, half covered
    (64, 64, 60, 128),     # 13 dark outline, half covered
    (248, 248, 244, 255),  # 14 highlight
    (196, 196, 188, 255),  # 15 mid shade
]


def sample(u, v):
    """Colour of the unit-square point (u, v) as RGBA floats."""
    x, y = 2 * u - 1, 2 * v - 1
    r = math.hypot(x, y)
    if r > 0.94:
        return (0, 0, 0, 0)
    if r > 0.86:
        return PALETTE[6]
    # Two seams: arcs of circles centred left and right of the ball.
    for cx in (-1.25, 1.25):
        d = math.hypot(x - cx, y) - 0.95
        if abs(d) < 0.085:
            # Stitches: short strokes across the seam, spaced along its angle.
            angle = math.atan2(y, x - cx)
            phase = (angle * 9) % 1.0
            return PALETTE[7] if phase < 0.6 else PALETTE[8]
    light = 1 - math.hypot(x + 0.35, y + 0.35) / 1.6
    if light > 0.75:
        return PALETTE[14]
    if light > 0.45:
        return PALETTE[2]
    if light > 0.2:
        return PALETTE[3]
    return PALETTE[15]


def nearest(rgba):
    return min(range(len(PALETTE)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(PALETTE[i], rgba)))


def render(size):
    n = 8
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0] * 4
            for sy in range(n):
                for sx in range(n):
                    c = sample((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    for k in range(4):
                        acc[k] += c[k]
            row.append(nearest([a / (n * n) for a in acc]))
        rows.append(row)
    return rows


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def write_png(path, rows):
    size = len(rows)
    raw = b""
    for row in rows:
        packed = bytes((row[i] << 4) | row[i + 1] for i in range(0, size, 2))
        raw += b"\x00" + packed
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 4, 3, 0, 0, 0))
    png += chunk(b"PLTE", b"".join(bytes(c[:3]) for c in PALETTE))
    png += chunk(b"tRNS", bytes(c[3] for c in PALETTE))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def dib(rows):
    """One icon image as Windows keeps it: a 32-bit BGRA bitmap, bottom row
    first, then the 1-bit mask of the transparent pixels (rows padded to 32
    bits), under a BITMAPINFOHEADER of twice the height."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = b""
    mask = b""
    for row in reversed(rows):
        bits = 0
        for index in row:
            r, g, b, a = PALETTE[index]
            colours += bytes((b, g, r, a))
            bits = (bits << 1) | (1 if a == 0 else 0)
        row_bytes = (size + 31) // 32 * 4
        mask += (bits << (row_bytes * 8 - size)).to_bytes(row_bytes, "big")
    return header + colours + mask


def write_ico(path, images):
    """An .ico of the images (each a list of rows), largest first."""
    entries = b""
    data = b""
    offset = 6 + 16 * len(images)
    for rows in images:
        body = dib(rows)
        size = len(rows)
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(body),
                               offset + len(data))
        data += body
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)) + entries + data)


if __name__ == "__main__":
    images = [render(size) for size in (32, 16)]
    for rows in images:
        write_png(f"diz-{len(rows)}.png", rows)
    write_ico("diz.ico", images)
