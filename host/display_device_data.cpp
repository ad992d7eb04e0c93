#include "display_device_data.h"

#include <cstring>

#include "text.h"
#include "display_panel_contract.h"
#include "handles.h"

CComPtr<IDataObject> CDisplayDeviceDataObject::Create(const std::wstring& deviceName)
{
    // The returned pointer owns the first reference; the object frees itself
    // when its last reference goes (Release).
    return CComPtr<IDataObject>::Adopt(new CDisplayDeviceDataObject(deviceName));
}

CComPtr<IDataObject> CDisplayDeviceDataObject::Create(const std::string& deviceName)
{
    return Create(WidenAnsi(deviceName));
}

CLIPFORMAT CDisplayDeviceDataObject::Format()
{
    static const CLIPFORMAT format =
        static_cast<CLIPFORMAT>(RegisterClipboardFormatA(displaypanel::kDisplayDeviceFormat));
    return format;
}

STDMETHODIMP CDisplayDeviceDataObject::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
        *object = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CDisplayDeviceDataObject::AddRef()
{
    return InterlockedIncrement(&m_references);
}

STDMETHODIMP_(ULONG) CDisplayDeviceDataObject::Release()
{
    LONG left = InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return left;
}

STDMETHODIMP CDisplayDeviceDataObject::QueryGetData(FORMATETC* format)
{
    if (!format)
        return E_INVALIDARG;
    if (format->cfFormat != Format())
        return DV_E_FORMATETC;
    if (format->lindex != -1)
        return DV_E_LINDEX;
    if (format->dwAspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!(format->tymed & TYMED_HGLOBAL))
        return DV_E_TYMED;
    return S_OK;
}

STDMETHODIMP CDisplayDeviceDataObject::GetData(FORMATETC* format, STGMEDIUM* medium)
{
    if (!medium)
        return E_INVALIDARG;
    HRESULT served = QueryGetData(format);
    if (FAILED(served))
        return served;

    const size_t bytes = (m_deviceName.size() + 1) * sizeof(wchar_t);
    CGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory)
        return E_OUTOFMEMORY;
    {
        CGlobalLock lock(memory);
        if (!lock.Data())
            return E_OUTOFMEMORY;
        std::memcpy(lock.Data(), m_deviceName.c_str(), bytes);
    }
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory.Release();
    medium->pUnkForRelease = nullptr;  // the caller frees the memory itself
    return S_OK;
}

STDMETHODIMP CDisplayDeviceDataObject::GetDataHere(FORMATETC*, STGMEDIUM*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CDisplayDeviceDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out)
{
    if (out)
        out->ptd = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CDisplayDeviceDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CDisplayDeviceDataObject::EnumFormatEtc(DWORD, IEnumFORMATETC** enumerator)
{
    if (enumerator)
        *enumerator = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CDisplayDeviceDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CDisplayDeviceDataObject::DUnadvise(DWORD)
{
    return E_NOTIMPL;
}

STDMETHODIMP CDisplayDeviceDataObject::EnumDAdvise(IEnumSTATDATA** enumerator)
{
    if (enumerator)
        *enumerator = nullptr;
    return E_NOTIMPL;
}
