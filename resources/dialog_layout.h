/*
 * Shared looks of the dialog templates (resource scripts only).
 *
 * Sizes are dialog units of the 8-point shell font.  Property pages use the
 * large standard page size so that they fit the Display Properties sheet;
 * margins are 7 units, rows of label + field 16 units apart, buttons 50 x 14.
 */
#ifndef VQX_DIALOG_LAYOUT_H
#define VQX_DIALOG_LAYOUT_H

#define PAGE_WIDTH      252     /* PROP_LG_CXDLG */
#define PAGE_HEIGHT     218     /* PROP_LG_CYDLG */
#define MARGIN          7
#define BUTTON_WIDTH    50
#define BUTTON_HEIGHT   14

#define PAGE_STYLE      DS_SHELLFONT | DS_3DLOOK | WS_CHILD | WS_DISABLED | WS_CAPTION
#define MODAL_STYLE     DS_SHELLFONT | DS_3DLOOK | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU
#define SHELL_FONT      FONT 8, "MS Shell Dlg", 0, 0, 0x1

/* A picture control showing bitmap `bitmap`; SS_BITMAP sizes it to the bitmap. */
#define PICTURE(id, bitmap, x, y) \
    CONTROL bitmap, id, "Static", SS_BITMAP, x, y, 0, 0

/* A read-only value: no mnemonics, so "&" in a value shows as it is. */
#define VALUE(id, x, y, w, h) \
    LTEXT "", id, x, y, w, h, SS_NOPREFIX

#define DROPDOWN(id, x, y, w) \
    COMBOBOX id, x, y, w, 100, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP

#define HOTKEY_FIELD(id, x, y, w) \
    CONTROL "", id, "msctls_hotkey32", WS_BORDER | WS_TABSTOP, x, y, w, 12

/* The copyright lines at the foot of a page or box. */
#define COPYRIGHT_LINES(x, y, w) \
    VALUE(IDC_COPYRIGHT_YEARS, x, y, w, 8) \
    VALUE(IDC_COPYRIGHT_NOTICE, x, (y) + 12, w, 24)

#endif
