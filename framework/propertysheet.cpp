#include "propertysheet.h"

#include "text.h"
#include "winapp.h"

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage)
    : m_caption(AfxLoadString(captionId)), m_pParentWnd(parent), m_startPage(selectPage)
{
}

CPropertySheet::CPropertySheet(const char* caption, CWnd* parent, UINT selectPage)
    : m_caption(caption ? caption : ""), m_pParentWnd(parent), m_startPage(selectPage)
{
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    m_pages.push_back(page);
}

INT_PTR CPropertySheet::DoModal()
{
    std::vector<PROPSHEETPAGEA> pages;
    for (CPropertyPage* page : m_pages)
        pages.push_back(page->m_psp);
    if (pages.empty())
        return -1;

    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.hwndParent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    header.hInstance = AfxGetResourceHandle();
    header.pszCaption = m_caption.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.nStartPage = m_startPage < pages.size() ? m_startPage : 0;
    header.ppsp = pages.data();
    return PropertySheetA(&header);
}
