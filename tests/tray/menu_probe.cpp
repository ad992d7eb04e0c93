// The menu probe's hook, running inside the process that tracks the menu.
// Nothing may escape from it into that process: every failure is swallowed
// and the message always goes on to the next hook and the window.
#include "menu_probe.h"

#include <cstdio>
#include <string>

namespace {

// Menus nest only a few levels; a deeper chain would be a loop.
constexpr int kDeepestSubmenu = 8;
// How long the owner's thread waits for the test to take a report.
constexpr UINT kSendTimeoutMs = 5000;

// Set by WM_ENTERMENULOOP: the next WM_INITMENUPOPUP is the top popup's.
// The DLL's data belongs to the process it is loaded in.
bool g_awaitingTopPopup = false;

HWND Receiver()
{
    return FindWindowA(kProbeReceiverClass, nullptr);
}

void Send(HWND receiver, ProbeReport kind, const std::string& text)
{
    COPYDATASTRUCT data = {};
    data.dwData = kind;
    data.cbData = static_cast<DWORD>(text.size());
    data.lpData = const_cast<char*>(text.data());
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(receiver, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                        kSendTimeoutMs, &answer);
}

std::string Flags(const MENUITEMINFOA& item)
{
    std::string flags;
    if (item.fType & MFT_SEPARATOR)
        flags += kProbeFlagSeparator;
    if (item.fType & MFT_RADIOCHECK)
        flags += kProbeFlagRadio;
    if (item.fState & MFS_CHECKED)
        flags += kProbeFlagChecked;
    if (item.fState & MFS_GRAYED)
        flags += kProbeFlagGrayed;
    if (item.fState & MFS_DEFAULT)
        flags += kProbeFlagDefault;
    if (item.hSubMenu)
        flags += kProbeFlagSubmenu;
    return flags.empty() ? std::string(1, kProbeNoFlags) : flags;
}

void DescribeItems(HMENU menu, int depth, std::string& report)
{
    if (depth > kDeepestSubmenu)
        return;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        MENUITEMINFOA item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_TYPE;
        item.dwTypeData = text;
        item.cch = sizeof(text);
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item))
            continue;
        const bool hasText = !(item.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW));
        char head[48];
        std::snprintf(head, sizeof(head), "%d\t%u\t", depth, item.wID);
        report += head + Flags(item) + '\t' + (hasText ? text : "") + '\n';
        if (item.hSubMenu)
            DescribeItems(item.hSubMenu, depth + 1, report);
    }
}

std::string PopupRectangle()
{
    HWND popup = FindVisiblePopupWindow(GetCurrentThreadId());
    RECT r = {};
    if (!popup || !GetWindowRect(popup, &r))
        return std::string();
    char text[64];
    std::snprintf(text, sizeof(text), "%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
    return text;
}

// Runs inside the menu loop, after the popup was shown.
void CALLBACK EndTrackedMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    try {
        if (HWND receiver = Receiver())
            Send(receiver, kProbeShownReport, PopupRectangle());
    } catch (...) {
    }
    EndMenu();
}

void Watch(const CWPSTRUCT& message)
{
    switch (message.message) {
    case WM_ENTERMENULOOP:
        g_awaitingTopPopup = true;
        break;
    case WM_EXITMENULOOP:
        g_awaitingTopPopup = false;
        break;
    case WM_INITMENUPOPUP: {
        const bool systemMenu = HIWORD(message.lParam) != 0;
        if (!g_awaitingTopPopup || systemMenu)
            break;
        g_awaitingTopPopup = false;
        HWND receiver = Receiver();
        if (!receiver)
            break;
        std::string report;
        DescribeItems(reinterpret_cast<HMENU>(message.wParam), 0, report);
        Send(receiver, kProbeItemsReport, report);
        SetTimer(nullptr, 0, 0, EndTrackedMenu);
        break;
    }
    default:
        break;
    }
}

} // namespace

extern "C" LRESULT CALLBACK MenuProbeHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && lParam) {
        try {
            Watch(*reinterpret_cast<const CWPSTRUCT*>(lParam));
        } catch (...) {
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
