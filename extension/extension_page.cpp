#include "extension_page.h"

#include "resource_ids.h"

CExtensionPage::CExtensionPage(UINT templateId)
    : CPropertyPage(templateId),
      m_pHardware(ExtensionHardware()),
      m_pHeader(m_pHardware->GetHeader(FALSE)),
      m_pCurrentAdapter(m_pHardware->GetCurrentAdapter()),
      m_pCurrentDisplay(m_pHardware->GetCurrentDisplay())
{
}

void CExtensionPage::SetPagesOpen(int open)
{
    if (m_pHeader)
        m_pHeader->pagesOpen = open;
}

BOOL CExtensionPage::OnInitDialog()
{
    const BOOL result = CPropertyPage::OnInitDialog();
    SetPagesOpen(1);
    return result;
}

BOOL CExtensionPage::OnSetActive()
{
    SetPagesOpen(1);
    return CPropertyPage::OnSetActive();
}

BOOL CExtensionPage::OnKillActive()
{
    SetPagesOpen(0);
    return CPropertyPage::OnKillActive();
}

void CExtensionPage::OnDestroy()
{
    CPropertyPage::OnDestroy();
    SetPagesOpen(0);
}

// Wine ignores the reference parent of a page, so the page counts itself
// among the library's live objects from its handle's creation to its
// release: the library then stays loaded while any sheet holds the page.
void CExtensionPage::OnPageAddRef()
{
    CPropertyPage::OnPageAddRef();
    if (!m_counted) {
        m_counted = true;
        LockModule();
    }
}

void CExtensionPage::OnPageRelease()
{
    CPropertyPage::OnPageRelease();
    TheExtensionApp().ForgetPage(this);
    if (m_counted)
        UnlockModule();
    delete this;
}

bool CExtensionPage::AddToSheet(UINT titleId, LPFNADDPROPSHEETPAGE addPage, LPARAM lParam)
{
    m_title = AfxLoadString(titleId);
    PROPSHEETPAGEA page = m_psp;
    page.dwFlags |= PSP_USEICONID | PSP_USETITLE | PSP_USEREFPARENT;
    page.hInstance = TheExtensionApp().m_hResourceLib;
    page.pszIcon = MAKEINTRESOURCEA(IDI_TRAY);
    page.pszTitle = m_title.c_str();
    page.pcRefParent = ModuleReferenceParent();
    HPROPSHEETPAGE handle = CreatePropertySheetPageA(&page);
    if (!handle) {
        TheExtensionApp().ForgetPage(this);
        delete this;
        return false;
    }
    if (addPage(handle, lParam))
        return true;
    DestroyPropertySheetPage(handle);  // releases the page, which deletes it
    return false;
}
