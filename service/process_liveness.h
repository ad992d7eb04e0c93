// Whether a process recorded by its id in one of the session's side blocks
// is still running.
#pragma once

#include <windows.h>

// TRUE for this process; for another, TRUE while it runs.  A process that
// may not be opened (another user's) counts as running: only a process the
// system no longer knows counts as ended.
bool IsProcessAlive(DWORD processId);
