#include "reduce_on_page.h"

#include "base_exception.h"
#include "extension_app.h"
#include "file_version.h"
#include "os_service.h"
#include "power_source.h"
#include "resource_ids.h"

namespace {

constexpr int kFirstCopyrightYear = 2001;

// The list's entries, in the order they are shown.
struct ReduceOnChoice {
    UINT textId;
    ReduceOnLevel level;
};
constexpr ReduceOnChoice kChoices[] = {
    { IDS_REDUCE_ON_OFF, kReduceOnOff },
    { IDS_REDUCE_ON_ON, kReduceOnOn },
};

// The power text of an AC line status; 0 for a status without one.
UINT PowerSourceText(BYTE acLineStatus)
{
    switch (acLineStatus) {
    case AC_LINE_OFFLINE: return IDS_POWER_BATTERY;
    case AC_LINE_ONLINE: return IDS_POWER_AC;
    case AC_LINE_UNKNOWN: return IDS_POWER_UNKNOWN;
    default: return 0;
    }
}

} // namespace

const CommandEntry<CReduceOnPage> CReduceOnPage::kCommands[] = {
    { IDC_REDUCE_ON_LIST, CBN_SELCHANGE, &CReduceOnPage::OnListChanged },
};

CReduceOnPage::CReduceOnPage()
    : CPropertyPage(IDD_REDUCE_ON_PAGE), m_powerText(AfxLoadString(IDS_POWER_UNKNOWN))
{
}

void CReduceOnPage::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_PICTURE, m_picture);
    DDX_Control(dx, IDC_REDUCE_ON_LIST, m_list);
    DDX_Text(dx, IDC_REDUCE_ON_POWER_SOURCE, m_powerText);
    DDX_Text(dx, IDC_REDUCE_ON_STATE, m_stateText);
}

BOOL CReduceOnPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_sheetForwarder.SubclassWindow(GetParent());

    m_pHardware = ExtensionHardware();
    m_pHeader = m_pHardware->GetHeader(FALSE);
    m_pCurrentAdapter = m_pHardware->GetCurrentAdapter();
    m_pCurrentDisplay = m_pHardware->GetCurrentDisplay();

    m_picture.SetTransparentDrawing(true);
    FillList();
    ::ShowWindow(GetDlgItem(IDC_REDUCE_ON_NOTE), SW_HIDE);
    ::ShowWindow(GetDlgItem(IDC_REDUCE_ON_STATE), SW_HIDE);
    FillCopyrightFooter(*this, kFirstCopyrightYear);
    Update(Reload::Yes);
    return TRUE;
}

void CReduceOnPage::OnDestroy()
{
    // The sheet may outlive its pages; it must not forward to a page that
    // is gone.
    if (m_sheetForwarder.m_hWnd)
        m_sheetForwarder.UnsubclassWindow();
    CPropertyPage::OnDestroy();
}

void CReduceOnPage::FillList()
{
    m_list.SendMessage(CB_RESETCONTENT);
    for (const ReduceOnChoice& choice : kChoices)
        ComboAddItem(m_list, AfxLoadString(choice.textId), choice.level);
}

void CReduceOnPage::Update(Reload reload)
{
    m_pHardware->RefreshDisplayState();
    if (reload == Reload::Yes) {
        m_applied = m_chosen = static_cast<ReduceOnLevel>(m_pCurrentAdapter->reduceOnState);
        m_stateText = AfxLoadString(m_applied == kReduceOnOn ? IDS_REDUCE_ON_STATE_ON : IDS_REDUCE_ON_STATE_OFF);
        SetDlgItemText(IDC_REDUCE_ON_STATE, m_stateText);
    }
    ShowPowerSource();
    SelectChosen();
    // Choosing the applied value again leaves the mark: only Apply clears it.
    if (m_chosen != m_applied)
        SetModified(TRUE);
}

void CReduceOnPage::ShowPowerSource()
{
    // Without a reading, or with a status that has no text, the last text stays.
    SYSTEM_POWER_STATUS status = {};
    if (power::GetSystemPowerStatus(&status)) {
        if (const UINT textId = PowerSourceText(status.ACLineStatus))
            m_powerText = AfxLoadString(textId);
    }
    SetDlgItemText(IDC_REDUCE_ON_POWER_SOURCE, m_powerText);
}

void CReduceOnPage::SelectChosen()
{
    ComboSelectByData(m_list, m_chosen);
}

bool CReduceOnPage::OnCommand(UINT id, UINT code, HWND control)
{
    return DispatchCommand(this, kCommands, id, code) || CPropertyPage::OnCommand(id, code, control);
}

void CReduceOnPage::OnListChanged()
{
    int chosen = kReduceOnOff;
    if (!ComboSelectedData(m_list, chosen))
        return;
    m_chosen = static_cast<ReduceOnLevel>(chosen);
    Update(Reload::No);
}

BOOL CReduceOnPage::OnApply()
{
    // A driver that refuses the setting is not reported; the broadcast and
    // the reload are skipped, so the page keeps its choice and stays
    // modified in its own reckoning.
    AfxRunQuietly([this] {
        if (m_chosen == m_applied)
            return;
        m_pHardware->SetReduceOn(static_cast<BYTE>(m_chosen));
        // Whoever tells the driver the AC line status does it again, now
        // that the setting that depends on it has changed.
        power::BroadcastStatusChange();
        Update(Reload::Yes);
    });
    return CPropertyPage::OnApply();
}

bool CReduceOnPage::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_POWERBROADCAST) {
        result = OnPowerBroadcast(wParam);
        return true;
    }
    return CPropertyPage::OnWndMsg(message, wParam, lParam, result);
}

LRESULT CReduceOnPage::OnPowerBroadcast(WPARAM event)
{
    if (event != PBT_APMPOWERSTATUSCHANGE)
        return TRUE;
    // Notices come unasked, one per broadcast: a failing driver must not
    // answer each with a message box, so its errors are dropped here.  The
    // page is brought up to date whether or not the driver was told.
    AfxRunQuietly([this] {
        BYTE status = 0;
        if (power::StatusForDriver(*m_pHardware, status))
            m_pHardware->NotifyPowerStatus(status);
    });
    AfxRunQuietly([this] { Update(Reload::No); });
    return TRUE;
}

bool CReduceOnPage::CSheetPowerForwarder::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The sheet answers as it always does; the page only listens.
    if (message == WM_POWERBROADCAST && m_page.m_hWnd)
        m_page.SendMessage(message, wParam, lParam);
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}
