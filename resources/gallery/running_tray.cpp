#include "running_tray.h"

#include "handles.h"
#include "message_pump.h"
#include "module_files.h"
#include "os_service.h"
#include "resource_ids.h"
#include "screenshot.h"
#include "simulated_adapter_switch.h"
#include "tray_icon.h"
#include "vqxsim.h"
#include "window_driving.h"

#include <cstdio>
#include <string>

namespace gallery {

namespace {

constexpr char kSection[] = "Tray program";
constexpr DWORD kStartTimeoutMs = 15000;
constexpr DWORD kWindowTimeoutMs = 5000;
constexpr DWORD kExitTimeoutMs = 10000;

// VQXTray.exe from the gallery's own folder.  It is ended through its Exit
// command: ending it any other way would leave its hot-key hook behind
// under Wine.
class TrayProgram {
public:
    TrayProgram()
    {
        std::string commandLine = "\"" + ModuleFolder(nullptr) + "VQXTray.exe\"";
        STARTUPINFOA startup = { sizeof(startup) };
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            return;
        CloseHandle(process.hThread);
        m_process.Reset(process.hProcess);
        m_processId = process.dwProcessId;
        testsupport::WaitUntil([this] { return TrayWindow() != nullptr || HasEnded(); }, kStartTimeoutMs);
        m_window = TrayWindow();
    }
    ~TrayProgram()
    {
        if (m_process && !Exit()) {
            std::fprintf(stderr, "gallery: the tray program did not end through its Exit command\n");
            TerminateProcess(m_process, 1);
        }
    }
    TrayProgram(const TrayProgram&) = delete;
    TrayProgram& operator=(const TrayProgram&) = delete;

    // Its hidden window, once it has come up; null when it did not.
    HWND Window() const { return m_window; }
    DWORD ProcessId() const { return m_processId; }

    // The Exit command, as the menu gives it; true when the program ended.
    bool Exit()
    {
        if (m_window)
            PostMessageA(m_window, WM_COMMAND, ID_TRAY_EXIT, 0);
        return testsupport::WaitUntil([this] { return HasEnded(); }, kExitTimeoutMs);
    }

private:
    HWND TrayWindow() const
    {
        HWND window = FindWindowA(kTrayWindowClass, nullptr);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        return owner == m_processId ? window : nullptr;
    }
    bool HasEnded() const { return WaitForSingleObject(m_process, 0) == WAIT_OBJECT_0; }

    CHandle m_process;
    DWORD m_processId = 0;
    HWND m_window = nullptr;
};

// The icon's window in Wine's standalone notification area (the window
// "Wine System Tray" that Wine shows where no taskbar is), or null.
HWND FindIconWindow()
{
    HWND area = FindWindowA(nullptr, "Wine System Tray");
    return area ? FindWindowExA(area, nullptr, "__winex11_tray_icon", nullptr) : nullptr;
}

// The notification area with the icon.
bool PhotographIcon(HWND icon, const std::string& path)
{
    return icon && testsupport::SaveWindowPng(GetParent(icon), path);
}

// Opens the popup as the shell does at a right click on the icon (the
// program opens it where the cursor is), photographs it together with the
// notification area and closes it with Escape.
bool PhotographPopup(const TrayProgram& tray, HWND icon, const std::string& path)
{
    if (!tray.Window() || !icon)
        return false;
    RECT area = {};
    GetWindowRect(GetParent(icon), &area);
    RECT iconRect = {};
    GetWindowRect(icon, &iconRect);
    SetCursorPos((iconRect.left + iconRect.right) / 2, (iconRect.top + iconRect.bottom) / 2);
    PostMessageA(tray.Window(), tray::WM_TRAYNOTIFY, tray::kTrayIconId, WM_RBUTTONUP);
    RECT menus = {};
    const bool shown = testsupport::WaitUntil([&] {
        menus = ShownWindowsRect(tray.ProcessId(), kMenuWindowClass);
        return !IsRectEmpty(&menus);
    }, kWindowTimeoutMs);
    if (!shown)
        return false;
    testsupport::PumpMessages(300);
    // A margin around both, within the screen (the area sits in its corner).
    RECT all = {};
    UnionRect(&all, &area, &menus);
    InflateRect(&all, 4, 4);
    const RECT screen = { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    IntersectRect(&all, &all, &screen);
    const bool saved = testsupport::SaveRectPng(all, path);
    PressKey(VK_ESCAPE);
    testsupport::WaitUntil([&] { return !FindShownWindow(tray.ProcessId(), kMenuWindowClass); }, kWindowTimeoutMs);
    return saved;
}

// The about box, opened by the menu's command and closed with its OK button.
bool PhotographAbout(const TrayProgram& tray, const std::string& path)
{
    if (!tray.Window())
        return false;
    PostMessageA(tray.Window(), WM_COMMAND, ID_TRAY_ABOUT, 0);
    HWND about = nullptr;
    if (!testsupport::WaitUntil([&] { return (about = FindShownWindow(tray.ProcessId(), kDialogWindowClass)) != nullptr; },
                                kWindowTimeoutMs))
        return false;
    testsupport::PumpMessages(300);
    const bool saved = testsupport::SaveWindowPng(about, path);
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    testsupport::WaitUntil([&] { return !IsWindow(about); }, kWindowTimeoutMs);
    return saved;
}

}  // namespace

void CaptureRunningTray(Context& context)
{
    const SimulatedAdapterSwitch simulated;
    if (!simulated.IsOn()) {
        std::fprintf(stderr, "gallery: cannot switch to the simulated adapter; the tray program is not shown\n");
        return;
    }
    const TrayProgram tray;
    HWND icon = nullptr;
    if (tray.Window())
        testsupport::WaitUntil([&] { return (icon = FindIconWindow()) != nullptr; }, kWindowTimeoutMs);
    context.Record(PhotographIcon(icon, context.outputDir + "tray_icon.png"), kSection, "tray_icon.png",
                   "VQXTray.exe running on the simulated adapter: its icon in the notification area");
    context.Record(PhotographPopup(tray, icon, context.outputDir + "tray_popup.png"), kSection, "tray_popup.png",
                   "Its popup, opened by the message the shell sends for a right click on the icon and built from the simulated adapter's state");
    context.Record(PhotographAbout(tray, context.outputDir + "tray_about.png"), kSection, "tray_about.png",
                   "The about box of the running program");
}

}  // namespace gallery
