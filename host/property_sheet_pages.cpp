#include "property_sheet_pages.h"

#include <commctrl.h>

CPropertySheetPages::CPropertySheetPages(size_t limit) : m_limit(limit)
{
    // Room for every page up front: adding never allocates, so the callback
    // that extensions call cannot fail for memory.
    m_pages.reserve(limit);
}

CPropertySheetPages::~CPropertySheetPages()
{
    if (m_handedOver)
        return;
    for (HPROPSHEETPAGE page : m_pages)
        DestroyPropertySheetPage(page);
}

void CPropertySheetPages::DestroyFrom(size_t count)
{
    if (m_handedOver)
        return;
    while (m_pages.size() > count) {
        // Out of the collection first: each handle is destroyed exactly once,
        // even if the page's release callback adds pages again.
        const HPROPSHEETPAGE page = m_pages.back();
        m_pages.pop_back();
        DestroyPropertySheetPage(page);
    }
}

bool CPropertySheetPages::Add(HPROPSHEETPAGE page)
{
    if (!page || m_handedOver || m_pages.size() >= m_limit)
        return false;
    m_pages.push_back(page);
    return true;
}

BOOL CALLBACK CPropertySheetPages::AddPageCallback(HPROPSHEETPAGE page, LPARAM collection)
{
    return reinterpret_cast<CPropertySheetPages*>(collection)->Add(page);
}
