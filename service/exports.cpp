// The library's two exports: service objects by id.
#include "service_ids.h"

#include "dual_app.h"
#include "dual_monitor.h"
#include "dual_view.h"
#include "hardware.h"
#include "hotkey_service.h"
#include "os_service.h"
#include "rotation.h"
#include "service_app.h"
#include "service_registry.h"

namespace {

bool IsServiceId(UINT id)
{
    return id <= kServiceDualMonitor && id != kServiceNone;
}

} // namespace

CObject* GetServerInterface(UINT id)
{
    // Without its own resource library the library serves nothing: its
    // clients find out from the null and say why they cannot start.
    if (!ServicesOffered())
        return nullptr;
    switch (id) {
    case kServiceOS:
        return COSService::Acquire();
    case kServiceHardware:
        return CHardware::Acquire();
    // feature services
    case kServiceDualApp:
        return CDualApp::Acquire();
    case kServiceDualView:
        return CDualView::Acquire();
    case kServiceRotation:
        return CRotation::Acquire();
    case kServiceHotkey:
        return CHotkey::Acquire();
    case kServiceDualMonitor:
        return CDualMonitor::Acquire();
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
