#!/usr/bin/env python3
"""Draws the icon of the stand-in Display control panel: a monitor showing
a desktop, at 16 and 32 pixels, with the drawing code of the resource
library's pictures.

    make_desk_icon.py OUT.ico
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "bitmaps"))

import scenes  # noqa: E402
from canvas import Canvas  # noqa: E402
from make_bitmaps import write_ico  # noqa: E402


def monitor(size):
    c = Canvas(size, size)
    with c.frame(0, 0, size / 120):
        box = scenes.crt(c)
    scenes.show(c, box, "main", 0)
    return c


def main():
    write_ico(sys.argv[1], [monitor(size).pixels() for size in (16, 32)])


if __name__ == "__main__":
    main()
