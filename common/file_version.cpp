#include "file_version.h"

#include <vector>

#include "module_files.h"
#include "resource_ids.h"
#include "text.h"
#include "wnd.h"

bool ReadFileVersion(const char* fileName, FileVersion& version)
{
    std::vector<char> data = ReadVersionResource(fileName);
    if (data.empty())
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

void FillCopyrightFooter(CWnd& dialog, int firstYear)
{
    constexpr int kLastYear = 2003;
    dialog.SetDlgItemText(IDC_COPYRIGHT_YEARS, AfxFormatString(IDS_FMT_COPYRIGHT_YEARS, firstYear, kLastYear));
    dialog.SetDlgItemText(IDC_COPYRIGHT_NOTICE, AfxLoadString(IDS_COPYRIGHT_NOTICE));
}
