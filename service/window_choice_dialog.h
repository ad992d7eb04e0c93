// CWindowChoiceDialog: the modal dialog in which the user chooses the two
// application windows of dual application, one for each half of the
// desktop.  Each list offers "no window" and every suitable top-level
// window; Refresh fills both lists again and keeps the selections whose
// windows are still there.
#pragma once

#include "framework.h"

class CWindowChoiceDialog : public CDialog {
public:
    CWindowChoiceDialog();

    // The chosen windows (null: none); set when the dialog ends with IDOK.
    HWND m_firstWindow = nullptr;
    HWND m_secondWindow = nullptr;

protected:
    BOOL OnInitDialog() override;
    // Refuses the same window for both halves and stays open then.
    void OnOK() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    void OnRefresh();
    void FillList(int listId);
    // The item data of the list's selection; null when nothing is selected.
    HWND SelectedWindow(int listId) const;
};
