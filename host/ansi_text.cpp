#include "ansi_text.h"

#include <windows.h>

std::wstring WidenAnsi(const std::string& text)
{
    std::wstring wide;
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length > 1) {
        wide.resize(length);
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
        wide.resize(length - 1);  // the terminator stays out of the string
    }
    return wide;
}
