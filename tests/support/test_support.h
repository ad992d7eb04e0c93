// Helpers for tests that drive real windows under Wine.
//
//   WindowsVersion   which test prefix the program runs in ("win95" ... "win7")
//   FlushEvents, WaitUntil, PumpMessages   (message_pump.h)
//   ResourceString, FormatResource   texts of the resource library (resource_text.h)
//   TestFolder, SystemFolder, TemporaryFolder   folders and files (folders.h)
//   StandInWindow    a hidden window of another program's class (stand_in_window.h)
//   WaitForWindow    polls the top-level windows until one matches
//   WaitForDialog    the same, for a #32770 dialog or message box by caption
//   WindowText / ItemText / MessageBoxText   read texts
//   PressButton      clicks a dialog button as the user would (BN_CLICKED)
//   Program          starts a program and ends it when the object goes
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "folders.h"
#include "message_pump.h"
#include "resource_text.h"
#include "stand_in_window.h"

namespace testsupport {

// The prefix's name as the test runner sets it; "" when run by hand.
std::string WindowsVersion();

// Polls every top-level window (of every process) until `match` accepts one;
// returns it, or nullptr after `timeoutMs`.  While waiting it keeps pumping
// the caller's messages so windows of the caller's own thread stay alive.
HWND WaitForWindow(const std::function<bool(HWND)>& match, DWORD timeoutMs = 5000);

// A visible dialog or message box (class #32770) with exactly this caption.
HWND WaitForDialog(const std::string& caption, DWORD timeoutMs = 5000);

std::string ClassName(HWND hwnd);
std::string WindowText(HWND hwnd);
std::string ItemText(HWND dialog, int id);
// The text of a message box: its static control 65535.
std::string MessageBoxText(HWND box);

// Clicks button `id` of `dialog`; works across threads and processes.
void PressButton(HWND dialog, int id);

// A program started in the test's prefix; terminated by the destructor if
// it is still running.
class Program {
public:
    explicit Program(const std::string& commandLine);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return m_process != nullptr; }
    DWORD ProcessId() const { return m_processId; }
    // The first top-level window of the program with this class (any class
    // when null), shown or not yet; nullptr after the timeout.
    HWND WaitForWindow(const char* className, DWORD timeoutMs = 10000) const;
    // Waits for the program to end; returns its exit code or STILL_ACTIVE.
    DWORD Wait(DWORD timeoutMs = 10000) const;

private:
    HANDLE m_process = nullptr;
    DWORD m_processId = 0;
};

} // namespace testsupport
