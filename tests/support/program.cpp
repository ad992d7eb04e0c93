#include "test_support.h"

#include <cstdio>
#include <vector>

namespace testsupport {

namespace {

constexpr int kStartAttempts = 3;
constexpr DWORD kStartRetryMs = 200;

} // namespace

Program::Program(const std::string& commandLine)
{
    STARTUPINFOA si = { sizeof(si) };
    PROCESS_INFORMATION pi = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    // A loaded Wine has been seen to refuse a start once and not again; a
    // refused start is tried again and each refusal is logged with its
    // error, so a start that never comes shows why.
    for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
        if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            CloseHandle(pi.hThread);
            m_process = pi.hProcess;
            m_processId = pi.dwProcessId;
            return;
        }
        std::fprintf(stderr, "starting %s failed (error %lu)\n", commandLine.c_str(), GetLastError());
        Sleep(kStartRetryMs);
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
