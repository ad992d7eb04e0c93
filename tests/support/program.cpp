#include "test_support.h"

#include <vector>

namespace testsupport {

Program::Program(const std::string& commandLine)
{
    STARTUPINFOA si = { sizeof(si) };
    PROCESS_INFORMATION pi = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        m_process = pi.hProcess;
        m_processId = pi.dwProcessId;
    }
}

Program::~Program()
{
    if (!m_process)
        return;
    if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, 5000);
    }
    CloseHandle(m_process);
}

HWND Program::WaitForWindow(const char* className, DWORD timeoutMs) const
{
    return testsupport::WaitForWindow([&](HWND hwnd) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        return pid == m_processId && (!className || ClassName(hwnd) == className);
    }, timeoutMs);
}

DWORD Program::Wait(DWORD timeoutMs) const
{
    DWORD code = STILL_ACTIVE;
    if (m_process && WaitForSingleObject(m_process, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(m_process, &code);
    return code;
}

} // namespace testsupport
