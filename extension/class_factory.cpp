#include "class_factory.h"

#include "com_guard.h"
#include "display_page_extension.h"
#include "extension_app.h"

CDisplayPageClassFactory::CDisplayPageClassFactory()
{
    LockModule();
}

CDisplayPageClassFactory::~CDisplayPageClassFactory()
{
    UnlockModule();
}

STDMETHODIMP CDisplayPageClassFactory::QueryInterface(REFIID riid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CDisplayPageClassFactory::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

STDMETHODIMP_(ULONG) CDisplayPageClassFactory::Release()
{
    const ULONG left = static_cast<ULONG>(InterlockedDecrement(&m_references));
    if (left == 0)
        delete this;
    return left;
}

STDMETHODIMP CDisplayPageClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    return ComGuarded([&] { return CreateComObject<CDisplayPageExtension>(riid, object); });
}

STDMETHODIMP CDisplayPageClassFactory::LockServer(BOOL)
{
    return E_NOTIMPL;
}
