// What the benchmarks share: a high-resolution clock and medians.
#pragma once

#include <windows.h>

#include <algorithm>
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

} // namespace bench
