#include "text.h"

#include <cstdarg>
#include <cstdio>

namespace {

// A string table entry holds at most 65535 UTF-16 units, two bytes each at
// most in an ANSI code page, plus the terminator and the slack below.
const size_t kLargestStringBuffer = 2 * 65535 + 3;

} // namespace

std::string AfxLoadString(UINT id, HINSTANCE from)
{
    // LoadStringA cannot tell a string's length and cuts it to the buffer, so
    // the buffer grows until the string leaves two bytes free: a cut may fall
    // one byte early, before a double-byte character.
    std::string text;
    for (size_t size = 256;; size *= 2) {
        text.resize(size);
        const int length = LoadStringA(from, id, &text[0], static_cast<int>(size));
        if (length <= 0)
            return std::string();
        if (static_cast<size_t>(length) + 2 < size || size >= kLargestStringBuffer) {
            text.resize(static_cast<size_t>(length));
            return text;
        }
    }
}

std::string AfxGetWindowText(HWND window)
{
    // The length may exceed what GetWindowTextA copies (double-byte texts),
    // never fall short of it.
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

std::string AfxFormatString(UINT formatId, ...)
{
    const std::string format = AfxLoadString(formatId);
    if (format.empty())
        return format;
    va_list args;
    va_start(args, formatId);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format.c_str(), args);
    va_end(args);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(&text[0], text.size(), format.c_str(), again);
        text.resize(static_cast<size_t>(length));
    }
    va_end(again);
    return text;
}
