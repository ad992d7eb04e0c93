// Registration of the extension and installation of desk.cpl: the keys
// written and removed, and a desk.cpl that is not ours is never replaced or
// removed, by the library (with a folder of the test's own standing in for
// the system folder) and by vqxregister in the prefix's system folder.
#include "host_fixture.h"

#include <fstream>
#include <sstream>

#include "display_panel_contract.h"
#include "extension_ids.h"
#include "test_support.h"

using namespace displaypanel;

namespace {

const char kForeignContent[] = "the system's own Display control panel";

std::string OurApplet()
{
    return testsupport::TestFolder() + kAppletFile;
}

void WriteFile(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string StringValue(HKEY root, const std::string& key, const char* name)
{
    CRegKey opened;
    std::string value = "(missing)";
    if (opened.Open(root, key.c_str()) == ERROR_SUCCESS)
        opened.QueryString(name, value);
    return value;
}

bool KeyExists(HKEY root, const std::string& key)
{
    CRegKey opened;
    return opened.Open(root, key.c_str()) == ERROR_SUCCESS;
}

DWORD RunRegister(const std::string& arguments)
{
    testsupport::Program tool("\"" + testsupport::TestFolder() + "vqxregister.exe\" " + arguments);
    return tool.Wait();
}

} // namespace

TEST(ExtensionIds, TheClassIdTextAndTheClassIdAreTheSame)
{
    const std::wstring text(kExtensionClassIdText, kExtensionClassIdText + sizeof(kExtensionClassIdText) - 1);
    CLSID parsed = {};
    ASSERT_EQ(S_OK, CLSIDFromString(const_cast<LPOLESTR>(text.c_str()), &parsed));
    EXPECT_TRUE(IsEqualCLSID(kExtensionClassId, parsed));
}

TEST(HandlerRegistration, WritesTheServerAndHandlerKeysAndRemovesThem)
{
    const HandlerRegistration handler = ProductRegistration("C:\\Program Files\\VQX");
    const std::string serverKey = std::string("CLSID\\") + kExtensionClassIdText;
    const std::string handlerKey = std::string(kPropertySheetHandlersKey) + "\\" + kExtensionHandlerName;

    ASSERT_EQ(ERROR_SUCCESS, RegisterHandler(handler));
    EXPECT_EQ("C:\\Program Files\\VQX\\VQXPage.dll", StringValue(HKEY_CLASSES_ROOT, serverKey + "\\InprocServer32", nullptr));
    EXPECT_EQ("Apartment", StringValue(HKEY_CLASSES_ROOT, serverKey + "\\InprocServer32", "ThreadingModel"));
    EXPECT_EQ(kExtensionClassIdText, StringValue(HKEY_LOCAL_MACHINE, handlerKey, nullptr));

    EXPECT_EQ(ERROR_SUCCESS, UnregisterHandler(handler));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, serverKey));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, handlerKey));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kPropertySheetHandlersKey)) << "other handlers' key went too";
    EXPECT_EQ(ERROR_SUCCESS, UnregisterHandler(handler)) << "removing twice";
}

TEST(AppletInstallation, OurAppletIsToldFromAnyOtherFile)
{
    CTempFolder folder;
    WriteFile(folder.File(kAppletFile), kForeignContent);
    EXPECT_TRUE(IsStandInApplet(OurApplet()));
    EXPECT_FALSE(IsStandInApplet(folder.File(kAppletFile)));
    // A binary with a version resource of this system, but another one.
    EXPECT_FALSE(IsStandInApplet(testsupport::TestFolder() + "vqxregister.exe"));
}

TEST(AppletInstallation, ADeskCplNotOursIsNeitherReplacedNorRemoved)
{
    CTempFolder system;
    WriteFile(system.File(kAppletFile), kForeignContent);

    EXPECT_EQ(AppletResult::NotOurs, InstallApplet(OurApplet(), system.Path()));
    EXPECT_EQ(AppletResult::NotOurs, RemoveApplet(system.Path()));
    EXPECT_EQ(kForeignContent, ReadFile(system.File(kAppletFile)));
}

TEST(AppletInstallation, OursIsInstalledReplacedAndRemoved)
{
    CTempFolder system;
    EXPECT_EQ(AppletResult::Done, InstallApplet(OurApplet(), system.Path()));
    EXPECT_TRUE(IsStandInApplet(system.File(kAppletFile)));
    EXPECT_EQ(AppletResult::Done, InstallApplet(OurApplet(), system.Path())) << "over our own";
    EXPECT_EQ(AppletResult::Done, RemoveApplet(system.Path()));
    EXPECT_FALSE(Exists(system.File(kAppletFile)));
    EXPECT_EQ(AppletResult::Absent, RemoveApplet(system.Path()));
}

TEST(AppletInstallation, OnlyOurAppletIsInstalled)
{
    CTempFolder source, system;
    WriteFile(source.File(kAppletFile), kForeignContent);
    SetLastError(0xdeadbeef);
    EXPECT_EQ(AppletResult::Failed, InstallApplet(source.File(kAppletFile), system.Path()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_BAD_FORMAT), GetLastError());
    EXPECT_FALSE(Exists(system.File(kAppletFile)));
}

// The tool in the prefix: the system folder holds a desk.cpl of its own.
class RegisterTool : public testing::Test {
protected:
    void TearDown() override
    {
        RemoveApplet(testsupport::NoTrailingBackslash(testsupport::SystemFolder()));
        if (m_placedForeignApplet)
            DeleteFileA(m_systemApplet.c_str());
        UnregisterHandler(ProductRegistration(""));
    }

    // Puts a desk.cpl not ours into the system folder, removed again by the
    // fixture.
    void PlaceForeignApplet()
    {
        WriteFile(m_systemApplet, kForeignContent);
        m_placedForeignApplet = true;
    }

    const std::string m_systemApplet = testsupport::SystemFolder() + kAppletFile;
    bool m_placedForeignApplet = false;
};

TEST_F(RegisterTool, InstallsAndRemovesTheExtensionAndTheApplet)
{
    CTempFolder install;
    ASSERT_TRUE(CopyFileA(OurApplet().c_str(), install.File(kAppletFile).c_str(), FALSE));
    ASSERT_FALSE(Exists(m_systemApplet)) << "the prefix has a desk.cpl: this test cannot run here";

    EXPECT_EQ(0u, RunRegister("install \"" + install.Path() + "\""));
    EXPECT_TRUE(IsStandInApplet(m_systemApplet));
    EXPECT_EQ(install.File(kExtensionFileName),
              StringValue(HKEY_CLASSES_ROOT, std::string("CLSID\\") + kExtensionClassIdText + "\\InprocServer32", nullptr));

    EXPECT_EQ(0u, RunRegister("remove"));
    EXPECT_FALSE(Exists(m_systemApplet));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::string("CLSID\\") + kExtensionClassIdText));
}

TEST_F(RegisterTool, LeavesTheSystemsOwnDeskCplAlone)
{
    CTempFolder install;
    ASSERT_TRUE(CopyFileA(OurApplet().c_str(), install.File(kAppletFile).c_str(), FALSE));
    ASSERT_FALSE(Exists(m_systemApplet)) << "the prefix has a desk.cpl: this test cannot run here";
    PlaceForeignApplet();

    EXPECT_EQ(2u, RunRegister("install \"" + install.Path() + "\""));
    EXPECT_EQ(0u, RunRegister("remove"));
    EXPECT_EQ(kForeignContent, ReadFile(m_systemApplet));
}

TEST_F(RegisterTool, TellsHowToUseItWhenAskedWrongly)
{
    EXPECT_EQ(1u, RunRegister(""));
    EXPECT_EQ(1u, RunRegister("install"));
    EXPECT_EQ(1u, RunRegister("uninstall"));
}
