#include "extension_page.h"

#include "resource_ids.h"

CExtensionPage::CExtensionPage(UINT templateId, const std::string& deviceName)
    : CPropertyPage(templateId),
      m_pHardware(ExtensionHardware()),
      m_pHeader(m_pHardware->GetHeader(FALSE)),
      m_pCurrentAdapter(m_pHardware->GetCurrentAdapter()),
      m_pCurrentDisplay(m_pHardware->GetCurrentDisplay()),
      m_deviceName(deviceName)
{
}

bool CExtensionPage::SelectOwnDisplay()
{
    return AfxRunQuietly([this] {
        m_pHardware->SelectDisplayByName(m_deviceName.c_str());
        m_pCurrentAdapter = m_pHardware->GetCurrentAdapter();
        m_pCurrentDisplay = m_pHardware->GetCurrentDisplay();
    });
}

void CExtensionPage::SetShown(bool shown)
{
    if (shown == m_shown)
        return;
    m_shown = shown;
    // Counted by the service library per process, so that two sheets, or a
    // sheet whose process died, still give the right answer.
    AfxRunQuietly([this, shown] { m_pHardware->SetPageShown(shown ? TRUE : FALSE); });
}

BOOL CExtensionPage::OnInitDialog()
{
    SelectOwnDisplay();
    const BOOL result = CPropertyPage::OnInitDialog();
    SetShown(true);
    return result;
}

BOOL CExtensionPage::OnSetActive()
{
    SelectOwnDisplay();
    SetShown(true);
    return CPropertyPage::OnSetActive();
}

BOOL CExtensionPage::OnKillActive()
{
    SetShown(false);
    return CPropertyPage::OnKillActive();
}

void CExtensionPage::OnDestroy()
{
    CPropertyPage::OnDestroy();
    SetShown(false);
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
    // Counted out only after the page is gone: with the count at 0 the
    // library may be unloaded.
    const bool counted = m_counted;
    delete this;
    if (counted)
        UnlockModule();
}

bool CExtensionPage::AddToSheet(UINT titleId, LPFNADDPROPSHEETPAGE addPage, LPARAM lParam)
{
    m_title = AfxLoadString(titleId);
    PROPSHEETPAGEA page = m_psp;
    page.dwFlags |= PSP_USEICONID | PSP_USETITLE | PSP_USEREFPARENT;
    page.hInstance = TheExtensionApp().ResourceLibrary();
    page.pszIcon = MAKEINTRESOURCEA(IDI_TRAY);
    page.pszTitle = m_title.c_str();
    page.pcRefParent = ModuleReferenceParent();
    HPROPSHEETPAGE handle = CreatePropertySheetPageA(&page);
    if (!handle) {
        delete this;
        return false;
    }
    if (addPage(handle, lParam))
        return true;
    DestroyPropertySheetPage(handle);  // releases the page, which deletes it
    return false;
}
