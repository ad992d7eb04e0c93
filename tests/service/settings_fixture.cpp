#include "settings_fixture.h"

#include "os_service.h"
#include "service_ids.h"
#include "test_support.h"

const char kOemFilePath[] = "C:\\windows\\VQXOEM.INI";

void SettingsTest::SetUp()
{
    if (testsupport::WindowsVersion() == "win7")
        GTEST_SKIP() << "the settings service is not created on this version";
    ClearSettings();
    ASSERT_NE(nullptr, m_settings.Acquire());
}

void SettingsTest::TearDown()
{
    if (m_settings) {
        EXPECT_EQ(1, m_settings.Release());
    }
    ClearSettings();
}

void SettingsTest::ClearSettings()
{
    // Drop the process's cached copy of the file first; deleting the file
    // under the cache would let the old entries live on.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, kOemFilePath);
    DeleteFileA(kOemFilePath);
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKeyPath);
}

void SettingsTest::WriteOem(const char* section, const char* key, const char* value)
{
    ASSERT_TRUE(WritePrivateProfileStringA(section, key, value, kOemFilePath));
}

void SettingsTest::WriteOem(const char* section, const char* key, int value)
{
    WriteOem(section, key, std::to_string(value).c_str());
}

void SettingsTest::WriteRegValue(const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size));
    RegCloseKey(key);
}

void SettingsTest::WriteRegDwordValue(const char* name, DWORD value)
{
    WriteRegValue(name, REG_DWORD, &value, sizeof(value));
}

bool SettingsTest::ReadRegValue(const char* name, DWORD& type, std::string& data)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char buffer[512];
    DWORD size = sizeof(buffer);
    const LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return false;
    data.assign(buffer, size);
    return true;
}
