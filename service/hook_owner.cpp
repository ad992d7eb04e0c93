#include "hook_owner.h"

#include <string>

#include "hardware.h"
#include "process_liveness.h"

struct CHookOwner::Data {
    DWORD processId;  // the installer; 0: none recorded
    int32_t hook;     // its handle as the header holds it
};

namespace {

std::string BlockName()
{
    return std::string(kSharedBlockName) + "-HookOwner";
}

} // namespace

CHookOwner::CHookOwner() : m_block(BlockName().c_str(), sizeof(Data))
{
}

CHookOwner::Data* CHookOwner::Record() const
{
    return static_cast<Data*>(m_block.Data());
}

bool CHookOwner::IsRecorded(int32_t hook) const
{
    return Record() && hook != 0 && Record()->processId != 0 && Record()->hook == hook;
}

bool CHookOwner::IsOwnedByLiveProcess(int32_t hook) const
{
    return IsRecorded(hook) && IsProcessAlive(Record()->processId);
}

int32_t CHookOwner::Hook() const
{
    return Record() && Record()->processId != 0 ? Record()->hook : 0;
}

void CHookOwner::Set(int32_t hook)
{
    if (Record())
        *Record() = Data{ GetCurrentProcessId(), hook };
}

void CHookOwner::Clear()
{
    if (Record())
        *Record() = Data{};
}
