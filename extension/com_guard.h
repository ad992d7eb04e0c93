// Every COM method of the extension runs behind this guard: a C++ exception
// must never cross into the shell, so it becomes an HRESULT.
#pragma once

#include <windows.h>

#include <new>

#include "framework.h"

template <class Body>
HRESULT ComGuarded(Body&& body)
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return E_UNEXPECTED;
}

// Makes a new `Object` (whose count starts at 1) and hands out its interface
// `riid`; the creation reference is released, so the caller's reference, if
// any, is the only one.
template <class Object>
HRESULT CreateComObject(REFIID riid, void** object)
{
    Object* created = new (std::nothrow) Object;
    if (!created)
        return E_OUTOFMEMORY;
    const HRESULT result = created->QueryInterface(riid, object);
    created->Release();
    return result;
}
