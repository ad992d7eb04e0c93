#include "window_choice_dialog.h"

#include <string>
#include <vector>

#include "dual_app_window.h"
#include "resource_ids.h"

namespace {

BOOL CALLBACK CollectTopLevelWindow(HWND window, LPARAM windows)
{
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// The top-level windows of the desktop, in Z order.
std::vector<HWND> TopLevelWindows()
{
    std::vector<HWND> windows;
    EnumWindows(CollectTopLevelWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

} // namespace

CWindowChoiceDialog::CWindowChoiceDialog()
    : CDialog(IDD_DUALAPP_WINDOWS)
{
}

BOOL CWindowChoiceDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    OnRefresh();
    return TRUE;
}

void CWindowChoiceDialog::OnOK()
{
    HWND first = SelectedWindow(IDC_DUALAPP_FIRST_WINDOW);
    HWND second = SelectedWindow(IDC_DUALAPP_SECOND_WINDOW);
    if (first && first == second) {
        MessageBox(AfxLoadString(IDS_DUALAPP_SAME_WINDOW));
        return;
    }
    m_firstWindow = first;
    m_secondWindow = second;
    CDialog::OnOK();
}

bool CWindowChoiceDialog::OnCommand(UINT id, UINT code, HWND control)
{
    static const CommandEntry<CWindowChoiceDialog> kCommands[] = {
        { IDC_DUALAPP_REFRESH, BN_CLICKED, &CWindowChoiceDialog::OnRefresh },
    };
    return DispatchCommand(this, kCommands, id, code) || CDialog::OnCommand(id, code, control);
}

void CWindowChoiceDialog::OnRefresh()
{
    FillList(IDC_DUALAPP_FIRST_WINDOW);
    FillList(IDC_DUALAPP_SECOND_WINDOW);
}

void CWindowChoiceDialog::FillList(int listId)
{
    const LPARAM kept = reinterpret_cast<LPARAM>(SelectedWindow(listId));
    SendDlgItemMessage(listId, LB_RESETCONTENT);

    const std::string noWindow = AfxLoadString(IDS_DUALAPP_NO_WINDOW);
    auto add = [&](const std::string& text, LPARAM window) {
        const LRESULT index = SendDlgItemMessage(listId, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (index >= 0)
            SendDlgItemMessage(listId, LB_SETITEMDATA, static_cast<WPARAM>(index), window);
    };
    add(noWindow, 0);
    for (HWND window : TopLevelWindows())
        if (IsSuitableAppWindow(window))
            add(AfxGetWindowText(window), reinterpret_cast<LPARAM>(window));

    // Select the kept window again (searching from the end), else the first
    // entry.
    LRESULT selection = 0;
    for (LRESULT index = SendDlgItemMessage(listId, LB_GETCOUNT) - 1; index >= 0; --index) {
        if (SendDlgItemMessage(listId, LB_GETITEMDATA, static_cast<WPARAM>(index)) == kept) {
            selection = index;
            break;
        }
    }
    SendDlgItemMessage(listId, LB_SETCURSEL, static_cast<WPARAM>(selection));
}

HWND CWindowChoiceDialog::SelectedWindow(int listId) const
{
    const LRESULT selection = SendDlgItemMessage(listId, LB_GETCURSEL);
    if (selection < 0)
        return nullptr;
    const LRESULT data = SendDlgItemMessage(listId, LB_GETITEMDATA, static_cast<WPARAM>(selection));
    return data == LB_ERR ? nullptr : reinterpret_cast<HWND>(data);
}
