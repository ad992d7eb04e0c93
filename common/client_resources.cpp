#include "client_resources.h"

#include "framework.h"

void FreeResourceLibrary(CModule& library)
{
    if (!library)
        return;
    AfxSetResourceHandle(AfxGetInstanceHandle());
    library.Reset();
}
