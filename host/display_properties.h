// The Display control panel's property sheet for one display device.
#pragma once

#include <windows.h>

#include <string>

#include "display_panel_contract.h"

namespace displaypanel {

// Shows the modal "Display Properties" sheet of `deviceName` with the pages
// of every property-sheet handler registered under `handlersKey` of
// HKEY_LOCAL_MACHINE, owned by `owner`.  COM is initialised for the call;
// when the calling thread is already in the multithreaded apartment the
// sheet runs on a thread of its own in a single-threaded apartment while
// the caller waits (answering its messages).  After the sheet has closed
// every object is released and libraries without live objects are freed,
// so an extension's unload path runs before this returns.  A handler that
// fails or throws is left out; the others' pages still show.  When no
// handler adds a page a message box says so; when the sheet cannot be shown
// at all, one box with the sheet's caption says why.  Never throws.
// Returns PropertySheetA's result (IDOK, IDCANCEL, -1), or 0 when there was
// no page or no sheet could be shown.
INT_PTR ShowDisplayProperties(HWND owner, const std::wstring& deviceName,
                              const char* handlersKey = kPropertySheetHandlersKey);

} // namespace displaypanel
