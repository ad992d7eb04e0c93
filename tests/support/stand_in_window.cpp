#include "stand_in_window.h"

namespace testsupport {

HWND StandInWindow::Create(const char* className, const char* title, DWORD exStyle, WNDPROC procedure)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    m_className = className;
    m_window =
        CreateWindowExA(exStyle, className, title, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    return m_window;
}

void StandInWindow::Destroy()
{
    if (m_window)
        DestroyWindow(m_window);
    m_window = nullptr;
    if (!m_className.empty())
        UnregisterClassA(m_className.c_str(), GetModuleHandleA(nullptr));
    m_className.clear();
}

} // namespace testsupport
