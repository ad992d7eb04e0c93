// What every part of the gallery shares: the resource library, the output
// folder and the list of pictures written so far (for index.html).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace gallery {

struct Shot {
    std::string section;  // heading in index.html
    std::string file;     // PNG file name inside the output folder
    std::string caption;
};

struct Context {
    HMODULE resources = nullptr;
    std::string outputDir;  // ends with a backslash
    std::vector<Shot> shots;

    std::string Text(int id) const;
    // Adds a shot if `saved`; reports a failure on stderr otherwise.
    void Record(bool saved, const std::string& section, const std::string& file, const std::string& caption);
};

}  // namespace gallery
