// CDisplayPageExtension: the property-sheet extension object of one
// Display Properties sheet.  The shell hands it the display device through
// IShellExtInit, then asks it for its pages through IShellPropSheetExt (its
// primary interface and identity).  Both interfaces share one reference
// count.  The device it was given is its own: two sheets of one control
// panel process each show their own device.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

class CDisplayPageExtension : public IShellPropSheetExt, public IShellExtInit {
public:
    CDisplayPageExtension();
    virtual ~CDisplayPageExtension();

    // IUnknown (both interfaces)
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IShellPropSheetExt
    STDMETHODIMP AddPages(LPFNADDPROPSHEETPAGE addPage, LPARAM lParam) override;
    STDMETHODIMP ReplacePage(EXPPS pageId, LPFNSVADDPROPSHEETPAGE replaceWith, LPARAM lParam) override;

    // IShellExtInit
    STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* data, HKEY progIdKey) override;

private:
    LONG m_references = 1;
    // The device whose properties the sheet shows: "DISPLAY" until the
    // control panel names one.
    std::string m_deviceName;
};

// The device name the data object carries in the "Display Device" format,
// in the ANSI code page; "" when it offers none.  The medium is released as
// its data object says.
std::string ReadDisplayDeviceName(IDataObject* data);
