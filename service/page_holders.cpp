#include "page_holders.h"

#include <string>

#include "hardware.h"
#include "process_liveness.h"

namespace {

// More processes than ever show Display Properties at once; a process that
// finds no free slot still raises `pagesOpen`, it is just not counted.
constexpr int kSlots = 32;
// A count beyond this is not one the system wrote.
constexpr LONG kMostPagesPerProcess = 0x10000;

std::string BlockName()
{
    return std::string(kSharedBlockName) + "-PageHolders";
}

} // namespace

struct CPageHolders::Slot {
    DWORD processId;  // 0: free
    LONG count;       // pages the process shows
};

struct CPageHolders::TableData {
    Slot slots[kSlots];
};

CPageHolders::CPageHolders() : m_block(BlockName().c_str(), sizeof(TableData))
{
}

CPageHolders::TableData* CPageHolders::Table() const
{
    return static_cast<TableData*>(m_block.Data());
}

CPageHolders::Slot* CPageHolders::Find(DWORD processId)
{
    for (Slot& slot : Table()->slots)
        if (slot.processId == processId)
            return &slot;
    return nullptr;
}

void CPageHolders::Change(bool shown)
{
    if (!Available())
        return;
    const DWORD self = GetCurrentProcessId();
    Slot* slot = Find(self);
    if (!shown) {
        if (slot && --slot->count <= 0)
            *slot = Slot{};
        return;
    }
    if (slot) {
        if (slot->count < 0 || slot->count >= kMostPagesPerProcess)
            slot->count = 0;
        ++slot->count;
        return;
    }
    // A free slot, or one whose holder has ended.
    AnyLiveHolder();
    if ((slot = Find(0)) != nullptr)
        *slot = Slot{ self, 1 };
}

bool CPageHolders::AnyLiveHolder()
{
    if (!Available())
        return false;
    bool live = false;
    for (Slot& slot : Table()->slots) {
        if (slot.processId == 0)
            continue;
        if (slot.count <= 0 || slot.count > kMostPagesPerProcess || !IsProcessAlive(slot.processId))
            slot = Slot{};
        else
            live = true;
    }
    return live;
}
