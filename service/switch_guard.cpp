#include "switch_guard.h"

#include <cstring>

#include "hardware.h"
#include "shared_records.h"

namespace {

const char kGuardMutexName[] = "6B1E2D94-7A0C-4F3B-9D56-2E8C4A71B0F5-PendingSwitch-Owner";
const char kGuardBlockName[] = "6B1E2D94-7A0C-4F3B-9D56-2E8C4A71B0F5-PendingSwitch";

} // namespace

struct CSwitchGuard::Record {
    DWORD processId;  // the process showing the dialog; 0: none
    char deviceName[sizeof(DisplayRecord::deviceName)];
    DWORD previousMask;
    DWORD kept;       // non-zero: the user kept the switch
};

// A new block is zeroed by the system: no switch pending.
CSwitchGuard::CSwitchGuard()
    : m_owner(CreateMutexA(nullptr, FALSE, kGuardMutexName)), m_block(kGuardBlockName, sizeof(Record))
{
}

// Without its mutex the record guards nothing.
CSwitchGuard::Record* CSwitchGuard::Data() const
{
    return m_owner ? static_cast<Record*>(m_block.Data()) : nullptr;
}

// While another process's dialog is pending, the mutex is not to be had
// and this one goes unguarded; an owner that ended without releasing it
// counts as gone.
CSwitchGuard::CPending::CPending(CSwitchGuard& guard, const std::string& deviceName, UINT previousMask)
    : m_guard(guard), m_owned(guard.m_owner, 0), m_recorded(m_owned.Held() && guard.Data())
{
    if (!m_recorded)
        return;
    Record& record = *m_guard.Data();
    lstrcpynA(record.deviceName, deviceName.c_str(), sizeof(record.deviceName));
    record.previousMask = previousMask & 0xFF;
    record.kept = 0;
    record.processId = GetCurrentProcessId();
}

void CSwitchGuard::CPending::Keep()
{
    if (m_recorded)
        m_guard.Data()->kept = 1;
}

CSwitchGuard::CPending::~CPending()
{
    if (m_recorded)
        m_guard.Data()->processId = 0;
}

bool CSwitchGuard::TakeAbandoned(std::string& deviceName, UINT& previousMask, bool& undo)
{
    if (!Data())
        return false;
    const CMutexLock owned(m_owner, 0);
    if (!owned.Held())
        return false;
    // Owned now: a dialog of this very thread (the mutex is re-entrant) is
    // still shown, any other recorded one has lost its thread.
    Record& record = *Data();
    if (record.processId == 0 || record.processId == GetCurrentProcessId())
        return false;
    deviceName.assign(record.deviceName, strnlen(record.deviceName, sizeof(record.deviceName)));
    previousMask = record.previousMask & 0xFF;
    undo = record.kept == 0;
    record.processId = 0;
    return true;
}
