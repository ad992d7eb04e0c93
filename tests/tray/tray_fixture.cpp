#include "tray_fixture.h"

#include <shellapi.h>

#include <cstring>

void TrayProgram::TearDown()
{
    if (m_tray && m_tray->Wait(0) == STILL_ACTIVE)
        ExitTray();
    m_tray.reset();
    HotKeys::TearDown();
}

HWND TrayProgram::StartTray()
{
    m_tray = std::make_unique<testsupport::Program>(Program("VQXTray.exe"));
    m_window = m_tray->Started() ? m_tray->WaitForWindow(kTrayClass) : nullptr;
    EXPECT_NE(m_window, nullptr) << "the tray program did not come up";
    return m_window;
}

void TrayProgram::PostIconMessage(UINT mouseMessage)
{
    PostMessageA(m_window, kTrayNotify, kTrayIconId, mouseMessage);
}

namespace {

void CALLBACK CommandDone(HWND, UINT, ULONG_PTR done, LRESULT)
{
    *reinterpret_cast<bool*>(done) = true;
}

} // namespace

void TrayProgram::Choose(UINT command)
{
    // Sent rather than posted so that the test knows when it has run; a
    // command that shows a box runs on behind it.
    bool done = false;
    ASSERT_TRUE(SendMessageCallbackA(m_window, WM_COMMAND, command, 0, CommandDone, reinterpret_cast<ULONG_PTR>(&done)));
    testsupport::WaitUntil([&] { return done || CountWindows(m_tray->ProcessId(), "#32770") > 0; }, 10000);
}

DWORD TrayProgram::ExitTray()
{
    Choose(40004);
    return m_tray->Wait(10000);
}

std::vector<SimJournalEntry> TrayProgram::TrayEscapes(DWORD function) const
{
    std::vector<SimJournalEntry> tray;
    for (const SimJournalEntry& e : Escapes(function))
        if (e.processId == m_tray->ProcessId())
            tray.push_back(e);
    return tray;
}

bool IsIconShown(HWND window)
{
    NOTIFYICONDATAA data = {};
    data.cbSize = 488;
    data.hWnd = window;
    data.uID = kTrayIconId;
    data.uFlags = NIF_TIP;
    std::strcpy(data.szTip, "VQX Control Panel");
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

namespace {

struct WindowCount {
    DWORD processId;
    const char* className;
    int count;
};

BOOL CALLBACK CountOne(HWND hwnd, LPARAM lParam)
{
    auto& c = *reinterpret_cast<WindowCount*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == c.processId && testsupport::ClassName(hwnd) == c.className)
        ++c.count;
    return TRUE;
}

} // namespace

int CountWindows(DWORD processId, const char* className)
{
    WindowCount c = { processId, className, 0 };
    EnumWindows(CountOne, reinterpret_cast<LPARAM>(&c));
    return c.count;
}
