// Loads the service library beside it (by linking it) and asks for three of
// its services: the exit code is how many it got, 100 when one of them
// threw.  Run from a folder of its own, with or without a resource library
// there.
//   robustness_version_probe.exe
#include <windows.h>

#include "framework.h"
#include "service_ids.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int served = 0;
    try {
        for (UINT id : { kServiceOS, kServiceHardware, kServiceHotkey }) {
            if (CObject* service = GetServerInterface(id)) {
                ++served;
                ReleaseServerInterface(id, service);
            }
        }
    } catch (CException* e) {
        e->Delete();
        return 100;
    }
    return served;
}
