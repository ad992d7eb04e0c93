#include "configuration_page.h"

#include "extension_app.h"
#include "hotkey_dialog.h"
#include "os_service.h"

namespace {

// Where the maker reveals the dual-monitor swap box (OEM section "OEM").
constexpr char kRevealSwapSetting[] = "RazoroDemo";
// How much the "Displays" group loses when the swap box at its end goes.
constexpr int kSwapBoxHeight = 20;

// The systems with the dual-monitor mode: 98/Me, 2000 and XP.
bool HasDualMonitorMode(int osClass)
{
    return osClass == kOSWin98 || osClass == kOSWin2000 || osClass == kOSWinXP || osClass == kOSWinXPServicePack;
}

bool IsChecked(const CWnd& page, int id)
{
    return page.IsDlgButtonChecked(id) == BST_CHECKED;
}

} // namespace

const CConfigurationPage::ChoiceList CConfigurationPage::kChoiceLists[] = {
    { IDC_CONFIG_DUALVIEW_SIZE, IDS_DUALVIEW_SIZE_0, 5, &CConfigurationPage::m_dualViewSize },
    { IDC_CONFIG_TV_SYSTEM, IDS_TV_SYSTEM_0, 2, &CConfigurationPage::m_tvSystem },
    { IDC_CONFIG_PANEL_TYPE, IDS_PANEL_TYPE_0, 5, &CConfigurationPage::m_panelType },
    { IDC_CONFIG_PANEL_INTERFACE, IDS_PANEL_INTERFACE_0, 2, &CConfigurationPage::m_panelInterface },
};

const CommandEntry<CConfigurationPage> CConfigurationPage::kCommands[] = {
    { IDC_CONFIG_DUALVIEW_SIZE, CBN_SELCHANGE, &CConfigurationPage::OnDualViewSizeChanged },
    { IDC_CONFIG_TV_SYSTEM, CBN_SELCHANGE, &CConfigurationPage::OnTvSystemChanged },
    { IDC_CONFIG_PANEL_TYPE, CBN_SELCHANGE, &CConfigurationPage::OnPanelTypeChanged },
    { IDC_CONFIG_PANEL_INTERFACE, CBN_SELCHANGE, &CConfigurationPage::OnPanelInterfaceChanged },
    { IDC_CONFIG_HOTKEYS_ON, BN_CLICKED, &CConfigurationPage::OnHotKeysOnClicked },
    { IDC_CONFIG_DUALMON_SWAP, BN_CLICKED, &CConfigurationPage::OnDualMonitorSwapClicked },
    { IDC_CONFIG_HOTKEYS_BUTTON, BN_CLICKED, &CConfigurationPage::OnHotKeysButton },
};

CConfigurationPage::CConfigurationPage()
    : CPropertyPage(ConfigurationPageTemplate(*ExtensionHardware()->GetHeader(FALSE))),
      m_pHardware(ExtensionHardware()),
      m_pHeader(m_pHardware->GetHeader(FALSE)),
      m_pCurrentAdapter(m_pHardware->GetCurrentAdapter()),
      m_pCurrentDisplay(m_pHardware->GetCurrentDisplay())
{
    // Never null while the hardware service is held: the library serves
    // every service or none.
    m_hotkeys.Acquire();
}

void CConfigurationPage::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_PICTURE, m_picture);
}

BOOL CConfigurationPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_picture.SetTransparentDrawing(true);
    if (!m_pHeader->enableTv) {
        for (int id : { IDC_CONFIG_TV_SYSTEM, IDC_CONFIG_TV_SYSTEM_LABEL })
            if (HWND control = GetDlgItem(id))
                ::EnableWindow(control, FALSE);
    }
    LimitDualMonitorSwap();
    ReloadReporting();
    return TRUE;
}

void CConfigurationPage::LimitDualMonitorSwap()
{
    if (m_pHardware->Settings()->ReadOemSetting(kRevealSwapSetting, 0) && HasDualMonitorMode(m_pHeader->osClass))
        return;
    HWND swap = GetDlgItem(IDC_CONFIG_DUALMON_SWAP);
    ::EnableWindow(swap, FALSE);
    ::ShowWindow(swap, SW_HIDE);
    HWND group = GetDlgItem(IDC_CONFIG_DISPLAYS_GROUP);
    RECT rect;
    if (!group || !::GetWindowRect(group, &rect))
        return;
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    ::MoveWindow(group, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top - kSwapBoxHeight, TRUE);
}

bool CConfigurationPage::ReloadReporting()
{
    return AfxRunReporting([this] { Refresh(Reload::Yes); });
}

void CConfigurationPage::Refresh(Reload reload)
{
    if (reload == Reload::Yes) {
        m_pHardware->RefreshDisplayState();
        LoadPendingValues();
        for (const ChoiceList& list : kChoiceLists)
            FillList(list);
    }
    for (const ChoiceList& list : kChoiceLists)
        SelectChosen(list);
    CheckDlgButton(IDC_CONFIG_DUALMON_SWAP, m_dualMonitorSwap.chosen ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_CONFIG_HOTKEYS_ON, m_hotKeysOn.chosen ? BST_CHECKED : BST_UNCHECKED);
    ::EnableWindow(GetDlgItem(IDC_CONFIG_HOTKEYS_BUTTON), m_hotKeysOn.chosen != 0);
    // Choosing the loaded value again leaves the mark: only Apply clears it.
    if (AnyChoiceChanged())
        SetModified(TRUE);
}

void CConfigurationPage::LoadPendingValues()
{
    const AdapterRecord& adapter = *m_pCurrentAdapter;
    m_dualViewSize.Load(adapter.dualViewSecSize);
    m_tvSystem.Load(adapter.tvSystem);
    m_panelType.Load(adapter.secondaryPanelId);
    m_panelInterface.Load(adapter.secondaryColorInterface);
    m_hotKeysOn.Load(adapter.hotKeyTable.enabled != 0);
    m_dualMonitorSwap.Load(adapter.dualMonitorSwapped != 0);
}

bool CConfigurationPage::AnyChoiceChanged() const
{
    for (const ChoiceList& list : kChoiceLists)
        if ((this->*list.value).Changed())
            return true;
    return IsChecked(*this, IDC_CONFIG_HOTKEYS_ON) != (m_hotKeysOn.loaded != 0) || m_dualMonitorSwap.Changed();
}

// A box the template lacks is left alone, here and in SelectChosen.
void CConfigurationPage::FillList(const ChoiceList& list) const
{
    HWND box = GetDlgItem(list.control);
    if (!box)
        return;
    ::SendMessageA(box, CB_RESETCONTENT, 0, 0);
    for (int value = 0; value < list.count; ++value)
        ComboAddItem(box, AfxLoadString(list.firstTextId + static_cast<UINT>(value)), value);
}

void CConfigurationPage::SelectChosen(const ChoiceList& list) const
{
    ComboSelectByData(GetDlgItem(list.control), (this->*list.value).chosen);
}

bool CConfigurationPage::OnCommand(UINT id, UINT code, HWND control)
{
    return DispatchCommand(this, kCommands, id, code) || CPropertyPage::OnCommand(id, code, control);
}

void CConfigurationPage::OnListChanged(int control)
{
    for (const ChoiceList& list : kChoiceLists) {
        if (list.control != control)
            continue;
        int chosen = 0;
        if (!ComboSelectedData(GetDlgItem(control), chosen))
            return;
        (this->*list.value).chosen = chosen;
        Refresh(Reload::No);
    }
}

void CConfigurationPage::OnHotKeysOnClicked()
{
    m_hotKeysOn.chosen = IsChecked(*this, IDC_CONFIG_HOTKEYS_ON);
    Refresh(Reload::No);
}

void CConfigurationPage::OnDualMonitorSwapClicked()
{
    m_dualMonitorSwap.chosen = IsChecked(*this, IDC_CONFIG_DUALMON_SWAP);
    Refresh(Reload::No);
}

void CConfigurationPage::OnHotKeysButton()
{
    // Owned by the page, so that the sheet waits for the dialog; what the
    // dialog did is saved already, its result changes nothing here.
    AfxRunReporting([this] {
        CHotKeyDialog dialog(HotKeyDialogTemplate(*m_pHeader), this);
        dialog.DoModal();
    });
}

void CConfigurationPage::ApplyChoices()
{
    if (m_pHeader->enableDualView)
        m_pHardware->ApplyDualViewSecSize(static_cast<UINT>(m_dualViewSize.chosen));
    if (m_pHeader->enableTv)
        m_pHardware->ApplyTVSystem(static_cast<UINT>(m_tvSystem.chosen));
    // The panel's two values go together; written when the user changed
    // either, so that a choice shown as a change is never dropped.
    if (m_panelType.Changed() || m_panelInterface.Changed())
        m_pHardware->ApplySecondaryPanel(static_cast<UINT>(m_panelType.chosen), static_cast<UINT>(m_panelInterface.chosen));
    m_pHardware->SetDualMonitorSwapped(IsChecked(*this, IDC_CONFIG_DUALMON_SWAP));
    m_pCurrentAdapter->hotKeyTable.enabled = IsChecked(*this, IDC_CONFIG_HOTKEYS_ON);
    m_hotkeys->SaveHotKeys();
}

BOOL CConfigurationPage::OnApply()
{
    if (AfxRunReporting([this] {
            ApplyChoices();
            Refresh(Reload::Yes);
        }))
        return CPropertyPage::OnApply();
    // The box has told the error.  Whatever was written before it, the page
    // now shows what the adapter has, and the sheet stays open; a second
    // error of the same cause is not told again.
    AfxRunQuietly([this] { Refresh(Reload::Yes); });
    return FALSE;
}
