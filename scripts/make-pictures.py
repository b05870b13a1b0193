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


# Menu pictures: 12 x 12 so that they fit the menu's check-mark area (13 x 13 at
# 96 DPI) without clipping; edges sit on whole pixels so that they stay crisp
# when the menu doubles them at 200 %. Drawn on white, the menu's background.

MENU_SIZE = 12
MENU_BG = (255, 255, 255)
INK = (60, 60, 60, 255)
BLUE = (30, 90, 160, 255)
LIGHT_BLUE = (200, 222, 246, 255)
GREEN = (0, 130, 40, 255)
RED = (205, 35, 35, 255)
PAPER = (255, 255, 255, 255)
PAPER_EDGE = (95, 105, 120, 255)
FOLDER = (240, 190, 70, 255)
FOLDER_DARK = (175, 120, 20, 255)
FOLDER_FRONT = (252, 214, 110, 255)


def sheet(c, x0, y0, x1, y1, lines=True, ink=BLUE):
    """A sheet of paper with a folded corner and text lines."""
    c.polygon([(x0, y0), (x1 - 3, y0), (x1, y0 + 3), (x1, y1), (x0, y1)], PAPER_EDGE)
    c.polygon([(x0 + 1, y0 + 1), (x1 - 3.4, y0 + 1), (x1 - 1, y0 + 3.4), (x1 - 1, y1 - 1), (x0 + 1, y1 - 1)], PAPER)
    c.polygon([(x1 - 3, y0), (x1 - 3, y0 + 3), (x1, y0 + 3)], PAPER_EDGE)
    if lines:
        for y in range(int(y0) + 4, int(y1) - 1, 2):
            c.rect(x0 + 2, y, x1 - 2, y + 1, ink)


def folder(c, x0, y0, x1, y1, open_=False):
    c.rect(x0, y0, x0 + 5, y0 + 2, FOLDER_DARK, radius=0.5)
    c.rect(x0, y0 + 1, x1, y1, FOLDER_DARK)
    c.rect(x0 + 1, y0 + 2, x1 - 1, y1 - 1, FOLDER)
    if open_:
        c.polygon([(x0 + 2, y0 + 4), (x1 + 1, y0 + 4), (x1 - 1, y1), (x0, y1)], FOLDER_DARK)
        c.polygon([(x0 + 2.7, y0 + 5), (x1 - 0.2, y0 + 5), (x1 - 1.7, y1 - 1), (x0 + 1.2, y1 - 1)], FOLDER_FRONT)
    else:
        c.rect(x0 + 1, y0 + 3, x1 - 1, y0 + 4, FOLDER_DARK)
        c.rect(x0 + 1, y0 + 4, x1 - 1, y1 - 1, FOLDER_FRONT)


def lens(c, cx, cy, r, handle, width=1.6, glass=(215, 235, 255, 255)):
    hx, hy = handle
    c.line(cx + r * 0.7, cy + r * 0.7, hx, hy, width * 1.4, INK)
    c.circle(cx, cy, r, INK, inner=r - width)
    c.circle(cx, cy, r - width, glass)


def menu_language(c):
    # Two speech bubbles: a conversation in two languages.
    c.rect(0, 0, 8, 6, BLUE, radius=1.5)
    c.polygon([(1.5, 5), (4, 5), (1.5, 8)], BLUE)
    c.rect(2, 2, 6, 3, PAPER)
    c.rect(4, 4, 12, 10, GREEN, radius=1.5)
    c.rect(4, 4, 12, 10, GREEN, radius=1.5)
    c.polygon([(8, 9), (10.5, 9), (10.5, 12)], GREEN)
    c.rect(6, 6, 10, 7, PAPER)
    c.rect(6, 8, 9, 9, PAPER)


def menu_about(c):
    # The program's own mark: a sheet, its copy and the lens.
    sheet(c, 0, 0, 7, 9, lines=False)
    c.rect(2, 3, 5, 4, BLUE)
    c.rect(2, 5, 5, 6, BLUE)
    lens(c, 7.5, 7.5, 3.5, (11.5, 11.5), width=1.3)


def menu_copy(c):
    sheet(c, 0, 0, 8, 9, lines=False)
    sheet(c, 4, 3, 12, 12)


def menu_tree(c):
    c.rect(1, 1, 4, 4, BLUE)
    c.rect(2, 4, 3, 10, INK)
    c.rect(3, 6, 6, 7, INK)
    c.rect(3, 9, 6, 10, INK)
    c.rect(6, 5, 11, 8, GREEN)
    c.rect(6, 8.5, 11, 11.5, GREEN)
    c.rect(2, 9, 6, 10, INK)


def menu_exit(c):
    # A door and an arrow leading out.
    c.rect(1, 0, 7, 12, FOLDER_DARK)
    c.rect(2, 1, 6, 12, (150, 95, 40, 255))
    c.rect(4.5, 6, 5.5, 7, FOLDER)
    c.rect(6, 5, 10, 7, GREEN)
    c.polygon([(9, 2.5), (12, 6), (9, 9.5)], GREEN)


def menu_check(c):
    c.line(1.5, 6.5, 4.5, 9.5, 2.2, GREEN)
    c.line(4.5, 9.5, 10.5, 2.5, 2.2, GREEN)


def menu_refresh(c):
    c.circle(6, 6, 5, BLUE, inner=3.3)
    c.rect(6, 0, 12, 6, (0, 0, 0, 0))
    c.shape(lambda x, y: 6 <= x <= 12 and y <= 6, (6, 0, 12, 6), (255, 255, 255, 255))
    c.polygon([(6, -0.5), (10, 2.5), (6, 5.5)], BLUE)


def menu_info(c):
    c.circle(6, 6, 6, BLUE)
    c.circle(6, 6, 5, (45, 120, 205, 255))
    c.rect(5, 2, 7, 4, PAPER)
    c.rect(5, 5, 7, 10, PAPER)
    c.rect(4, 5, 5, 6, PAPER)
    c.rect(4, 9, 8, 10, PAPER)


def menu_website(c):
    # A globe: equator, a meridian and the edge of the sphere.
    c.circle(6, 6, 6, BLUE)
    c.circle(6, 6, 5, (70, 150, 220, 255))
    c.shape(lambda x, y: ((x - 6) / 3.4) ** 2 + ((y - 6) / 5.5) ** 2 <= 1, (0, 0, 12, 12), PAPER)
    c.shape(lambda x, y: ((x - 6) / 2.3) ** 2 + ((y - 6) / 4.6) ** 2 <= 1, (0, 0, 12, 12), (70, 150, 220, 255))
    c.rect(5.5, 1, 6.5, 11, PAPER)
    c.rect(1, 5.5, 11, 6.5, PAPER)
    c.circle(6, 6, 6, BLUE, inner=5)


def menu_search(c):
    lens(c, 4.5, 4.5, 4.5, (11, 11), width=1.5)


def menu_browse(c):
    folder(c, 0, 1, 11, 11, open_=True)


def menu_execute(c):
    # Start: a green play triangle.
    c.polygon([(2, 0.5), (11.5, 6), (2, 11.5)], (0, 100, 30, 255))
    c.polygon([(3, 2.3), (9.6, 6), (3, 9.7)], (40, 170, 70, 255))


def menu_document(c):
    sheet(c, 2, 0, 10, 12)


def menu_add_folder(c):
    folder(c, 0, 1, 10, 10)
    c.rect(6, 6, 12, 12, PAPER)
    c.rect(8, 6.5, 10, 11.5, GREEN)
    c.rect(6.5, 8, 11.5, 10, GREEN)


def menu_options(c):
    # A gear: twelve teeth around a ring.
    import math
    pts = []
    for k in range(32):
        a = k * math.pi * 2 / 32
        r = 6 if (k // 2) % 2 == 0 else 4.4
        pts.append((6 + r * math.cos(a + math.pi / 16), 6 + r * math.sin(a + math.pi / 16)))
    c.polygon(pts, (85, 95, 110, 255))
    c.circle(6, 6, 3.8, (150, 160, 175, 255))
    c.circle(6, 6, 1.8, PAPER)


def menu_print(c):
    c.rect(3, 0, 9, 4, PAPER_EDGE)
    c.rect(4, 1, 8, 4, PAPER)
    c.rect(0, 4, 12, 10, INK, radius=1)
    c.rect(1, 5, 11, 9, (140, 145, 155, 255))
    c.rect(9, 6, 10, 7, GREEN)
    c.rect(3, 8, 9, 12, PAPER_EDGE)
    c.rect(4, 8, 8, 11, PAPER)
    c.rect(5, 9, 7, 10, BLUE)


def menu_delete(c):
    c.line(1.5, 1.5, 10.5, 10.5, 2.6, RED)
    c.line(10.5, 1.5, 1.5, 10.5, 2.6, RED)


def menu_save(c):
    # A diskette.
    c.rect(0, 0, 12, 12, (25, 60, 120, 255), radius=1)
    c.rect(1, 1, 11, 11, (50, 100, 180, 255))
    c.rect(2, 1, 10, 5, PAPER)
    c.rect(3, 2, 9, 3, LIGHT_BLUE)
    c.rect(3, 7, 9, 12, (210, 215, 225, 255))
    c.rect(6, 8, 8, 11, INK)


def menu_show_folder(c):
    folder(c, 0, 0, 10, 9)
    lens(c, 8, 8, 2.8, (11.7, 11.7), width=1.2)


def menu_edit(c):
    sheet(c, 0, 0, 8, 11)
    c.line(4.5, 10.5, 10.5, 3.5, 2.6, FOLDER_DARK)
    c.line(5.2, 9.7, 10.2, 3.9, 1.2, FOLDER)
    c.polygon([(3, 12), (3.6, 9.4), (5.6, 11.2)], INK)


def menu_backup(c):
    # A storage box with an arrow going in.
    c.rect(0, 5, 12, 12, FOLDER_DARK)
    c.rect(1, 6, 11, 11, FOLDER)
    c.rect(4, 8, 8, 9, FOLDER_DARK)
    c.rect(5, 0, 7, 4, GREEN)
    c.polygon([(3, 3), (9, 3), (6, 6)], GREEN)


def menu_wipe(c):
    # An eraser leaving a clean trail.
    c.polygon([(4, 11), (0.5, 7.5), (7.5, 0.5), (11.5, 4.5), (5, 11)], (120, 40, 60, 255))
    c.polygon([(4.2, 10), (1.9, 7.5), (4.6, 4.8), (7.2, 7.4)], (245, 245, 245, 255))
    c.polygon([(5.3, 3.9), (7.5, 1.7), (10.3, 4.5), (8.1, 6.7)], (230, 90, 120, 255))
    c.rect(6, 11, 12, 12, PAPER_EDGE)


MENU_PICTURES = {
    142: menu_language, 143: menu_about, 144: menu_copy, 145: menu_tree,
    146: menu_exit, 147: menu_check, 148: menu_refresh, 149: menu_info,
    150: menu_website, 151: menu_search, 152: menu_browse, 153: menu_execute,
    154: menu_document, 155: menu_add_folder, 156: menu_options, 157: menu_print,
    158: menu_delete, 159: menu_save, 160: menu_show_folder, 161: menu_edit,
    162: menu_backup, 163: menu_wipe,
}


# Progress animation: 48 x 48 on the progress window's grey; a lens passes over
# three sheets, and the lines under it turn green as they are compared.

PROGRESS_SIZE = 48
PROGRESS_BG = (240, 240, 240)
PROGRESS_LENS = [(13.5, 17.5), (24, 23), (34.5, 28.5)]


def draw_progress(c, frame):
    sheets = [(2, 4, 20, 28), (15, 12, 33, 36), (28, 20, 46, 44)]
    for i, (x0, y0, x1, y1) in enumerate(sheets):
        c.rect(x0 + 1, y0 + 1, x1 + 1, y1 + 1, (0, 0, 0, 40))
        sheet(c, x0, y0, x1, y1, lines=False)
        ink = GREEN if i <= frame else BLUE
        for k, y in enumerate(range(y0 + 6, y1 - 3, 3)):
            c.rect(x0 + 3, y, x1 - (3 if k % 2 else 5), y + 1.5, ink)
    cx, cy = PROGRESS_LENS[frame]
    c.line(cx + 6, cy + 6, cx + 12, cy + 12, 4, (70, 70, 70, 255))
    c.line(cx + 9, cy + 9, cx + 12.5, cy + 12.5, 4.6, (40, 40, 40, 255))
    c.circle(cx, cy, 9, (70, 70, 70, 255), inner=7.2)
    c.circle(cx, cy, 7.2, (225, 240, 255, 120))
    c.circle(cx - 2.6, cy - 2.6, 2, (255, 255, 255, 170))


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


def bitmaps():
    out = {}
    for number, draw in MENU_PICTURES.items():
        c = Canvas(MENU_SIZE, MENU_SIZE)
        draw(c)
        out["resources/varnholt/menu%d.bmp" % number] = bmp24(c.pixels(), MENU_BG)
    for frame in range(3):
        c = Canvas(PROGRESS_SIZE, PROGRESS_SIZE)
        draw_progress(c, frame)
        out["resources/varnholt/progress%d.bmp" % (134 + frame)] = bmp24(c.pixels(), PROGRESS_BG)
    return out


def main(argv):
    only = set(argv[1:])
    for path, draw in ICONS.items():
        if not only or path in only:
            write(path, icon(draw))
            print("wrote", path)
    for path, data in bitmaps().items():
        if not only or path in only:
            write(path, data)
            print("wrote", path)


if __name__ == "__main__":
    main(sys.argv)
