#include "system_files.h"

#include <cstdio>

#include "module_files.h"

namespace {

constexpr char kReinstall[] = "Please install the VQX Control Panel again.";

std::string VersionText(const WORD parts[4])
{
    char text[32];
    std::snprintf(text, sizeof(text), "%u.%u.%u.%u", parts[0], parts[1], parts[2], parts[3]);
    return text;
}

bool SameVersion(const WORD a[4], const WORD b[4])
{
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2] && a[3] == b[3];
}

// "" when `module` carries `expected`, else what is wrong with `file`.
std::string VersionProblem(HMODULE module, const char* file, const WORD expected[4])
{
    WORD found[4] = {};
    if (!ReadModuleVersion(module, found))
        return std::string("The file ") + file + " carries no version. " + kReinstall;
    if (SameVersion(found, expected))
        return std::string();
    return std::string("The file ") + file + " is of version " + VersionText(found) + ", but version " +
           VersionText(expected) + " is needed. " + kReinstall;
}

} // namespace

std::string LoadSystemFiles(HMODULE client, CModule& library)
{
    library.Reset(LoadLibraryBesideModule(client, kResourceLibraryFile));
    if (!library) {
        const std::string folder = ModuleFolder(client);
        return std::string("The resource library ") + kResourceLibraryFile + " cannot be found" +
               (folder.empty() ? std::string() : " in " + folder) + ". " + kReinstall;
    }
    WORD own[4] = {};
    if (!ReadModuleVersion(client, own))
        return std::string();  // a client without a version (a test build) checks nothing
    std::string problem = VersionProblem(library.Get(), kResourceLibraryFile, own);
    if (!problem.empty())
        return problem;
    // A null handle would read the version of the process's program.
    const HMODULE service = GetModuleHandleA(kServiceLibraryFile);
    if (!service)
        return std::string("The service library ") + kServiceLibraryFile + " is not loaded. " + kReinstall;
    return VersionProblem(service, kServiceLibraryFile, own);
}

std::string ServiceLibraryUnavailable()
{
    return std::string("The service library ") + kServiceLibraryFile + " cannot start: its resource library " +
           kResourceLibraryFile + " is missing or of another version. " + kReinstall;
}
