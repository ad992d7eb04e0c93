// Message pumping for code that waits on windows of its own thread or of
// other processes, in the manner of Wine's tests:
//
//   FlushEvents    dispatches until the thread's queue stays empty
//   WaitUntil      pumps until a condition holds or a timeout passes
//   PumpMessages   pumps for a given time (for the screen, not as evidence)
//
// None of them sleeps blindly: they wait on the queue with
// MsgWaitForMultipleObjects, so a message is handled as soon as it arrives.
#pragma once

#include <windows.h>

#include <functional>

namespace testsupport {

// Dispatches this thread's messages until none has arrived for a short
// moment (or a second has passed, for windows that keep posting): what the
// last calls queued (repaints, posted commands, timers due) is handled.
void FlushEvents();

// Pumps this thread's messages until `condition` is true; returns whether it
// became true within `timeoutMs`.  The condition is checked after every
// batch of messages and, since it may depend on other processes, at least
// every few milliseconds.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// Pumps this thread's messages for `ms` milliseconds.  For letting Wine
// bring what windows painted to the screen; never the evidence that
// something did not happen.
void PumpMessages(DWORD ms);

} // namespace testsupport
