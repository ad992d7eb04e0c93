#!/usr/bin/env python3
"""Draws every picture of the resource library and writes the resource
script that names them.

    make_bitmaps.py RESOURCE_IDS_H OUT_DIR

Reads the IDB_ and IDI_ ids from resource_ids.h, draws each one (preview
pictures are derived from their names: IDB_PREVIEW_[SECOND_]<device>[_<how>]),
writes <name>.bmp (24 bits) or <name>.ico into OUT_DIR and OUT_DIR/pictures.rc
with one BITMAP or ICON line per id.  An id without a drawing is an error, so
a new id in the header cannot be forgotten here.
"""

import os
import re
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import scenes  # noqa: E402
from canvas import KEY_COLOUR  # noqa: E402

# Named pictures that are not previews.
NAMED = {
    "IDB_PRODUCT_LOGO": scenes.product_logo,
    "IDB_ADAPTER": scenes.adapter,
    "IDB_POWER": scenes.power,
    "IDB_CONFIRM_DISPLAY": scenes.confirm_display,
}

# How a preview's suffix turns into (desktop kind, rotation), for first and
# for second pictures.  A second picture of a plain or rotated pair shows the
# same desktop as the first (both devices show one picture).
PREVIEW_HOW = {
    "": ("main", 0),
    "90": ("main", 90),
    "180": ("main", 180),
    "270": ("main", 270),
    "DUALAPP": (None, 0),  # left half first, right half second
    "DUALVIEW": ("extended", 0),
    "ALT": ("main", 0),
}

PREVIEW_NAME = re.compile(r"^IDB_PREVIEW_(SECOND_)?(LCD|CRT|TV|SEC|NONE)(?:_(90|180|270|DUALAPP|DUALVIEW|ALT))?$")


def read_ids(header):
    ids = {}
    pattern = re.compile(r"^\s*#define\s+(ID[BI]_\w+)\s+(\d+)\b")
    with open(header) as f:
        for line in f:
            m = pattern.match(line)
            if m:
                ids[m.group(1)] = int(m.group(2))
    return ids


def is_picture(name):
    return name.startswith("IDI_") or (name.startswith("IDB_") and not name.endswith(("_ID", "_SIZE")))


def preview(name):
    m = PREVIEW_NAME.match(name)
    if not m:
        return None
    second, device, how = m.group(1), m.group(2), m.group(3) or ""
    if device == "NONE":
        return scenes.empty_picture()
    kind, rotation = PREVIEW_HOW[how]
    if kind is None:
        kind = "right_half" if second else "left_half"
    return scenes.device_picture(device, kind, rotation)


def write_bmp(path, rows):
    """24-bit bottom-up BMP."""
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        for c in row:
            data += bytes((c & 255, (c >> 8) & 255, c >> 16))
        data += bytes(stride - w * 3)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def palette_for(images):
    """Up to 256 colours for 8-bit icons: the most frequent colours, after
    rounding to 5 bits a channel, averaged within each rounded bucket."""
    buckets = {}
    for rows in images:
        for row in rows:
            for c in row:
                key = c & 0xF8F8F8
                entry = buckets.setdefault(key, [0, 0, 0, 0])
                entry[0] += 1
                entry[1] += c >> 16
                entry[2] += (c >> 8) & 255
                entry[3] += c & 255
    best = sorted(buckets.values(), key=lambda e: -e[0])[:256]
    palette = [((e[1] // e[0]) << 16) | ((e[2] // e[0]) << 8) | (e[3] // e[0]) for e in best]
    return palette + [0] * (256 - len(palette))


def nearest(palette, c, cache):
    if c not in cache:
        r, g, b = c >> 16, (c >> 8) & 255, c & 255
        cache[c] = min(range(len(palette)), key=lambda i: (((palette[i] >> 16) - r) ** 2 * 3 +
                                                          (((palette[i] >> 8) & 255) - g) ** 2 * 4 +
                                                          ((palette[i] & 255) - b) ** 2 * 2))
    return cache[c]


def write_ico(path, images):
    """8-bit icon with one image per size; key-coloured pixels are
    transparent (AND mask set, colour black)."""
    key = KEY_COLOUR
    opaque = [[[c for c in row] for row in rows] for rows in images]
    palette = palette_for([[[c for c in row if c != key] for row in rows] for rows in opaque])
    cache = {}
    blobs = []
    for rows in opaque:
        h, w = len(rows), len(rows[0])
        xor = bytearray()
        mask = bytearray()
        mask_stride = ((w + 31) // 32) * 4
        for row in reversed(rows):
            line = bytearray(nearest(palette, c, cache) if c != key else 0 for c in row)
            line += bytes((-len(line)) % 4)
            xor += line
            bits = bytearray(mask_stride)
            for x, c in enumerate(row):
                if c == key:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 8, 0, len(xor) + len(mask), 0, 0, 256, 0)
        pal = b"".join(struct.pack("<BBBB", c & 255, (c >> 8) & 255, c >> 16, 0) for c in palette)
        blobs.append((w, h, info + pal + bytes(xor) + bytes(mask)))
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for w, h, blob in blobs:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 8, len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(out + b"".join(blob for _, _, blob in blobs))


def rc_path(out_dir, file_name):
    return os.path.abspath(os.path.join(out_dir, file_name)).replace("\\", "/")


def main():
    header, out_dir = sys.argv[1], sys.argv[2]
    os.makedirs(out_dir, exist_ok=True)
    lines = ["/* Written by make_bitmaps.py at build time: do not edit. */"]
    for name, number in sorted(read_ids(header).items(), key=lambda item: item[1]):
        if not is_picture(name):
            continue
        if name == "IDI_TRAY":
            file_name = "idi_tray.ico"
            write_ico(os.path.join(out_dir, file_name), [scenes.tray_icon(s).pixels() for s in (16, 32)])
            lines.append('%d ICON "%s"' % (number, rc_path(out_dir, file_name)))
            continue
        canvas = preview(name)
        if canvas is None and name in NAMED:
            canvas = NAMED[name]()
        if canvas is None:
            sys.exit("make_bitmaps.py: no drawing for %s" % name)
        file_name = name.lower() + ".bmp"
        write_bmp(os.path.join(out_dir, file_name), canvas.pixels())
        lines.append('%d BITMAP "%s"' % (number, rc_path(out_dir, file_name)))
    with open(os.path.join(out_dir, "pictures.rc"), "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
