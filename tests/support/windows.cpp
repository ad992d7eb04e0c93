#include "test_support.h"

#include <cstdlib>
#include <vector>

namespace testsupport {

std::string WindowsVersion()
{
    const char* name = std::getenv("VQX_TEST_WINDOWS");
    return name ? name : "";
}

static BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    return TRUE;
}

HWND WaitForWindow(const std::function<bool(HWND)>& match, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] {
        std::vector<HWND> windows;
        EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
        for (HWND hwnd : windows) {
            if (match(hwnd)) {
                found = hwnd;
                return true;
            }
        }
        return false;
    }, timeoutMs);
    return found;
}

HWND WaitForDialog(const std::string& caption, DWORD timeoutMs)
{
    return WaitForWindow([&](HWND hwnd) {
        return IsWindowVisible(hwnd) && ClassName(hwnd) == "#32770" && WindowText(hwnd) == caption;
    }, timeoutMs);
}

std::string ClassName(HWND hwnd)
{
    char name[256] = "";
    GetClassNameA(hwnd, name, sizeof(name));
    return name;
}

std::string WindowText(HWND hwnd)
{
    // WM_GETTEXT rather than GetWindowText: it also reads windows of other
    // processes' controls.
    const LRESULT length = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(strlen(text.c_str()));
    return text;
}

std::string ItemText(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    return item ? WindowText(item) : std::string();
}

std::string MessageBoxText(HWND box)
{
    return ItemText(box, 0xFFFF);
}

void PressButton(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

} // namespace testsupport
