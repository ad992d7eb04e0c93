// Typed access to functions looked up by name at run time.
#pragma once

#include <windows.h>

// `address` as a pointer to a function of type T (through void*, which is
// how a looked-up function is meant to be converted).
template <class T>
T FunctionCast(FARPROC address)
{
    return reinterpret_cast<T>(reinterpret_cast<void*>(address));
}

// The function `name` of `module` as type T, or null.
template <class T>
T GetProcAddressAs(HMODULE module, const char* name)
{
    return FunctionCast<T>(GetProcAddress(module, name));
}
