// The settings and operating-system service as its callers use it: taken
// through GetServerInterface(0) and called through its table of operations.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "base_exception.h"
#include "os_service.h"
#include "service_ids.h"
#include "service_reference.h"
#include "settings_fixture.h"
#include "test_support.h"

namespace {

std::string Dword(DWORD value)
{
    return std::string(reinterpret_cast<const char*>(&value), sizeof(value));
}

// A function address no look-up of the tests yields.
FARPROC UntouchedMark()
{
    return GetProcAddress(GetModuleHandleA("KERNEL32.DLL"), "GetTickCount");
}

// A hidden window of the tray program's class, as the running program has.
class StandInTrayWindow {
public:
    StandInTrayWindow()
    {
        WNDCLASSA cls = {};
        cls.lpfnWndProc = DefWindowProcA;
        cls.hInstance = GetModuleHandleA(nullptr);
        cls.lpszClassName = "VQXTray";
        if (RegisterClassA(&cls))
            m_window = CreateWindowExA(WS_EX_TOPMOST, "VQXTray", "VQX Control Panel", WS_POPUP, 0, 0, 0, 0,
                                       nullptr, nullptr, cls.hInstance, nullptr);
    }
    ~StandInTrayWindow()
    {
        if (m_window)
            DestroyWindow(m_window);
        UnregisterClassA("VQXTray", GetModuleHandleA(nullptr));
    }
    StandInTrayWindow(const StandInTrayWindow&) = delete;
    StandInTrayWindow& operator=(const StandInTrayWindow&) = delete;

    HWND Get() const { return m_window; }

private:
    HWND m_window = nullptr;
};

} // namespace

// ---- Operating-system identity ---------------------------------------------

TEST(OSServiceCreation, ReportsTheClassOfTheRunningWindows)
{
    const std::map<std::string, int> expectedClass = {
        { "win95", 1 }, { "win98", 2 }, { "winme", 2 }, { "nt40", 3 },
        { "win2k", 4 }, { "winxp0", 5 }, { "winxp1", 6 }, { "winxp", 6 },
    };
    const std::string version = testsupport::WindowsVersion();
    if (version == "win7") {
        // NT 6.x is not supported: the service is not created.
        UINT messageId = 0;
        try {
            ServiceReference<COSService> settings;
            settings.Acquire();
            ADD_FAILURE() << "the service was created on NT 6.1";
        } catch (CBaseException* e) {
            messageId = e->GetMessageId();
            e->Delete();
        }
        EXPECT_EQ(300u, messageId);
        return;
    }
    const auto expected = expectedClass.find(version);
    if (expected == expectedClass.end())
        GTEST_SKIP() << "not run in a test prefix";

    ServiceReference<COSService> settings;
    ASSERT_NE(nullptr, settings.Acquire());
    EXPECT_EQ(expected->second, settings->GetOSVersion());
    // No run-time class of its own: callers see CObject's.
    EXPECT_STREQ("CObject", settings->GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(1, settings.Release());
}

using OSServiceTest = SettingsTest;

TEST_F(OSServiceTest, LoadsALibraryWithAllItsFunctions)
{
    HMODULE library = nullptr;
    FARPROC getText = nullptr, messageBox = nullptr;
    EXPECT_EQ(1, m_settings->LoadLibraryFunctions(&library, "USER32.DLL", 2,
                                                   &getText, "GetWindowTextA", &messageBox, "MessageBoxA"));
    ASSERT_NE(nullptr, library);
    EXPECT_EQ(GetModuleHandleA("USER32.DLL"), library);
    EXPECT_EQ(GetProcAddress(library, "GetWindowTextA"), getText);
    EXPECT_EQ(GetProcAddress(library, "MessageBoxA"), messageBox);
    FreeLibrary(library);
}

TEST_F(OSServiceTest, StopsAtAMissingFunctionAndKeepsTheLibraryLoaded)
{
    // A library nothing else in the process uses, so that "still loaded"
    // means loaded by this call.
    const char name[] = "LZ32.DLL";
    ASSERT_EQ(nullptr, GetModuleHandleA(name));
    HMODULE library = nullptr;
    const FARPROC untouched = UntouchedMark();
    FARPROC first = nullptr, missing = untouched, later = untouched;
    EXPECT_EQ(0, m_settings->LoadLibraryFunctions(&library, name, 3, &first, "LZOpenFileA",
                                                   &missing, "VqxNoSuchFunction", &later, "LZClose"));
    ASSERT_NE(nullptr, library);
    EXPECT_EQ(library, GetModuleHandleA(name));
    EXPECT_NE(nullptr, first);
    EXPECT_EQ(nullptr, missing);
    EXPECT_EQ(untouched, later) << "pairs after the failure are left alone";
    FreeLibrary(library);
}

TEST_F(OSServiceTest, MissingLibraryResolvesNothing)
{
    HMODULE library = GetModuleHandleA(nullptr);
    FARPROC function = UntouchedMark();
    EXPECT_EQ(0, m_settings->LoadLibraryFunctions(&library, "VqxNoSuchLibrary.dll", 1, &function, "Anything"));
    EXPECT_EQ(nullptr, library);
    EXPECT_EQ(UntouchedMark(), function);
}

TEST_F(OSServiceTest, FindsTheRunningTrayProgramByItsWindowClass)
{
    StandInTrayWindow tray;
    ASSERT_NE(nullptr, tray.Get());
    EXPECT_EQ(tray.Get(), m_settings->StartTrayProgram());
    EXPECT_EQ(tray.Get(), m_settings->StartTrayProgram());
}

TEST_F(OSServiceTest, ReportsNoTrayWindowWhenTheProgramCannotStart)
{
    char found[MAX_PATH];
    if (SearchPathA(nullptr, "VQXTray.exe", nullptr, MAX_PATH, found, nullptr))
        GTEST_SKIP() << "a tray program is installed at " << found << "; starting it here would leave it running";
    ASSERT_EQ(nullptr, FindWindowA("VQXTray", nullptr));
    EXPECT_EQ(nullptr, m_settings->StartTrayProgram());
}

// ---- OEM settings file -----------------------------------------------------

TEST_F(OSServiceTest, WithoutOemFileEveryReadGivesItsDefault)
{
    EXPECT_EQ(0u, m_settings->GetHideTrayIcon(0));
    EXPECT_EQ(1u, m_settings->GetEnableCRT(1));
    EXPECT_EQ(1u, m_settings->GetCRTDetection(1));
    EXPECT_EQ(7u, m_settings->GetEnableTV(7)) << "the driver's value passes through";
    EXPECT_EQ(0u, m_settings->GetEnableDualApp(0));
    EXPECT_EQ(0x34u, m_settings->ReadOemSetting("EnableSecondaryPanel", 0x1234)) << "defaults are bytes too";
    EXPECT_EQ(-5, m_settings->ReadIniInt("OEM", "EnableCRT", -5));
    EXPECT_EQ("fallback", m_settings->ReadIniString("OEM", "EnableCRT", "fallback"));
    // Rotation is off without the file, so no angle is offered.
    EXPECT_EQ(0u, m_settings->GetEnableRT90(1));
    EXPECT_EQ(0u, m_settings->GetEnableRT180(1));
    EXPECT_EQ(0u, m_settings->GetEnableRT270(1));
}

TEST_F(OSServiceTest, EachOemSwitchReadsItsOwnKey)
{
    using Getter = UINT (COSService::*)(UINT);
    const struct {
        Getter get;
        const char* key;
    } switches[] = {
        { &COSService::GetHideTrayIcon, "HideTrayIcon" },
        { &COSService::GetHideGammaPage, "HideGammaPage" },
        { &COSService::GetEnableCRT, "EnableCRT" },
        { &COSService::GetEnableTV, "EnableTV" },
        { &COSService::GetEnableSecondaryPanel, "EnableSecondaryPanel" },
        { &COSService::GetEnableDualApp, "EnableDualApp" },
        { &COSService::GetEnableDualView, "EnableDualView" },
        { &COSService::GetEnableReduceOn, "EnableReduceOn" },
        { &COSService::GetEnableRotation, "EnableRotation" },
        { &COSService::GetDSMessage, "DSMessage" },
        { &COSService::GetCRTDetection, "CRTDetection" },
        { &COSService::GetTVDetection, "TVDetection" },
        { &COSService::GetHKConfig, "HKConfig" },
        { &COSService::GetEnableToggleSModeHK, "EnableToggleSModeHK" },
    };
    int value = 10;
    for (const auto& s : switches)
        WriteOem("OEM", s.key, value++);
    value = 10;
    for (const auto& s : switches)
        EXPECT_EQ(static_cast<UINT>(value++), (m_settings.Get()->*s.get)(0)) << s.key;
}

TEST_F(OSServiceTest, OemSwitchesAreBytes)
{
    WriteOem("OEM", "EnableCRT", 300);
    EXPECT_EQ(44u, m_settings->GetEnableCRT(1));
    EXPECT_EQ(300, m_settings->ReadIniInt("OEM", "EnableCRT", 1));
}

TEST_F(OSServiceTest, RotationAnglesCountOnlyWhileRotationIsOn)
{
    WriteOem("Rotation", "EnableRT90", 1);
    WriteOem("Rotation", "EnableRT180", 0);
    WriteOem("Rotation", "EnableRT270", 0x105);
    WriteOem("OEM", "EnableRotation", 0);
    EXPECT_EQ(0u, m_settings->GetEnableRT90(1));

    WriteOem("OEM", "EnableRotation", 1);
    EXPECT_EQ(1u, m_settings->GetEnableRT90(0));
    EXPECT_EQ(0u, m_settings->GetEnableRT180(1));
    EXPECT_EQ(5u, m_settings->GetEnableRT270(1));

    WriteOem("Rotation", "EnableRT90", nullptr);
    EXPECT_EQ(1u, m_settings->GetEnableRT90(1)) << "an absent angle takes the reader's default";
}

TEST_F(OSServiceTest, WritesTheOemFileAsDecimalText)
{
    m_settings->WriteIniInt("Hotkey", "HK_LCD_Vkc", -12);
    char text[32] = "";
    GetPrivateProfileStringA("Hotkey", "HK_LCD_Vkc", "", text, sizeof(text), kOemFilePath);
    EXPECT_STREQ("-12", text);
    EXPECT_EQ(-12, m_settings->ReadIniInt("Hotkey", "HK_LCD_Vkc", 0));

    m_settings->WriteIniString("OEM", "Note", "free text");
    EXPECT_EQ("free text", m_settings->ReadIniString("OEM", "Note", ""));
}

TEST_F(OSServiceTest, LongOemStringsAreCutTo1023Characters)
{
    const std::string longText(1500, 'x');
    WriteOem("OEM", "Long", longText.c_str());
    EXPECT_EQ(std::string(1023, 'x'), m_settings->ReadIniString("OEM", "Long", ""));
}

// ---- Settings key ----------------------------------------------------------

TEST_F(OSServiceTest, CreatesTheSettingsKey)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key));
    RegCloseKey(key);
}

TEST_F(OSServiceTest, EachSettingIsStoredUnderItsOwnName)
{
    using ByteGetter = DWORD (COSService::*)(UINT);
    using ByteSetter = void (COSService::*)(UINT);
    const struct {
        ByteGetter get;
        ByteSetter set;
        const char* name;
        DWORD value;  // one the setting can take
    } byteSettings[] = {
        { &COSService::GetDualViewSecSize, &COSService::SetDualViewSecSize, "DualViewSecSize", 3 },
        { &COSService::GetTVSystem, &COSService::SetTVSystem, "TVSystem", 1 },
        { &COSService::GetSecondaryPanelID, &COSService::SetSecondaryPanelID, "SecondaryPanelID", 4 },
        { &COSService::GetSecondaryPanelColorInterface, &COSService::SetSecondaryPanelColorInterface,
          "SecondaryPanelColorInterface", 1 },
        { &COSService::GetDualAppSwapped, &COSService::SetDualAppSwapped, "DualAppSwapped", 1 },
        { &COSService::GetDualMonPrimarySwapped, &COSService::SetDualMonPrimarySwapped, "DualMonPrimarySwapped", 1 },
    };
    for (const auto& s : byteSettings) {
        EXPECT_EQ(9u, (m_settings.Get()->*s.get)(9)) << s.name << " absent";
        // A byte: only the low 8 bits are stored.
        (m_settings.Get()->*s.set)(0x300 + s.value);
        DWORD type = 0;
        std::string data;
        ASSERT_TRUE(ReadRegValue(s.name, type, data)) << s.name;
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type) << s.name;
        EXPECT_EQ(Dword(s.value), data) << s.name;
        EXPECT_EQ(s.value, (m_settings.Get()->*s.get)(9)) << s.name;
    }

    DWORD value = 1;
    using WordGetter = DWORD (COSService::*)(DWORD);
    using WordSetter = void (COSService::*)(DWORD);
    const struct {
        WordGetter get;
        WordSetter set;
        const char* name;
    } windowSettings[] = {
        { &COSService::GetDualAppPrimaryWindow, &COSService::SetDualAppPrimaryWindow, "DualAppPrimaryWindow" },
        { &COSService::GetDualAppSecondaryWindow, &COSService::SetDualAppSecondaryWindow, "DualAppSecondaryWindow" },
    };
    for (const auto& s : windowSettings) {
        EXPECT_EQ(0x12345678u, (m_settings.Get()->*s.get)(0x12345678)) << s.name << " absent";
        (m_settings.Get()->*s.set)(0x00A1B2C3 + value);
        DWORD type = 0;
        std::string data;
        ASSERT_TRUE(ReadRegValue(s.name, type, data)) << s.name;
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type) << s.name;
        EXPECT_EQ(Dword(0x00A1B2C3 + value), data) << s.name;
        EXPECT_EQ(0x00A1B2C3 + value, (m_settings.Get()->*s.get)(0)) << s.name;
        ++value;
    }
}

TEST_F(OSServiceTest, ByteSettingsTakeTheirLowByteWithinTheirRange)
{
    WriteRegDwordValue("TVSystem", 0x101);
    EXPECT_EQ(1u, m_settings->GetTVSystem(0));
    WriteRegDwordValue("DualViewSecSize", 300);
    EXPECT_EQ(0u, m_settings->GetDualViewSecSize(0)) << "300 is 44 in its low byte: out of range";
    EXPECT_EQ(7u, m_settings->GetDualViewSecSize(7)) << "the caller's default, whatever it is";
}

TEST_F(OSServiceTest, DwordReadFallsBackWhenTheValueIsNoDword)
{
    WriteRegValue("TVSystem", REG_SZ, "1", 2);
    EXPECT_EQ(7u, m_settings->ReadRegDword("TVSystem", 7));
    const unsigned char eight[8] = { 1, 2, 3, 4, 5, 6, 7, 8 };
    WriteRegValue("DualViewSecSize", REG_BINARY, eight, sizeof(eight));
    EXPECT_EQ(7u, m_settings->ReadRegDword("DualViewSecSize", 7)) << "more than 4 bytes do not fit";
}

TEST_F(OSServiceTest, RectanglesAreSixteenLittleEndianBytes)
{
    RECT rect = { -1, 2, 0x7FFFFFFF, -0x7FFFFFFF - 1 };
    m_settings->SetDualAppSecondaryRect(&rect);
    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(ReadRegValue("DualAppSecondaryRect", type, data));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    EXPECT_EQ(Dword(0xFFFFFFFF) + Dword(2) + Dword(0x7FFFFFFF) + Dword(0x80000000), data);

    RECT read = {};
    EXPECT_EQ(ERROR_SUCCESS, m_settings->GetDualAppSecondaryRect(&read));
    EXPECT_TRUE(EqualRect(&rect, &read));

    // Absent: all zero, and the status tells.
    RECT primary = { 5, 6, 7, 8 };
    const RECT zero = {};
    EXPECT_NE(ERROR_SUCCESS, m_settings->GetDualAppPrimaryRect(&primary));
    EXPECT_TRUE(EqualRect(&zero, &primary));
    m_settings->SetDualAppPrimaryRect(&rect);
    EXPECT_EQ(ERROR_SUCCESS, m_settings->GetDualAppPrimaryRect(&primary));
    EXPECT_TRUE(EqualRect(&rect, &primary));
}

TEST_F(OSServiceTest, HotKeyTableIsStoredAs108Bytes)
{
    HotKeyTable table = {};
    table.enabled = 1;
    table.keyCode[16] = 'Q';
    table.fixed[0] = 1;
    m_settings->SetHotKeyTable(&table);
    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(ReadRegValue("HotKey", type, data));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    ASSERT_EQ(108u, data.size());
    EXPECT_EQ(0, std::memcmp(&table, data.data(), 108));

    HotKeyTable read;
    std::memset(&read, 0xCC, sizeof(read));
    const HotKeyTable defaults = {};
    EXPECT_EQ(&read, m_settings->GetHotKeyTable(&read, &defaults));
    EXPECT_EQ(0, std::memcmp(&table, &read, sizeof(read)));
}

TEST_F(OSServiceTest, ShortHotKeyValueKeepsTheRestOfTheBuffer)
{
    const unsigned char stored[10] = { 1, 0, 0, 0, 'L', 'C', 'T', 'P', 'C', 'T' };
    WriteRegValue("HotKey", REG_BINARY, stored, sizeof(stored));
    HotKeyTable read;
    std::memset(&read, 0xCC, sizeof(read));
    HotKeyTable defaults = {};
    defaults.enabled = 5;
    m_settings->GetHotKeyTable(&read, &defaults);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&read);
    EXPECT_EQ(0, std::memcmp(stored, bytes, sizeof(stored)));
    for (size_t i = sizeof(stored); i < sizeof(read); ++i)
        ASSERT_EQ(0xCC, bytes[i]) << "byte " << i;
}

TEST_F(OSServiceTest, UnreadableBinaryValueGivesTheDefaultBytes)
{
    HotKeyTable defaults = {};
    defaults.enabled = 1;
    defaults.keyCode[0] = 'L';
    HotKeyTable read;

    std::memset(&read, 0xCC, sizeof(read));
    m_settings->GetHotKeyTable(&read, &defaults);
    EXPECT_EQ(0, std::memcmp(&defaults, &read, sizeof(read))) << "absent";

    const std::vector<unsigned char> tooLong(200, 0x11);
    WriteRegValue("HotKey", REG_BINARY, tooLong.data(), static_cast<DWORD>(tooLong.size()));
    std::memset(&read, 0xCC, sizeof(read));
    EXPECT_NE(ERROR_SUCCESS, m_settings->ReadRegBinary("HotKey", sizeof(read), &read, &defaults));
    EXPECT_EQ(0, std::memcmp(&defaults, &read, sizeof(read))) << "longer than the buffer";
}

TEST_F(OSServiceTest, StringsAreStoredWithTheirTerminator)
{
    EXPECT_EQ("none", m_settings->ReadRegString("Text", "none"));
    m_settings->WriteRegString("Text", "hello");
    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(ReadRegValue("Text", type, data));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(std::string("hello", 6), data);
    EXPECT_EQ("hello", m_settings->ReadRegString("Text", "none"));
}

TEST_F(OSServiceTest, UnterminatedStringIsReadWithoutOverrun)
{
    if (GetVersion() & 0x80000000)
        GTEST_SKIP() << "the 95 family stores a string up to its terminator whatever size is given";
    // Stored without a terminator: the text is the stored bytes, nothing
    // after them.
    WriteRegValue("Text", REG_SZ, "abcdef", 3);
    EXPECT_EQ("abc", m_settings->ReadRegString("Text", "none"));
}

TEST_F(OSServiceTest, StringReadEndsAtTheFirstNulAndNeedsAString)
{
    WriteRegValue("Text", REG_SZ, "ab\0cd", 6);
    EXPECT_EQ("ab", m_settings->ReadRegString("Text", "none"));
    WriteRegDwordValue("Text", 1);
    EXPECT_EQ("none", m_settings->ReadRegString("Text", "none")) << "not a string";
}

TEST_F(OSServiceTest, SettingsKeyCanBeRetargeted)
{
    const char otherPath[] = "Software\\VQXOSServiceTest";
    EXPECT_EQ(0, m_settings->OpenSettingsKey(HKEY_CURRENT_USER, otherPath));
    m_settings->WriteRegDword("Moved", 42);
    HKEY other;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, otherPath, 0, KEY_READ, &other));
    DWORD value = 0, size = sizeof(value);
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(other, "Moved", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size));
    EXPECT_EQ(42u, value);
    RegCloseKey(other);

    // A failed open throws 301 and leaves the service without a key: reads
    // give defaults, writes go nowhere.
    UINT messageId = 0;
    try {
        m_settings->OpenSettingsKey(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234)), "Nowhere");
    } catch (CBaseException* e) {
        messageId = e->GetMessageId();
        e->Delete();
    }
    EXPECT_EQ(301u, messageId);
    EXPECT_EQ(9u, m_settings->ReadRegDword("Moved", 9));
    m_settings->WriteRegDword("Lost", 1);
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, otherPath, 0, KEY_READ, &other));
    EXPECT_NE(ERROR_SUCCESS, RegQueryValueExA(other, "Lost", nullptr, nullptr, nullptr, nullptr));
    RegCloseKey(other);
    RegDeleteKeyA(HKEY_CURRENT_USER, otherPath);

    EXPECT_EQ(0, m_settings->OpenSettingsKey(HKEY_CURRENT_USER, nullptr));
    m_settings->WriteRegDword("Back", 3);
    DWORD type = 0;
    std::string data;
    EXPECT_TRUE(ReadRegValue("Back", type, data)) << "none means the system's own key";
}
