// Texts of the resource library VQXRES.DLL, for comparing with what the
// system shows: the expected text is built from the same string, so a test
// checks which message and value were chosen, not the wording.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace testsupport {

// String `id` of VQXRES.DLL as loaded in this process (the service library
// keeps it loaded); "" and a test failure when it is missing.
std::string ResourceString(UINT id);

// String `id` as a format with one integer placeholder, filled with `value`:
// how the service library builds its error texts (and the countdown).
std::string ResourceString(UINT id, int value);

// String `format` of VQXRES.DLL filled like printf with `values`.
template <class... Values>
std::string FormatResource(UINT format, Values... values)
{
    const std::string text = ResourceString(format);
    std::vector<char> filled(text.size() + 64);
    std::snprintf(filled.data(), filled.size(), text.c_str(), values...);
    return filled.data();
}

} // namespace testsupport
