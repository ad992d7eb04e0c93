// Texts as std::string, of any length:
//   AfxLoadString     a string of a module's string table
//   AfxGetWindowText  the text of a window or control
#pragma once

#include <windows.h>

#include <string>

#include "winapp.h"

// String `id` of `from` (the module's resource handle unless told); "" when
// the module has no such string.
std::string AfxLoadString(UINT id, HINSTANCE from = AfxGetResourceHandle());

// The text of `window`; "" for a window without text or a null handle.
std::string AfxGetWindowText(HWND window);
