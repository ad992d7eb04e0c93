#include "message_pump.h"

#include <algorithm>

namespace testsupport {

namespace {

// How long a queue must stay empty for FlushEvents to call it flushed.
constexpr DWORD kQuietMs = 50;
// Longest flush: windows with timers never fall quiet.
constexpr DWORD kLongestFlushMs = 1000;
// How often WaitUntil looks at a condition that no message of this thread
// announces (a window of another process, a shared block).
constexpr DWORD kPollMs = 10;

void DispatchQueued()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Waits up to `ms` for a new message of this thread; true when one came.
bool WaitForMessage(DWORD ms)
{
    return MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT) == WAIT_OBJECT_0;
}

} // namespace

void FlushEvents()
{
    const DWORD start = GetTickCount();
    DispatchQueued();
    while (GetTickCount() - start < kLongestFlushMs && WaitForMessage(kQuietMs))
        DispatchQueued();
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        DispatchQueued();
        if (condition())
            return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        WaitForMessage(std::min(kPollMs, timeoutMs - elapsed));
    }
}

void PumpMessages(DWORD ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        DispatchQueued();
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms)
            return;
        WaitForMessage(ms - elapsed);
    }
}

} // namespace testsupport
