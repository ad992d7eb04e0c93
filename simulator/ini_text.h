// A minimal INI reader for scenario text: sections, key=value lines and
// comment lines, each remembered with its line number for error reports.
#pragma once

#include <string>
#include <vector>

namespace vqxsim {

struct IniLine {
    int line;
    std::string section;  // as written, without brackets
    std::string key;      // empty for the section header line itself
    std::string value;
};

// Returns 0 and the lines, or the number of the first line that is neither
// blank, a comment, a section header nor key=value (or that precedes every
// section).
int ParseIni(const char* text, std::vector<IniLine>& lines);

bool EqualsNoCase(const std::string& a, const char* b);

} // namespace vqxsim
