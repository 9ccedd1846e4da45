#!/usr/bin/python3
"""Writes a small TrueType font named "Wingdings" for the Wine prefix in which
the help's pictures are taken.

The editor shows Enter and Tab as the symbol font Wingdings' glyphs 0xC3 (a
hollow arrow down and then left, as on the Enter key) and 0xF0 (a hollow arrow
to the right). Every Windows has that font; Wine has none with these glyphs,
so without this stand-in the pictures would show empty boxes where a user sees
the arrows. It holds only those two glyphs, drawn here as outlines, and is put
into the picture taker's prefix alone: it is never part of the program or its
packages.

Usage: make_wingdings.py OUTPUT.ttf
"""
import math
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib.tables._c_m_a_p import CmapSubtable

UNITS = 1000
ASCENT, DESCENT = 890, 210  # about Arial's, so a line with a marker keeps its height
STROKE = 70  # the width of the hollow arrows' rim

# Each arrow as its outline, counter-clockwise with y upwards.
ENTER = [(650, 780), (650, 430), (360, 430), (360, 580), (80, 330), (360, 80),
         (360, 230), (850, 230), (850, 780)]
TAB = [(90, 270), (520, 270), (520, 110), (910, 380), (520, 650), (520, 490), (90, 490)]


def signed_area(points):
    return sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1])) / 2


def inset(points, distance):
    """The outline moved inwards by distance along every edge (mitred corners),
    for the hollow inside of a counter-clockwise outline."""
    lines = []
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        length = math.hypot(x1 - x0, y1 - y0)
        nx, ny = -(y1 - y0) / length, (x1 - x0) / length  # the inward normal
        lines.append(((x0 + nx * distance, y0 + ny * distance), (x1 - x0, y1 - y0)))
    corners = []
    for (p, d), (q, e) in zip(lines[-1:] + lines[:-1], lines):
        t = ((q[0] - p[0]) * e[1] - (q[1] - p[1]) * e[0]) / (d[0] * e[1] - d[1] * e[0])
        corners.append((round(p[0] + t * d[0]), round(p[1] + t * d[1])))
    return corners


def hollow_glyph(outline):
    assert signed_area(outline) > 0, "outlines are given counter-clockwise"
    pen = TTGlyphPen(None)
    # TrueType fills clockwise outer contours; the inner one runs the other way.
    for contour in (list(reversed(outline)), inset(outline, STROKE)):
        pen.moveTo(contour[0])
        for point in contour[1:]:
            pen.lineTo(point)
        pen.closePath()
    return pen.glyph()


def empty_glyph():
    return TTGlyphPen(None).glyph()


def main(path):
    order = [".notdef", "space", "enter", "tab"]
    glyphs = {".notdef": empty_glyph(), "space": empty_glyph(), "enter": hollow_glyph(ENTER),
              "tab": hollow_glyph(TAB)}
    builder = FontBuilder(UNITS, isTTF=True)
    builder.setupGlyphOrder(order)
    builder.setupGlyf(glyphs)
    # A symbol font: Windows reads its codes through the (3,0) table at
    # U+F000 + the byte; the Macintosh table has the bytes themselves.
    codes = {0xF020: "space", 0xF0C3: "enter", 0xF0F0: "tab"}
    builder.setupCharacterMap(codes)
    symbol = CmapSubtable.newSubtable(4)
    symbol.platformID, symbol.platEncID, symbol.language, symbol.cmap = 3, 0, 0, codes
    mac = CmapSubtable.newSubtable(0)
    mac.platformID, mac.platEncID, mac.language = 1, 0, 0
    mac.cmap = {code - 0xF000: name for code, name in codes.items()}
    builder.font["cmap"].tables = [mac, symbol]
    builder.setupHorizontalMetrics({name: (1000 if name in ("enter", "tab") else 250, 0) for name in order})
    builder.setupHorizontalHeader(ascent=ASCENT, descent=-DESCENT)
    builder.setupNameTable({"familyName": "Wingdings", "styleName": "Regular",
                            "uniqueFontIdentifier": "Scrivlet pictures: Wingdings stand-in",
                            "fullName": "Wingdings", "psName": "Wingdings-Regular", "version": "Version 1.0"})
    builder.setupOS2(sTypoAscender=ASCENT, sTypoDescender=-DESCENT, sTypoLineGap=0, usWinAscent=ASCENT,
                     usWinDescent=DESCENT, usFirstCharIndex=0xF020, usLastCharIndex=0xF0F0,
                     ulCodePageRange1=1 << 31, fsSelection=0x40, achVendID="SCRV")
    builder.setupPost()
    builder.save(path)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
