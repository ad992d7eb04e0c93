// CDialog: a modal dialog from a template of the module's resource handle,
// and dialog-data exchange (DDX).
//
// DoModal runs the dialog; the dialog procedure binds the object at
// WM_INITDIALOG and dispatches through WindowProc and OnWndMsg as CWnd does
// (see wnd.h), with these additions:
//   WM_INITDIALOG         OnInitDialog() -> TRUE to let the system set the focus
//   IDOK / IDCANCEL       OnOK() / OnCancel() (closing the window is IDCANCEL)
// Default processing is the dialog manager's: DefWindowProc leaves the
// message to it (the procedure answers FALSE).  A handled message's result
// goes to the dialog manager through DWLP_MSGRESULT, except for the messages
// whose answer is the procedure's return value itself, which get the result
// returned: WM_CTLCOLOR* (a brush), WM_COMPAREITEM, WM_VKEYTOITEM,
// WM_CHARTOITEM, WM_QUERYDRAGICON and WM_INITDIALOG.
//
// Data exchange: override DoDataExchange and call the DDX_ functions for
// each member; UpdateData(FALSE) fills the controls (OnInitDialog does it),
// UpdateData(TRUE) reads them back (OnOK does it) and returns FALSE when a
// control holds no valid value.
#pragma once

#include <string>

#include "wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;  // TRUE: controls -> members
    bool m_bFailed = false;

    // The control `id` of the dialog; a missing control fails the exchange.
    HWND PrepareCtrl(int id);
    // Marks the exchange as failed and puts the focus on `control`.
    void Fail(HWND control);
};

void DDX_Text(CDataExchange* dx, int id, std::string& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// The selected index of a combo box (-1: none).
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
// Binds a control of the dialog to a CWnd object (subclassing it), once.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // IDOK, IDCANCEL or what EndDialog was given; -1 when the template
    // cannot be loaded.
    virtual INT_PTR DoModal();
    void EndDialog(INT_PTR result);

    virtual BOOL UpdateData(BOOL saveAndValidate = TRUE);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* dx);

    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Leaves the message being dispatched to the dialog manager; returns 0.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // One message for a bound dialog: returns the dialog procedure's answer.
    INT_PTR DialogMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Stores a handled message's result where the dialog manager reads it.
    void SetMsgResult(LRESULT result) const;

private:
    // Set by DefWindowProc for the innermost DialogMessage under way (a
    // handler may send the dialog further messages).
    bool* m_leftToDialogManager = nullptr;
};
