#include "text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace vqxsim {

std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text(length > 0 ? length : 0, '\0');
    if (length > 0)
        std::vsnprintf(&text[0], length + 1, format, args);
    va_end(args);
    return text;
}

unsigned CopyOut(const std::string& text, char* buffer, unsigned size)
{
    if (buffer && size) {
        size_t n = text.size() < size - 1 ? text.size() : size - 1;
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
    }
    return static_cast<unsigned>(text.size());
}

} // namespace vqxsim
