#include "sample_content.h"

#include <commctrl.h>

#include <algorithm>
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

// The arrangement a sample shows: 0 plain, 1 rotated 90, 4 dual view,
// 5 dual application.
int Arrangement(const DialogInfo& dialog, int state)
{
    if (state == 0)
        return (dialog.features & vqxres::kRotation) && !(dialog.features & vqxres::kDualMonitor) ? 1 : 0;
    return (dialog.features & vqxres::kDualView) ? 4 : 5;
}

// A header that enables every device and arrangement.
HardwareHeader EverythingEnabled()
{
    HardwareHeader header = {};
    header.enableCrt = header.enableTv = header.enableSecondaryPanel = 1;
    header.enableRotation = header.enableRt90 = header.enableRt180 = header.enableRt270 = 1;
    header.enableDualView = header.enableDualApp = 1;
    return header;
}

// The devices a sample shows: LCD panel and CRT (the LCD panel alone in
// dual-monitor mode).
DeviceChoice SampleChoice(const DialogInfo& dialog)
{
    return { kOutputLcd, (dialog.features & vqxres::kDualMonitor) ? 0 : kOutputCrt };
}

// Fills a device box with the page's own items and selects `data`.
void FillDeviceBox(HWND page, int id, const std::vector<DeviceBoxItem>& items, int data)
{
    std::vector<std::string> texts;
    int selected = -1;
    for (const DeviceBoxItem& item : items) {
        if (item.data == data)
            selected = static_cast<int>(texts.size());
        texts.push_back(item.text);
    }
    Fill(page, id, texts, selected);
}

void FillDevicesPage(HWND page, const Sample& sample)
{
    const Context& context = *sample.context;
    const DialogInfo& dialog = *sample.dialog;
    const bool dualMonitor = dialog.features & vqxres::kDualMonitor;
    const int arrangement = Arrangement(dialog, sample.state);
    const bool pair = ChoosesPair(arrangement);
    const HardwareHeader header = EverythingEnabled();
    const DeviceChoice choice = SampleChoice(dialog);

    FillDeviceBox(page, IDC_DEVICES_COMBINATION, CombinationItems(arrangement, header, dualMonitor),
                  static_cast<int>(DeviceMaskOf(choice)));
    FillDeviceBox(page, IDC_DEVICES_FIRST, ColumnItems(arrangement, 0, header), choice.first);
    FillDeviceBox(page, IDC_DEVICES_SECOND, ColumnItems(arrangement, 1, header), choice.second);
    SetText(page, IDC_DEVICES_FIRST_LABEL, context.Text(pair ? IDS_DEVICES_FIRST_DUAL : IDS_DEVICES_FIRST_SINGLE));
    SetText(page, IDC_DEVICES_SECOND_LABEL, context.Text(pair ? IDS_DEVICES_SECOND_DUAL : IDS_DEVICES_SECOND_SINGLE));
    for (int id : { IDC_DEVICES_FIRST_LABEL, IDC_DEVICES_FIRST, IDC_DEVICES_SECOND_LABEL, IDC_DEVICES_SECOND, IDC_DEVICES_PAIR_NOTE })
        Show(page, id, pair);
    for (int id : { IDC_DEVICES_COMBINATION_LABEL, IDC_DEVICES_COMBINATION })
        Show(page, id, !pair);
    Show(page, IDC_DEVICES_PRIMARY, dualMonitor);

    CheckDlgButton(page, IDC_DEVICES_SINGLE, !pair ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(page, IDC_DEVICES_DUALVIEW, arrangement == kArrangementDualView ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(page, IDC_DEVICES_DUALAPP, arrangement == kArrangementDualApp ? BST_CHECKED : BST_UNCHECKED);
    if (HWND slider = GetDlgItem(page, IDC_DEVICES_ROTATION)) {
        const RotationList rotations = RotationListFor(header);
        SendMessageA(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, rotations.count - 1));
        SendMessageA(slider, TBM_SETPOS, TRUE, std::max(rotations.PositionOf(arrangement), 0));
        SetText(page, IDC_DEVICES_ROTATION_TEXT, RotationSliderText(rotations));
    }
}

// Paints the preview with the page's own drawing: LCD panel and CRT (one
// picture in dual-monitor mode).
void PaintPreview(HWND page, HDC dc, const Sample& sample)
{
    HWND area = GetDlgItem(page, IDC_DEVICES_PREVIEW);
    if (!area)
        return;
    RECT r;
    GetWindowRect(area, &r);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
    CDevicesPreview preview;
    preview.SetArea(r);
    const bool dualMonitor = sample.dialog->features & vqxres::kDualMonitor;
    preview.Draw(dc, Arrangement(*sample.dialog, sample.state), SampleChoice(*sample.dialog), !dualMonitor);
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
