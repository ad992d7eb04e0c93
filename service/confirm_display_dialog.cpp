#include "confirm_display_dialog.h"

#include "base_exception.h"
#include "resource_ids.h"

CConfirmDisplayDialog::CConfirmDisplayDialog()
    : CDialog(IDD_CONFIRM_DISPLAY)
{
}

BOOL CConfirmDisplayDialog::OnInitDialog()
{
    m_hotkeys->EnableHotKeys(FALSE);
    if (!SetTimer(kCountdownTimer, 1000)) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    ShowSecondsLeft();
    return CDialog::OnInitDialog();
}

void CConfirmDisplayDialog::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_CONFIRM_PICTURE, m_picture);
    DDX_Control(dx, IDC_CONFIRM_TEXT, m_text);
    DDX_Text(dx, IDC_CONFIRM_TEXT, m_displayedText);
}

bool CConfirmDisplayDialog::OnTimer(UINT_PTR id)
{
    if (id != kCountdownTimer)
        return false;
    if (m_secondsLeft == 0) {
        KillTimer(kCountdownTimer);
        EndDialog(IDCANCEL);
        return true;
    }
    --m_secondsLeft;
    ShowSecondsLeft();
    return true;
}

void CConfirmDisplayDialog::OnDestroy()
{
    RestoreHotKeys(*m_hotkeys.Get());
}

void CConfirmDisplayDialog::ShowSecondsLeft()
{
    m_displayedText = FormatMessageText(IDS_FMT_CONFIRM_COUNTDOWN, m_secondsLeft);
    if (m_hWnd)
        UpdateData(FALSE);
}
