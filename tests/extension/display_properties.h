// The Display Properties sheet built around the extension as the Display
// control panel builds it, for the tests and the probe program (no
// GoogleTest here):
//
//   ExtensionLibrary        VQXPage.dll loaded from the program's folder and
//                           asked for its pages through its COM objects
//   DisplayPropertiesSheet  pages in a modeless sheet of the calling thread,
//                           driven by messages as Wine's comctl32 tests do
//   InitializeFor, AddPagesOf, InitializeAndAddPages
//                           the steps by which the Display control panel
//                           asks an extension object for its pages
#pragma once

#include <windows.h>
#include <prsht.h>
#include <shlobj.h>

#include <string>

#include "handles.h"
#include "property_sheet_pages.h"

namespace extensiontest {

// IShellExtInit::Initialize with a data object naming `deviceName` (null:
// no data object), released again on return; Initialize's result.
HRESULT InitializeFor(IShellExtInit& init, const char* deviceName);
// The object's IShellPropSheetExt (E_NOINTERFACE without one) asked to add
// its pages through `addPage`; AddPages's result.
HRESULT AddPagesOf(IShellExtInit& init, LPFNADDPROPSHEETPAGE addPage, LPARAM lParam);
// Both, as the Display control panel does, with the data object kept until
// the pages are added; the first failing step's result, else AddPages's.
HRESULT InitializeAndAddPages(IShellExtInit& init, const std::string& deviceName, LPFNADDPROPSHEETPAGE addPage,
                              LPARAM lParam);

class ExtensionLibrary {
public:
    ExtensionLibrary();
    // Unloads the library: every sheet showing its pages must be gone.
    ~ExtensionLibrary() = default;

    bool Loaded() const { return static_cast<bool>(m_library); }

    // DllGetClassObject, CreateInstance(IID_IShellExtInit), Initialize with
    // a data object naming `deviceName`, IShellPropSheetExt, AddPages into
    // `pages`; every object released again.  The first failing step's
    // result, else S_OK.
    HRESULT AddPages(const std::string& deviceName, CPropertySheetPages& pages) const;

    // The library's DllCanUnloadNow.
    HRESULT CanUnloadNow() const;

private:
    CModule m_library;
};

class DisplayPropertiesSheet {
public:
    // Shows `pages` (the sheet takes them over) in a modeless sheet of this
    // thread; Handle() is null when it could not be made.
    DisplayPropertiesSheet(const std::string& caption, CPropertySheetPages& pages);
    ~DisplayPropertiesSheet() { Close(); }
    DisplayPropertiesSheet(const DisplayPropertiesSheet&) = delete;
    DisplayPropertiesSheet& operator=(const DisplayPropertiesSheet&) = delete;

    HWND Handle() const { return m_sheet; }
    // Makes page `index` the current one and returns its window.
    HWND Select(int index) const;
    HWND CurrentPage() const;

    // Presses Cancel and destroys the sheet (a modeless sheet only hides
    // its pages when a button ends it); the sheet then releases its pages.
    void Close();

private:
    HWND m_sheet = nullptr;
};

} // namespace extensiontest
