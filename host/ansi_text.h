// Text in the system's ANSI code page as UTF-16.
#pragma once

#include <string>

std::wstring WidenAnsi(const std::string& text);
