// CPropertyPage: a page of a property sheet, bound to a C++ object.
//
// The constructor prepares the page description m_psp (template from the
// module's resource handle, this layer's dialog procedure and page callback,
// the object in lParam) so that a caller can adjust it (flags, icon, title,
// reference parent) before the page is created with
// CreatePropertySheetPageA or added to a CPropertySheet.
//
// Notifications from the sheet become one overridable operation each; the
// answer goes back to the sheet through DWLP_MSGRESULT:
//   PSN_SETACTIVE    OnSetActive()   -> TRUE accept the activation
//   PSN_KILLACTIVE   OnKillActive()  -> TRUE let the page be left
//   PSN_APPLY        OnApply()       -> TRUE the changes are valid and applied
//   PSN_RESET        OnReset()       (Cancel)
//   PSN_QUERYCANCEL  OnQueryCancel() -> TRUE let the sheet close
// Notifications that come neither from the page's sheet nor from the page
// itself go to OnNotify as usual.
//
// Page callback: PSPCB_CREATE and PSPCB_RELEASE reach OnPageCreate and
// OnPageRelease; the object's owner decides how long the object lives.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include "dialog.h"

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId, UINT captionId = 0);

    PROPSHEETPAGEA m_psp;

    // Enables (TRUE) or disables the sheet's Apply button for this page.
    void SetModified(BOOL changed = TRUE);

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel();

    static INT_PTR CALLBACK PageDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static UINT CALLBACK PageCallback(HWND hwnd, UINT message, PROPSHEETPAGEA* page);

protected:
    // Pages do not end a dialog: OK and Cancel belong to the sheet.
    void OnOK() override;
    void OnCancel() override;

    virtual BOOL OnPageCreate();
    virtual void OnPageRelease();

    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool m_firstSetActive = true;
    std::string m_caption;
};
