#!/usr/bin/env python3
"""Draws the suite's icons and bitmaps and writes them into resources/.

The pictures are simple vector drawings rendered with 4x supersampling, so
they stay crisp at every size the icons carry. Run it again after a change;
its outputs are committed so that a build needs no Python.
"""
import os
import struct
import sys
import zlib

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SS = 4  # supersampling factor


class Canvas:
    """RGBA canvas in float coordinates of the final size; drawn at SS times the resolution."""

    def __init__(self, w, h, bg=(0, 0, 0, 0)):
        self.w, self.h = w, h
        self.W, self.H = w * SS, h * SS
        self.px = [list(bg) for _ in range(self.W * self.H)]

    def _blend(self, i, c):
        r, g, b, a = c
        p = self.px[i]
        if a >= 255:
            p[0], p[1], p[2], p[3] = r, g, b, 255
            return
        fa = a / 255.0
        out_a = fa + p[3] / 255.0 * (1 - fa)
        if out_a <= 0:
            return
        for k, v in enumerate((r, g, b)):
            p[k] = (v * fa + p[k] * (p[3] / 255.0) * (1 - fa)) / out_a
        p[3] = out_a * 255

    def shape(self, inside, box, color):
        """Fills every sample whose centre satisfies inside(x, y) (final-size coordinates)."""
        x0, y0, x1, y1 = box
        X0, Y0 = max(0, int(x0 * SS)), max(0, int(y0 * SS))
        X1, Y1 = min(self.W, int(x1 * SS) + 1), min(self.H, int(y1 * SS) + 1)
        for Y in range(Y0, Y1):
            y = (Y + 0.5) / SS
            for X in range(X0, X1):
                if inside((X + 0.5) / SS, y):
                    self._blend(Y * self.W + X, color)

    def rect(self, x0, y0, x1, y1, color, radius=0.0):
        def inside(x, y):
            if not (x0 <= x <= x1 and y0 <= y <= y1):
                return False
            if radius <= 0:
                return True
            cx = min(max(x, x0 + radius), x1 - radius)
            cy = min(max(y, y0 + radius), y1 - radius)
            return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
        self.shape(inside, (x0, y0, x1, y1), color)

    def circle(self, cx, cy, r, color, inner=0.0):
        def inside(x, y):
            d = (x - cx) ** 2 + (y - cy) ** 2
            return inner ** 2 <= d <= r ** 2
        self.shape(inside, (cx - r, cy - r, cx + r, cy + r), color)

    def line(self, xa, ya, xb, yb, width, color):
        dx, dy = xb - xa, yb - ya
        length2 = dx * dx + dy * dy or 1e-9
        half = width / 2.0

        def inside(x, y):
            t = max(0.0, min(1.0, ((x - xa) * dx + (y - ya) * dy) / length2))
            px, py = xa + t * dx, ya + t * dy
            return (x - px) ** 2 + (y - py) ** 2 <= half * half
        self.shape(inside, (min(xa, xb) - half, min(ya, yb) - half, max(xa, xb) + half, max(ya, yb) + half), color)

    def polygon(self, pts, color):
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]

        def inside(x, y):
            c = False
            n = len(pts)
            for i in range(n):
                (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % n]
                if (ya > y) != (yb > y) and x < (xb - xa) * (y - ya) / (yb - ya) + xa:
                    c = not c
            return c
        self.shape(inside, (min(xs), min(ys), max(xs), max(ys)), color)

    def pixels(self):
        """Downsampled RGBA rows, top row first."""
        out = []
        n = SS * SS
        for y in range(self.h):
            row = []
            for x in range(self.w):
                acc = [0.0, 0.0, 0.0, 0.0]
                for Y in range(y * SS, y * SS + SS):
                    base = Y * self.W + x * SS
                    for X in range(SS):
                        p = self.px[base + X]
                        a = p[3]
                        acc[0] += p[0] * a
                        acc[1] += p[1] * a
                        acc[2] += p[2] * a
                        acc[3] += a
                a = acc[3] / n
                if acc[3] > 0:
                    row.append((round(acc[0] / acc[3]), round(acc[1] / acc[3]), round(acc[2] / acc[3]), round(a)))
                else:
                    row.append((0, 0, 0, 0))
            out.append(row)
        return out


def bmp24(rows, background=(255, 255, 255)):
    """A 24-bit BMP file; transparency is blended onto the background."""
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b, a in row:
            f = a / 255.0
            line += bytes((round(b * f + background[2] * (1 - f)), round(g * f + background[1] * (1 - f)),
                           round(r * f + background[0] * (1 - f))))
        line += b"\0" * (stride - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def png(rows):
    h, w = len(rows), len(rows[0])
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in rows)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico(images):
    """images: list of (size, rows). 256 is stored as PNG, the others as 32-bit DIBs with a mask."""
    entries, blobs = [], []
    for size, rows in images:
        if size >= 256:
            blob = png(rows)
        else:
            xor = bytearray()
            for row in reversed(rows):
                for r, g, b, a in row:
                    xor += bytes((b, g, r, a))
            mask_stride = ((size + 31) // 32) * 4
            mask = bytearray()
            for row in reversed(rows):
                bits = bytearray(mask_stride)
                for x, p in enumerate(row):
                    if p[3] == 0:
                        bits[x // 8] |= 0x80 >> (x % 8)
                mask += bits
            header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
            blob = header + bytes(xor) + bytes(mask)
        blobs.append((size, blob))
    offset = 6 + 16 * len(blobs)
    out = struct.pack("<HHH", 0, 1, len(blobs))
    for size, blob in blobs:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(b for _, b in blobs)


def write(path, data):
    full = os.path.join(TOP, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "wb") as f:
        f.write(data)


# Drawings take a canvas whose side is s and draw in units of s/32.

def draw_varnholt(c, s):
    u = s / 32.0
    # Two sheets, the second a copy of the first, and a lens over them.
    c.rect(3 * u, 3 * u, 19 * u, 23 * u, (30, 90, 160, 255), radius=1.5 * u)
    c.rect(4.2 * u, 4.2 * u, 17.8 * u, 21.8 * u, (235, 243, 252, 255), radius=1 * u)
    for k in range(4):
        c.rect(6.5 * u, (8 + 3 * k) * u, 15.5 * u, (9.2 + 3 * k) * u, (30, 90, 160, 255))
    c.rect(11 * u, 8 * u, 27 * u, 28 * u, (0, 120, 28, 255), radius=1.5 * u)
    c.rect(12.2 * u, 9.2 * u, 25.8 * u, 26.8 * u, (236, 250, 238, 255), radius=1 * u)
    for k in range(4):
        c.rect(14.5 * u, (13 + 3 * k) * u, 23.5 * u, (14.2 + 3 * k) * u, (0, 120, 28, 255))
    c.line(24 * u, 24 * u, 30 * u, 30 * u, 3.2 * u, (60, 60, 60, 255))
    c.circle(21 * u, 21 * u, 6 * u, (60, 60, 60, 255), inner=4.4 * u)
    c.circle(21 * u, 21 * u, 4.4 * u, (255, 255, 255, 110))


def draw_brisvane(c, s):
    u = s / 32.0
    colours = [(0, 0, 153), (0, 153, 0), (153, 0, 0), (96, 96, 96), (153, 153, 0), (255, 153, 51)]
    for i, col in enumerate(colours):
        x = 2 + (i % 3) * 10
        y = 5 + (i // 3) * 12
        c.rect(x * u, y * u, (x + 8.5) * u, (y + 10) * u, col + (255,), radius=1.6 * u)
        c.circle((x + 4.25) * u, (y + 5) * u, 2 * u, (255, 255, 255, 200))


def draw_ravelboot(c, s):
    u = s / 32.0
    c.circle(16 * u, 16 * u, 14 * u, (0, 90, 150, 255))
    c.circle(16 * u, 16 * u, 11.5 * u, (245, 248, 252, 255))
    c.line(16 * u, 16 * u, 16 * u, 8 * u, 2.4 * u, (0, 90, 150, 255))
    c.line(16 * u, 16 * u, 22 * u, 19 * u, 2.4 * u, (0, 90, 150, 255))
    c.polygon([(24 * u, 4 * u), (31 * u, 9 * u), (24 * u, 14 * u)], (0, 150, 60, 255))


def draw_standin(c, s):
    u = s / 32.0
    c.rect(3 * u, 3 * u, 29 * u, 29 * u, (120, 120, 130, 255), radius=4 * u)
    c.rect(8 * u, 8 * u, 24 * u, 24 * u, (230, 230, 235, 255), radius=2 * u)


def icon(draw):
    images = []
    for size in (16, 24, 32, 48, 64, 256):
        c = Canvas(size, size)
        draw(c, size)
        images.append((size, c.pixels()))
    return ico(images)


ICONS = {
    "resources/varnholt/Varnholt.ico": draw_varnholt,
    "resources/brisvane/Brisvane.ico": draw_brisvane,
    "resources/ravelboot/Ravelboot.ico": draw_ravelboot,
    "resources/standins/Standin.ico": draw_standin,
}


def main(argv):
    only = set(argv[1:])
    for path, draw in ICONS.items():
        if not only or path in only:
            write(path, icon(draw))
            print("wrote", path)


if __name__ == "__main__":
    main(sys.argv)
