// The identity of the Display Properties extension VQXPage.dll: its class
// id (as text for the registry, and as the CLSID the class factory answers
// for), its file and the name of its property-sheet handler key.
#pragma once

#include <windows.h>

// {7C3A91D2-4E6B-11D5-8F20-3B6D1A5C9E47}; the two spellings must agree
// (checked by the registration tests).
constexpr char kExtensionClassIdText[] = "{7C3A91D2-4E6B-11D5-8F20-3B6D1A5C9E47}";
constexpr CLSID kExtensionClassId = {
    0x7C3A91D2, 0x4E6B, 0x11D5, { 0x8F, 0x20, 0x3B, 0x6D, 0x1A, 0x5C, 0x9E, 0x47 } };

// The library's file name and the subkey under the Display control panel's
// property-sheet handlers that names it.
constexpr char kExtensionFileName[] = "VQXPage.dll";
constexpr char kExtensionHandlerName[] = "VQXPage";
