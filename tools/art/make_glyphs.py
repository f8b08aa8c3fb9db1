#!/usr/bin/env python3
"""Draws Ocelot's bitmap resources and writes them as Windows BMP files.

    make_glyphs.py [--out DIR] [--preview DIR]

--out DIR      where the BMP files go (default: src/app/res next to this tool)
--preview DIR  also write enlarged PNG previews of every bitmap and a contact sheet

What is drawn:
  * ten 32x32 toolbar glyphs, 24-bit, on magenta (the image list's mask colour);
  * two 16x16 list glyphs, 4-bit with the 16-colour VGA palette, on red;
  * an 11x19 arrow pointer, 24-bit, on yellow.

The toolbar glyphs come from a small vector rasterizer: every shape is a signed
distance function (negative inside, in pixels), painted in order onto a 4x4
supersampled canvas. A shape's band 0..1 px inside its edge takes the outline
colour, so every outline is one pixel wide whatever the shape. Each pixel is
then resolved by blending its covered samples against the toolbar's light grey;
pixels no sample covers become magenta. Only the standard library is used and
the output is deterministic.
"""
import math
import os
import struct
import sys
import zlib

MAGENTA = (255, 0, 255)
NEUTRAL = (240, 240, 240)  # a toolbar's face colour; edges are smoothed against it
SS = 4  # supersampling factor per axis

# ----------------------------------------------------------------------------------
# Colours


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def shade(c, f):
    """Darker (f < 1) or lighter (f > 1, towards white) version of a colour."""
    if f <= 1:
        return tuple(v * f for v in c)
    return mix(c, (255, 255, 255), f - 1)


def grad(c0, c1, x0, y0, x1, y1):
    """Linear gradient from c0 at (x0, y0) to c1 at (x1, y1)."""
    dx, dy = x1 - x0, y1 - y0
    n = dx * dx + dy * dy

    def fill(x, y):
        t = ((x - x0) * dx + (y - y0) * dy) / n
        return mix(c0, c1, min(1.0, max(0.0, t)))

    return fill


def lit(c, x0, y0, x1, y1, amount=0.28):
    """Fill lit from the top-left: lighter in the top-left corner, darker bottom-right."""
    return grad(shade(c, 1 + amount), shade(c, 1 - amount * 0.6), x0, y0, x1, y1)


# Palette of the set: each family has a body colour; outlines are derived from it.
BLUE = (58, 122, 206)
RED = (214, 48, 40)
PAPER = (252, 252, 250)
PAPER_LINE = (120, 128, 142)
GREY = (168, 174, 184)
STEEL = (206, 212, 220)
GOLD = (242, 196, 72)
BROWN = (176, 118, 58)
GREEN = (74, 160, 64)
SKY = (110, 176, 238)
SUN = (255, 206, 48)
INK = (62, 70, 84)


def edge(c):
    """Outline colour for a fill colour: the same hue, much darker."""
    return shade(c, 0.52)


# ----------------------------------------------------------------------------------
# Shapes: signed distance in pixels, plus a bounding box for quick rejection.


class Shape:
    bbox = (0.0, 0.0, 0.0, 0.0)

    def dist(self, x, y):
        raise NotImplementedError


class Box(Shape):
    """Axis-aligned rectangle from (x0, y0) to (x1, y1) with corner radius r."""

    def __init__(self, x0, y0, x1, y1, r=0.0):
        self.cx, self.cy = (x0 + x1) / 2, (y0 + y1) / 2
        self.hx, self.hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r
        self.r = r
        self.bbox = (x0, y0, x1, y1)

    def dist(self, x, y):
        qx = abs(x - self.cx) - self.hx
        qy = abs(y - self.cy) - self.hy
        out = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return out + min(max(qx, qy), 0.0) - self.r


class Circle(Shape):
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r
        self.bbox = (cx - r, cy - r, cx + r, cy + r)

    def dist(self, x, y):
        return math.hypot(x - self.cx, y - self.cy) - self.r


class Ellipse(Shape):
    """Ellipse; the distance is a first-order estimate, good enough for thin outlines."""

    def __init__(self, cx, cy, rx, ry):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry
        self.bbox = (cx - rx, cy - ry, cx + rx, cy + ry)

    def dist(self, x, y):
        u, v = (x - self.cx) / self.rx, (y - self.cy) / self.ry
        k = math.hypot(u, v)
        if k == 0:
            return -min(self.rx, self.ry)
        # Divide by the gradient length of the implicit function for a pixel-scale value.
        g = math.hypot(u / self.rx, v / self.ry) / k
        return (k - 1) / g


class Poly(Shape):
    """Closed polygon given as a list of (x, y) points (even-odd inside test)."""

    def __init__(self, pts):
        self.pts = [(float(x), float(y)) for x, y in pts]
        xs = [p[0] for p in self.pts]
        ys = [p[1] for p in self.pts]
        self.bbox = (min(xs), min(ys), max(xs), max(ys))

    def dist(self, x, y):
        pts = self.pts
        best = float("inf")
        inside = False
        j = len(pts) - 1
        for i in range(len(pts)):
            ax, ay = pts[j]
            bx, by = pts[i]
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            t = (wx * ex + wy * ey) / (ex * ex + ey * ey)
            t = min(1.0, max(0.0, t))
            dx, dy = wx - ex * t, wy - ey * t
            best = min(best, dx * dx + dy * dy)
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / ey:
                inside = not inside
            j = i
        d = math.sqrt(best)
        return -d if inside else d


class Capsule(Shape):
    """A thick line from (x0, y0) to (x1, y1) with round ends of radius r."""

    def __init__(self, x0, y0, x1, y1, r):
        self.a = (x0, y0)
        self.b = (x1, y1)
        self.r = r
        self.bbox = (min(x0, x1) - r, min(y0, y1) - r, max(x0, x1) + r, max(y0, y1) + r)

    def dist(self, x, y):
        ax, ay = self.a
        ex, ey = self.b[0] - ax, self.b[1] - ay
        wx, wy = x - ax, y - ay
        t = min(1.0, max(0.0, (wx * ex + wy * ey) / (ex * ex + ey * ey)))
        return math.hypot(wx - ex * t, wy - ey * t) - self.r


class Grow(Shape):
    """A shape grown outwards by r pixels (rounds its corners)."""

    def __init__(self, s, r):
        self.s, self.r = s, r
        b = s.bbox
        self.bbox = (b[0] - r, b[1] - r, b[2] + r, b[3] + r)

    def dist(self, x, y):
        return self.s.dist(x, y) - self.r


class Union(Shape):
    def __init__(self, *shapes):
        self.shapes = shapes
        self.bbox = (min(s.bbox[0] for s in shapes), min(s.bbox[1] for s in shapes),
                     max(s.bbox[2] for s in shapes), max(s.bbox[3] for s in shapes))

    def dist(self, x, y):
        return min(s.dist(x, y) for s in self.shapes)


class Clip(Shape):
    """Intersection: the first shape limited to the inside of the others."""

    def __init__(self, s, *clips):
        self.s, self.clips = s, clips
        b = s.bbox
        for c in clips:
            cb = c.bbox
            b = (max(b[0], cb[0]), max(b[1], cb[1]), min(b[2], cb[2]), min(b[3], cb[3]))
        self.bbox = b

    def dist(self, x, y):
        return max([self.s.dist(x, y)] + [c.dist(x, y) for c in self.clips])


class Cut(Shape):
    """The first shape with the others cut out of it."""

    def __init__(self, s, *holes):
        self.s, self.holes = s, holes
        self.bbox = s.bbox

    def dist(self, x, y):
        return max([self.s.dist(x, y)] + [-h.dist(x, y) for h in self.holes])


def bar(x0, y0, x1, y1, half):
    """Rectangle of half-width `half` along the segment (x0, y0)-(x1, y1)."""
    dx, dy = x1 - x0, y1 - y0
    n = math.hypot(dx, dy)
    nx, ny = -dy / n * half, dx / n * half
    return Poly([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)])


# ----------------------------------------------------------------------------------
# Canvas


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.sw, self.sh = w * SS, h * SS
        self.s = [None] * (self.sw * self.sh)

    def paint(self, shape, fill, outline=None, width=1.0):
        """Paints a shape; `fill` is a colour or a function (x, y) -> colour. With an
        outline colour, the band `width` pixels inside the edge takes that colour."""
        b = shape.bbox
        i0 = max(0, int(math.floor(b[0] * SS)) - 1)
        j0 = max(0, int(math.floor(b[1] * SS)) - 1)
        i1 = min(self.sw, int(math.ceil(b[2] * SS)) + 1)
        j1 = min(self.sh, int(math.ceil(b[3] * SS)) + 1)
        fn = fill if callable(fill) else None
        for j in range(j0, j1):
            y = (j + 0.5) / SS
            row = j * self.sw
            for i in range(i0, i1):
                x = (i + 0.5) / SS
                d = shape.dist(x, y)
                if d >= 0:
                    continue
                if outline is not None and d > -width:
                    self.s[row + i] = outline
                else:
                    self.s[row + i] = fn(x, y) if fn else fill

    def erase(self, shape):
        """Clears a shape back to transparent (used for gaps between overlapping shapes)."""
        b = shape.bbox
        for j in range(max(0, int(b[1] * SS) - 1), min(self.sh, int(math.ceil(b[3] * SS)) + 1)):
            y = (j + 0.5) / SS
            for i in range(max(0, int(b[0] * SS) - 1), min(self.sw, int(math.ceil(b[2] * SS)) + 1)):
                if shape.dist((i + 0.5) / SS, y) < 0:
                    self.s[j * self.sw + i] = None

    def resolve(self):
        """Rows of RGB pixels, top row first: covered samples averaged against the
        neutral grey; pixels with no coverage at all become magenta."""
        rows = []
        for py in range(self.h):
            row = []
            for px in range(self.w):
                acc = [0.0, 0.0, 0.0]
                n = 0
                for j in range(SS):
                    base = (py * SS + j) * self.sw + px * SS
                    for i in range(SS):
                        c = self.s[base + i]
                        if c is None:
                            c = NEUTRAL
                        else:
                            n += 1
                        acc[0] += c[0]
                        acc[1] += c[1]
                        acc[2] += c[2]
                if n == 0:
                    row.append(MAGENTA)
                    continue
                px_rgb = tuple(min(255, max(0, int(v / (SS * SS) + 0.5))) for v in acc)
                if px_rgb == MAGENTA:  # never let drawn pixels become transparent
                    px_rgb = (254, 0, 254)
                row.append(px_rgb)
            rows.append(row)
        return rows


# ----------------------------------------------------------------------------------
# Shared drawings


def sheet(cv, x0, y0, x1, y1, fold=5.0, lines=(), line_colour=PAPER_LINE):
    """A sheet of paper with a folded top-right corner and optional text lines
    given as (y, x_from, x_to)."""
    body = Poly([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])
    cv.paint(body, lit(PAPER, x0, y0, x1, y1, 0.0), outline=PAPER_LINE)
    ear = Poly([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)])
    cv.paint(ear, (214, 220, 230), outline=PAPER_LINE)
    for y, a, b in lines:
        cv.paint(Box(a, y, b, y + 1), line_colour)


def picture(cv, x0, y0, x1, y1, sky=SKY, hill=GREEN, sun=SUN, frame=(96, 104, 118), mat=True):
    """A small framed photograph of a landscape: sky, sun and two hills."""
    cv.paint(Box(x0, y0, x1, y1), (255, 255, 255), outline=frame)
    m = 2.0 if mat else 1.0
    inner = Box(x0 + m, y0 + m, x1 - m, y1 - m)
    w, h = x1 - x0 - 2 * m, y1 - y0 - 2 * m
    ix, iy = x0 + m, y0 + m
    cv.paint(inner, grad(shade(sky, 1.25), sky, ix, iy, ix, iy + h))
    # The sun sits on the pixel grid so that it stays crisp at small sizes.
    r = max(2.0, round(h * 0.34) / 2)
    cv.paint(Clip(Circle(round(ix + w * 0.72), round(iy + h * 0.30), r), inner), sun)
    cv.paint(Clip(Ellipse(ix + w * 0.20, iy + h * 1.05, w * 0.65, h * 0.55), inner),
             lit(shade(hill, 0.85), ix, iy + h * 0.5, ix + w, iy + h))
    cv.paint(Clip(Ellipse(ix + w * 0.85, iy + h * 1.15, w * 0.55, h * 0.50), inner),
             lit(hill, ix, iy + h * 0.6, ix + w, iy + h))


def floppy(cv, x0, y0, x1, y1, body):
    """A floppy disk: chamfered body, metal shutter at the top, paper label below."""
    w = x1 - x0
    cut = w * 0.16
    shape = Grow(Poly([(x0 + 1, y0 + 1), (x1 - 1 - cut, y0 + 1), (x1 - 1, y0 + 1 + cut),
                       (x1 - 1, y1 - 1), (x0 + 1, y1 - 1)]), 1.0)
    cv.paint(shape, lit(body, x0, y0, x1, y1, 0.35), outline=edge(body))
    # Shutter: a steel plate hanging from the top edge with a slot in it.
    sx0, sx1 = x0 + w * 0.27, x0 + w * 0.73
    sy1 = y0 + w * 0.36
    cv.paint(Box(sx0, y0, sx1, sy1, 0.0), lit(STEEL, sx0, y0, sx1, sy1, 0.15), outline=edge(body))
    slot_x = sx0 + (sx1 - sx0) * 0.62
    cv.paint(Box(slot_x, y0 + 3, slot_x + 3, sy1 - 2, 0.5), (70, 80, 98))
    # Label: a white card at the bottom with a few ruled lines.
    lx0, lx1 = x0 + w * 0.19, x1 - w * 0.19
    ly0 = y0 + w * 0.56
    cv.paint(Box(lx0, ly0, lx1, y1 - 1.0, 1.0), lit(PAPER, lx0, ly0, lx1, y1, 0.0),
             outline=edge(body))
    for k in range(2):
        yy = ly0 + 3 + 3 * k
        if yy + 1 < y1 - 2:
            cv.paint(Box(lx0 + 2.5, yy, lx1 - 2.5, yy + 1), shade(body, 1.35))


# ----------------------------------------------------------------------------------
# The ten toolbar glyphs (32 x 32)


def glyph_save(cv):
    """Save: a blue floppy disk."""
    floppy(cv, 3, 3, 29, 29, BLUE)


def glyph_delete(cv):
    """Delete: a red X over a sheet of paper."""
    sheet(cv, 5, 2, 23, 28, fold=6,
          lines=[(9, 8, 15), (12, 8, 20), (15, 8, 20), (18, 8, 20), (21, 8, 17)])
    x = Union(Capsule(15, 15, 27, 27, 2.6), Capsule(27, 15, 15, 27, 2.6))
    cv.erase(Grow(x, 1.2))
    cv.paint(x, lit(RED, 13, 13, 29, 29, 0.35), outline=edge(RED))


def glyph_print(cv):
    """Print: a printer with a printed sheet coming out of the front."""
    # Paper waiting at the back, sticking out of the top.
    cv.paint(Box(9, 3, 23, 14), PAPER, outline=PAPER_LINE)
    # Body with a darker top deck.
    cv.paint(Box(2, 11, 30, 25, 2.5), lit(GREY, 2, 11, 30, 25, 0.35), outline=edge(GREY))
    cv.paint(Box(6, 20, 26, 23, 1.0), (70, 76, 88))  # output slot
    cv.paint(Circle(25.5, 15.5, 1.6), (80, 200, 70), outline=(40, 110, 36))  # power lamp
    # Printed sheet coming out of the slot, with lines of text.
    cv.paint(Box(8, 21, 24, 30), PAPER, outline=PAPER_LINE)
    for y, a, b in ((24, 11, 21), (27, 11, 18)):
        cv.paint(Box(a, y, b, y + 1), (90, 130, 200))


def glyph_email(cv):
    """E-mail: a closed envelope."""
    x0, y0, x1, y1 = 2, 7, 30, 26
    body = Box(x0, y0, x1, y1, 1.5)
    col = (250, 236, 180)
    out = (150, 116, 48)
    cv.paint(body, lit(col, x0, y0, x1, y1, 0.2), outline=out)
    # Side folds meeting low in the middle.
    inner = Box(x0 + 1, y0 + 1, x1 - 1, y1 - 1)
    cv.paint(Clip(Union(Capsule(x0 + 1, y1 - 1, 13.5, 16.5, 0.5),
                        Capsule(x1 - 1, y1 - 1, 18.5, 16.5, 0.5)), inner), out)
    # The flap: a triangle from the top corners down to the middle.
    flap = Poly([(x0 + 0.6, y0 + 0.6), (x1 - 0.6, y0 + 0.6), (16, 19)])
    cv.paint(Grow(flap, 0.4), lit(shade(col, 1.25), x0, y0, x1, 19, 0.15), outline=out)


def glyph_copy(cv):
    """Copy: two overlapping pages."""
    sheet(cv, 3, 2, 19, 22, fold=5, lines=[(9, 6, 16), (12, 6, 16), (15, 6, 13)])
    cv.erase(Box(12, 9, 30, 31))
    sheet(cv, 13, 10, 29, 30, fold=5,
          lines=[(17, 16, 26), (20, 16, 26), (23, 16, 26), (26, 16, 23)],
          line_colour=(90, 130, 200))


def glyph_paste(cv):
    """Paste: a clipboard with a page laid on it."""
    cv.paint(Box(4, 4, 24, 30, 2.0), lit(BROWN, 4, 4, 24, 30, 0.3), outline=edge(BROWN))
    # Clip at the top: steel plate with a ring.
    cv.paint(Box(9, 2, 19, 8, 1.5), lit(STEEL, 9, 2, 19, 8, 0.15), outline=edge(GREY))
    cv.paint(Box(12, 3, 16, 5, 1.0), shade(GREY, 0.7))
    cv.erase(Box(12, 10, 31, 31))
    sheet(cv, 13, 11, 29, 30, fold=5,
          lines=[(18, 16, 26), (21, 16, 26), (24, 16, 26), (27, 16, 22)],
          line_colour=(90, 130, 200))


def glyph_thumbs(cv):
    """Thumbs: a 2 x 2 grid of small pictures."""
    schemes = [
        (SKY, GREEN, SUN),
        ((250, 168, 90), (150, 110, 60), (255, 236, 120)),
        ((150, 200, 245), (60, 130, 170), (255, 255, 255)),
        ((120, 190, 235), (120, 170, 50), SUN),
    ]
    k = 0
    for y in (2, 17):
        for x in (2, 17):
            sky, hill, sun = schemes[k]
            picture(cv, x, y, x + 13, y + 13, sky, hill, sun, mat=False)
            k += 1


def glyph_editor(cv):
    """Editor: a landscape picture with a pencil drawn across it."""
    picture(cv, 2, 4, 26, 26)
    # Pencil from the top-right down to the lower left.
    tip = (11.5, 28.0)
    back = (29.5, 10.0)
    dx, dy = back[0] - tip[0], back[1] - tip[1]
    n = math.hypot(dx, dy)
    ux, uy = dx / n, dy / n

    def at(d):
        return (tip[0] + ux * d, tip[1] + uy * d)

    half = 2.6
    a, b = at(5.5), at(n - 3.5)
    body = bar(a[0], a[1], b[0], b[1], half)
    nx, ny = -uy * half, ux * half
    cone = Poly([tip, (a[0] + nx, a[1] + ny), (a[0] - nx, a[1] - ny)])
    e0, e1 = at(n - 3.5), at(n)
    eraser = Grow(bar(e0[0], e0[1], e1[0] - ux * 0.8, e1[1] - uy * 0.8, half - 0.8), 0.8)
    cv.erase(Grow(Union(body, cone, eraser), 1.3))
    cv.paint(eraser, (236, 140, 120), outline=(140, 62, 50))
    band0, band1 = at(n - 4.6), at(n - 3.0)
    cv.paint(bar(band0[0], band0[1], band1[0], band1[1], half), STEEL, outline=edge(GREY))
    cv.paint(body, lit(GOLD, b[0] - 3, b[1] - 3, a[0] + 3, a[1] + 3, 0.25), outline=(140, 96, 20))
    # A light stripe along the pencil body for its lit side.
    s0, s1 = at(6.5), at(n - 5.0)
    cv.paint(Capsule(s0[0] + nx * 0.35, s0[1] + ny * 0.35, s1[0] + nx * 0.35, s1[1] + ny * 0.35, 0.5),
             shade(GOLD, 1.45))
    cv.paint(cone, (240, 206, 156), outline=(140, 96, 40))
    l0 = at(2.6)
    lead = Poly([tip, (l0[0] + nx * 0.47, l0[1] + ny * 0.47), (l0[0] - nx * 0.47, l0[1] - ny * 0.47)])
    cv.paint(Grow(lead, 0.2), INK)


def glyph_catalog(cv):
    """Catalog: a photo album - a bound book with a photograph on its cover."""
    col = (44, 128, 112)
    # Page block visible at the right and bottom edges.
    cv.paint(Box(7, 4, 29, 30, 1.5), PAPER, outline=PAPER_LINE)
    cv.paint(Box(5, 2, 27, 28, 2.0), lit(col, 5, 2, 27, 28, 0.35), outline=edge(col))
    # Spine strip with two bands.
    cv.paint(Box(5, 2, 10, 28, 2.0), lit(shade(col, 0.8), 5, 2, 10, 28, 0.3), outline=edge(col))
    for y in (6, 23):
        cv.paint(Box(6, y, 9, y + 1), shade(GOLD, 1.1))
    picture(cv, 12, 7, 24, 19, mat=False, frame=(240, 240, 236))
    cv.paint(Box(13, 22, 23, 24, 0.5), shade(GOLD, 1.1))


def gear(cx, cy, r_out, r_in, teeth, hole):
    """A cog wheel with trapezoid teeth and a round hole; `.s` is the solid outline."""
    pts = []
    step = 2 * math.pi / teeth
    for k in range(teeth):
        a = k * step - math.pi / 2
        for da, r in ((-0.30, r_in), (-0.17, r_out), (0.17, r_out), (0.30, r_in)):
            pts.append((cx + r * math.cos(a + da * step), cy + r * math.sin(a + da * step)))
    return Cut(Poly(pts), Circle(cx, cy, hole))


def glyph_profiles(cv):
    """Profiles: a person's head and shoulders with a small gear at the lower right."""
    col = (70, 124, 196)
    head = Circle(13, 9.5, 6.0)
    bust = Clip(Ellipse(13, 29, 11.0, 12.0), Box(0, 0, 32, 29))
    cv.paint(bust, lit(col, 2, 17, 24, 29, 0.35), outline=edge(col))
    cv.erase(Grow(head, 1.2))
    cv.paint(head, lit((236, 180, 140), 7, 3, 19, 16, 0.25), outline=(140, 88, 56))
    g = gear(23.5, 22.5, 7.6, 5.6, 8, 2.2)
    cv.erase(Grow(g.s, 1.3))
    cv.paint(g, lit(GREY, 16, 15, 31, 30, 0.4), outline=edge(GREY))


TOOLBAR = [
    ("tb_save.bmp", glyph_save),
    ("tb_delete.bmp", glyph_delete),
    ("tb_print.bmp", glyph_print),
    ("tb_email.bmp", glyph_email),
    ("tb_copy.bmp", glyph_copy),
    ("tb_paste.bmp", glyph_paste),
    ("tb_thumbs.bmp", glyph_thumbs),
    ("tb_editor.bmp", glyph_editor),
    ("tb_catalog.bmp", glyph_catalog),
    ("tb_profiles.bmp", glyph_profiles),
]

# ----------------------------------------------------------------------------------
# 16-colour list glyphs (hard pixels)

VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
VGA_BLACK, VGA_OLIVE, VGA_NAVY, VGA_SILVER, VGA_GREY = 0, 3, 4, 7, 8
VGA_RED, VGA_YELLOW, VGA_BLUE, VGA_WHITE = 9, 11, 12, 15

# Floppy disk at 16 x 16. Roles: '.' background, 'o' outline, 'b' body,
# 's' shutter, 'd' slot in the shutter, 'l' label, 'm' line on the label.
FLOPPY16 = [
    "................",
    ".oooooooooooo...",
    ".obosssssdsobo..",
    ".obosssssdsobbo.",
    ".obosssssdsobbo.",
    ".obosssssssobbo.",
    ".obooooooooobbo.",
    ".obbbbbbbbbbbbo.",
    ".obllllllllllbo.",
    ".obllllllllllbo.",
    ".obllmmmmmmllbo.",
    ".obllllllllllbo.",
    ".obllmmmmmmllbo.",
    ".obllllllllllbo.",
    ".oooooooooooooo.",
    "................",
]


def floppy16(body, outline):
    assert all(len(row) == 16 for row in FLOPPY16) and len(FLOPPY16) == 16
    roles = {".": VGA_RED, "o": outline, "b": body, "s": VGA_SILVER,
             "d": VGA_BLACK, "l": VGA_WHITE, "m": VGA_GREY}
    return [[roles[ch] for ch in row] for row in FLOPPY16]


def list_disk():
    """DISK: a blue floppy disk."""
    return floppy16(VGA_BLUE, VGA_NAVY)


def list_catalog():
    """CATALOG: the same floppy disk in yellow."""
    return floppy16(VGA_YELLOW, VGA_OLIVE)


LISTS = [("disk.bmp", list_disk), ("catalog.bmp", list_catalog)]

# ----------------------------------------------------------------------------------
# Mouse pointer (11 x 19): 'X' black outline, 'W' white fill, '.' yellow background.

POINTER = [
    "X..........",
    "XX.........",
    "XWX........",
    "XWWX.......",
    "XWWWX......",
    "XWWWWX.....",
    "XWWWWWX....",
    "XWWWWWWX...",
    "XWWWWWWWX..",
    "XWWWWWWWWX.",
    "XWWWWWWWWWX",
    "XWWWWWWXXXX",
    "XWWWXWWX...",
    "XWWX.XWWX..",
    "XWX..XWWX..",
    "XX....XWWX.",
    "X.....XWWX.",
    ".......XX..",
    "...........",
]
YELLOW = (255, 255, 0)


def mouse_pointer():
    colours = {"X": (0, 0, 0), "W": (255, 255, 255), ".": YELLOW}
    rows = [[colours[ch] for ch in row] for row in POINTER]
    assert rows[2][5] == YELLOW  # the pixel read as the transparent colour
    return rows


# ----------------------------------------------------------------------------------
# BMP writing and reading


def bmp24(rows):
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        data += line
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    return head + info + bytes(data)


def bmp4(rows, palette):
    h, w = len(rows), len(rows[0])
    stride = ((w + 1) // 2 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for x in range(0, w, 2):
            hi = row[x]
            lo = row[x + 1] if x + 1 < w else 0
            line.append((hi << 4) | lo)
        line += bytes(stride - len(line))
        data += line
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    off = 14 + 40 + len(pal)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 4, 0, len(data), 2835, 2835, 16, 16)
    head = struct.pack("<2sIHHI", b"BM", off + len(data), 0, 0, off)
    return head + info + pal + bytes(data)


def read_bmp(blob):
    """Rows of RGB pixels (top first) of an uncompressed 24-bit or 4-bit BMP."""
    off = struct.unpack_from("<I", blob, 10)[0]
    _, w, h, _, bpp, comp = struct.unpack_from("<IiiHHI", blob, 14)
    assert comp == 0 and h > 0
    if bpp == 24:
        stride = (w * 3 + 3) & ~3
        rows = []
        for y in range(h):
            p = off + (h - 1 - y) * stride
            rows.append([(blob[p + 3 * x + 2], blob[p + 3 * x + 1], blob[p + 3 * x]) for x in range(w)])
        return rows
    assert bpp == 4
    pal = [(blob[54 + 4 * i + 2], blob[54 + 4 * i + 1], blob[54 + 4 * i]) for i in range(16)]
    stride = ((w + 1) // 2 + 3) & ~3
    rows = []
    for y in range(h):
        p = off + (h - 1 - y) * stride
        row = []
        for x in range(w):
            v = blob[p + x // 2]
            row.append(pal[(v >> 4) if x % 2 == 0 else (v & 15)])
        rows.append(row)
    return rows


# ----------------------------------------------------------------------------------
# PNG previews


def write_png(path, rows):
    h, w = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for c in row:
            raw += bytes(c)

    def chunk(tag, body):
        return struct.pack(">I", len(body)) + tag + body + struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def enlarge(rows, k):
    out = []
    for row in rows:
        big = [c for c in row for _ in range(k)]
        out.extend([list(big) for _ in range(k)])
    return out


def show(rows, key, backdrop=NEUTRAL):
    """Replaces the transparent key colour by the colour the glyph is shown on."""
    return [[backdrop if c == key else c for c in row] for row in rows]


def contact_sheet(images, backdrop=NEUTRAL):
    """All glyphs in a row at 1x, then again at 4x below, on the backdrop colour."""
    gap = 6
    w1 = sum(len(r[0]) for r in images) + gap * (len(images) + 1)
    w4 = sum(4 * len(r[0]) for r in images) + gap * (len(images) + 1)
    width = max(w1, w4)
    h1 = max(len(r) for r in images)
    height = gap + h1 + gap + 4 * h1 + gap
    sheet_rows = [[backdrop] * width for _ in range(height)]

    def put(img, x0, y0):
        for y, row in enumerate(img):
            for x, c in enumerate(row):
                sheet_rows[y0 + y][x0 + x] = c

    x = gap
    for img in images:
        put(img, x, gap)
        x += len(img[0]) + gap
    x = gap
    for img in images:
        put(enlarge(img, 4), x, gap + h1 + gap)
        x += 4 * len(img[0]) + gap
    return sheet_rows


# ----------------------------------------------------------------------------------


def render_toolbar(fn):
    cv = Canvas(32, 32)
    fn(cv)
    return cv.resolve()


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = os.path.normpath(os.path.join(here, "..", "..", "src", "app", "res"))
    preview = None
    args = list(argv)
    while args:
        a = args.pop(0)
        if a == "--out" and args:
            out_dir = args.pop(0)
        elif a == "--preview" and args:
            preview = args.pop(0)
        else:
            sys.stderr.write(__doc__)
            return 2

    files = []  # (name, key colour, backdrop for previews)
    for name, fn in TOOLBAR:
        rows = render_toolbar(fn)
        assert len(rows) == 32 and len(rows[0]) == 32
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(bmp24(rows))
        files.append((name, MAGENTA, NEUTRAL))
    for name, fn in LISTS:
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(bmp4(fn(), VGA))
        files.append((name, VGA[VGA_RED], (255, 255, 255)))
    with open(os.path.join(out_dir, "mousepointer.bmp"), "wb") as f:
        f.write(bmp24(mouse_pointer()))
    files.append(("mousepointer.bmp", YELLOW, NEUTRAL))

    if preview:
        os.makedirs(preview, exist_ok=True)
        shown = []
        for name, key, backdrop in files:
            with open(os.path.join(out_dir, name), "rb") as f:
                rows = show(read_bmp(f.read()), key, backdrop)
            write_png(os.path.join(preview, name[:-4] + ".png"), enlarge(rows, 8))
            if name.startswith("tb_"):
                shown.append(rows)
        write_png(os.path.join(preview, "contact_sheet.png"), contact_sheet(shown))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
