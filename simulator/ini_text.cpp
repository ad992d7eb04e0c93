#include "ini_text.h"

#include <windows.h>

namespace vqxsim {
namespace {

std::string Trim(const std::string& s)
{
    const char* blanks = " \t\r";
    size_t first = s.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    size_t last = s.find_last_not_of(blanks);
    return s.substr(first, last - first + 1);
}

} // namespace

bool EqualsNoCase(const std::string& a, const char* b)
{
    return lstrcmpiA(a.c_str(), b) == 0;
}

int ParseIni(const char* text, std::vector<IniLine>& lines)
{
    lines.clear();
    std::string section;
    int number = 0;
    const char* p = text;
    while (*p) {
        const char* end = p;
        while (*end && *end != '\n')
            ++end;
        std::string line = Trim(std::string(p, end));
        p = *end ? end + 1 : end;
        ++number;
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line[0] == '[') {
            if (line.back() != ']' || line.size() < 3)
                return number;
            section = Trim(line.substr(1, line.size() - 2));
            lines.push_back({ number, section, std::string(), std::string() });
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0 || section.empty())
            return number;
        std::string key = Trim(line.substr(0, equals));
        if (key.empty())
            return number;
        lines.push_back({ number, section, key, Trim(line.substr(equals + 1)) });
    }
    return 0;
}

} // namespace vqxsim
