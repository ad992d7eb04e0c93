#include "extension_registration.h"

#include <vector>

#include "display_panel_contract.h"
#include "extension_ids.h"
#include "handles.h"
#include "module_files.h"

// The description in the stand-in applet's version resource, defined where
// the applet's version resource is made (host/CMakeLists.txt).
#ifndef VQX_STAND_IN_APPLET_DESCRIPTION
#error "VQX_STAND_IN_APPLET_DESCRIPTION must be the applet's file description"
#endif

namespace displaypanel {

namespace {

std::string JoinPath(const std::string& folder, const char* file)
{
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/')
        return folder + file;
    return folder + "\\" + file;
}

std::string ClassKey(const HandlerRegistration& handler)
{
    return "CLSID\\" + handler.classId;
}

std::string HandlerKey(const HandlerRegistration& handler)
{
    return handler.handlersKey + "\\" + handler.handlerName;
}

LONG DeleteKeyIfPresent(HKEY root, const std::string& subKey)
{
    const LONG result = RegDeleteKeyA(root, subKey.c_str());
    return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
}

// The FileDescription of the file's version resource, in the first
// language it lists; "" when it has none.
std::string FileDescription(const std::string& path)
{
    std::vector<char> data = ReadVersionResource(path.c_str());
    if (data.empty())
        return "";
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &length) ||
        length < sizeof(Translation))
        return "";
    char query[64];
    wsprintfA(query, "\\StringFileInfo\\%04x%04x\\FileDescription", translations[0].language, translations[0].codePage);
    char* text = nullptr;
    if (!VerQueryValueA(data.data(), query, reinterpret_cast<void**>(&text), &length) || !text)
        return "";
    return std::string(text, strnlen(text, length));
}

} // namespace

HandlerRegistration ProductRegistration(const std::string& folder)
{
    return { kExtensionClassIdText, JoinPath(folder, kExtensionFileName), kExtensionHandlerName };
}

LONG RegisterHandler(const HandlerRegistration& handler)
{
    CRegKey server;
    LONG result = server.Create(HKEY_CLASSES_ROOT, (ClassKey(handler) + "\\InprocServer32").c_str());
    if (result == ERROR_SUCCESS)
        result = server.SetString(nullptr, handler.libraryPath);
    if (result == ERROR_SUCCESS)
        result = server.SetString("ThreadingModel", "Apartment");
    if (result != ERROR_SUCCESS)
        return result;

    CRegKey handlerKey;
    result = handlerKey.Create(HKEY_LOCAL_MACHINE, HandlerKey(handler).c_str());
    if (result == ERROR_SUCCESS)
        result = handlerKey.SetString(nullptr, handler.classId);
    return result;
}

LONG UnregisterHandler(const HandlerRegistration& handler)
{
    // Subkeys first: the NT family deletes only keys without subkeys.
    LONG result = DeleteKeyIfPresent(HKEY_LOCAL_MACHINE, HandlerKey(handler));
    const LONG server = DeleteKeyIfPresent(HKEY_CLASSES_ROOT, ClassKey(handler) + "\\InprocServer32");
    const LONG classKey = DeleteKeyIfPresent(HKEY_CLASSES_ROOT, ClassKey(handler));
    if (result == ERROR_SUCCESS)
        result = server;
    if (result == ERROR_SUCCESS)
        result = classKey;
    return result;
}

bool IsStandInApplet(const std::string& path)
{
    return FileDescription(path) == VQX_STAND_IN_APPLET_DESCRIPTION;
}

AppletResult InstallApplet(const std::string& appletFile, const std::string& systemFolder)
{
    if (!IsStandInApplet(appletFile)) {
        SetLastError(ERROR_BAD_FORMAT);  // not the file this system builds
        return AppletResult::Failed;
    }
    const std::string target = JoinPath(systemFolder, kAppletFile);
    if (GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES && !IsStandInApplet(target))
        return AppletResult::NotOurs;
    return CopyFileA(appletFile.c_str(), target.c_str(), FALSE) ? AppletResult::Done : AppletResult::Failed;
}

AppletResult RemoveApplet(const std::string& systemFolder)
{
    const std::string target = JoinPath(systemFolder, kAppletFile);
    if (GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES)
        return AppletResult::Absent;
    if (!IsStandInApplet(target))
        return AppletResult::NotOurs;
    return DeleteFileA(target.c_str()) ? AppletResult::Done : AppletResult::Failed;
}

} // namespace displaypanel
