// CDisplayDeviceDataObject: the data object the Display control panel hands
// each property-sheet extension in IShellExtInit::Initialize.  It serves one
// thing, the name of the display device whose properties are shown, in the
// format registered as displaypanel::kDisplayDeviceFormat (aspect
// DVASPECT_CONTENT, index -1, TYMED_HGLOBAL, a NUL-terminated UTF-16 string
// in a new HGLOBAL that the caller frees).  Everything else is refused or
// not implemented.
#pragma once

#include <objidl.h>

#include <string>

#include "com_ptr.h"

class CDisplayDeviceDataObject final : public IDataObject {
public:
    // A new object holding `deviceName` ("\\.\DISPLAY1", ...); the returned
    // pointer owns its only reference.
    static CComPtr<IDataObject> Create(const std::wstring& deviceName);
    // The same for a name in the system's ANSI code page.
    static CComPtr<IDataObject> Create(const std::string& deviceName);

    // The clipboard format the device name is served in (registered on
    // first use).
    static CLIPFORMAT Format();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDataObject
    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP QueryGetData(FORMATETC* format) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) override;
    STDMETHODIMP DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
    STDMETHODIMP DUnadvise(DWORD connection) override;
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA** enumerator) override;

private:
    explicit CDisplayDeviceDataObject(const std::wstring& deviceName) : m_deviceName(deviceName) {}
    ~CDisplayDeviceDataObject() = default;

    LONG m_references = 1;
    const std::wstring m_deviceName;
};
