#include "module_files.h"

#include <cstring>

std::string ModuleFolder(HMODULE module)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(module, path, sizeof(path));
    if (length == 0 || length >= sizeof(path))
        return std::string();
    std::string folder(path, length);
    const size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

std::string FileBesideModule(HMODULE module, const char* file)
{
    const std::string folder = ModuleFolder(module);
    if (!folder.empty()) {
        const std::string path = folder + file;
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            return path;
    }
    return file;
}

HMODULE LoadLibraryBesideModule(HMODULE module, const char* file)
{
    return LoadLibraryA(FileBesideModule(module, file).c_str());
}

bool ReadModuleVersion(HMODULE module, WORD parts[4])
{
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(VS_VERSION_INFO), MAKEINTRESOURCEA(16) /* RT_VERSION */);
    if (!found)
        return false;
    HGLOBAL loaded = LoadResource(module, found);
    const BYTE* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    const DWORD size = SizeofResource(module, found);
    if (!data)
        return false;
    // VS_VERSIONINFO: three words, the UTF-16 key "VS_VERSION_INFO" with its
    // terminator, padding to a 32-bit boundary, then VS_FIXEDFILEINFO.
    constexpr DWORD kFixedOffset = 6 + sizeof(L"VS_VERSION_INFO") + 2;
    if (size < kFixedOffset + sizeof(VS_FIXEDFILEINFO))
        return false;
    VS_FIXEDFILEINFO fixed;
    memcpy(&fixed, data + kFixedOffset, sizeof(fixed));
    if (fixed.dwSignature != VS_FFI_SIGNATURE)
        return false;
    parts[0] = HIWORD(fixed.dwFileVersionMS);
    parts[1] = LOWORD(fixed.dwFileVersionMS);
    parts[2] = HIWORD(fixed.dwFileVersionLS);
    parts[3] = LOWORD(fixed.dwFileVersionLS);
    return true;
}
