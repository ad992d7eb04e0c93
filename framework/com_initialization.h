// CComInitialization: COM initialised for the calling thread (apartment
// model) for a scope; uninitialised again at its end when it was.
#pragma once

#include <objbase.h>

class CComInitialization {
public:
    CComInitialization() : m_result(CoInitialize(nullptr)) {}
    ~CComInitialization()
    {
        if (SUCCEEDED(m_result))
            CoUninitialize();
    }
    CComInitialization(const CComInitialization&) = delete;
    CComInitialization& operator=(const CComInitialization&) = delete;

    // Whether COM can be used on this thread (S_FALSE, already initialised,
    // counts too).
    explicit operator bool() const { return SUCCEEDED(m_result); }

    // CoInitialize's answer: RPC_E_CHANGED_MODE when the thread is already
    // in the multithreaded apartment.
    HRESULT Result() const { return m_result; }

private:
    HRESULT m_result;
};
