// The service library serves only beside the resource library of its own
// version.  Without it, or with one of another version, it still loads (its
// clients link it and must be able to say why they cannot start) but hands
// out no service.
#include "robustness_fixture.h"

#include <string>

namespace {

// Runs the probe with its own folder (which holds the probe, the service
// library and what they need) as the current one, so that nothing but that
// folder (and the system's) can lend it a resource library.
DWORD RunProbe(const testsupport::TemporaryFolder& folder)
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
    const std::string here = testsupport::TestFolder();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const testsupport::TemporaryFolder folder("vqx-resource-version");
        for (const std::string& file : testsupport::WithRuntimeLibraries({ "robustness_version_probe.exe" }))
            ASSERT_TRUE(folder.Copy(here + file, file)) << file;
        if (c.resources) {
            ASSERT_TRUE(folder.Copy(here + c.resources, "VQXRES.DLL"));
        }
        EXPECT_EQ(c.served, RunProbe(folder)) << "services handed out (100: one threw)";
    }
}
