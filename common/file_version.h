// The version resource of a file: the four parts of its file version.
#pragma once

#include <windows.h>

#include <string>

struct FileVersion {
    WORD parts[4];  // most significant first: 6.14.1.2 is {6, 14, 1, 2}
};

// Reads the fixed version record of `fileName` (found as the system finds
// libraries when it has no folder); false when the file or its version
// resource is missing.
bool ReadFileVersion(const char* fileName, FileVersion& version);

// The four parts of the file's version filled into string `formatId` of
// the module's resource handle; "" when the version cannot be read.
std::string FormatFileVersion(const char* fileName, UINT formatId);

class CWnd;

// Fills the copyright lines at the foot of the product's boxes and pages
// (controls IDC_COPYRIGHT_YEARS and IDC_COPYRIGHT_NOTICE of `dialog`): the
// year range from `firstYear` to the last year, and the notice.
void FillCopyrightFooter(CWnd& dialog, int firstYear);
