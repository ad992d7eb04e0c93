#include "dialog.h"

#include <cstdlib>

#include "scoped_value.h"
#include "text.h"
#include "winapp.h"

namespace {

// Messages whose answer is the dialog procedure's return value: the dialog
// manager does not read DWLP_MSGRESULT for them.
bool AnswersByReturnValue(UINT message)
{
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    }
    return false;
}

} // namespace

HWND CDataExchange::PrepareCtrl(int id)
{
    HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    if (!control)
        m_bFailed = true;
    return control;
}

void CDataExchange::Fail(HWND control)
{
    m_bFailed = true;
    if (control)
        SetFocus(control);
}

void DDX_Text(CDataExchange* dx, int id, std::string& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (!control)
        return;
    if (dx->m_bSaveAndValidate)
        value = AfxGetWindowText(control);
    else
        SetWindowTextA(control, value.c_str());
}

void DDX_Text(CDataExchange* dx, int id, int& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (!control)
        return;
    if (dx->m_bSaveAndValidate) {
        const std::string text = AfxGetWindowText(control);
        char* end = nullptr;
        const long parsed = std::strtol(text.c_str(), &end, 10);
        while (end && *end == ' ')
            ++end;
        if (end == text.c_str() || !end || *end)
            dx->Fail(control);
        else
            value = static_cast<int>(parsed);
    } else {
        SetWindowTextA(control, std::to_string(value).c_str());
    }
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (!control)
        return;
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0));
    else
        SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index)
{
    HWND control = dx->PrepareCtrl(id);
    if (!control)
        return;
    if (dx->m_bSaveAndValidate)
        index = static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0));
    else
        SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.m_hWnd)
        return;
    HWND hwnd = dx->PrepareCtrl(id);
    if (hwnd && !control.SubclassWindow(hwnd))
        dx->Fail(hwnd);
}

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_nIDTemplate(templateId), m_pParentWnd(parent)
{
}

INT_PTR CDialog::DoModal()
{
    HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    return DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), parent,
                           &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(INT_PTR result)
{
    ::EndDialog(m_hWnd, result);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

bool CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_INITDIALOG) {
        result = OnInitDialog();
        return true;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDOK:
            OnOK();
            result = 0;
            return true;
        case IDCANCEL:
            OnCancel();
            result = 0;
            return true;
        }
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

void CDialog::SetMsgResult(LRESULT result) const
{
    SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
}

LRESULT CDialog::DefWindowProc(UINT, WPARAM, LPARAM)
{
    // Calling DefWindowProcA here would process the message twice: the
    // dialog manager does it once the procedure answers FALSE.
    if (m_leftToDialogManager)
        *m_leftToDialogManager = true;
    return 0;
}

INT_PTR CDialog::DialogMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    bool leftToDialogManager = false;
    LRESULT result = 0;
    {
        const CScopedValue<bool*> dispatching(m_leftToDialogManager, &leftToDialogManager);
        result = WindowProc(message, wParam, lParam);
    }
    if (leftToDialogManager)
        return FALSE;
    if (AnswersByReturnValue(message))
        return result;
    SetMsgResult(result);
    return TRUE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // A modal dialog passes its object in lParam; a page is bound already.
    if (message == WM_INITDIALOG && lParam && !FromHandlePermanent(hwnd))
        reinterpret_cast<CDialog*>(lParam)->Bind(hwnd);
    CDialog* dialog = static_cast<CDialog*>(FromHandlePermanent(hwnd));
    if (!dialog)
        return FALSE;
    const MSG msg = { hwnd, message, wParam, lParam, 0, {} };
    const INT_PTR answer = AfxCallGuarded(msg, INT_PTR(FALSE), [&] { return dialog->DialogMessage(message, wParam, lParam); });
    if (message == WM_NCDESTROY)
        AfxCallGuarded(msg, 0, [&] { dialog->HandleNcDestroy(); return 0; });
    return answer;
}
