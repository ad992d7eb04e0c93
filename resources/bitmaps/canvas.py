"""A small supersampling raster canvas (standard library only).

Shapes are filled on a grid SCALE times finer than the output; `pixels()`
averages each SCALE x SCALE cell.  Cells that are mostly background become
the key colour (magenta) and the others average their painted samples only,
so a picture's outline never blends into magenta: drawn with magenta as the
transparent colour it shows no pink fringe.  Coordinates are output pixels
(floats) in a movable frame: `frame(dx, dy, k)` draws a shape designed for
one size at another place and size.
"""

import math

SCALE = 3
BACKGROUND = -1
KEY_COLOUR = 0xFF00FF


def rgb(r, g, b):
    return (int(r) << 16) | (int(g) << 8) | int(b)


def mix(c1, c2, t):
    """Colour between c1 (t = 0) and c2 (t = 1)."""
    t = min(max(t, 0.0), 1.0)
    return rgb(*(((c1 >> s) & 255) * (1 - t) + ((c2 >> s) & 255) * t for s in (16, 8, 0)))


def shade(c, f):
    """Lighter (f > 0) or darker (f < 0) by the fraction |f|."""
    return mix(c, 0xFFFFFF if f > 0 else 0x000000, abs(f))


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.sw, self.sh = width * SCALE, height * SCALE
        self.rows = [[BACKGROUND] * self.sw for _ in range(self.sh)]
        self._frames = [(0.0, 0.0, 1.0)]
        self.clip = None  # (x0, y0, x1, y1) in samples

    # -- frames and clipping ------------------------------------------------

    def frame(self, dx, dy, k=1.0):
        """Context manager: shapes are offset by (dx, dy) and scaled by k."""
        canvas = self

        class _Frame:
            def __enter__(self):
                ox, oy, ok = canvas._frames[-1]
                canvas._frames.append((ox + dx * ok, oy + dy * ok, ok * k))

            def __exit__(self, *exc):
                canvas._frames.pop()
        return _Frame()

    def _sx(self, x):
        ox, _, k = self._frames[-1]
        return (ox + x * k) * SCALE

    def _sy(self, y):
        _, oy, k = self._frames[-1]
        return (oy + y * k) * SCALE

    def _span(self, sy, xa, xb, colour):
        """Fills samples of row sy whose centres lie in [xa, xb)."""
        if sy < 0 or sy >= self.sh:
            return
        lo, hi = 0, self.sw
        if self.clip:
            if not (self.clip[1] <= sy < self.clip[3]):
                return
            lo, hi = self.clip[0], self.clip[2]
        a = max(lo, int(math.ceil(xa - 0.5)))
        b = min(hi, int(math.ceil(xb - 0.5)))
        if b <= a:
            return
        row = self.rows[sy]
        if callable(colour):
            for x in range(a, b):
                row[x] = colour(x / SCALE, sy / SCALE)
        else:
            row[a:b] = [colour] * (b - a)

    def _rows(self, y0, y1):
        a = max(0, int(math.ceil(y0 - 0.5)))
        b = min(self.sh, int(math.ceil(y1 - 0.5)))
        return range(a, b)

    # -- shapes (output-pixel coordinates in the current frame) ------------

    def rect(self, x0, y0, x1, y1, colour):
        sx0, sx1 = self._sx(x0), self._sx(x1)
        for sy in self._rows(self._sy(y0), self._sy(y1)):
            self._span(sy, sx0, sx1, colour)

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        sy0, sy1 = self._sy(y0), self._sy(y1)
        sx0, sx1 = self._sx(x0), self._sx(x1)
        for sy in self._rows(sy0, sy1):
            self._span(sy, sx0, sx1, mix(top, bottom, (sy + 0.5 - sy0) / max(sy1 - sy0, 1)))

    def hgradient(self, x0, y0, x1, y1, left, right):
        sx0, sx1 = self._sx(x0), self._sx(x1)
        width = max(sx1 - sx0, 1)
        steps = [mix(left, right, i / 15) for i in range(16)]

        def colour(x, _y):
            return steps[min(15, max(0, int((x * SCALE - sx0) / width * 16)))]
        self.rect(x0, y0, x1, y1, colour)

    def round_rect(self, x0, y0, x1, y1, r, colour, top=None, bottom=None):
        """Rounded rectangle; with top and bottom a vertical gradient."""
        sx0, sy0, sx1, sy1 = self._sx(x0), self._sy(y0), self._sx(x1), self._sy(y1)
        sr = r * self._frames[-1][2] * SCALE
        for sy in self._rows(sy0, sy1):
            yc = sy + 0.5
            inset = 0.0
            if yc < sy0 + sr:
                d = sy0 + sr - yc
                inset = sr - math.sqrt(max(sr * sr - d * d, 0))
            elif yc > sy1 - sr:
                d = yc - (sy1 - sr)
                inset = sr - math.sqrt(max(sr * sr - d * d, 0))
            c = colour
            if top is not None:
                c = mix(top, bottom, (yc - sy0) / max(sy1 - sy0, 1))
            self._span(sy, sx0 + inset, sx1 - inset, c)

    def ellipse(self, cx, cy, rx, ry, colour):
        scx, scy = self._sx(cx), self._sy(cy)
        k = self._frames[-1][2] * SCALE
        srx, sry = rx * k, ry * k
        for sy in self._rows(scy - sry, scy + sry):
            d = (sy + 0.5 - scy) / sry
            if abs(d) >= 1:
                continue
            half = srx * math.sqrt(1 - d * d)
            self._span(sy, scx - half, scx + half, colour)

    def polygon(self, points, colour):
        pts = [(self._sx(x), self._sy(y)) for x, y in points]
        ys = [p[1] for p in pts]
        for sy in self._rows(min(ys), max(ys)):
            yc = sy + 0.5
            xs = []
            for i in range(len(pts)):
                (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % len(pts)]
                if (ya <= yc < yb) or (yb <= yc < ya):
                    xs.append(xa + (yc - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for i in range(0, len(xs) - 1, 2):
                self._span(sy, xs[i], xs[i + 1], colour)

    def line(self, x0, y0, x1, y1, width, colour):
        dx, dy = x1 - x0, y1 - y0
        length = math.hypot(dx, dy) or 1
        nx, ny = -dy / length * width / 2, dx / length * width / 2
        self.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], colour)

    def frame_rect(self, x0, y0, x1, y1, width, colour):
        self.rect(x0, y0, x1, y0 + width, colour)
        self.rect(x0, y1 - width, x1, y1, colour)
        self.rect(x0, y0, x0 + width, y1, colour)
        self.rect(x1 - width, y0, x1, y1, colour)

    def glyphs(self, text, x, y, size, colour):
        """Text in the built-in 5x7 font; size = height of a glyph."""
        cell = size / 7
        for ch in text:
            for row, bits in enumerate(FONT[ch]):
                for col in range(5):
                    if bits & (0x10 >> col):
                        self.rect(x + col * cell, y + row * cell, x + (col + 1) * cell, y + (row + 1) * cell, colour)
            x += 6 * cell

    # -- composition -------------------------------------------------------

    def paste(self, other, x, y, rotation=0):
        """Copies `other` (painted samples only) with its top left at (x, y)
        of this canvas's root frame, turned clockwise by 0, 90, 180 or 270."""
        src = other.rows
        if rotation == 90:
            src = [list(r) for r in zip(*src[::-1])]
        elif rotation == 180:
            src = [r[::-1] for r in src[::-1]]
        elif rotation == 270:
            src = [list(r) for r in zip(*src)][::-1]
        ox, oy = int(round(x * SCALE)), int(round(y * SCALE))
        for j, row in enumerate(src):
            sy = oy + j
            if not 0 <= sy < self.sh:
                continue
            dest = self.rows[sy]
            for i, c in enumerate(row):
                if c != BACKGROUND and 0 <= ox + i < self.sw:
                    dest[ox + i] = c

    def pixels(self):
        """Rows of output colours, top row first, 0xRRGGBB."""
        out = []
        n = SCALE * SCALE
        for y in range(self.height):
            block = self.rows[y * SCALE:(y + 1) * SCALE]
            line = []
            for x in range(self.width):
                r = g = b = count = 0
                for row in block:
                    for c in row[x * SCALE:(x + 1) * SCALE]:
                        if c != BACKGROUND:
                            r += c >> 16
                            g += (c >> 8) & 255
                            b += c & 255
                            count += 1
                if count * 2 <= n:
                    line.append(KEY_COLOUR)
                else:
                    line.append(rgb(r / count + 0.5, g / count + 0.5, b / count + 0.5))
            out.append(line)
        return out


# 5x7 glyphs, one byte per row, bit 4 = leftmost column.
FONT = {
    '1': [0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E],
    '2': [0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F],
    'V': [0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04],
    'Q': [0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D],
    'X': [0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11],
}
