#pragma once

// The test program's dialog with a picture control.
#define IDD_PICTURE_TEST   100
#define IDC_TEST_PICTURE   1001

// Pictures (drawn by make_test_bitmaps.py).  IDB_TEST_OTHER exists in the
// program and, with other pixels, in the resource library.
#define IDB_TEST_PATTERN   200
#define IDB_TEST_OTHER     201
