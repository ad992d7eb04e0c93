#include "tray_fixture.h"

#include <shellapi.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <thread>

#include "resource_ids.h"

namespace {

// Generous, for a loaded machine: a program's start under Wine (its first
// window may start the shell too), and a command with its refresh of the
// displays; each wait ends as soon as its condition holds.
constexpr DWORD kProgramStartMs = 30000;
constexpr DWORD kCommandMs = 30000;

} // namespace

void TrayProgram::TearDown()
{
    if (m_pageShown)
        ShowPage(false);
    if (m_tray && m_tray->Wait(0) == STILL_ACTIVE)
        ExitTray();
    m_tray.reset();
    HotKeys::TearDown();
}

HWND TrayProgram::StartTray()
{
    m_tray = std::make_unique<testsupport::Program>(Program("VQXTray.exe"));
    m_window = m_tray->Started() ? m_tray->WaitForWindow(kTrayClass, kProgramStartMs) : nullptr;
    EXPECT_NE(m_window, nullptr) << "the tray program did not come up";
    return m_window;
}

void TrayProgram::PostIconMessage(UINT mouseMessage)
{
    PostMessageA(m_window, kTrayNotify, kTrayIconId, mouseMessage);
}

void TrayProgram::Choose(UINT command)
{
    // Sent from a thread of its own, so that the test knows when the
    // command has run and also goes on while a box of the command waits
    // for the user.
    const HWND window = m_window;
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread([window, command, done] {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(window, WM_COMMAND, command, 0, SMTO_NORMAL, 60000, &ignored);
        *done = true;
    }).detach();
    testsupport::WaitUntil([&] { return *done || CountWindows(m_tray->ProcessId(), "#32770") > 0; }, kCommandMs);
}

DWORD TrayProgram::ExitTray()
{
    Choose(ID_TRAY_EXIT);
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

std::vector<SimJournalEntry> TrayProgram::TrayDisplayChanges() const
{
    std::vector<SimJournalEntry> changes;
    for (const SimJournalEntry& e : Journal()) {
        if (e.processId != m_tray->ProcessId())
            continue;
        const bool changing = e.kind == SIM_JOURNAL_MODE_CHANGE ||
                              (e.kind == SIM_JOURNAL_ESCAPE && e.request[0] >= SIM_FN_ROTATE &&
                               e.request[0] <= SIM_FN_SWITCH);
        if (changing)
            changes.push_back(e);
    }
    return changes;
}

void TrayProgram::ShowPage(bool shown)
{
    if (shown == m_pageShown)
        return;
    Hardware()->SetPageShown(shown ? TRUE : FALSE);
    m_pageShown = shown;
}

std::string TrayProgram::TakeBox()
{
    HWND box = testsupport::WaitForDialog(kTrayBoxCaption, kCommandMs);
    if (!box)
        return std::string();
    EXPECT_EQ(CountWindows(m_tray->ProcessId(), "#32770"), 1);
    const std::string text = testsupport::MessageBoxText(box);
    testsupport::PressButton(box, IDOK);
    testsupport::WaitUntil([&] { return !IsWindow(box); });
    return text;
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
