// Apart from text.cpp: the service library, which every process that runs
// the hot-key hook loads, does not import what only these need.
#include "text.h"

std::wstring WidenAnsi(const std::string& text)
{
    std::wstring wide;
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length > 1) {
        wide.resize(static_cast<size_t>(length));
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
        wide.resize(static_cast<size_t>(length) - 1);  // the terminator stays out of the string
    }
    return wide;
}

std::string NarrowToAnsi(const wchar_t* text, size_t length)
{
    if (!text || length == 0)
        return std::string();
    const int units = static_cast<int>(length);
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, units, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return std::string();
    std::string narrow(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, units, &narrow[0], bytes, nullptr, nullptr);
    return narrow;
}
