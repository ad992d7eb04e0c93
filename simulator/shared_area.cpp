#include "shared_area.h"

#include "handles.h"  // the framework's owning wrappers
#include "switch.h"

#include <mutex>

namespace vqxsim {
namespace {

#define VQXSIM_TEXT(x) #x
#define VQXSIM_VERSION_TEXT(x) VQXSIM_TEXT(x)
const char kMappingName[] = "VQXSIM-State-v" VQXSIM_VERSION_TEXT(SIM_STATE_VERSION) "-5D0B7E2A";
const char kMutexName[] = "VQXSIM-State-v" VQXSIM_VERSION_TEXT(SIM_STATE_VERSION) "-5D0B7E2A-Mutex";

// This process's handles on the area; they live until the DLL unloads.
struct Attachment {
    CHandle mutex;
    CHandle mapping;
    CMappedView view;
    bool created = false;
};

Attachment& TheAttachment()
{
    static Attachment attachment;
    return attachment;
}

void Attach(Attachment& a)
{
    a.mutex.Reset(CreateMutexA(nullptr, FALSE, kMutexName));
    if (!a.mutex)
        return;
    // Creation and first filling happen under the mutex, so a second
    // process never sees a half-filled area.
    WaitForSingleObject(a.mutex.Get(), INFINITE);
    a.mapping.Reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                       sizeof(SharedArea), kMappingName));
    a.created = a.mapping && GetLastError() != ERROR_ALREADY_EXISTS;
    if (a.mapping)
        a.view.Reset(MapViewOfFile(a.mapping.Get(), FILE_MAP_WRITE, 0, 0, sizeof(SharedArea)));
    if (a.view.Get() && a.created) {
        auto* area = static_cast<SharedArea*>(a.view.Get());
        ZeroMemory(area, sizeof(SharedArea));
        StateFromSwitch(area->state);
        area->journal.nextSequence = 1;
    }
    ReleaseMutex(a.mutex.Get());
}

} // namespace

SharedLock::SharedLock()
{
    static std::once_flag once;
    Attachment& a = TheAttachment();
    std::call_once(once, [&a] { Attach(a); });
    if (!a.view.Get())
        return;
    m_mutex = a.mutex.Get();
    // An owner that died mid-update leaves the mutex abandoned; the area is
    // still usable, so WAIT_ABANDONED counts as obtained.
    WaitForSingleObject(m_mutex, INFINITE);
    m_area = static_cast<SharedArea*>(a.view.Get());
}

SharedLock::~SharedLock()
{
    if (m_mutex)
        ReleaseMutex(m_mutex);
}

} // namespace vqxsim
