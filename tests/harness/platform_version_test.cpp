// The test prefixes must report the Windows version they are named after;
// every version-dependent test of the system relies on it.
#include <windows.h>

#include <gtest/gtest.h>

#include "screenshot.h"
#include "test_support.h"

#include <cstdio>
#include <map>

namespace {

struct ExpectedVersion {
    DWORD platform, major, minor;
    WORD servicePack;  // NT family only
};

const std::map<std::string, ExpectedVersion> kVersions = {
    { "win95",  { VER_PLATFORM_WIN32_WINDOWS, 4, 0, 0 } },
    { "win98",  { VER_PLATFORM_WIN32_WINDOWS, 4, 10, 0 } },
    { "winme",  { VER_PLATFORM_WIN32_WINDOWS, 4, 90, 0 } },
    { "nt40",   { VER_PLATFORM_WIN32_NT, 4, 0, 6 } },
    { "win2k",  { VER_PLATFORM_WIN32_NT, 5, 0, 4 } },
    { "winxp0", { VER_PLATFORM_WIN32_NT, 5, 1, 0 } },
    { "winxp1", { VER_PLATFORM_WIN32_NT, 5, 1, 1 } },
    { "winxp",  { VER_PLATFORM_WIN32_NT, 5, 1, 3 } },
    { "win7",   { VER_PLATFORM_WIN32_NT, 6, 1, 1 } },
};

std::string ReadUserString(const char* key, const char* value)
{
    char data[64] = "";
    DWORD size = sizeof(data);
    HKEY hkey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &hkey) != ERROR_SUCCESS)
        return "<no key>";
    const LONG rc = RegQueryValueExA(hkey, value, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(hkey);
    return rc == ERROR_SUCCESS ? data : "<no value>";
}

} // namespace

TEST(TestPrefix, ReportsTheWindowsVersionItIsNamedAfter)
{
    const auto expected = kVersions.find(testsupport::WindowsVersion());
    ASSERT_NE(expected, kVersions.end()) << "unknown prefix '" << testsupport::WindowsVersion() << "'";

    OSVERSIONINFOEXA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    ASSERT_TRUE(GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)));
    EXPECT_EQ(expected->second.platform, info.dwPlatformId);
    EXPECT_EQ(expected->second.major, info.dwMajorVersion);
    EXPECT_EQ(expected->second.minor, info.dwMinorVersion);
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        EXPECT_EQ(expected->second.servicePack, info.wServicePackMajor) << info.szCSDVersion;
    }
}

TEST(TestPrefix, HasUnmanagedWindowsAndNoHelpViewer)
{
    // Unmanaged windows close in milliseconds instead of seconds, and a
    // missing help file must not leave winhlp32's box waiting for a user.
    EXPECT_EQ("N", ReadUserString("Software\\Wine\\X11 Driver", "Managed"));
    EXPECT_EQ("", ReadUserString("Software\\Wine\\DllOverrides", "winhlp32.exe"));
}

TEST(Screenshot, WritesAPngOfTheScreen)
{
    char path[MAX_PATH];
    GetTempPathA(sizeof(path), path);
    lstrcatA(path, "vqx-screen.png");
    ASSERT_TRUE(testsupport::SaveScreenPng(path));

    FILE* file = std::fopen(path, "rb");
    ASSERT_NE(nullptr, file);
    unsigned char head[24] = {};
    const size_t read = std::fread(head, 1, sizeof(head), file);
    std::fclose(file);
    DeleteFileA(path);
    ASSERT_EQ(sizeof(head), read);
    EXPECT_EQ(0, memcmp(head, "\x89PNG\r\n\x1a\n", 8));
    const int width = (head[16] << 24) | (head[17] << 16) | (head[18] << 8) | head[19];
    const int height = (head[20] << 24) | (head[21] << 16) | (head[22] << 8) | head[23];
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), width);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), height);
}
