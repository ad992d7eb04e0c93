// CConfigurationPage: the first page of the advanced sheet.  It sets the
// adapter-wide options that are no choice of display devices: the size of
// the second display in dual view, the TV system, the secondary panel's
// type and colour interface, whether the hot keys are on (with the button
// to the hot-key dialog) and, where the maker reveals it, whether the two
// monitors of the dual-monitor mode are swapped.
//
// Each option is a pending value: what the adapter had at the last load
// and what the user has chosen since.  A choice that differs from its
// loaded value marks the page modified; Apply writes the choices and loads
// them again.  An error of the service library during Apply or a reload is
// shown in one "VQXPAGE" box; a failed Apply then shows the adapter's state
// again and keeps the sheet open.
#pragma once

#include <cstdint>

#include "framework.h"
#include "hardware.h"
#include "hotkey_service.h"
#include "resource_ids.h"
#include "service_reference.h"
#include "transparent_bitmap.h"

// The page's template: with the dual-view size box only when dual view is
// enabled.
constexpr UINT ConfigurationPageTemplate(const HardwareHeader& header)
{
    return header.enableDualView ? IDD_CONFIG_DUALVIEW : IDD_CONFIG;
}

class CConfigurationPage : public CPropertyPage {
public:
    // Takes the hot-key service; its errors pass to the caller.
    CConfigurationPage();

    BOOL OnApply() override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    // A value as loaded from the adapter and as chosen on the page.
    struct PendingValue {
        int32_t loaded = 0;
        int32_t chosen = 0;

        void Load(int32_t value) { loaded = chosen = value; }
        bool Changed() const { return chosen != loaded; }
    };

    // A combo box, the string of its first item (the items' data run from
    // 0, their strings on from this one) and the value it chooses.
    struct ChoiceList {
        int control;
        UINT firstTextId;
        int count;
        PendingValue CConfigurationPage::*value;
    };

    enum class Reload { No, Yes };

    static const ChoiceList kChoiceLists[];
    static const CommandEntry<CConfigurationPage> kCommands[];

    // The dual-monitor swap box only where the maker reveals it on a system
    // that has the mode; without it its group is shortened.
    void LimitDualMonitorSwap();
    // With reload the adapter's state is read again and becomes both the
    // loaded and the chosen values; in all cases the controls show the
    // chosen values and a changed choice marks the page.
    void Refresh(Reload reload);
    // Refresh with reload, an error told in one box; false when it failed.
    bool ReloadReporting();
    void LoadPendingValues();
    void FillList(const ChoiceList& list) const;
    void SelectChosen(const ChoiceList& list) const;
    bool AnyChoiceChanged() const;
    void ApplyChoices();

    void OnListChanged(int control);
    void OnDualViewSizeChanged() { OnListChanged(IDC_CONFIG_DUALVIEW_SIZE); }
    void OnTvSystemChanged() { OnListChanged(IDC_CONFIG_TV_SYSTEM); }
    void OnPanelTypeChanged() { OnListChanged(IDC_CONFIG_PANEL_TYPE); }
    void OnPanelInterfaceChanged() { OnListChanged(IDC_CONFIG_PANEL_INTERFACE); }
    void OnHotKeysOnClicked();
    void OnDualMonitorSwapClicked();
    void OnHotKeysButton();

    CTransparentBitmap m_picture;

    CHardware* m_pHardware;
    HardwareHeader* m_pHeader;
    AdapterRecord* m_pCurrentAdapter;
    DisplayRecord* m_pCurrentDisplay;
    ServiceReference<CHotkey> m_hotkeys;

    PendingValue m_dualViewSize;
    PendingValue m_tvSystem;
    PendingValue m_panelType;
    PendingValue m_panelInterface;
    PendingValue m_hotKeysOn;
    PendingValue m_dualMonitorSwap;
};
