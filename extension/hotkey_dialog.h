// CHotKeyDialog: the modal dialog in which the user sets the adapter's 17
// global hot keys, one hot-key control each.
//  - Only the keys that the header's feature switches offer can be set
//    (IsHotKeySettable, the hot-key action table); the others are disabled,
//    and those of a secondary panel the adapter does not offer are hidden.
//  - A key the notebook maker fixed is shown but cannot be edited.
//  - OK refuses two equal keys; otherwise it writes all 17 keys into the
//    current adapter's table in the shared block and saves the table.
//  - Undo Changes (1235) puts the defaults of the feature switches back
//    into the table and shows them; nothing is saved until OK.
// Errors of the hot-key service are shown in one "VQXPAGE" box; the dialog
// then stays open.
#pragma once

#include <array>

#include "arrangement_templates.h"
#include "framework.h"
#include "hardware.h"
#include "hotkey_service.h"
#include "resource_ids.h"
#include "service_reference.h"
#include "shared_records.h"

// The dialog's template: the one whose right-hand group holds exactly the
// arrangement hot keys of the header's enabled features (dual application,
// dual view, rotation).  The configuration page and the tests choose with
// this function.
constexpr UINT HotKeyDialogTemplate(const HardwareHeader& header)
{
    constexpr UINT kTemplates[8] = {
        IDD_HOTKEYS_PLAIN, IDD_HOTKEYS_RT, IDD_HOTKEYS_DV, IDD_HOTKEYS_DV_RT,
        IDD_HOTKEYS_DA, IDD_HOTKEYS_DA_RT, IDD_HOTKEYS_DA_DV, IDD_HOTKEYS_DA_DV_RT,
    };
    return TemplateForArrangements(header, kTemplates);
}

class CHotKeyDialog : public CDialog {
public:
    // `parent` owns the dialog while it runs (and is disabled meanwhile).
    // Takes the hot-key service; its errors pass to the caller.
    CHotKeyDialog(UINT templateId, CWnd* parent);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    static const CommandEntry<CHotKeyDialog> kCommands[];

    // Disables the controls of keys the switches do not offer (hiding those
    // of a missing secondary panel) and of keys the maker fixed.
    void LimitControls();
    // Shows the table's keys in the controls of the settable keys.
    void ShowKeys();
    // The keys the controls show, as the controls give them (virtual key in
    // the low byte, modifiers in the high byte); 0 for keys not settable.
    using KeyWords = std::array<WORD, kHotKeyCount>;
    KeyWords ReadKeys() const;
    // Writes `keys` into the adapter's table; the on word and the fixed
    // flags stay.
    void StoreKeys(const KeyWords& keys);
    bool IsSettable(int index) const;
    void OnReload();

    CHardware* m_pHardware;
    HardwareHeader* m_pHeader;
    AdapterRecord* m_pCurrentAdapter;
    DisplayRecord* m_pCurrentDisplay;
    ServiceReference<CHotkey> m_hotkeys;
};
