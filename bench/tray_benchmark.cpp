// How fast the tray program comes up and opens its menu, under Wine on the
// simulated adapter (tools/bench.sh runs it pinned to one CPU):
//   - start-up: from CreateProcess to the program's window, and to its icon
//     being in the notification area; beside it the same for a program that
//     only makes a window (Wine's own cost of starting a program);
//   - popup: from the icon's right-click notification to the menu being on
//     the screen.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "module_files.h"
#include "vqxsim.h"

using bench::Median;
using bench::Milliseconds;
using bench::Now;

namespace {

const int kStarts = 10;
const int kPopups = 40;

struct Started {
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;
};

DWORD ProcessOf(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

Started Start(const char* program, const char* windowClass, double& toWindow)
{
    Started s;
    std::string command = "\"" + ModuleFolder(nullptr) + program + "\"";
    STARTUPINFOA startup = { sizeof(startup) };
    const LARGE_INTEGER start = Now();
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &s.process))
        return s;
    CloseHandle(s.process.hThread);
    while (!s.window && Milliseconds(start) < 20000) {
        HWND w = FindWindowA(windowClass, nullptr);
        if (w && ProcessOf(w) == s.process.dwProcessId)
            s.window = w;
        else
            Sleep(0);
    }
    toWindow = Milliseconds(start);
    return s;
}

bool IconShown(HWND window)
{
    NOTIFYICONDATAA data = {};
    data.cbSize = 488;
    data.hWnd = window;
    data.uID = 1000;
    data.uFlags = NIF_TIP;
    std::strcpy(data.szTip, "VQX Control Panel");
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

void End(Started& s, UINT exitCommand)
{
    if (exitCommand)
        PostMessageA(s.window, WM_COMMAND, exitCommand, 0);
    else
        PostMessageA(s.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(s.process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(s.process.hProcess, 1);
    CloseHandle(s.process.hProcess);
}

struct MenuSearch {
    DWORD processId;
    HWND menu;
};

BOOL CALLBACK FindShownMenu(HWND window, LPARAM lParam)
{
    auto& search = *reinterpret_cast<MenuSearch*>(lParam);
    char name[16] = "";
    GetClassNameA(window, name, sizeof(name));
    if (std::strcmp(name, "#32768") == 0 && IsWindowVisible(window) && ProcessOf(window) == search.processId) {
        search.menu = window;
        return FALSE;
    }
    return TRUE;
}

HWND ShownMenu(DWORD processId)
{
    MenuSearch search = { processId, nullptr };
    EnumWindows(FindShownMenu, reinterpret_cast<LPARAM>(&search));
    return search.menu;
}

} // namespace

int main()
{
    const bool installed = SimInstallSwitch(SIM_DLL_NAME, nullptr) != FALSE;
    SimReset();  // also keeps the simulated state alive between the runs

    std::vector<double> plainWindow, trayWindow, trayIcon, popup;
    for (int i = 0; i < kStarts; ++i) {
        double toWindow = 0;
        Started plain = Start("vqx_plain_window.exe", "VQXPlainWindow", toWindow);
        plainWindow.push_back(toWindow);
        End(plain, 0);

        const LARGE_INTEGER start = Now();
        Started tray = Start("VQXTray.exe", "VQXTray", toWindow);
        trayWindow.push_back(toWindow);
        while (!IconShown(tray.window) && Milliseconds(start) < 20000)
            Sleep(0);
        trayIcon.push_back(Milliseconds(start));

        if (i == kStarts - 1) {
            for (int j = 0; j < kPopups; ++j) {
                const LARGE_INTEGER click = Now();
                PostMessageA(tray.window, WM_USER + 1, 1000, WM_RBUTTONUP);
                HWND menu = nullptr;
                while (!(menu = ShownMenu(tray.process.dwProcessId)) && Milliseconds(click) < 5000)
                    Sleep(0);
                popup.push_back(Milliseconds(click));
                PostMessageA(tray.window, WM_CANCELMODE, 0, 0);
                while (ShownMenu(tray.process.dwProcessId) && Milliseconds(click) < 10000)
                    Sleep(1);
            }
        }
        End(tray, 40004);
    }
    if (installed)
        SimRemoveSwitch();

    std::printf("median of %d starts and %d popups, milliseconds\n", kStarts, kPopups);
    std::printf("| | to the window | to the icon |\n|---|---|---|\n");
    std::printf("| a program that only makes a window | %.0f | |\n", Median(plainWindow));
    std::printf("| VQXTray.exe | %.0f | %.0f |\n", Median(trayWindow), Median(trayIcon));
    std::printf("\n| right-click notification to the menu on the screen | %.1f |\n", Median(popup));
    return 0;
}
