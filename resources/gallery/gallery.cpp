// The gallery of VQXRES.DLL: shows every dialog template with sample content
// (pages inside a real property sheet), the tray menu, the tray program
// running on the simulated adapter, Display Properties with the extension
// at work, the icon and every bitmap, saves each as
// PNG and writes index.html.
//
//     vqx_gallery.exe OUTPUT_FOLDER
#include "gallery_context.h"
#include "html_index.h"
#include "menu_capture.h"
#include "message_pump.h"
#include "picture_export.h"
#include "resource_catalogue.h"
#include "running_pages.h"
#include "running_tray.h"
#include "sample_content.h"
#include "screenshot.h"
#include "text.h"
#include "winapp.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace gallery {

std::string Context::Text(int id) const
{
    return AfxLoadString(static_cast<UINT>(id), resources);
}

void Context::Record(bool saved, const std::string& section, const std::string& file, const std::string& caption)
{
    if (saved)
        shots.push_back({ section, file, caption });
    else
        std::fprintf(stderr, "gallery: could not save %s\n", caption.c_str());
}

namespace {

using vqxres::DialogInfo;
using vqxres::Screen;

const DialogInfo& Find(int id)
{
    for (const DialogInfo& dialog : vqxres::kDialogs)
        if (dialog.id == id)
            return dialog;
    return vqxres::kDialogs[0];
}

bool Photograph(HWND window, const std::string& path)
{
    SetWindowPos(window, HWND_TOP, 24, 24, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    testsupport::PumpMessages(300);
    return testsupport::SaveWindowPng(window, path);
}

bool CaptureBox(const Sample& sample, const std::string& path)
{
    HWND box = CreateDialogParamA(sample.context->resources, MAKEINTRESOURCEA(sample.dialog->id), nullptr, SampleDialogProc,
                                  reinterpret_cast<LPARAM>(&sample));
    if (!box)
        return false;
    const bool saved = Photograph(box, path);
    DestroyWindow(box);
    return saved;
}

// A page is shown in the sheet it belongs to: the information and
// display-devices pages in "Display Properties", the configuration and
// reduce-on pages in the advanced sheet.
bool CaptureInSheet(const Sample& sample, const std::string& path)
{
    const Context& context = *sample.context;
    const bool displayProperties = sample.dialog->screen == Screen::Information || sample.dialog->screen == Screen::DisplayDevices;
    std::vector<Sample> pages;
    if (displayProperties) {
        pages.push_back(sample.dialog->screen == Screen::Information ? sample : Sample{ &Find(IDD_INFO_PAGE), 0, &context, sample.pictures });
        pages.push_back(sample.dialog->screen == Screen::DisplayDevices ? sample : Sample{ &Find(IDD_DEVICES_DA_DV_RT), 0, &context, sample.pictures });
    } else {
        pages.push_back(sample.dialog->screen == Screen::Configuration ? sample : Sample{ &Find(IDD_CONFIG_DUALVIEW), 0, &context, sample.pictures });
        pages.push_back(sample.dialog->screen == Screen::ReduceOn ? sample : Sample{ &Find(IDD_REDUCE_ON_PAGE), 0, &context, sample.pictures });
    }
    std::vector<std::string> titles;
    for (const Sample& page : pages)
        titles.push_back(page.dialog->screen == Screen::Information ? context.Text(IDS_INFO_PAGE_TITLE)
                         : page.dialog->screen == Screen::DisplayDevices ? context.Text(IDS_DEVICES_PAGE_TITLE) : "");
    std::vector<PROPSHEETPAGEA> descriptions(pages.size());
    int start = 0;
    for (size_t i = 0; i < pages.size(); ++i) {
        PROPSHEETPAGEA& page = descriptions[i];
        page = {};
        page.dwSize = sizeof(page);
        page.dwFlags = PSP_DEFAULT | (titles[i].empty() ? 0 : PSP_USETITLE);
        page.hInstance = context.resources;
        page.pszTemplate = MAKEINTRESOURCEA(pages[i].dialog->id);
        page.pszTitle = titles[i].c_str();
        page.pfnDlgProc = SampleDialogProc;
        page.lParam = reinterpret_cast<LPARAM>(&pages[i]);
        if (pages[i].dialog == sample.dialog)
            start = static_cast<int>(i);
    }
    const std::string caption = displayProperties ? "Display Properties" : context.Text(IDS_ADVANCED_SHEET_CAPTION);
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_NOCONTEXTHELP;
    header.hInstance = context.resources;
    header.pszCaption = caption.c_str();
    header.nPages = static_cast<UINT>(descriptions.size());
    header.nStartPage = static_cast<UINT>(start);
    header.ppsp = descriptions.data();
    HWND sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
    if (!sheet)
        return false;
    const bool saved = Photograph(sheet, path);
    DestroyWindow(sheet);
    testsupport::PumpMessages(50);
    return saved;
}

void CaptureDialogs(Context& context)
{
    for (const DialogInfo& dialog : vqxres::kDialogs) {
        for (int state = 0; state < StateCount(dialog); ++state) {
            PictureControls pictures;
            const Sample sample = { &dialog, state, &context, &pictures };
            const std::string file = "dialog_" + std::to_string(dialog.id) + (state ? "_" + std::to_string(state) : "") + ".png";
            const bool saved = dialog.kind == vqxres::DialogKind::Page ? CaptureInSheet(sample, context.outputDir + file)
                                                                       : CaptureBox(sample, context.outputDir + file);
            context.Record(saved, "Dialogs", file, std::to_string(dialog.id) + ": " + dialog.name + StateName(dialog, state));
        }
    }
}

}  // namespace

}  // namespace gallery

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: vqx_gallery OUTPUT_FOLDER\n");
        return 2;
    }
    // The classic look of the systems the product is for, also where the
    // system would theme the sheets.
    if (HMODULE uxtheme = LoadLibraryA("uxtheme.dll")) {
        using SetProperties = void(WINAPI*)(DWORD);
        if (auto set = reinterpret_cast<SetProperties>(reinterpret_cast<void*>(GetProcAddress(uxtheme, "SetThemeAppProperties"))))
            set(0);
    }
    INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_WIN95_CLASSES };
    InitCommonControlsEx(&controls);

    gallery::Context context;
    context.outputDir = argv[1];
    if (context.outputDir.back() != '\\' && context.outputDir.back() != '/')
        context.outputDir += '\\';
    CreateDirectoryA(context.outputDir.c_str(), nullptr);
    context.resources = LoadLibraryA("VQXRES.DLL");
    if (!context.resources) {
        std::fprintf(stderr, "gallery: VQXRES.DLL not found\n");
        return 1;
    }
    // The picture control loads its pictures from here, as in the programs.
    AfxSetResourceHandle(context.resources);
    gallery::CaptureDialogs(context);
    gallery::CaptureTrayMenu(context);
    gallery::CaptureRunningTray(context);
    gallery::CaptureRunningPages(context);
    gallery::ExportIcon(context);
    gallery::ExportBitmaps(context);
    const bool written = gallery::WriteIndex(context);
    std::printf("gallery: %u pictures in %s\n", static_cast<unsigned>(context.shots.size()), context.outputDir.c_str());
    FreeLibrary(context.resources);
    return written ? 0 : 1;
}
