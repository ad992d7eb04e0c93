// vqxregister: registers the Display Properties extension with the Display
// control panel and installs the stand-in panel, or removes both.
//
//   vqxregister install <folder>   registers <folder>\VQXPage.dll and copies
//                                  <folder>\desk.cpl into the system folder
//                                  unless a desk.cpl not ours is there
//   vqxregister remove             unregisters the extension and deletes
//                                  the system folder's desk.cpl if ours
//
// Exit codes: 0 done, 1 usage, 2 not installed because a desk.cpl not ours
// is there, 3 a step failed.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "display_panel_contract.h"
#include "extension_ids.h"
#include "extension_registration.h"

using namespace displaypanel;

namespace {

enum ExitCode { kDone = 0, kUsage = 1, kNotOurs = 2, kFailed = 3 };

std::string SystemFolder()
{
    char folder[MAX_PATH] = "";
    GetSystemDirectoryA(folder, MAX_PATH);
    return folder;
}

std::string FullPath(const char* path)
{
    char full[MAX_PATH] = "";
    char* filePart = nullptr;
    const DWORD length = GetFullPathNameA(path, MAX_PATH, full, &filePart);
    return length > 0 && length < MAX_PATH ? std::string(full) : std::string(path);
}

// Prints what happened to the applet; a desk.cpl not ours is an error only
// where ours was to be installed.
int Report(AppletResult result, const char* verb, bool installing)
{
    switch (result) {
    case AppletResult::Done:
        std::printf("%s: %s\n", kAppletFile, verb);
        return kDone;
    case AppletResult::Absent:
        std::printf("%s: not installed\n", kAppletFile);
        return kDone;
    case AppletResult::NotOurs:
        std::fprintf(installing ? stderr : stdout, "%s: the system folder has a %s of its own; left alone\n",
                      kAppletFile, kAppletFile);
        return installing ? kNotOurs : kDone;
    case AppletResult::Failed:
        break;
    }
    std::fprintf(stderr, "%s: not %s (error %lu)\n", kAppletFile, verb, GetLastError());
    return kFailed;
}

int Install(const std::string& folder)
{
    const HandlerRegistration extension = ProductRegistration(folder);
    if (GetFileAttributesA(extension.libraryPath.c_str()) == INVALID_FILE_ATTRIBUTES)
        std::fprintf(stderr, "warning: %s is not there (yet); registered anyway\n", extension.libraryPath.c_str());
    const LONG registered = RegisterHandler(extension);
    if (registered != ERROR_SUCCESS) {
        std::fprintf(stderr, "%s: not registered (error %ld)\n", kExtensionFileName, registered);
        return kFailed;
    }
    std::printf("%s: registered as %s\n", extension.libraryPath.c_str(), extension.classId.c_str());
    return Report(InstallApplet(folder + "\\" + kAppletFile, SystemFolder()), "installed", true);
}

int Remove()
{
    const LONG unregistered = UnregisterHandler(ProductRegistration(""));
    if (unregistered != ERROR_SUCCESS)
        std::fprintf(stderr, "%s: not unregistered (error %ld)\n", kExtensionFileName, unregistered);
    else
        std::printf("%s: unregistered\n", kExtensionFileName);
    const int applet = Report(RemoveApplet(SystemFolder()), "removed", false);
    return unregistered != ERROR_SUCCESS ? kFailed : applet;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "install") == 0)
        return Install(FullPath(argv[2]));
    if (argc == 2 && std::strcmp(argv[1], "remove") == 0)
        return Remove();
    std::fprintf(stderr, "usage: vqxregister install <folder>\n       vqxregister remove\n");
    return kUsage;
}
