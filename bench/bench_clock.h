// What the benchmarks share: a high-resolution clock, medians and the
// folder of the running program (the binaries' folder).
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace bench {

inline LARGE_INTEGER Now()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t;
}

inline double Milliseconds(const LARGE_INTEGER& from)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return (Now().QuadPart - from.QuadPart) * 1000.0 / frequency.QuadPart;
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// With a trailing backslash.
inline std::string ProgramFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string folder = path;
    return folder.erase(folder.find_last_of("\\/") + 1);
}

} // namespace bench
