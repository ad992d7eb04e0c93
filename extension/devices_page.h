// CDispCtrl: the display-devices page that the extension adds to Display
// Properties.  It shows which of the adapter's outputs drive the sheet's
// display and how the desktop is arranged on them (plain, rotated, dual
// view, dual application; in dual-monitor mode the output of this monitor
// and whether it is the primary one), with a preview picture, and applies
// the user's choice through the feature services.  It opens the advanced
// sheet (button 1252); like every page of the extension it counts as shown
// while it is the active page (CExtensionPage).
#pragma once

#include "arrangement_templates.h"
#include "device_choices.h"
#include "devices_preview.h"
#include "extension_page.h"
#include "resource_ids.h"
#include "shared_records.h"

// The page's template: the dual-monitor one in dual-monitor mode, else the
// one whose controls offer exactly the header's enabled arrangements (dual
// application, dual view, rotation).  The page, the gallery and the tests
// all choose with this function.
constexpr UINT DevicesPageTemplate(bool dualMonitorMode, const HardwareHeader& header)
{
    if (dualMonitorMode)
        return IDD_DEVICES_DUALMON;
    constexpr UINT kTemplates[8] = {
        IDD_DEVICES_PLAIN, IDD_DEVICES_RT, IDD_DEVICES_DV, IDD_DEVICES_DV_RT,
        IDD_DEVICES_DA, IDD_DEVICES_DA_RT, IDD_DEVICES_DA_DV, IDD_DEVICES_DA_DV_RT,
    };
    return TemplateForArrangements(header, kTemplates);
}

class CDispCtrl : public CExtensionPage {
public:
    explicit CDispCtrl(const std::string& deviceName);

    // Undoes the applied arrangement, sets the chosen devices and sets up the
    // chosen arrangement through the feature services, then shows the
    // adapter's state again.  FALSE (the sheet stays open) when a step
    // failed; the failure was shown in one box and the later steps skipped.
    BOOL OnApply() override;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnHScroll(UINT code, UINT position, HWND scrollBar) override;
    bool OnPaint() override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    enum class Reload { No, Yes };

    CDispCtrl(const std::string& deviceName, bool dualMonitorMode);

    static const CommandEntry<CDispCtrl> kCommands[];

    // Choices of the user.
    void OnSingleDesktop();
    void OnDualView();
    void OnDualApp();
    void OnCombinationChanged();
    void OnFirstDeviceChanged();
    void OnSecondDeviceChanged();
    void OnPrimaryClicked();
    void OnAdvanced();
    void OnRotationMoved();

    // Shows the chosen state; with reload, the adapter's state is read
    // first and becomes the loaded and the chosen state.
    void Refresh(Reload reload);
    void LoadAdapterState();
    void ShowControls(const int* ids, size_t count, bool shown) const;
    void ShowArrangement() const;
    void ShowPrimaryChoice(int rotationPosition, bool rotatedMonitor);
    void FillDeviceBoxes();
    void NormaliseAndShowChoice();
    void UpdateApplyButton();

    bool IsDualMonitorMode() const;
    // The slider position of the chosen arrangement; -1 when it has none
    // (also where a dual-monitor display cannot be rotated from this page).
    int RotationPosition() const;
    // Whether the primary-device flag and the swap of the dual-monitor
    // outputs say this monitor is not the primary one.
    bool PrimarySwapDiffers() const;
    // Whether a display of the adapter is rotated; the page's display is
    // selected again afterwards, also when the scan stops on an error.
    bool AnyMonitorRotated();

    // The Apply steps, in order; errors are thrown.
    void ApplyChoices(CRotation& rotation, CDualView& dualView, CDualApp& dualApp, CDualMonitor& dualMonitor);

    const bool m_twoImagePreview;
    CDevicesPreview m_preview;
    RotationList m_rotationList = RotationListFor(false, false, false);

    int m_arrangement = kArrangementPlain;
    int m_loadedArrangement = kArrangementPlain;
    DeviceChoice m_chosen = { 0, 0 };
    DeviceChoice m_loaded = { 0, 0 };
    DeviceChoice m_lastShown = { 0, 0 };
    bool m_primaryChoice = false;
    bool m_loadedPrimaryChoice = false;
    bool m_driverFailed = false;
};
