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
// Filling the controls is not an edit: while the page fills its own controls
// (the whole of OnInitDialog, every UpdateData(FALSE), and any scope holding a
// CFillingControls) SetModified(TRUE) is ignored, so the notifications the
// controls send meanwhile (EN_CHANGE during SetWindowText, ...) do not enable
// Apply.
//
// Page callback: PSPCB_ADDREF (when a page handle is made from the
// description; Wine sends it only when dwSize exceeds PROPSHEETPAGE_V1_SIZE,
// as m_psp's does), PSPCB_CREATE and PSPCB_RELEASE reach OnPageAddRef,
// OnPageCreate and OnPageRelease; the object's owner decides how long the
// object lives, and may tie it to the page handle through these hooks.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include "dialog.h"
#include "scoped_value.h"

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId, UINT captionId = 0);

    PROPSHEETPAGEA m_psp;

    // Enables (TRUE) or disables the sheet's Apply button for this page;
    // TRUE is ignored while the page fills its controls.
    void SetModified(BOOL changed = TRUE);

    // UpdateData(FALSE) fills the controls as a CFillingControls scope.
    BOOL UpdateData(BOOL saveAndValidate = TRUE) override;

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel();

    static INT_PTR CALLBACK PageDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static UINT CALLBACK PageCallback(HWND hwnd, UINT message, PROPSHEETPAGEA* page);

protected:
    // A scope in which the page fills its own controls (see the top of the
    // file); scopes may nest.
    class CFillingControls {
    public:
        explicit CFillingControls(CPropertyPage& page) : m_filling(page.m_fillingControls, true) {}

    private:
        CScopedValue<bool> m_filling;
    };

    // Pages do not end a dialog: OK and Cancel belong to the sheet.
    void OnOK() override;
    void OnCancel() override;

    virtual void OnPageAddRef();
    virtual BOOL OnPageCreate();
    virtual void OnPageRelease();

    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool m_firstSetActive = true;
    bool m_fillingControls = false;
    std::string m_caption;
};
