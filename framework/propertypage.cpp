#include "propertypage.h"

#include "text.h"
#include "winapp.h"

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId)
    : CDialog(templateId)
{
    m_psp = {};
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_USECALLBACK;
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.pszTemplate = MAKEINTRESOURCEA(templateId);
    m_psp.pfnDlgProc = &CPropertyPage::PageDialogProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    m_psp.pfnCallback = &CPropertyPage::PageCallback;
    if (captionId) {
        m_caption = AfxLoadString(captionId);
        m_psp.pszTitle = m_caption.c_str();
        m_psp.dwFlags |= PSP_USETITLE;
    }
}

void CPropertyPage::SetModified(BOOL changed)
{
    if (changed && m_fillingControls)
        return;
    ::SendMessageA(GetParent(), changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

BOOL CPropertyPage::UpdateData(BOOL saveAndValidate)
{
    if (saveAndValidate)
        return CDialog::UpdateData(TRUE);
    const CFillingControls filling(*this);
    return CDialog::UpdateData(FALSE);
}

BOOL CPropertyPage::OnSetActive()
{
    // The first activation follows OnInitDialog, which filled the controls.
    if (m_firstSetActive)
        m_firstSetActive = false;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

void CPropertyPage::OnOK()
{
}

void CPropertyPage::OnCancel()
{
}

void CPropertyPage::OnPageAddRef()
{
}

BOOL CPropertyPage::OnPageCreate()
{
    return TRUE;
}

void CPropertyPage::OnPageRelease()
{
}

bool CPropertyPage::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_INITDIALOG) {
        // A derived OnInitDialog fills controls beyond UpdateData too.
        const CFillingControls filling(*this);
        return CDialog::OnWndMsg(message, wParam, lParam, result);
    }
    if (message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == GetParent() || header->hwndFrom == m_hWnd) {
            switch (header->code) {
            case PSN_SETACTIVE:
                result = OnSetActive() ? 0 : -1;
                return true;
            case PSN_KILLACTIVE:
                result = OnKillActive() ? FALSE : TRUE;
                return true;
            case PSN_APPLY:
                result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
                return true;
            case PSN_RESET:
                OnReset();
                result = 0;
                return true;
            case PSN_QUERYCANCEL:
                result = OnQueryCancel() ? FALSE : TRUE;
                return true;
            }
        }
    }
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}

INT_PTR CALLBACK CPropertyPage::PageDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        // The sheet passes its own copy of the page description.
        const PROPSHEETPAGEA* page = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
        reinterpret_cast<CPropertyPage*>(page->lParam)->Bind(hwnd);
    }
    return CDialog::DialogProc(hwnd, message, wParam, message == WM_INITDIALOG ? 0 : lParam);
}

UINT CALLBACK CPropertyPage::PageCallback(HWND, UINT message, PROPSHEETPAGEA* description)
{
    CPropertyPage* page = reinterpret_cast<CPropertyPage*>(description->lParam);
    const MSG msg = { nullptr, message, 0, 0, 0, {} };
    switch (message) {
    case PSPCB_ADDREF:
        AfxCallGuarded(msg, 0, [page] { page->OnPageAddRef(); return 0; });
        break;
    case PSPCB_CREATE:
        return AfxCallGuarded(msg, UINT(FALSE), [page] { return UINT(page->OnPageCreate()); });
    case PSPCB_RELEASE:
        AfxCallGuarded(msg, 0, [page] { page->OnPageRelease(); return 0; });
        break;
    }
    return 0;
}
