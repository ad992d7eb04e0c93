#include "folders.h"

#include <windows.h>

namespace testsupport {

std::string ThisProgram()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof(path));
    return path;
}

std::string TestFolder()
{
    std::string folder = ThisProgram();
    return folder.erase(folder.find_last_of("\\/") + 1);
}

std::string SystemFolder()
{
    char path[MAX_PATH] = "";
    GetSystemDirectoryA(path, sizeof(path));
    return std::string(path) + "\\";
}

std::string NoTrailingBackslash(const std::string& folder)
{
    if (!folder.empty() && folder.back() == '\\')
        return folder.substr(0, folder.size() - 1);
    return folder;
}

std::vector<std::string> WithRuntimeLibraries(std::initializer_list<const char*> programFiles)
{
    std::vector<std::string> files(programFiles.begin(), programFiles.end());
    for (const char* library :
         { "VQXAPI.dll", "VQXSIM.DLL", VQX_GCC_RUNTIME_DLL, "libstdc++-6.dll", "libwinpthread-1.dll" })
        files.push_back(library);
    return files;
}

TemporaryFolder::TemporaryFolder(const std::string& name, Naming naming)
{
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof(temp), temp);
    if (naming == Naming::AsGiven) {
        m_path = std::string(temp) + name + "\\";
        CreateDirectoryA(m_path.c_str(), nullptr);
        return;
    }
    for (unsigned attempt = GetTickCount();; ++attempt) {
        const std::string folder = std::string(temp) + name + std::to_string(attempt % 100000);
        m_path = folder + "\\";
        if (CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
}

TemporaryFolder::~TemporaryFolder()
{
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA(File("*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA(File(found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(NoTrailingBackslash(m_path).c_str());
}

bool TemporaryFolder::Copy(const std::string& from, const std::string& name) const
{
    return CopyFileA(from.c_str(), File(name).c_str(), FALSE) != FALSE;
}

bool TemporaryFolder::CopyFromTestFolder(const std::string& name) const
{
    return Copy(TestFolder() + name, name);
}

} // namespace testsupport
