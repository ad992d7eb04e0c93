#include "client_resources.h"

#include "framework.h"
#include "hardware.h"
#include "service_ids.h"

void FreeResourceLibrary(HMODULE& library)
{
    if (!library)
        return;
    AfxSetResourceHandle(AfxGetInstanceHandle());
    FreeLibrary(library);
    library = nullptr;
}

void ReturnHardwareService(CHardware*& hardware)
{
    if (!hardware)
        return;
    ReleaseServerInterface(kServiceHardware, hardware);
    hardware = nullptr;
}
