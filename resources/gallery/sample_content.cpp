#include "sample_content.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace gallery {

using vqxres::DialogInfo;
using vqxres::Screen;

namespace {

std::string Format(const Context& context, int id, int a = 0, int b = 0, int c = 0, int d = 0)
{
    char text[512];
    std::snprintf(text, sizeof(text), context.Text(id).c_str(), a, b, c, d);
    return text;
}

void SetText(HWND dialog, int id, const std::string& text)
{
    SetDlgItemTextA(dialog, id, text.c_str());
}

void Show(HWND dialog, int id, bool shown)
{
    if (HWND item = GetDlgItem(dialog, id))
        ShowWindow(item, shown ? SW_SHOW : SW_HIDE);
}

// Fills a combo or list box with item texts and selects one.
void Fill(HWND dialog, int id, const std::vector<std::string>& items, int selected)
{
    HWND box = GetDlgItem(dialog, id);
    if (!box)
        return;
    char cls[32] = "";
    GetClassNameA(box, cls, sizeof(cls));
    const bool list = lstrcmpiA(cls, "ListBox") == 0;
    for (const std::string& item : items)
        SendMessageA(box, list ? LB_ADDSTRING : CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(box, list ? LB_SETCURSEL : CB_SETCURSEL, selected, 0);
}

std::vector<std::string> Texts(const Context& context, std::initializer_list<int> ids)
{
    std::vector<std::string> texts;
    for (int id : ids)
        texts.push_back(context.Text(id));
    return texts;
}

// Binds picture control `id` as the programs do: drawn transparently over
// the dialog from the bitmap its template gives it.
void TransparentPicture(HWND dialog, int id, const Sample& sample)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        return;
    CTransparentBitmap& picture = sample.pictures->emplace_back();
    if (picture.SubclassWindow(control))
        picture.SetTransparentDrawing(true);
}

// ---- display-devices page -------------------------------------------------

// Device index (none 0, LCD 1, CRT 2, TV 3, secondary panel 4) of a device
// bit, and the string naming it.
int NameId(int device)
{
    switch (device) {
    case 1: return IDS_DEVICE_LCD;
    case 2: return IDS_DEVICE_CRT;
    case 4: return IDS_DEVICE_TV;
    case 8: return IDS_DEVICE_SECPANEL;
    default: return IDS_DEVICE_NONE;
    }
}

// The arrangement a sample shows: 0 plain, 1 rotated 90, 4 dual view,
// 5 dual application.
int Arrangement(const DialogInfo& dialog, int state)
{
    if (state == 0)
        return (dialog.features & vqxres::kRotation) && !(dialog.features & vqxres::kDualMonitor) ? 1 : 0;
    return (dialog.features & vqxres::kDualView) ? 4 : 5;
}

void FillDevicesPage(HWND page, const Sample& sample)
{
    const Context& context = *sample.context;
    const DialogInfo& dialog = *sample.dialog;
    const bool dualMonitor = dialog.features & vqxres::kDualMonitor;
    const int arrangement = Arrangement(dialog, sample.state);
    const bool pair = arrangement >= 4;

    std::vector<std::string> combinations;
    const int table[][2] = { { 1, 0 }, { 2, 0 }, { 4, 0 }, { 8, 0 }, { 1, 8 }, { 1, 2 }, { 1, 4 }, { 2, 8 }, { 8, 4 } };
    for (const auto& entry : table) {
        if (dualMonitor && entry[1])
            continue;
        std::string name = context.Text(NameId(entry[0]));
        if (entry[1])
            name += " + " + context.Text(NameId(entry[1]));
        combinations.push_back(name);
    }
    Fill(page, IDC_DEVICES_COMBINATION, combinations, dualMonitor ? 0 : 5);
    Fill(page, IDC_DEVICES_FIRST, Texts(context, { IDS_DEVICE_LCD, IDS_DEVICE_CRT, IDS_DEVICE_TV, IDS_DEVICE_SECPANEL }), 0);
    Fill(page, IDC_DEVICES_SECOND, Texts(context, { IDS_DEVICE_CRT, IDS_DEVICE_TV, IDS_DEVICE_SECPANEL }), 0);
    SetText(page, IDC_DEVICES_FIRST_LABEL, context.Text(pair ? IDS_DEVICES_FIRST_DUAL : IDS_DEVICES_FIRST_SINGLE));
    SetText(page, IDC_DEVICES_SECOND_LABEL, context.Text(pair ? IDS_DEVICES_SECOND_DUAL : IDS_DEVICES_SECOND_SINGLE));
    for (int id : { IDC_DEVICES_FIRST_LABEL, IDC_DEVICES_FIRST, IDC_DEVICES_SECOND_LABEL, IDC_DEVICES_SECOND, IDC_DEVICES_PAIR_NOTE })
        Show(page, id, pair);
    for (int id : { IDC_DEVICES_COMBINATION_LABEL, IDC_DEVICES_COMBINATION })
        Show(page, id, !pair);
    Show(page, IDC_DEVICES_PRIMARY, dualMonitor);

    CheckDlgButton(page, IDC_DEVICES_SINGLE, arrangement < 4 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(page, IDC_DEVICES_DUALVIEW, arrangement == 4 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(page, IDC_DEVICES_DUALAPP, arrangement == 5 ? BST_CHECKED : BST_UNCHECKED);
    if (HWND slider = GetDlgItem(page, IDC_DEVICES_ROTATION)) {
        SendMessageA(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, 3));
        SendMessageA(slider, TBM_SETPOS, TRUE, arrangement == 1 ? 1 : 0);
        char text[256];
        std::snprintf(text, sizeof(text), context.Text(IDS_FMT_ROTATION_4).c_str(),
                      context.Text(IDS_ROTATION_LABEL_NONE).c_str(), (" " + context.Text(IDS_ROTATION_LABEL_90)).c_str(),
                      context.Text(IDS_ROTATION_LABEL_180).c_str(), context.Text(IDS_ROTATION_LABEL_270).c_str());
        SetText(page, IDC_DEVICES_ROTATION_TEXT, text);
    }
}

// Paints the preview as the page does: grey, sunken, then the pictures of
// LCD panel and CRT monitor (one picture in dual-monitor mode).
void PaintPreview(HWND page, HDC dc, const Sample& sample)
{
    HWND area = GetDlgItem(page, IDC_DEVICES_PREVIEW);
    if (!area)
        return;
    RECT r;
    GetWindowRect(area, &r);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const CDCHandle memory(CreateCompatibleDC(dc));
    const CBitmapHandle canvas(CreateCompatibleBitmap(dc, w, h));
    const CSelectObject selection(memory, canvas);
    RECT all = { 0, 0, w, h };
    const CBrushHandle grey(CreateSolidBrush(RGB(100, 100, 100)));
    FillRect(memory, &all, grey);
    DrawEdge(memory, &all, EDGE_SUNKEN, BF_RECT);

    const int arrangement = Arrangement(*sample.dialog, sample.state);
    const int top = (h - IDB_PREVIEW_SIZE) / 2;
    auto draw = [&](int id, int left) {
        const CTransparentBitmap picture(id);
        picture.Draw(memory, { left, top, left + IDB_PREVIEW_SIZE, top + IDB_PREVIEW_SIZE });
    };
    if (sample.dialog->features & vqxres::kDualMonitor) {
        draw(vqxres::kFirstPreview[arrangement][1], (w - IDB_PREVIEW_SIZE) / 2);
    } else {
        const int firstLeft = (w / 2 - IDB_PREVIEW_SIZE) / 2;
        draw(vqxres::kFirstPreview[arrangement][1], firstLeft);
        draw(vqxres::kSecondPreview[arrangement][2], w / 2 + firstLeft);
    }
    BitBlt(dc, r.left, r.top, w, h, memory, 0, 0, SRCCOPY);
}

// ---- the other screens ----------------------------------------------------

void FillConfiguration(HWND page, const Sample& sample)
{
    const Context& context = *sample.context;
    TransparentPicture(page, IDC_PICTURE, sample);
    Fill(page, IDC_CONFIG_DUALVIEW_SIZE, Texts(context, { 30, 31, 32, 33, 34 }), 0);
    Fill(page, IDC_CONFIG_TV_SYSTEM, Texts(context, { 90, 91 }), 1);
    Fill(page, IDC_CONFIG_PANEL_TYPE, Texts(context, { 100, 101, 102, 103, 104 }), 2);
    Fill(page, IDC_CONFIG_PANEL_INTERFACE, Texts(context, { 164, 165 }), 0);
    CheckDlgButton(page, IDC_CONFIG_HOTKEYS_ON, BST_CHECKED);
    if (!(sample.dialog->features & vqxres::kDualView)) {
        // As on most notebooks: no dual-monitor swap, the group shortened.
        Show(page, IDC_CONFIG_DUALMON_SWAP, false);
        HWND group = GetDlgItem(page, IDC_CONFIG_DISPLAYS_GROUP);
        RECT r;
        GetWindowRect(group, &r);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
        MoveWindow(group, r.left, r.top, r.right - r.left, r.bottom - r.top - 20, TRUE);
    }
}

void FillHotKeys(HWND dialog)
{
    const WORD ctrlAlt = HOTKEYF_CONTROL | HOTKEYF_ALT;
    const struct { int id; BYTE key; } keys[] = {
        { IDC_HOTKEY_LCD, 'L' }, { IDC_HOTKEY_CRT, 'C' }, { IDC_HOTKEY_TV, 'T' }, { IDC_HOTKEY_SECPANEL, 'S' },
        { IDC_HOTKEY_LCD_CRT, 'B' }, { IDC_HOTKEY_LCD_TV, 'V' }, { IDC_HOTKEY_RT90, VK_RIGHT },
        { IDC_HOTKEY_RT180, VK_DOWN }, { IDC_HOTKEY_RT270, VK_LEFT }, { IDC_HOTKEY_SETDA, 'A' },
        { IDC_HOTKEY_SWAPAPP, 'W' }, { IDC_HOTKEY_SWAPDISP, 'H' }, { IDC_HOTKEY_SETDV, 'D' }, { IDC_HOTKEY_SMOFF, VK_UP },
    };
    for (const auto& k : keys)
        SendDlgItemMessageA(dialog, k.id, HKM_SETHOTKEY, MAKEWORD(k.key, ctrlAlt), 0);
    // A key the notebook maker fixed is shown greyed.
    EnableWindow(GetDlgItem(dialog, IDC_HOTKEY_LCD), FALSE);
}

void Fill(HWND dialog, const Sample& sample)
{
    const Context& context = *sample.context;
    switch (sample.dialog->screen) {
    case Screen::About:
        TransparentPicture(dialog, IDC_PICTURE, sample);
        SetText(dialog, IDC_ABOUT_VERSION, Format(context, IDS_FMT_TRAY_VERSION, 1, 0, 0, 12));
        SetText(dialog, IDC_COPYRIGHT_YEARS, Format(context, IDS_FMT_COPYRIGHT_YEARS, 2000, 2003));
        SetText(dialog, IDC_COPYRIGHT_NOTICE, context.Text(IDS_COPYRIGHT_NOTICE));
        break;
    case Screen::Information:
        TransparentPicture(dialog, IDC_PICTURE, sample);
        SetText(dialog, IDC_INFO_TITLE, context.Text(IDS_INFO_TITLE));
        SetText(dialog, IDC_INFO_ADAPTER_KIND, context.Text(IDS_ADAPTER_KIND_BASE + 2));
        SetText(dialog, IDC_INFO_PANEL_SIZE, "1024 x 768");
        SetText(dialog, IDC_INFO_ADAPTER_VERSION, Format(context, IDS_FMT_ADAPTER_VERSION3, 2, 1, 3));
        SetText(dialog, IDC_INFO_DRIVER_VERSION, Format(context, IDS_FMT_DRIVER_VERSION, 5, 12, 1, 7));
        SetText(dialog, IDC_INFO_TRAY_VERSION, Format(context, IDS_FMT_TRAY_VERSION, 1, 0, 0, 12));
        SetText(dialog, IDC_COPYRIGHT_YEARS, Format(context, IDS_FMT_COPYRIGHT_YEARS, 2000, 2003));
        SetText(dialog, IDC_COPYRIGHT_NOTICE, context.Text(IDS_COPYRIGHT_NOTICE));
        break;
    case Screen::DisplayDevices:
        FillDevicesPage(dialog, sample);
        break;
    case Screen::ReduceOn:
        TransparentPicture(dialog, IDC_PICTURE, sample);
        Fill(dialog, IDC_REDUCE_ON_LIST, Texts(context, { IDS_REDUCE_ON_OFF, IDS_REDUCE_ON_ON }), 1);
        SetText(dialog, IDC_REDUCE_ON_POWER_SOURCE, context.Text(IDS_POWER_AC));
        Show(dialog, IDC_REDUCE_ON_STATE, false);
        Show(dialog, IDC_REDUCE_ON_NOTE, false);
        SetText(dialog, IDC_COPYRIGHT_YEARS, Format(context, IDS_FMT_COPYRIGHT_YEARS, 2001, 2003));
        SetText(dialog, IDC_COPYRIGHT_NOTICE, context.Text(IDS_COPYRIGHT_NOTICE));
        break;
    case Screen::Configuration:
        FillConfiguration(dialog, sample);
        break;
    case Screen::HotKeys:
        FillHotKeys(dialog);
        break;
    case Screen::ConfirmDisplay:
        TransparentPicture(dialog, IDC_CONFIRM_PICTURE, sample);
        SetText(dialog, IDC_CONFIRM_TEXT, Format(context, IDS_FMT_CONFIRM_COUNTDOWN, 15));
        break;
    case Screen::DualAppWindows: {
        std::vector<std::string> windows = { context.Text(IDS_DUALAPP_NO_WINDOW), "Quarterly report - WordPad",
                                             "Sales figures - Spreadsheet", "Untitled - Notepad", "Calculator" };
        Fill(dialog, IDC_DUALAPP_FIRST_WINDOW, windows, 1);
        Fill(dialog, IDC_DUALAPP_SECOND_WINDOW, windows, 2);
        break;
    }
    }
}

}  // namespace

int StateCount(const DialogInfo& dialog)
{
    const bool dual = dialog.features & (vqxres::kDualView | vqxres::kDualApp);
    return dialog.screen == Screen::DisplayDevices && dual ? 2 : 1;
}

const char* StateName(const DialogInfo& dialog, int state)
{
    if (dialog.screen != Screen::DisplayDevices)
        return "";
    switch (Arrangement(dialog, state)) {
    case 1: return ", rotated by 90 degrees";
    case 4: return ", dual view chosen";
    case 5: return ", dual application chosen";
    default: return "";
    }
}

INT_PTR CALLBACK SampleDialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        const Sample* sample = reinterpret_cast<const Sample*>(lParam);
        if (GetWindowLongA(dialog, GWL_STYLE) & WS_CHILD)  // a property page: lParam is its description
            sample = reinterpret_cast<const Sample*>(reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(sample));
        Fill(dialog, *sample);
        return TRUE;
    }
    case WM_PAINT: {
        const Sample* sample = reinterpret_cast<const Sample*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (!sample || sample->dialog->screen != Screen::DisplayDevices)
            return FALSE;
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(dialog, &paint);
        PaintPreview(dialog, dc, *sample);
        EndPaint(dialog, &paint);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

}  // namespace gallery
