// Texts as std::string, of any length:
//   AfxLoadString     a string of a module's string table
//   AfxGetWindowText  the text of a window or control
//   AfxFormatString   a string of the module's string table used as a
//                     printf format
//   WidenAnsi, NarrowToAnsi   between the system's ANSI code page and UTF-16
#pragma once

#include <windows.h>

#include <string>

#include "winapp.h"

// String `id` of `from` (the module's resource handle unless told); "" when
// the module has no such string.
std::string AfxLoadString(UINT id, HINSTANCE from = AfxGetResourceHandle());

// String `formatId` of the module's resource handle filled like printf with
// the arguments (the formats of the resource library take %d and %u, and
// %s with a C string); "" when the string is missing.
std::string AfxFormatString(UINT formatId, ...);

// The text of `window`; "" for a window without text or a null handle.
std::string AfxGetWindowText(HWND window);

// Text in the system's ANSI code page as UTF-16, and back; `length` UTF-16
// units are converted, terminator or not.
std::wstring WidenAnsi(const std::string& text);
std::string NarrowToAnsi(const wchar_t* text, size_t length);
