#include "devices_page_driving.h"

#include <commctrl.h>
#include <prsht.h>

#include <atomic>
#include <set>
#include <thread>

#include "pages_fixture.h"
#include "test_support.h"

namespace devicespage {

namespace {

constexpr char kWindowChoiceCaption[] = "Dual Application";
constexpr DWORD kAnswerTimeoutMs = 60000;

std::string AdapterSection(int mask, int mode, const std::string& adapterLines)
{
    return "[Adapter0]\nPanelId=1\nResolutions=640x480,800x600,1024x768,1280x1024,1600x600\n"
           "CrtAttached=1\nTvAttached=1\nDeviceMask=" + std::to_string(mask) + "\nMode=" + std::to_string(mode) +
           "\n" + adapterLines;
}

std::string OnOff(DWORD flag)
{
    return flag ? "on" : "off";
}

std::string EscapeChange(const SimJournalEntry& entry)
{
    const BYTE on = SIM_REQUEST_BYTE(&entry, 4);
    switch (entry.request[0]) {
    case SIM_FN_ROTATE: return "rotate " + std::to_string(on);
    case SIM_FN_DUAL_VIEW: return "dual view " + OnOff(on);
    case SIM_FN_DUAL_APP:
        return on ? "dual app on, swapped " + std::to_string(SIM_REQUEST_BYTE(&entry, 5)) : "dual app off";
    case SIM_FN_SWITCH: return "switch " + std::to_string(entry.request[1]);
    case SIM_FN_SET_VALUE:
        if (entry.request[1] == SIM_VALUE_DUAL_MONITOR_SWAPPED)
            return "swap " + std::to_string(entry.request[2]);
        return "value " + std::to_string(entry.request[1]) + " = " + std::to_string(entry.request[2]);
    default: return "";
    }
}

Preview PixelsOf(HDC dc, HBITMAP bitmap, int width, int height)
{
    Preview preview;
    preview.width = width;
    preview.height = height;
    preview.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    if (!GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), preview.pixels.data(), &info, DIB_RGB_COLORS))
        preview.pixels.assign(preview.pixels.size(), 0);
    for (DWORD& pixel : preview.pixels)
        pixel &= 0x00FFFFFF;
    return preview;
}

} // namespace

std::string OneDisplay(int mask, int mode, int rotation, const std::string& adapterLines)
{
    return AdapterSection(mask, mode, adapterLines) +
           "[Device0]\nName=\\\\.\\DISPLAY1\nResolution=" + (rotation == 1 || rotation == 2 ? "768x1024" : "1024x768") +
           "\nRotation=" + std::to_string(rotation) + "\n";
}

std::string DualMonitor(int mask, int secondRotation, const std::string& adapterLines)
{
    return AdapterSection(mask, 3, adapterLines) +
           "[Device0]\nName=\\\\.\\DISPLAY1\nPrimary=1\n"
           "[Device1]\nName=\\\\.\\DISPLAY2\nPrimary=0\nRotation=" + std::to_string(secondRotation) + "\n";
}

void MoveSlider(HWND page, int position)
{
    HWND slider = GetDlgItem(page, IDC_DEVICES_ROTATION);
    SendMessageA(slider, TBM_SETPOS, TRUE, position);
    // TBM_SETPOS sends no WM_HSCROLL: the page hears of the move as of a drag.
    SendMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(slider));
    SendMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(slider));
}

std::vector<std::string> DriverChanges(const std::vector<SimJournalEntry>& journal)
{
    std::vector<std::string> changes;
    for (const SimJournalEntry& entry : journal) {
        if (entry.processId != GetCurrentProcessId())
            continue;
        std::string change;
        if (entry.kind == SIM_JOURNAL_ESCAPE)
            change = EscapeChange(entry);
        else if (entry.kind == SIM_JOURNAL_MODE_CHANGE && entry.hasMode)
            change = "mode " + std::to_string(entry.width) + "x" + std::to_string(entry.height);
        if (change.empty())
            continue;
        const bool refused = entry.kind == SIM_JOURNAL_ESCAPE ? entry.status != SIM_STATUS_OK
                                                              : entry.result != DISP_CHANGE_SUCCESSFUL;
        changes.push_back(refused ? change + " refused" : change);
    }
    return changes;
}

std::vector<std::string> ApplyAnswering(HWND sheet)
{
    std::atomic<bool> handled{ false };
    std::vector<std::string> boxes;
    std::thread answerer([&] {
        std::set<HWND> answered;
        testsupport::WaitUntil([&] {
            for (HWND window : { FindWindowA("#32770", kWindowChoiceCaption), sheetdriving::MessageBoxOfThisProcess() }) {
                if (!window || answered.count(window))
                    continue;
                answered.insert(window);
                const std::string caption = testsupport::WindowText(window);
                if (caption != kWindowChoiceCaption)
                    boxes.push_back(caption + ": " + testsupport::MessageBoxText(window));
                // Posted: the modal loop ends after dispatching it.
                PostMessageA(window, WM_COMMAND, IDOK, 0);
            }
            return handled.load();
        }, kAnswerTimeoutMs);
    });
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    // Runs the Apply handler, with every dialog it shows.
    testsupport::FlushEvents();
    handled = true;
    answerer.join();
    testsupport::FlushEvents();
    return boxes;
}

Preview PrintPreview(HWND page)
{
    RECT area = {};
    GetWindowRect(GetDlgItem(page, IDC_DEVICES_PREVIEW), &area);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&area), 2);
    RECT client = {};
    GetClientRect(page, &client);

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP canvas = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, canvas);
    SendMessageA(page, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    SelectObject(memory, old);

    const Preview whole = PixelsOf(memory, canvas, client.right, client.bottom);
    Preview preview;
    preview.width = area.right - area.left;
    preview.height = area.bottom - area.top;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            preview.pixels.push_back(whole.At(x, y));
    DeleteObject(canvas);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return preview;
}

Preview LoadPicture(UINT id)
{
    HBITMAP picture = LoadBitmapA(GetModuleHandleA("VQXRES.DLL"), MAKEINTRESOURCEA(id));
    BITMAP size = {};
    GetObjectA(picture, sizeof(size), &size);
    HDC screen = GetDC(nullptr);
    const Preview pixels = PixelsOf(screen, picture, size.bmWidth, size.bmHeight);
    ReleaseDC(nullptr, screen);
    DeleteObject(picture);
    return pixels;
}

} // namespace devicespage
