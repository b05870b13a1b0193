#!/usr/bin/env python3
"""Draws Brisvane's bitmaps into resources/brisvane/: the module tiles (160 and
161), the logo (165) and the menu pictures, with the canvas of make-pictures.py.

Tile places follow the shell's tile table: picture 161 begins where the
Flintrask tile begins, picture 160 where the Ostrelle tile begins; each tile is
129 pixels wide and 131 high (the lower ones 127, where the picture ends), with
gaps of 23 pixels between them, and its lowest 27 rows lie under the module's label. Run it again after a change; the outputs are
committed so that a build needs no Python.
"""
import importlib.util
import os
import sys

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
_source = importlib.util.spec_from_file_location("pictures", os.path.join(TOP, "scripts", "make-pictures.py"))
pictures = importlib.util.module_from_spec(_source)
_source.loader.exec_module(pictures)
Canvas, bmp24, write = pictures.Canvas, pictures.bmp24, pictures.write

WHITE = (255, 255, 255, 255)
GLYPH = (255, 255, 255, 235)
# Label backgrounds of the modules, in the shell's order.
COLOURS = [(0, 0, 153), (0, 153, 0), (153, 0, 0), (96, 96, 96), (153, 153, 0), (255, 153, 51)]
TILE_W, TILE_H, LABEL_H = 129, 131, 27


def glyph_bin(c, x, y, s, ink=GLYPH):
    """Needless files: a bin with a lid."""
    c.rect(x - 0.42 * s, y - 0.44 * s, x + 0.42 * s, y - 0.34 * s, ink, radius=0.03 * s)
    c.rect(x - 0.12 * s, y - 0.52 * s, x + 0.12 * s, y - 0.44 * s, ink)
    c.polygon([(x - 0.34 * s, y - 0.28 * s), (x + 0.34 * s, y - 0.28 * s), (x + 0.27 * s, y + 0.48 * s),
               (x - 0.27 * s, y + 0.48 * s)], ink)
    for k in (-1, 0, 1):
        c.line(x + k * 0.14 * s, y - 0.18 * s, x + k * 0.12 * s, y + 0.38 * s, 0.06 * s, (0, 0, 0, 70))


def glyph_gear(c, x, y, s, ink=GLYPH):
    """The system's settings: a gear."""
    import math
    for k in range(8):
        a = k * math.pi / 4
        c.line(x + 0.28 * s * math.cos(a), y + 0.28 * s * math.sin(a), x + 0.46 * s * math.cos(a),
               y + 0.46 * s * math.sin(a), 0.16 * s, ink)
    c.circle(x, y, 0.34 * s, ink, inner=0.13 * s)


def glyph_clock(c, x, y, s, ink=GLYPH):
    """Traces of work: a clock that runs back."""
    c.circle(x, y, 0.46 * s, ink, inner=0.36 * s)
    c.line(x, y, x, y - 0.26 * s, 0.08 * s, ink)
    c.line(x, y, x + 0.2 * s, y + 0.1 * s, 0.08 * s, ink)
    c.polygon([(x - 0.56 * s, y - 0.1 * s), (x - 0.3 * s, y - 0.1 * s), (x - 0.43 * s, y + 0.1 * s)], ink)


def glyph_pie(c, x, y, s, ink=GLYPH):
    """What fills a disk: a pie with one piece moved out."""
    import math

    def wedge(cx, cy, r, first, last):
        def inside(px, py):
            if (px - cx) ** 2 + (py - cy) ** 2 > r * r:
                return False
            a = math.atan2(py - cy, px - cx) % (2 * math.pi)
            return first <= a <= last
        c.shape(inside, (cx - r, cy - r, cx + r, cy + r), ink)
    wedge(x - 0.04 * s, y + 0.03 * s, 0.42 * s, 0.0, 5.2)
    wedge(x + 0.04 * s, y - 0.04 * s, 0.42 * s, 5.3, 2 * math.pi)


def glyph_sheets(c, x, y, s, ink=GLYPH):
    """Duplicate files: two sheets, one behind the other."""
    c.rect(x - 0.42 * s, y - 0.46 * s, x + 0.1 * s, y + 0.24 * s, ink, radius=0.04 * s)
    c.rect(x - 0.1 * s, y - 0.24 * s, x + 0.42 * s, y + 0.46 * s, ink, radius=0.04 * s)
    for k in range(3):
        c.rect(x - 0.02 * s, y + (-0.1 + 0.14 * k) * s, x + 0.32 * s, y + (-0.05 + 0.14 * k) * s, (0, 0, 0, 70))


def glyph_shield(c, x, y, s, ink=GLYPH):
    """Protection: a shield with a tick."""
    c.polygon([(x - 0.4 * s, y - 0.42 * s), (x, y - 0.52 * s), (x + 0.4 * s, y - 0.42 * s), (x + 0.36 * s, y + 0.1 * s),
               (x, y + 0.52 * s), (x - 0.36 * s, y + 0.1 * s)], ink)
    c.line(x - 0.18 * s, y, x - 0.04 * s, y + 0.16 * s, 0.09 * s, (0, 0, 0, 80))
    c.line(x - 0.04 * s, y + 0.16 * s, x + 0.2 * s, y - 0.16 * s, 0.09 * s, (0, 0, 0, 80))


GLYPHS = [glyph_bin, glyph_gear, glyph_clock, glyph_pie, glyph_sheets, glyph_shield]


def tile(c, x0, y0, module, height=TILE_H):
    colour = COLOURS[module] + (255,)
    c.rect(x0, y0, x0 + TILE_W, y0 + height, colour, radius=5)
    # A lighter top half gives the tile some depth; the label band keeps the plain colour.
    c.rect(x0 + 1, y0 + 1, x0 + TILE_W - 1, y0 + (height - LABEL_H) / 2, (255, 255, 255, 28), radius=4)
    GLYPHS[module](c, x0 + TILE_W / 2, y0 + (height - LABEL_H) / 2 + 2, 70)


def tiles_161():
    c = Canvas(283, 281, (255, 255, 255, 255))
    # The lower tiles end with the picture, 127 rows down.
    for module, (x, y, h) in ((0, (0, 0, TILE_H)), (1, (152, 0, TILE_H)), (4, (0, 154, 127)), (5, (152, 154, 127))):
        tile(c, x, y, module, h)
    return bmp24(c.pixels())


def tiles_160():
    c = Canvas(283, 131, (255, 255, 255, 255))
    for module, x in ((2, 0), (3, 152)):
        tile(c, x, 0, module)
    return bmp24(c.pixels())


def logo():
    c = Canvas(100, 25, (255, 255, 255, 255))
    for i, col in enumerate(COLOURS):
        x, y = 2 + (i % 3) * 7.5, 3 + (i // 3) * 10
        c.rect(x, y, x + 6.5, y + 8.5, col + (255,), radius=1.2)
    # A word mark of bars, tallest first, in the shell's grey.
    ink = (128, 128, 148, 255)
    for k, h in enumerate((17, 12, 14, 10, 13, 9, 12, 11, 8, 10)):
        x = 28 + k * 7
        c.rect(x, 21 - h, x + 4.5, 21, ink if k else (0, 0, 153, 255), radius=1)
    return bmp24(c.pixels())


def menu_module(module, size):
    def draw(c):
        u = size / 12.0
        c.rect(0.5 * u, 0.5 * u, 11.5 * u, 11.5 * u, COLOURS[module] + (255,), radius=1.5 * u)
        GLYPHS[module](c, 6 * u, 6 * u, 9 * u, WHITE)
    return draw


def menu_settings(c):
    """One-click settings: a bar with a stop mark on it."""
    c.rect(1, 5, 11, 7, pictures.INK)
    c.rect(7, 2, 9, 10, pictures.RED)
    c.rect(1.5, 8.5, 6, 10.5, pictures.GREEN)


def menu_help(c):
    c.circle(6, 6, 5.5, pictures.BLUE)
    c.circle(6, 5, 2.2, WHITE, inner=1.1)
    c.rect(4, 4, 5.5, 5.5, pictures.BLUE)
    c.rect(5.4, 6.5, 6.6, 8, WHITE)
    c.rect(5.4, 8.8, 6.6, 10, WHITE)


MENU = {
    138: (menu_module(1, 12), 12), 139: (pictures.menu_about, 12), 141: (menu_module(4, 12), 12),
    143: (pictures.menu_exit, 12), 144: (menu_module(3, 12), 12), 146: (menu_module(0, 12), 12),
    147: (menu_help, 12), 148: (pictures.menu_website, 12), 149: (pictures.menu_language, 12),
    150: (menu_module(2, 12), 12), 162: (menu_module(5, 16), 16), 164: (menu_settings, 12),
}


def main(argv):
    out = {
        "resources/brisvane/tiles160.bmp": tiles_160(),
        "resources/brisvane/tiles161.bmp": tiles_161(),
        "resources/brisvane/logo165.bmp": logo(),
    }
    for number, (draw, size) in MENU.items():
        c = Canvas(size, size)
        draw(c)
        out["resources/brisvane/menu%d.bmp" % number] = bmp24(c.pixels(), pictures.MENU_BG)
    only = set(argv[1:])
    for path, data in out.items():
        if not only or path in only:
            write(path, data)
            print("wrote", path)


if __name__ == "__main__":
    main(sys.argv)
