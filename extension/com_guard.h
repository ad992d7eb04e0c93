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
