// A hidden top-level window of another program's class, made by the test
// so that the code under test finds "that program" running (and, with a
// window procedure of the test's, so that the test sees what reaches it).
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

class StandInWindow {
public:
    StandInWindow() = default;
    ~StandInWindow() { Destroy(); }
    StandInWindow(const StandInWindow&) = delete;
    StandInWindow& operator=(const StandInWindow&) = delete;

    // Registers `className` with `procedure` in this program and makes a
    // hidden WS_POPUP window of it; the window, null when none was made.
    HWND Create(const char* className, const char* title, DWORD exStyle, WNDPROC procedure = DefWindowProcA);
    // Destroys the window and unregisters its class.
    void Destroy();

    HWND Handle() const { return m_window; }

private:
    std::string m_className;
    HWND m_window = nullptr;
};

} // namespace testsupport
