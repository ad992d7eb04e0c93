#include "devices_page.h"

#include <algorithm>
#include <iterator>

#include "additional_properties.h"
#include "base_exception.h"
#include "dual_app.h"
#include "dual_monitor.h"
#include "dual_view.h"
#include "error_box.h"
#include "rotation.h"

namespace {

// The OEM switch that lets the user choose the primary monitor here.
constexpr char kPrimaryChoiceSetting[] = "RazoroDemo";

// Shown with the first and second device boxes (dual view, dual
// application), and with the combination box (the other arrangements).
constexpr int kPairControls[] = {
    IDC_DEVICES_FIRST_LABEL, IDC_DEVICES_FIRST, IDC_DEVICES_SECOND_LABEL, IDC_DEVICES_PAIR_NOTE,
    IDC_DEVICES_SECOND,
};
constexpr int kCombinationControls[] = { IDC_DEVICES_COMBINATION_LABEL, IDC_DEVICES_COMBINATION };
// Shown in every arrangement.
constexpr int kCommonControls[] = {
    IDC_DEVICES_INTRO,  IDC_DEVICES_ROTATION, IDC_DEVICES_ROTATION_TEXT,   IDC_DEVICES_SINGLE,
    IDC_DEVICES_DUALVIEW, IDC_DEVICES_DUALAPP, IDC_DEVICES_ADVANCED, IDC_DEVICES_DEVICES_GROUP,
    IDC_DEVICES_ARRANGEMENT_GROUP,
};

// Whether the adapter is in dual-monitor mode now.  When the driver cannot
// say, the page is built for the other modes, which is the better guess
// than no page at all.
bool AskDualMonitorMode()
{
    bool dualMonitorMode = false;
    AfxRunQuietly([&] { dualMonitorMode = ExtensionHardware()->IsDualMonitorMode() != FALSE; });
    return dualMonitorMode;
}

void FillBox(HWND box, const std::vector<DeviceBoxItem>& items)
{
    if (!box)
        return;
    SendMessageA(box, CB_RESETCONTENT, 0, 0);
    for (const DeviceBoxItem& item : items)
        ComboAddItem(box, item.text, item.data);
}

void ShowApplyFailed()
{
    MessageBoxA(GetActiveWindow(), AfxLoadString(IDS_DEVICES_APPLY_FAILED).c_str(), AfxGetAppName(),
                MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

const CommandEntry<CDispCtrl> CDispCtrl::kCommands[] = {
    { IDC_DEVICES_SINGLE, BN_CLICKED, &CDispCtrl::OnSingleDesktop },
    { IDC_DEVICES_DUALVIEW, BN_CLICKED, &CDispCtrl::OnDualView },
    { IDC_DEVICES_DUALAPP, BN_CLICKED, &CDispCtrl::OnDualApp },
    { IDC_DEVICES_COMBINATION, CBN_SELCHANGE, &CDispCtrl::OnCombinationChanged },
    { IDC_DEVICES_FIRST, CBN_SELCHANGE, &CDispCtrl::OnFirstDeviceChanged },
    { IDC_DEVICES_SECOND, CBN_SELCHANGE, &CDispCtrl::OnSecondDeviceChanged },
    { IDC_DEVICES_PRIMARY, BN_CLICKED, &CDispCtrl::OnPrimaryClicked },
    { IDC_DEVICES_ADVANCED, BN_CLICKED, &CDispCtrl::OnAdvanced },
};

CDispCtrl::CDispCtrl(const std::string& deviceName) : CDispCtrl(deviceName, AskDualMonitorMode()) {}

CDispCtrl::CDispCtrl(const std::string& deviceName, bool dualMonitorMode)
    : CExtensionPage(DevicesPageTemplate(dualMonitorMode, *ExtensionHardware()->GetHeader(FALSE)), deviceName),
      m_twoImagePreview(!dualMonitorMode)
{
}

BOOL CDispCtrl::OnInitDialog()
{
    CExtensionPage::OnInitDialog();

    RECT area = {};
    if (HWND previewArea = GetDlgItem(IDC_DEVICES_PREVIEW)) {
        GetWindowRect(previewArea, &area);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&area), 2);
    }
    m_preview.SetArea(area);

    m_rotationList = RotationListFor(*m_pHeader);
    if (m_pHeader->enableRotation) {
        SetDlgItemText(IDC_DEVICES_ROTATION_TEXT, RotationSliderText(m_rotationList));
        SendDlgItemMessage(IDC_DEVICES_ROTATION, TBM_SETRANGE, FALSE, MAKELPARAM(0, m_rotationList.count - 1));
    } else {
        // A slider without rotation settings (the dual-monitor template has
        // one) offers the plain desktop alone.
        SendDlgItemMessage(IDC_DEVICES_ROTATION, TBM_SETRANGE, FALSE, MAKELPARAM(0, 0));
    }
    Refresh(Reload::Yes);
    return TRUE;
}

bool CDispCtrl::OnCommand(UINT id, UINT code, HWND control)
{
    return DispatchCommand(this, kCommands, id, code) || CExtensionPage::OnCommand(id, code, control);
}

bool CDispCtrl::OnHScroll(UINT, UINT, HWND scrollBar)
{
    if (!scrollBar || scrollBar != GetDlgItem(IDC_DEVICES_ROTATION))
        return false;
    OnRotationMoved();
    return true;
}

bool CDispCtrl::OnPaint()
{
    const CPaintDC dc(m_hWnd);
    m_preview.Draw(dc, m_arrangement, m_chosen, m_twoImagePreview);
    return true;
}

bool CDispCtrl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // Printing the page (PrintWindow, AnimateWindow) shows the preview too.
    if (message == WM_PRINTCLIENT && (lParam & PRF_CLIENT)) {
        m_preview.Draw(reinterpret_cast<HDC>(wParam), m_arrangement, m_chosen, m_twoImagePreview);
        result = 0;
        return true;
    }
    return CExtensionPage::OnWndMsg(message, wParam, lParam, result);
}

// ---- choices of the user ---------------------------------------------------

void CDispCtrl::OnSingleDesktop()
{
    m_arrangement = kArrangementPlain;
    Refresh(Reload::No);
}

void CDispCtrl::OnDualView()
{
    m_arrangement = kArrangementDualView;
    Refresh(Reload::No);
}

void CDispCtrl::OnDualApp()
{
    m_arrangement = kArrangementDualApp;
    Refresh(Reload::No);
}

void CDispCtrl::OnRotationMoved()
{
    const LRESULT position = SendDlgItemMessage(IDC_DEVICES_ROTATION, TBM_GETPOS);
    // A position the list lacks (the range was set elsewhere) chooses nothing.
    if (position < 0 || position >= m_rotationList.count)
        return;
    m_arrangement = m_rotationList.arrangements[position];
    if (IsDualMonitorMode() && (m_pHeader->osClass == kOSWin98 || PrimarySwapDiffers()))
        m_primaryChoice = m_pCurrentDisplay->primary != 0;
    Refresh(Reload::No);
}

void CDispCtrl::OnCombinationChanged()
{
    int mask = 0;
    if (!ComboSelectedData(GetDlgItem(IDC_DEVICES_COMBINATION), mask))
        return;
    m_chosen = SplitDeviceMask(static_cast<UINT>(mask), m_arrangement, m_pCurrentAdapter->dualAppSwapped != 0);
    Refresh(Reload::No);
}

void CDispCtrl::OnFirstDeviceChanged()
{
    if (ComboSelectedData(GetDlgItem(IDC_DEVICES_FIRST), m_chosen.first))
        Refresh(Reload::No);
}

void CDispCtrl::OnSecondDeviceChanged()
{
    if (ComboSelectedData(GetDlgItem(IDC_DEVICES_SECOND), m_chosen.second))
        Refresh(Reload::No);
}

void CDispCtrl::OnPrimaryClicked()
{
    m_primaryChoice = IsDlgButtonChecked(IDC_DEVICES_PRIMARY) == BST_CHECKED;
    // Only a primary monitor can be rotated from here: a choice that makes
    // this monitor the secondary one ends its rotation.
    const bool swapped = m_pCurrentAdapter->dualMonitorSwapped != 0;
    const bool primary = m_pCurrentDisplay->primary != 0;
    const bool keepsRotation = (!swapped && primary && m_primaryChoice) || (swapped && !primary && !m_primaryChoice);
    if (!keepsRotation)
        m_arrangement = kArrangementPlain;
    Refresh(Reload::No);
}

void CDispCtrl::OnAdvanced()
{
    // Another sheet of this process may have selected its own device since
    // this page became active: the advanced sheet works on this page's.
    SelectOwnDisplay();
    // What the sheet's pages did is theirs to show; its result is not used.
    CAdditionalProperties sheet(this);
    sheet.DoModal();
}

// ---- showing the state -----------------------------------------------------

void CDispCtrl::Refresh(Reload reload)
{
    if (reload == Reload::Yes)
        LoadAdapterState();
    const int rotationPosition = RotationPosition();
    SendDlgItemMessage(IDC_DEVICES_ROTATION, TBM_SETPOS, TRUE, std::max(rotationPosition, 0));
    ShowArrangement();
    ShowPrimaryChoice(rotationPosition, IsDualMonitorMode() && AnyMonitorRotated());
    FillDeviceBoxes();
    NormaliseAndShowChoice();
    const bool pair = ChoosesPair(m_arrangement);
    SetDlgItemText(IDC_DEVICES_FIRST_LABEL, AfxLoadString(pair ? IDS_DEVICES_FIRST_DUAL : IDS_DEVICES_FIRST_SINGLE));
    SetDlgItemText(IDC_DEVICES_SECOND_LABEL,
                   AfxLoadString(pair ? IDS_DEVICES_SECOND_DUAL : IDS_DEVICES_SECOND_SINGLE));
    UpdateApplyButton();
    InvalidateRect(m_hWnd, &m_preview.Area(), FALSE);
    ShowControls(kCommonControls, std::size(kCommonControls), true);
}

void CDispCtrl::LoadAdapterState()
{
    // A driver that cannot be read leaves the records as they were: the
    // page shows the last known state with its controls off.
    m_driverFailed = !AfxRunQuietly([this] { m_pHardware->RefreshDisplayState(); });
    m_arrangement = m_loadedArrangement = ArrangementOf(*m_pCurrentDisplay);
    m_chosen = m_loaded = m_lastShown =
        SplitDeviceMask(m_pCurrentDisplay->deviceMask, m_arrangement, m_pCurrentAdapter->dualAppSwapped != 0);
    m_primaryChoice = m_loadedPrimaryChoice = m_pCurrentDisplay->primary != 0;
}

void CDispCtrl::ShowControls(const int* ids, size_t count, bool shown) const
{
    for (size_t i = 0; i < count; ++i) {
        if (HWND control = GetDlgItem(ids[i])) {
            ::ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
            ::EnableWindow(control, !m_driverFailed);
        }
    }
}

void CDispCtrl::ShowArrangement() const
{
    const bool pair = ChoosesPair(m_arrangement);
    ShowControls(kPairControls, std::size(kPairControls), pair);
    ShowControls(kCombinationControls, std::size(kCombinationControls), !pair);
    CheckDlgButton(IDC_DEVICES_SINGLE, RotationPosition() != -1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_DEVICES_DUALVIEW, m_arrangement == kArrangementDualView ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_DEVICES_DUALAPP, m_arrangement == kArrangementDualApp ? BST_CHECKED : BST_UNCHECKED);
}

void CDispCtrl::ShowPrimaryChoice(int rotationPosition, bool rotatedMonitor)
{
    HWND box = GetDlgItem(IDC_DEVICES_PRIMARY);
    if (!box)
        return;
    CheckDlgButton(IDC_DEVICES_PRIMARY, m_primaryChoice ? BST_CHECKED : BST_UNCHECKED);
    const bool offered = m_pHardware->Settings()->ReadOemSetting(kPrimaryChoiceSetting, 0) != 0;
    ::ShowWindow(box, offered ? SW_SHOW : SW_HIDE);
    // The primary monitor changes only while no monitor is rotated.
    ::EnableWindow(box, offered && !m_driverFailed && rotationPosition <= 0 && !rotatedMonitor);
}

void CDispCtrl::FillDeviceBoxes()
{
    if (ChoosesPair(m_arrangement)) {
        FillBox(GetDlgItem(IDC_DEVICES_FIRST), ColumnItems(m_arrangement, 0, *m_pHeader));
        FillBox(GetDlgItem(IDC_DEVICES_SECOND), ColumnItems(m_arrangement, 1, *m_pHeader));
    } else {
        FillBox(GetDlgItem(IDC_DEVICES_COMBINATION), CombinationItems(m_arrangement, *m_pHeader, IsDualMonitorMode()));
    }
}

void CDispCtrl::NormaliseAndShowChoice()
{
    HWND combination = GetDlgItem(IDC_DEVICES_COMBINATION);
    HWND first = GetDlgItem(IDC_DEVICES_FIRST);
    HWND second = GetDlgItem(IDC_DEVICES_SECOND);
    const bool pair = ChoosesPair(m_arrangement);
    if (pair ? !first || !second : !combination)
        return;
    m_chosen = NormaliseChoice(m_arrangement, m_chosen, m_lastShown.first, ComboItemData(first), ComboItemData(second));
    // A fallback combination that the switches do not offer is nobody's
    // choice: the box shows none, and Apply leaves the devices as they are.
    if (!pair && !ComboHasItem(combination, static_cast<int>(DeviceMaskOf(m_chosen))))
        m_chosen = m_loaded;
    m_lastShown = m_chosen;
    if (pair) {
        ComboSelectByData(first, m_chosen.first);
        ComboSelectByData(second, m_chosen.second);
    } else {
        ComboSelectByData(combination, m_chosen.first | m_chosen.second);
    }
}

void CDispCtrl::UpdateApplyButton()
{
    const bool changed = m_arrangement != m_loadedArrangement || m_chosen != m_loaded ||
                         (IsDualMonitorMode() && m_primaryChoice != m_loadedPrimaryChoice);
    SetModified(changed ? TRUE : FALSE);
}

bool CDispCtrl::IsDualMonitorMode() const
{
    return m_pCurrentDisplay->mode == kModeDualMonitor;
}

bool CDispCtrl::PrimarySwapDiffers() const
{
    return (m_pCurrentAdapter->dualMonitorSwapped != 0) != (m_pCurrentDisplay->primary != 0);
}

int CDispCtrl::RotationPosition() const
{
    if (IsDualMonitorMode() && (m_pHeader->osClass == kOSWin98 || !PrimarySwapDiffers()))
        return -1;
    return m_rotationList.PositionOf(m_arrangement);
}

bool CDispCtrl::AnyMonitorRotated()
{
    DWORD adapter = 0;
    DWORD display = 0;
    m_pHardware->GetSelectedDisplay(&adapter, &display);
    bool rotated = false;
    const bool scanned = AfxRunQuietly([&] {
        const UINT count = m_pHardware->GetAdapter(adapter, TRUE)->displayCount;
        for (UINT other = 0; other < count; ++other) {
            m_pHardware->SelectDisplay(adapter, other);
            m_pHardware->RefreshDisplayState();
            if (m_pHardware->GetDisplay(adapter, other, TRUE)->rotation != kRotationNone)
                rotated = true;
        }
        m_pHardware->SelectDisplay(adapter, display);
        m_pHardware->RefreshDisplayState();
    });
    // Never leave the process on another display than the page's.
    if (!scanned) {
        AfxRunQuietly([&] { m_pHardware->SelectDisplay(adapter, display); });
        AfxRunQuietly([&] { m_pHardware->RefreshDisplayState(); });
    }
    return rotated;
}

// ---- Apply -----------------------------------------------------------------

BOOL CDispCtrl::OnApply()
{
    // Another sheet of this process may have selected its own device.
    SelectOwnDisplay();
    bool applied = false;
    {
        ServiceReference<CRotation> rotation;
        ServiceReference<CDualView> dualView;
        ServiceReference<CDualApp> dualApp;
        ServiceReference<CDualMonitor> dualMonitor;
        // One box says why, whatever failed; the services go back after it.
        try {
            if (rotation.Acquire() && dualView.Acquire() && dualApp.Acquire() && dualMonitor.Acquire()) {
                ApplyChoices(*rotation, *dualView, *dualApp, *dualMonitor);
                applied = true;
            } else {
                ShowApplyFailed();
            }
        } catch (CBaseException* e) {
            ShowErrorBox(e, AfxGetAppName());
        } catch (CException* e) {
            e->Delete();
            ShowApplyFailed();
        } catch (...) {
            ShowApplyFailed();
        }
    }
    // What the adapter does now, whether all, some or none of it was applied.
    Refresh(Reload::Yes);
    return applied ? CExtensionPage::OnApply() : FALSE;
}

void CDispCtrl::ApplyChoices(CRotation& rotation, CDualView& dualView, CDualApp& dualApp, CDualMonitor& dualMonitor)
{
    const bool arrangementChanged = m_arrangement != m_loadedArrangement;
    const bool dualMonitorMode = IsDualMonitorMode();

    // The applied arrangement goes first; from one rotation to another the
    // new rotation alone is set.
    if (arrangementChanged) {
        if (IsRotated(m_loadedArrangement) && !IsRotated(m_arrangement))
            rotation.SetRotation(kRotationNone);
        else if (m_loadedArrangement == kArrangementDualView)
            dualView.SetDualView(FALSE);
        else if (m_loadedArrangement == kArrangementDualApp)
            dualApp.SetDualApp(FALSE, 0);
    }

    if (m_chosen != m_loaded) {
        if (!dualMonitorMode)
            m_pHardware->SetDisplayDevices(DeviceMaskOf(m_chosen));
        else if (m_pCurrentDisplay->primary)
            dualMonitor.SetDualMonDevices(m_chosen.first, kUndecidedDevice);
        else
            dualMonitor.SetDualMonDevices(kUndecidedDevice, m_chosen.first);
    }

    if (dualMonitorMode && m_primaryChoice != m_loadedPrimaryChoice)
        dualMonitor.SwapDualMonPrimary();

    if (arrangementChanged) {
        if (IsRotated(m_arrangement)) {
            rotation.SetRotation(static_cast<UINT>(m_arrangement));
        } else if (m_arrangement == kArrangementDualView) {
            dualView.SetDualView(TRUE);
        } else if (m_arrangement == kArrangementDualApp) {
            // The halves go where the pair's entry says; an undecided
            // device has no entry and keeps the adapter's order.
            const DevicePair* pair = FindDevicePair(kArrangementDualApp, m_chosen);
            dualApp.SetDualApp(TRUE, pair && pair->swapped ? 1 : 0);
        }
    }
}
