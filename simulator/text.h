// printf-style formatting into std::string for the readable dumps.
#pragma once

#include <string>

namespace vqxsim {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Copies text into a caller's buffer (NUL-terminated, truncated to size);
// returns the text's full length.
unsigned CopyOut(const std::string& text, char* buffer, unsigned size);

} // namespace vqxsim
