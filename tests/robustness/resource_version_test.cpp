// The service library serves only beside the resource library of its own
// version.  Without it, or with one of another version, it still loads (its
// clients link it and must be able to say why they cannot start) but hands
// out no service.
#include "robustness_fixture.h"

#include <string>
#include <vector>

namespace {

std::string TestFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string folder = path;
    return folder.erase(folder.find_last_of("\\/") + 1);
}

// A folder of its own with the probe, the service library and what they
// need; emptied and removed at the end.
class ProbeFolder {
public:
    explicit ProbeFolder(const std::string& name)
    {
        char temp[MAX_PATH] = "";
        GetTempPathA(sizeof(temp), temp);
        m_folder = std::string(temp) + name + "\\";
        CreateDirectoryA(m_folder.c_str(), nullptr);
    }
    ~ProbeFolder()
    {
        for (const std::string& file : m_files)
            DeleteFileA((m_folder + file).c_str());
        RemoveDirectoryA(m_folder.c_str());
    }
    ProbeFolder(const ProbeFolder&) = delete;
    ProbeFolder& operator=(const ProbeFolder&) = delete;

    bool Copy(const std::string& from, const std::string& file)
    {
        m_files.push_back(file);
        return CopyFileA(from.c_str(), (m_folder + file).c_str(), FALSE) != FALSE;
    }
    const std::string& Path() const { return m_folder; }

private:
    std::string m_folder;
    std::vector<std::string> m_files;
};

// Runs the probe with its own folder as the current one, so that nothing
// but that folder (and the system's) can lend it a resource library.
DWORD RunProbe(const ProbeFolder& folder)
{
    char previous[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(previous), previous);
    SetCurrentDirectoryA(folder.Path().c_str());
    DWORD code = STILL_ACTIVE;
    {
        testsupport::Program probe("\"" + folder.Path() + "robustness_version_probe.exe\"");
        code = probe.Started() ? probe.Wait(30000) : STILL_ACTIVE;
    }
    SetCurrentDirectoryA(previous);
    return code;
}

} // namespace

using ResourceVersion = Robustness;

TEST_F(ResourceVersion, OnlyTheResourceLibraryOfItsOwnVersionLetsTheServicesStart)
{
    struct Case {
        const char* name;
        const char* resources;  // relative to the test folder; null: none
        DWORD served;
    };
    const Case cases[] = {
        { "its own version", "VQXRES.DLL", 3 },
        { "another version", "other-version\\VQXRES.DLL", 0 },
        { "none", nullptr, 0 },
    };
    const std::string here = TestFolder();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProbeFolder folder("vqx-resource-version");
        for (const char* file : { "robustness_version_probe.exe", "VQXAPI.dll", "VQXSIM.DLL", "libgcc_s_dw2-1.dll",
                                  "libstdc++-6.dll", "libwinpthread-1.dll" })
            ASSERT_TRUE(folder.Copy(here + file, file)) << file;
        if (c.resources) {
            ASSERT_TRUE(folder.Copy(here + c.resources, "VQXRES.DLL"));
        }
        EXPECT_EQ(c.served, RunProbe(folder)) << "services handed out (100: one threw)";
    }
}
