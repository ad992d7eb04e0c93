// CHardware: the header's `pagesOpen`, kept true exactly while some live
// process shows a page of the Display Properties extension.
#include "hardware.h"

void CHardware::RecountPagesOpen()
{
    // Without the holders' table the flag is what the last writer made it.
    if (m_pageHolders.Available())
        GetHeader(TRUE)->pagesOpen = m_pageHolders.AnyLiveHolder() ? 1 : 0;
}

void CHardware::SetPageShown(BOOL shown)
{
    HardwareHeader* header = GetHeader(TRUE);
    CSharedLock lock(m_block);
    if (!m_pageHolders.Available()) {
        header->pagesOpen = shown ? 1 : 0;
        return;
    }
    m_pageHolders.Change(shown != FALSE);
    RecountPagesOpen();
}

BOOL CHardware::ReleaseAbandonedPages()
{
    HardwareHeader* header = GetHeader(TRUE);
    CSharedLock lock(m_block);
    const int32_t before = header->pagesOpen;
    RecountPagesOpen();
    return header->pagesOpen != before;
}
