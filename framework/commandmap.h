// A small static table per class from command ids to member handlers:
//
//   static const CommandEntry<CMyDialog> kCommands[] = {
//       { IDC_REFRESH, BN_CLICKED, &CMyDialog::OnRefresh },
//       { IDC_DEVICES, CBN_SELCHANGE, &CMyDialog::OnDevicesChanged },
//   };
//   bool CMyDialog::OnCommand(UINT id, UINT code, HWND control)
//   {
//       return DispatchCommand(this, kCommands, id, code) || CDialog::OnCommand(id, code, control);
//   }
#pragma once

#include <windows.h>

#include <cstddef>

template <class T>
struct CommandEntry {
    UINT id;
    UINT code;  // notification code; BN_CLICKED (0) also matches menu commands
    void (T::*handler)();
};

// Runs the handler for (id, code); false when the table has none.
template <class T, size_t N>
bool DispatchCommand(T* self, const CommandEntry<T> (&table)[N], UINT id, UINT code)
{
    for (const CommandEntry<T>& entry : table) {
        if (entry.id == id && entry.code == code) {
            (self->*entry.handler)();
            return true;
        }
    }
    return false;
}
