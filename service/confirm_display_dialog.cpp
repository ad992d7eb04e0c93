#include "confirm_display_dialog.h"

#include "base_exception.h"
#include "resource_ids.h"

CConfirmDisplayDialog::CConfirmDisplayDialog(CSwitchGuard::CPending* pending)
    : CDialog(IDD_CONFIRM_DISPLAY), m_pending(pending)
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

void CConfirmDisplayDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // Kept before the dialog goes and gives the hot keys back: should this
    // process end from here on, the guardian must not undo the switch.
    if (m_pending)
        m_pending->Keep();
    EndDialog(IDOK);
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
