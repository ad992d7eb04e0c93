// Loads the property-sheet handlers registered for the Display control
// panel and collects their pages, as the shell does for its property
// sheets, but releasing every handler object once it has added its pages
// (the system's loader of some versions keeps one reference forever, so the
// handler's library could never be unloaded).
#pragma once

#include <windows.h>
#include <objidl.h>

#include "display_panel_contract.h"
#include "property_sheet_pages.h"

namespace displaypanel {

// For each subkey of HKEY_LOCAL_MACHINE\`handlersKey` (whose name, or else
// whose default value, is a class id): creates the in-process object with
// IShellExtInit, initialises it with `data` and the handler's key, asks its
// IShellPropSheetExt for pages into `pages`, and releases it.  A handler
// that fails at any step (a failure result or a C++ exception) is skipped,
// and the pages it added before it failed are destroyed; the other handlers
// still load.  Returns how many handlers added their pages without failing.
int LoadPropertySheetHandlers(IDataObject* data, CPropertySheetPages& pages,
                              const char* handlersKey = kPropertySheetHandlersKey);

} // namespace displaypanel
