"""What the pictures show: desktops on screens, the four display devices,
and the small pictures of the dialogs.  Every device is drawn in a 120 x 120
design box; `Canvas.frame` places it elsewhere or smaller."""

from canvas import SCALE, Canvas, mix, rgb, shade

# Desktop colours of the era: blue-green wallpaper, grey 3-D chrome, title
# bars with a dark-to-light blue gradient.
WALLPAPER_TOP = rgb(58, 110, 165)
WALLPAPER_BOTTOM = rgb(34, 80, 132)
CHROME = rgb(212, 208, 200)
CHROME_LIGHT = rgb(255, 255, 255)
CHROME_DARK = rgb(128, 128, 128)
TITLE_LEFT = rgb(10, 36, 106)
TITLE_RIGHT = rgb(166, 202, 240)
TEXT_GREY = rgb(150, 156, 166)
START_GREEN = rgb(60, 140, 60)


# -- desktop content -------------------------------------------------------

def _taskbar(c, w, h, start=True, clock=True):
    bar = max(5.0, h * 0.11)
    c.rect(0, h - bar, w, h, CHROME)
    c.rect(0, h - bar, w, h - bar + 0.6, CHROME_LIGHT)
    if start:
        c.rect(1, h - bar + 1.2, 1 + bar * 2.2, h - 1, shade(CHROME, 0.35))
        c.rect(1.8, h - bar + 2.0, 1.8 + bar * 0.6, h - 1.8, START_GREEN)
        c.rect(1.8 + bar * 0.8, h - bar / 2 - 0.4, 1 + bar * 2.0, h - bar / 2 + 0.4, CHROME_DARK)
    if clock:
        c.rect(w - bar * 2.6, h - bar + 1.2, w - 1, h - 1, shade(CHROME, -0.08))
        c.rect(w - bar * 1.6, h - bar / 2 - 0.4, w - 2.2, h - bar / 2 + 0.4, CHROME_DARK)
    return bar


def _window(c, x0, y0, x1, y1, body):
    """A window with frame, gradient title bar, caption buttons and a body
    painter `body(c, x0, y0, x1, y1)` for the client area."""
    c.rect(x0, y0, x1, y1, CHROME)
    c.rect(x0, y0, x1, y0 + 0.6, CHROME_LIGHT)
    c.rect(x0, y0, x0 + 0.6, y1, CHROME_LIGHT)
    c.rect(x1 - 0.6, y0, x1, y1, rgb(64, 64, 64))
    c.rect(x0, y1 - 0.6, x1, y1, rgb(64, 64, 64))
    title = max(3.6, (y1 - y0) * 0.12)
    c.hgradient(x0 + 1, y0 + 1, x1 - 1, y0 + 1 + title, TITLE_LEFT, TITLE_RIGHT)
    c.rect(x0 + 2, y0 + 1 + title * 0.4, x0 + 2 + (x1 - x0) * 0.3, y0 + 1 + title * 0.62, CHROME_LIGHT)
    bw = title * 0.72
    for i in range(3):
        bx = x1 - 1.6 - (i + 1) * (bw + 0.4)
        c.rect(bx, y0 + 1 + title * 0.14, bx + bw, y0 + 1 + title * 0.86, CHROME)
    body(c, x0 + 1.2, y0 + 1.6 + title, x1 - 1.2, y1 - 1.2)


def _document(c, x0, y0, x1, y1):
    c.rect(x0, y0, x1, y1, CHROME_LIGHT)
    y = y0 + 2
    widths = (0.85, 0.7, 0.9, 0.55, 0.8, 0.65, 0.9, 0.4)
    i = 0
    while y + 1 < y1 - 1:
        c.rect(x0 + 2, y, x0 + 2 + (x1 - x0 - 4) * widths[i % len(widths)], y + 0.9, TEXT_GREY)
        y += 2.6
        i += 1


def _chart(c, x0, y0, x1, y1):
    c.rect(x0, y0, x1, y1, CHROME_LIGHT)
    colours = (rgb(220, 80, 60), rgb(70, 130, 200), rgb(240, 180, 40), rgb(90, 170, 90), rgb(150, 90, 180))
    n = len(colours)
    step = (x1 - x0 - 4) / n
    heights = (0.55, 0.8, 0.4, 0.95, 0.65)
    base = y1 - 2
    for i, col in enumerate(colours):
        bx = x0 + 2 + i * step
        c.rect(bx + step * 0.15, base - (base - y0 - 3) * heights[i], bx + step * 0.85, base, col)
    c.rect(x0 + 1.5, base, x1 - 1.5, base + 0.6, CHROME_DARK)


def _picture(c, x0, y0, x1, y1):
    """A landscape photo: sky, sun, hills."""
    c.vgradient(x0, y0, x1, y1, rgb(120, 180, 235), rgb(200, 230, 250))
    c.ellipse(x0 + (x1 - x0) * 0.75, y0 + (y1 - y0) * 0.3, (y1 - y0) * 0.13, (y1 - y0) * 0.13, rgb(255, 210, 60))
    w, h = x1 - x0, y1 - y0
    c.polygon([(x0, y1), (x0, y0 + h * 0.65), (x0 + w * 0.35, y0 + h * 0.45), (x0 + w * 0.7, y0 + h * 0.7),
               (x1, y0 + h * 0.55), (x1, y1)], rgb(70, 140, 70))
    c.polygon([(x0, y1), (x0, y0 + h * 0.85), (x0 + w * 0.5, y0 + h * 0.72), (x1, y0 + h * 0.9), (x1, y1)],
              rgb(50, 110, 50))


def _icons(c, w, h, count=3):
    size = max(3.0, min(w, h) * 0.07)
    for i in range(count):
        y = 2 + i * size * 2.3
        if y + size * 1.8 > h * 0.8:
            break
        c.rect(2, y, 2 + size, y + size, rgb(250, 230, 140) if i % 2 else CHROME_LIGHT)
        c.rect(2 + size * 0.2, y + size * 0.2, 2 + size * 0.8, y + size * 0.5, rgb(60, 110, 190))
        c.rect(1.5, y + size * 1.25, 2.5 + size, y + size * 1.25 + 0.8, rgb(220, 230, 240))


DESKTOPS = ("main", "extended", "left_half", "right_half")


def desktop(width, height, kind):
    """A canvas of width x height showing one desktop:
    main        wallpaper, icons, a window and the taskbar;
    extended    the second screen of dual view: wallpaper and a photo window;
    left_half   dual application, left half: a document filling the work
                area, the start button end of the taskbar;
    right_half  dual application, right half: a chart filling the work
                area, the clock end of the taskbar."""
    c = Canvas(int(round(width)), int(round(height)))
    w, h = c.width, c.height
    c.vgradient(0, 0, w, h, WALLPAPER_TOP, WALLPAPER_BOTTOM)
    if kind == "main":
        bar = _taskbar(c, w, h)
        _icons(c, w, h - bar)
        _window(c, w * 0.30, h * 0.14, w * 0.92, h * 0.78, _document)
    elif kind == "extended":
        _window(c, w * 0.12, h * 0.12, w * 0.80, h * 0.80, _picture)
    elif kind == "left_half":
        bar = _taskbar(c, w, h, start=True, clock=False)
        _window(c, 0, 0, w, h - bar, _document)
    elif kind == "right_half":
        bar = _taskbar(c, w, h, start=False, clock=True)
        _window(c, 0, 0, w, h - bar, _chart)
    else:
        raise ValueError(kind)
    return c


def show(c, box, kind, rotation):
    """Puts a desktop into the screen rectangle box = (x0, y0, x1, y1) of the
    root frame, turned clockwise by `rotation` degrees (0, 90, 180, 270)."""
    x0, y0, x1, y1 = box
    w, h = x1 - x0, y1 - y0
    if rotation in (90, 270):
        content = desktop(h, w, kind)
    else:
        content = desktop(w, h, kind)
    c.paste(content, x0, y0, rotation)


def glass(c, box):
    """A faint reflection across the upper left of a screen."""
    x0, y0, x1, y1 = box
    w, h = x1 - x0, y1 - y0
    saved = c.clip
    c.clip = tuple(int(v * SCALE) for v in box)
    for i in range(4):
        t = 0.10 - i * 0.02

        def lighten(x, y, t=t):
            px = c.rows[int(y * SCALE)][int(x * SCALE)]
            return mix(px, 0xFFFFFF, t)
        c.polygon([(x0 + w * (0.05 + 0.06 * i), y0), (x0 + w * (0.32 - 0.03 * i), y0),
                   (x0, y0 + h * (0.55 - 0.06 * i)), (x0, y0 + h * (0.12 + 0.04 * i))], lighten)
    c.clip = saved


# -- devices ---------------------------------------------------------------
# Each returns the screen rectangle in the root frame after drawing the
# device, so the desktop can be put into it.  All drawing is in the frame
# given by the caller.

def _root_box(c, x0, y0, x1, y1):
    ox, oy, k = c._frames[-1]
    return (ox + x0 * k, oy + y0 * k, ox + x1 * k, oy + y1 * k)


def notebook(c):
    """The built-in LCD panel: a notebook, silver lid on a hinge above the
    keyboard deck."""
    outline = rgb(74, 80, 90)
    # base deck seen from above the front edge
    c.polygon([(10, 84), (110, 84), (119, 106), (1, 106)], outline)
    c.polygon([(11, 85), (109, 85), (117.5, 104.5), (2.5, 104.5)], rgb(196, 201, 208))
    c.polygon([(15, 87), (105, 87), (109, 97), (11, 97)], rgb(60, 64, 72))
    for row in range(4):
        y = 87.8 + row * 2.3
        t = (y - 87) / 10
        xl, xr = 15 - 4 * t, 105 + 4 * t
        n = 14
        for k in range(n):
            kx0 = xl + (xr - xl) * k / n + 0.45
            kx1 = xl + (xr - xl) * (k + 1) / n - 0.45
            c.rect(kx0, y, kx1, y + 1.6, rgb(112, 118, 128))
    c.polygon([(50, 98.5), (70, 98.5), (71, 103.5), (49, 103.5)], rgb(170, 176, 185))
    c.rect(1, 104.5, 119, 108, rgb(150, 156, 165))
    c.rect(1, 107.4, 119, 108, outline)
    # hinge
    c.rect(20, 80.5, 100, 85, rgb(110, 116, 126))
    # lid
    c.round_rect(12, 6, 108, 83, 4, None, top=rgb(230, 233, 238), bottom=rgb(168, 174, 184))
    c.frame_rect(12, 6, 108, 83, 0.8, outline)
    c.rect(18.2, 11.2, 101.8, 75.8, rgb(36, 40, 48))
    c.ellipse(60, 79.5, 1.2, 1.2, rgb(90, 200, 110))
    box = _root_box(c, 19, 12, 101, 75)
    return box


def crt(c):
    """A CRT monitor: deep putty-coloured box on a swivel foot."""
    outline = rgb(110, 104, 88)
    body = rgb(226, 220, 200)
    # depth of the tube housing, to the right and behind
    c.polygon([(100, 12), (114, 22), (114, 70), (100, 82)], rgb(176, 169, 148))
    c.polygon([(26, 6), (92, 6), (104, 14), (14, 14)], rgb(200, 194, 174))
    # foot
    c.polygon([(44, 84), (76, 84), (82, 96), (38, 96)], rgb(190, 184, 164))
    c.ellipse(60, 100, 34, 7, outline)
    c.ellipse(60, 99.5, 33, 6.2, rgb(208, 202, 182))
    # front bezel
    c.round_rect(10, 10, 104, 88, 5, None, top=shade(body, 0.2), bottom=shade(body, -0.12))
    c.frame_rect(10, 10, 104, 88, 0.8, outline)
    c.round_rect(17, 16, 97, 76, 5, rgb(44, 44, 44))
    c.rect(84, 79.5, 91, 82.5, rgb(170, 164, 146))
    c.ellipse(94.5, 81, 1.1, 1.1, rgb(90, 200, 110))
    c.rect(20, 80, 34, 81.2, rgb(170, 164, 146))
    return _root_box(c, 20, 19, 94, 73)


def tv(c):
    """A TV set: dark cabinet, speaker and buttons at the side, two feet and
    a rabbit-ear antenna."""
    cabinet = rgb(58, 61, 68)
    # antenna
    c.line(58, 27, 34, 3, 1.4, rgb(150, 150, 156))
    c.line(62, 27, 90, 5, 1.4, rgb(150, 150, 156))
    c.ellipse(34, 3, 2, 2, rgb(120, 120, 126))
    c.ellipse(90, 5, 2, 2, rgb(120, 120, 126))
    c.ellipse(60, 28, 9, 4.5, rgb(40, 42, 46))
    # feet
    c.polygon([(18, 95), (30, 95), (28, 102), (16, 102)], rgb(34, 36, 40))
    c.polygon([(90, 95), (102, 95), (104, 102), (92, 102)], rgb(34, 36, 40))
    # cabinet
    c.round_rect(6, 27, 114, 97, 6, None, top=shade(cabinet, 0.22), bottom=shade(cabinet, -0.3))
    c.frame_rect(6, 27, 114, 97, 0.8, rgb(24, 25, 28))
    # speaker grille and buttons on the right
    for i in range(7):
        c.rect(93, 36 + i * 3, 108, 37.2 + i * 3, rgb(30, 32, 36))
    for i in range(3):
        c.ellipse(100.5, 64 + i * 7, 2.6, 2.6, rgb(150, 154, 160))
        c.ellipse(100.2, 63.7 + i * 7, 1.6, 1.6, rgb(196, 200, 206))
    c.ellipse(100.5, 88, 1.1, 1.1, rgb(230, 60, 50))
    # tube face with rounded corners
    c.round_rect(11, 32, 89, 92, 8, rgb(20, 20, 22))
    return _root_box(c, 15, 36, 85, 88)


def flat_panel(c, badge=True):
    """The secondary panel: a stand-alone flat panel in graphite on a
    pedestal, with a blue "2" badge on its foot."""
    bezel = rgb(78, 86, 100)
    c.polygon([(53, 78), (67, 78), (70, 96), (50, 96)], rgb(60, 66, 78))
    c.ellipse(60, 99, 30, 6, rgb(40, 44, 52))
    c.ellipse(60, 98.4, 29, 5.2, rgb(92, 100, 116))
    c.round_rect(8, 12, 112, 80, 3, None, top=shade(bezel, 0.25), bottom=shade(bezel, -0.25))
    c.frame_rect(8, 12, 112, 80, 0.8, rgb(32, 36, 44))
    c.rect(12.5, 16.5, 107.5, 74.5, rgb(18, 20, 24))
    c.ellipse(104, 77.3, 1.0, 1.0, rgb(80, 170, 255))
    if badge:
        _badge(c)
    return _root_box(c, 13, 17, 107, 74)


def _badge(c):
    c.ellipse(20, 100, 10, 10, rgb(255, 255, 255))
    c.ellipse(20, 100, 8.6, 8.6, rgb(40, 110, 210))
    c.glyphs("2", 17.0, 95.5, 9, rgb(255, 255, 255))


DEVICES = {"LCD": notebook, "CRT": crt, "TV": tv, "SEC": flat_panel}


def device_picture(device, kind, rotation, size=120):
    c = Canvas(size, size)
    with c.frame(0, 0, size / 120):
        box = DEVICES[device](c)
    show(c, box, kind, rotation)
    glass(c, box)
    return c


def empty_picture(size=120):
    return Canvas(size, size)


# -- pictures of the dialogs ----------------------------------------------

def product_logo():
    """About box: a notebook in front of a CRT, and the letters VQX."""
    c = Canvas(64, 64)
    with c.frame(22, 0, 0.36):
        box = crt(c)
    show(c, box, "extended", 0)
    with c.frame(0, 16, 0.4):
        box = notebook(c)
    show(c, box, "main", 0)
    c.round_rect(36, 52, 64, 64, 2, rgb(40, 110, 210))
    c.glyphs("VQX", 42, 54, 7, rgb(255, 255, 255))
    return c


def adapter():
    """A graphics card: green board, chip, gold contacts and a bracket with
    a blue monitor port."""
    c = Canvas(48, 48)
    board = rgb(36, 120, 70)
    c.rect(2, 8, 7, 42, rgb(190, 194, 200))
    c.rect(2, 8, 3, 42, rgb(230, 232, 236))
    c.polygon([(3, 18), (6.5, 19), (6.5, 29), (3, 30)], rgb(40, 80, 200))
    c.round_rect(7, 10, 46, 36, 1.5, None, top=shade(board, 0.15), bottom=shade(board, -0.15))
    for i in range(10):
        c.rect(12 + i * 3.2, 36, 14 + i * 3.2, 41, rgb(220, 180, 60))
    c.rect(18, 13, 38, 31, rgb(30, 32, 36))
    c.rect(19, 14, 37, 15, rgb(80, 84, 92))
    c.glyphs("VQX", 19, 19, 7, rgb(230, 230, 230))
    for i in range(3):
        c.rect(39, 13 + i * 6, 44, 17 + i * 6, rgb(20, 20, 24))
    c.rect(9, 13, 17, 16, rgb(200, 200, 200))
    c.rect(9, 19, 17, 22, rgb(200, 200, 200))
    return c


def power():
    """Mains plug and battery: what the reduce-on page is about."""
    c = Canvas(48, 48)
    c.round_rect(4, 14, 38, 34, 2.5, rgb(50, 54, 60))
    c.rect(38, 19, 42, 29, rgb(50, 54, 60))
    c.rect(6.5, 16.5, 35.5, 31.5, rgb(235, 238, 240))
    c.vgradient(7.5, 17.5, 24, 30.5, rgb(120, 220, 110), rgb(40, 150, 50))
    c.polygon([(24, 6), (14, 26), (21, 26), (17, 42), (30, 20), (23, 20), (28, 6)], rgb(60, 50, 10))
    c.polygon([(24.5, 7.5), (15.8, 25), (22.6, 25), (19.2, 38.5), (28.6, 21), (21.8, 21), (26.6, 7.5)],
              rgb(255, 214, 40))
    return c


def confirm_display():
    """A monitor with a stopwatch: the change is undone if not confirmed."""
    c = Canvas(48, 48)
    with c.frame(0, 2, 0.33):
        box = flat_panel(c, badge=False)
    show(c, box, "main", 0)
    c.ellipse(35, 34, 12, 12, rgb(60, 60, 66))
    c.ellipse(35, 34, 10.5, 10.5, rgb(250, 250, 250))
    c.rect(33.5, 19.5, 36.5, 22.5, rgb(60, 60, 66))
    c.line(35, 34, 35, 26.5, 1.6, rgb(40, 40, 44))
    c.line(35, 34, 40.5, 34, 1.6, rgb(40, 40, 44))
    c.polygon([(35, 34), (35, 24.5), (42, 27), (44.5, 34)], lambda x, y: mix(c.rows[int(y * SCALE)][int(x * SCALE)], rgb(230, 60, 50), 0.35))
    c.ellipse(35, 34, 1.3, 1.3, rgb(230, 60, 50))
    return c


def tray_icon(size):
    """Two displays, a notebook in front of a flat panel, drawn on the pixel
    grid of a 16 or 32 pixel icon so that it stays crisp."""
    c = Canvas(size, size)
    u = size / 32  # one unit is a pixel of the 32-pixel icon
    outline, graphite, silver = rgb(60, 66, 78), rgb(47, 54, 64), rgb(200, 205, 212)

    def box(x0, y0, x1, y1, colour, bottom=None):
        if bottom is None:
            c.rect(x0 * u, y0 * u, x1 * u, y1 * u, colour)
        else:
            c.vgradient(x0 * u, y0 * u, x1 * u, y1 * u, colour, bottom)

    # flat panel behind, to the upper right
    box(12, 2, 32, 20, graphite)
    box(14, 4, 30, 18, rgb(64, 170, 210), rgb(24, 96, 150))
    box(20, 20, 24, 24, graphite)
    box(16, 24, 28, 26, graphite)
    # notebook in front: lid, screen with a window, base
    box(0, 10, 24, 28, outline)
    box(2, 12, 22, 26, silver)
    box(4, 14, 20, 24, rgb(70, 126, 186), rgb(34, 80, 132))
    box(6, 16, 18, 22, rgb(255, 255, 255))
    box(6, 16, 18, 18, TITLE_LEFT)
    box(0, 28, 26, 32, outline)
    box(2, 28, 24, 30, silver)
    return c
