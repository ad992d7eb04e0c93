#include "file_version.h"

#include <vector>

#include "resource_ids.h"
#include "text.h"

bool ReadFileVersion(const char* fileName, FileVersion& version)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(fileName, &handle);
    if (size == 0)
        return false;
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(fileName, 0, size, data.data()))
        return false;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info ||
        length < sizeof(VS_FIXEDFILEINFO))
        return false;
    version.parts[0] = HIWORD(info->dwFileVersionMS);
    version.parts[1] = LOWORD(info->dwFileVersionMS);
    version.parts[2] = HIWORD(info->dwFileVersionLS);
    version.parts[3] = LOWORD(info->dwFileVersionLS);
    return true;
}

std::string FormatFileVersion(const char* fileName, UINT formatId)
{
    FileVersion version;
    if (!ReadFileVersion(fileName, version))
        return std::string();
    return AfxFormatString(formatId, version.parts[0], version.parts[1], version.parts[2], version.parts[3]);
}

std::string CopyrightYears(int firstYear)
{
    constexpr int kLastYear = 2003;
    return AfxFormatString(IDS_FMT_COPYRIGHT_YEARS, firstYear, kLastYear);
}
