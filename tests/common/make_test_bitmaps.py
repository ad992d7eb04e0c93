#!/usr/bin/env python3
"""Draws the bitmaps of the picture-control tests.

    make_test_bitmaps.py OUT_DIR

Writes each picture as OUT_DIR/<name>.bmp (24 bits), the resource lines of
the test program (program_bitmaps.rc) and of its resource library
(library_bitmaps.rc), and test_bitmaps.h with every picture's pixels, so the
tests know what each picture holds without a second copy of it.
"""

import os
import sys

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "bitmaps"))

from make_bitmaps import rc_path, write_bmp  # noqa: E402

KEY = 0xFF00FF
BESIDE_KEY = (0xFE00FF, 0xFF01FF, 0xFF00FE)  # one step off in red, green, blue

# The template's picture: the key colour in corners and in the middle, the
# colours beside it, and colours that tell rows, columns and channels apart.
PATTERN = [
    [KEY, 0xFE00FF, 0xFF01FF, 0xFF00FE, 0xFF0000, 0x00FF00, 0x0000FF, KEY],
    [0x000000, 0xFFFFFF, KEY, KEY, 0x123456, 0x654321, 0x808080, 0x010101],
    [0xFEFEFE, 0x00FFFF, 0xFFFF00, KEY, 0xC0C0C0, 0x7F007F, 0xFF00FD, 0x0A0B0C],
    [KEY, 0x204060, 0x604020, 0x336699, 0x996633, KEY, 0xFD00FF, 0xAABBCC],
]

# A smaller picture loaded by id: the program's own and the library's copy
# under the same id differ, so a test sees which module it came from.
PROGRAM_OTHER = [
    [0x11AA11, KEY, 0x22BB22, 0x33CC33, 0x44DD44],
    [KEY, 0x55EE55, 0x66FF66, KEY, 0x778877],
    [0x889988, 0x99AA99, KEY, 0xAABBAA, 0xBBCCBB],
]
LIBRARY_OTHER = [
    [0x1111AA, 0x2222BB, KEY, 0x3333CC, 0x4444DD],
    [0x5555EE, KEY, 0x6666FF, 0x777788, KEY],
    [KEY, 0x888899, 0x9999AA, 0xAAAABB, 0xBBBBCC],
]

PICTURES = {
    "pattern": PATTERN,
    "program_other": PROGRAM_OTHER,
    "library_other": LIBRARY_OTHER,
}

# Resource lines of each module: (resource id's name in common_test_ids.h, picture).
PROGRAM = [("IDB_TEST_PATTERN", "pattern"), ("IDB_TEST_OTHER", "program_other")]
LIBRARY = [("IDB_TEST_OTHER", "library_other")]


def write_rc(path, out_dir, lines):
    with open(path, "w") as f:
        f.write("/* Written by make_test_bitmaps.py at build time: do not edit. */\n")
        for name, picture in lines:
            f.write('%s BITMAP "%s"\n' % (name, rc_path(out_dir, picture + ".bmp")))


def c_table(name, rows):
    body = ",\n".join("    { " + ", ".join("0x%06X" % c for c in row) + " }" for row in rows)
    return "constexpr uint32_t %s[%d][%d] = {\n%s,\n};\n" % (name, len(rows), len(rows[0]), body)


def camel(name):
    return "".join(part.capitalize() for part in name.split("_"))


def main():
    out_dir = sys.argv[1]
    os.makedirs(out_dir, exist_ok=True)
    for name, rows in PICTURES.items():
        write_bmp(os.path.join(out_dir, name + ".bmp"), rows)
    write_rc(os.path.join(out_dir, "program_bitmaps.rc"), out_dir, PROGRAM)
    write_rc(os.path.join(out_dir, "library_bitmaps.rc"), out_dir, LIBRARY)
    header = [
        "// Written by make_test_bitmaps.py at build time: do not edit.",
        "// The pixels of the test pictures as 0xRRGGBB, rows from the top.",
        "#pragma once",
        "",
        "#include <cstdint>",
        "",
        "namespace testbitmaps {",
        "",
        "constexpr uint32_t kKey = 0x%06X;" % KEY,
        "constexpr uint32_t kBesideKey[] = { %s };" % ", ".join("0x%06X" % c for c in BESIDE_KEY),
        "",
    ]
    header += [c_table("k" + camel(name), rows) for name, rows in PICTURES.items()]
    header += ["}  // namespace testbitmaps", ""]
    with open(os.path.join(out_dir, "test_bitmaps.h"), "w") as f:
        f.write("\n".join(header))


if __name__ == "__main__":
    main()
