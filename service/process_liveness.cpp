#include "process_liveness.h"

#include "framework.h"

bool IsProcessAlive(DWORD processId)
{
    if (processId == GetCurrentProcessId())
        return true;
    if (processId == 0)
        return false;
    SetLastError(ERROR_SUCCESS);
    const CHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    return WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}
