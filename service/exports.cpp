// The library's two exports: service objects by id.
#include "service_ids.h"

#include "hardware.h"
#include "os_service.h"
#include "service_registry.h"

namespace {

bool IsServiceId(UINT id)
{
    return id <= kServiceDualMonitor && id != kServiceNone;
}

} // namespace

CObject* GetServerInterface(UINT id)
{
    switch (id) {
    case kServiceOS:
        return COSService::Acquire();
    case kServiceHardware:
        return CHardware::Acquire();
    // feature services
    default:
        return nullptr;
    }
}

int ReleaseServerInterface(UINT id, CObject* object)
{
    if (!IsServiceId(id))
        return 0;
    return CServiceRegistry::Instance().Release(object) ? 1 : 0;
}
