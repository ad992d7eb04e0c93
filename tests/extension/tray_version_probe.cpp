// Shows the extension's information page for one display device and tells
// by its exit code whether the page shows the tray program's version, so a
// test can run it from a folder without the tray program.
//   pages_tray_version_probe.exe DEVICE
// Exit codes: see tray_version_probe.h.
#include <windows.h>
#include <commctrl.h>

#include "display_properties.h"
#include "resource_ids.h"
#include "tray_version_probe.h"

int main(int argc, char** argv)
{
    if (argc < 2)
        return kProbeFailed;
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES };
    InitCommonControlsEx(&icc);
    const extensiontest::ExtensionLibrary extension;
    CPropertySheetPages pages;
    if (!extension.Loaded() || extension.AddPages(argv[1], pages) != S_OK || pages.Count() == 0)
        return kProbeFailed;
    extensiontest::DisplayPropertiesSheet sheet("Display Properties", pages);
    HWND page = sheet.Select(0);
    if (!page)
        return kProbeFailed;
    const bool shown = GetWindowTextLengthA(GetDlgItem(page, IDC_INFO_TRAY_VERSION)) > 0;
    sheet.Close();
    return shown ? kTrayVersionShown : kTrayVersionEmpty;
}
