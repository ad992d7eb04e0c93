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
