// CDisplayPageClassFactory: makes the extension objects the shell asks for.
#pragma once

#include <windows.h>
#include <unknwn.h>

class CDisplayPageClassFactory : public IClassFactory {
public:
    CDisplayPageClassFactory();
    virtual ~CDisplayPageClassFactory();

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
    // Not supported: the shell keeps the library through its objects.
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    LONG m_references = 1;
};
