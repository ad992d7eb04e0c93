#include "hotkey_dialog.h"

#include <commctrl.h>

#include "extension_app.h"
#include "hotkey_actions.h"

namespace {

// One hot key's row: its control and the label that goes with it where the
// label has an id of its own (0 where it has none).
struct HotKeyRow {
    int control;
    int label;
};

constexpr HotKeyRow kRows[kHotKeyCount] = {
    { IDC_HOTKEY_LCD, 0 },
    { IDC_HOTKEY_CRT, 0 },
    { IDC_HOTKEY_TV, 0 },
    { IDC_HOTKEY_SECPANEL, IDC_HOTKEY_SECPANEL_LABEL },
    { IDC_HOTKEY_LCD_CRT, 0 },
    { IDC_HOTKEY_LCD_TV, 0 },
    { IDC_HOTKEY_LCD_SECPANEL, IDC_HOTKEY_LCD_SECPANEL_LABEL },
    { IDC_HOTKEY_CRT_SECPANEL, IDC_HOTKEY_CRT_SECPANEL_LABEL },
    { IDC_HOTKEY_SECPANEL_TV, IDC_HOTKEY_SECPANEL_TV_LABEL },
    { IDC_HOTKEY_RT90, IDC_HOTKEY_RT90_LABEL },
    { IDC_HOTKEY_RT180, IDC_HOTKEY_RT180_LABEL },
    { IDC_HOTKEY_RT270, IDC_HOTKEY_RT270_LABEL },
    { IDC_HOTKEY_SETDA, 0 },
    { IDC_HOTKEY_SWAPAPP, 0 },
    { IDC_HOTKEY_SWAPDISP, 0 },
    { IDC_HOTKEY_SETDV, 0 },
    { IDC_HOTKEY_SMOFF, 0 },
};

// A key of a secondary panel that the adapter does not offer has no place
// in the dialog at all; other keys that cannot be set are only greyed.
bool NeedsMissingSecondaryPanel(int index, const HardwareHeader& header)
{
    return (kHotKeyActions[index].needs.all & kFeatureSecondaryPanel) && !header.enableSecondaryPanel;
}

} // namespace

const CommandEntry<CHotKeyDialog> CHotKeyDialog::kCommands[] = {
    { IDC_HOTKEYS_RELOAD, BN_CLICKED, &CHotKeyDialog::OnReload },
};

CHotKeyDialog::CHotKeyDialog(UINT templateId, CWnd* parent)
    : CDialog(templateId, parent),
      m_pHardware(ExtensionHardware()),
      m_pHeader(m_pHardware->GetHeader(FALSE)),
      m_pCurrentAdapter(m_pHardware->GetCurrentAdapter()),
      m_pCurrentDisplay(m_pHardware->GetCurrentDisplay())
{
    // Never null while the hardware service is held: the library serves
    // every service or none.
    m_hotkeys.Acquire();
}

bool CHotKeyDialog::IsSettable(int index) const
{
    return IsHotKeySettable(index, *m_pHeader);
}

BOOL CHotKeyDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    LimitControls();
    ShowKeys();
    return TRUE;
}

void CHotKeyDialog::LimitControls()
{
    const HotKeyTable& table = m_pCurrentAdapter->hotKeyTable;
    for (int index = 0; index < kHotKeyCount; ++index) {
        const HotKeyRow& row = kRows[index];
        const bool hide = NeedsMissingSecondaryPanel(index, *m_pHeader);
        for (int id : { row.control, row.label }) {
            HWND control = id ? GetDlgItem(id) : nullptr;
            if (!control)
                continue;
            if (!IsSettable(index))
                ::EnableWindow(control, FALSE);
            if (hide)
                ::ShowWindow(control, SW_HIDE);
        }
        // A key the maker fixed stays in sight with its value.
        if (table.fixed[index])
            ::EnableWindow(GetDlgItem(row.control), FALSE);
    }
}

void CHotKeyDialog::ShowKeys()
{
    const HotKeyTable& table = m_pCurrentAdapter->hotKeyTable;
    for (int index = 0; index < kHotKeyCount; ++index) {
        if (IsSettable(index))
            SendDlgItemMessage(kRows[index].control, HKM_SETHOTKEY,
                               MAKEWORD(table.keyCode[index], table.modifiers[index]));
    }
}

CHotKeyDialog::KeyWords CHotKeyDialog::ReadKeys() const
{
    KeyWords keys = {};
    for (int index = 0; index < kHotKeyCount; ++index) {
        if (IsSettable(index))
            keys[index] = LOWORD(SendDlgItemMessage(kRows[index].control, HKM_GETHOTKEY));
    }
    return keys;
}

void CHotKeyDialog::StoreKeys(const KeyWords& keys)
{
    HotKeyTable& table = m_pCurrentAdapter->hotKeyTable;
    for (int index = 0; index < kHotKeyCount; ++index) {
        table.keyCode[index] = LOBYTE(keys[index]);
        table.modifiers[index] = HIBYTE(keys[index]);
    }
}

void CHotKeyDialog::OnOK()
{
    const KeyWords keys = ReadKeys();
    for (int i = 1; i < kHotKeyCount; ++i) {
        for (int j = 0; j < i; ++j) {
            // Two empty controls are no duplicate.
            if (keys[i] && keys[i] == keys[j]) {
                MessageBox(AfxLoadString(IDS_HOTKEY_DUPLICATE));
                return;
            }
        }
    }
    StoreKeys(keys);
    // The table is in the shared block now; a failed save leaves the dialog
    // open, so the user may try again or cancel.
    if (AfxRunReporting([this] { m_hotkeys->SaveHotKeys(); }))
        EndDialog(IDOK);
}

void CHotKeyDialog::OnReload()
{
    if (AfxRunReporting([this] { m_hotkeys->LoadHotKeys(); }))
        ShowKeys();
}

bool CHotKeyDialog::OnCommand(UINT id, UINT code, HWND control)
{
    return DispatchCommand(this, kCommands, id, code) || CDialog::OnCommand(id, code, control);
}
