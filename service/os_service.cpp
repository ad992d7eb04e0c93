#include "os_service.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "base_exception.h"
#include "module_files.h"
#include "resource_ids.h"
#include "service_registry.h"

namespace {

// No directory: the private-profile functions then use the Windows folder.
const char kOemFileName[] = "VQXOEM.INI";
// The private-profile read buffer; longer values are cut to one less.
constexpr DWORD kIniStringBufferSize = 1024;

// OEM file sections.
const char kSectionOem[] = "OEM";
const char kSectionRotation[] = "Rotation";

// Settings key values.
const char kValueHotKey[] = "HotKey";
const char kValueDualViewSecSize[] = "DualViewSecSize";
const char kValueTVSystem[] = "TVSystem";
const char kValueSecondaryPanelID[] = "SecondaryPanelID";
const char kValueSecondaryPanelColorInterface[] = "SecondaryPanelColorInterface";
const char kValueDualAppSwapped[] = "DualAppSwapped";
const char kValueDualAppPrimaryWindow[] = "DualAppPrimaryWindow";
const char kValueDualAppSecondaryWindow[] = "DualAppSecondaryWindow";
const char kValueDualAppPrimaryRect[] = "DualAppPrimaryRect";
const char kValueDualAppSecondaryRect[] = "DualAppSecondaryRect";
const char kValueDualMonPrimarySwapped[] = "DualMonPrimarySwapped";
// Default of the rectangle values.
const RECT kEmptyRect = {};

UINT LowByte(UINT value)
{
    return value & 0xFF;
}

// The version record: the extended one when the system takes it, else the
// plain one, whose missing service-pack number then reads as 0.
OSVERSIONINFOEXA QueryVersion()
{
    static_assert(sizeof(OSVERSIONINFOEXA) == 156 && sizeof(OSVERSIONINFOA) == 148, "version records");
    OSVERSIONINFOEXA info = {};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)))
        return info;
    info = {};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    SetLastError(ERROR_SUCCESS);
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)))
        ThrowServiceError(IDS_ERR_OS_VERSION, static_cast<int>(GetLastError()));
    return info;
}

// The OS class code; systems after the NT 5.x line are not supported
// (error 300 with the major version, or with the platform when unknown).
int QueryOSClass()
{
    const OSVERSIONINFOEXA info = QueryVersion();
    const DWORD major = info.dwMajorVersion;
    const DWORD minor = info.dwMinorVersion;
    switch (info.dwPlatformId) {
    case VER_PLATFORM_WIN32s:
        return kOSWin32s;
    case VER_PLATFORM_WIN32_WINDOWS:
        return (major > 4 || (major == 4 && minor > 0)) ? kOSWin98 : kOSWin95;
    case VER_PLATFORM_WIN32_NT:
        if (major <= 4)
            return kOSWinNT4;
        if (major == 5) {
            if (minor == 0)
                return kOSWin2000;
            return info.wServicePackMajor == 0 ? kOSWinXP : kOSWinXPServicePack;
        }
        ThrowServiceError(IDS_ERR_OS_VERSION, static_cast<int>(major));
    default:
        ThrowServiceError(IDS_ERR_OS_VERSION, static_cast<int>(info.dwPlatformId));
    }
}

} // namespace

COSService::COSService()
{
    m_osClass = QueryOSClass();
    OpenSettingsKey(HKEY_CURRENT_USER, nullptr);
}

COSService::~COSService() = default;

COSService* COSService::Acquire()
{
    return AcquireService<COSService>("COSService");
}

int COSService::GetOSVersion()
{
    return m_osClass;
}

HWND COSService::StartTrayProgram()
{
    if (HWND tray = FindWindowA(kTrayWindowClass, nullptr))
        return tray;
    // From this library's folder when it is there (the caller's current
    // folder is rarely the install folder), else by the system's search.
    // Not waited for: the window is found by a later call once it exists.
    const std::string program = FileBesideModule(AfxGetInstanceHandle(), kTrayProgramFile);
    const std::string command = program == kTrayProgramFile ? program : "\"" + program + "\"";
    WinExec(command.c_str(), SW_SHOW);
    return FindWindowA(kTrayWindowClass, nullptr);
}

int COSService::LoadLibraryFunctions(HMODULE* library, const char* fileName, int count, ...)
{
    *library = LoadLibraryA(fileName);
    if (!*library)
        return 0;
    va_list pairs;
    va_start(pairs, count);
    int allResolved = 1;
    for (int i = 0; i < count; ++i) {
        FARPROC* address = va_arg(pairs, FARPROC*);
        const char* name = va_arg(pairs, const char*);
        *address = GetProcAddress(*library, name);
        if (!*address) {
            allResolved = 0;
            break;
        }
    }
    va_end(pairs);
    return allResolved;
}

int COSService::OpenSettingsKey(HKEY root, const char* subKey)
{
    // Create closes the key held first and holds none when it fails.
    const LONG status = m_settingsKey.Create(root, subKey ? subKey : kSettingsKeyPath, KEY_ALL_ACCESS);
    if (status != ERROR_SUCCESS)
        ThrowServiceError(IDS_ERR_SETTINGS_KEY, static_cast<int>(status));
    return 0;
}

DWORD COSService::ReadRegDword(const char* name, DWORD defaultValue)
{
    DWORD value = defaultValue;  // kept unless a 4-byte REG_DWORD is read
    m_settingsKey.QueryDWORD(name, value);
    return value;
}

void COSService::WriteRegDword(const char* name, DWORD value)
{
    m_settingsKey.SetDWORD(name, value);
}

LONG COSService::ReadRegBinary(const char* name, DWORD size, void* buffer, const void* defaultData)
{
    // A shorter stored value fills the front of the buffer only.
    DWORD readSize = size;
    const LONG status = m_settingsKey.QueryBinary(name, buffer, readSize);
    if (status != ERROR_SUCCESS && defaultData)
        std::memcpy(buffer, defaultData, size);
    return status;
}

void COSService::WriteRegBinary(const char* name, DWORD size, const void* data)
{
    m_settingsKey.SetBinary(name, data, size);
}

std::string COSService::ReadRegString(const char* name, const char* defaultText)
{
    // The key's string read sizes its buffer from the stored size and ends
    // the text at its first NUL, also when the stored text has none.
    std::string text;
    if (m_settingsKey.QueryString(name, text) != ERROR_SUCCESS)
        return defaultText ? defaultText : "";
    return text;
}

void COSService::WriteRegString(const char* name, const char* text)
{
    m_settingsKey.SetString(name, text ? text : "");
}

int COSService::ReadIniInt(const char* section, const char* key, int defaultValue)
{
    return static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, kOemFileName));
}

void COSService::WriteIniInt(const char* section, const char* key, int value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%d", value);
    WritePrivateProfileStringA(section, key, text, kOemFileName);
}

std::string COSService::ReadIniString(const char* section, const char* key, const char* defaultText)
{
    char text[kIniStringBufferSize] = "";
    GetPrivateProfileStringA(section, key, defaultText ? defaultText : "", text, sizeof(text), kOemFileName);
    return text;
}

void COSService::WriteIniString(const char* section, const char* key, const char* text)
{
    WritePrivateProfileStringA(section, key, text, kOemFileName);
}

UINT COSService::ReadOemSetting(const char* key, UINT defaultValue)
{
    return LowByte(static_cast<UINT>(ReadIniInt(kSectionOem, key, static_cast<int>(LowByte(defaultValue)))));
}

UINT COSService::GetHideTrayIcon(UINT defaultValue) { return ReadOemSetting("HideTrayIcon", defaultValue); }
UINT COSService::GetHideGammaPage(UINT defaultValue) { return ReadOemSetting("HideGammaPage", defaultValue); }
UINT COSService::GetEnableCRT(UINT defaultValue) { return ReadOemSetting("EnableCRT", defaultValue); }
UINT COSService::GetEnableTV(UINT defaultValue) { return ReadOemSetting("EnableTV", defaultValue); }
UINT COSService::GetEnableSecondaryPanel(UINT defaultValue) { return ReadOemSetting("EnableSecondaryPanel", defaultValue); }
UINT COSService::GetEnableDualApp(UINT defaultValue) { return ReadOemSetting("EnableDualApp", defaultValue); }
UINT COSService::GetEnableDualView(UINT defaultValue) { return ReadOemSetting("EnableDualView", defaultValue); }
UINT COSService::GetEnableReduceOn(UINT defaultValue) { return ReadOemSetting("EnableReduceOn", defaultValue); }
UINT COSService::GetEnableRotation(UINT defaultValue) { return ReadOemSetting("EnableRotation", defaultValue); }
UINT COSService::GetDSMessage(UINT defaultValue) { return ReadOemSetting("DSMessage", defaultValue); }
UINT COSService::GetCRTDetection(UINT defaultValue) { return ReadOemSetting("CRTDetection", defaultValue); }
UINT COSService::GetTVDetection(UINT defaultValue) { return ReadOemSetting("TVDetection", defaultValue); }
UINT COSService::GetHKConfig(UINT defaultValue) { return ReadOemSetting("HKConfig", defaultValue); }
UINT COSService::GetEnableToggleSModeHK(UINT defaultValue) { return ReadOemSetting("EnableToggleSModeHK", defaultValue); }

// The angles count only while rotation itself is switched on; the file is
// then not even read.
UINT COSService::ReadRotationSetting(const char* key, UINT defaultValue)
{
    if (!GetEnableRotation(0))
        return 0;
    return LowByte(static_cast<UINT>(ReadIniInt(kSectionRotation, key, static_cast<int>(LowByte(defaultValue)))));
}

UINT COSService::GetEnableRT90(UINT defaultValue) { return ReadRotationSetting("EnableRT90", defaultValue); }
UINT COSService::GetEnableRT180(UINT defaultValue) { return ReadRotationSetting("EnableRT180", defaultValue); }
UINT COSService::GetEnableRT270(UINT defaultValue) { return ReadRotationSetting("EnableRT270", defaultValue); }

HotKeyTable* COSService::GetHotKeyTable(HotKeyTable* buffer, const HotKeyTable* defaults)
{
    ReadRegBinary(kValueHotKey, sizeof(HotKeyTable), buffer, defaults);
    return buffer;
}

void COSService::SetHotKeyTable(const HotKeyTable* table)
{
    WriteRegBinary(kValueHotKey, sizeof(HotKeyTable), table);
}

// Stored values may be old, hand-edited or written by another version; a
// value that is handed to the driver or used as a code must be one the
// setting can take, so reads fall back to the default instead.  Nothing is
// written back: the user's data stays as it is.
DWORD COSService::ReadRegByte(const char* name, UINT defaultValue, UINT highest)
{
    const DWORD value = LowByte(ReadRegDword(name, LowByte(defaultValue)));
    return value <= highest ? value : LowByte(defaultValue);
}

DWORD COSService::GetDualViewSecSize(UINT defaultValue)
{
    return ReadRegByte(kValueDualViewSecSize, defaultValue, kHighestDualViewSecSize);
}
void COSService::SetDualViewSecSize(UINT value) { WriteRegDword(kValueDualViewSecSize, LowByte(value)); }
DWORD COSService::GetTVSystem(UINT defaultValue) { return ReadRegByte(kValueTVSystem, defaultValue, kHighestTVSystem); }
void COSService::SetTVSystem(UINT value) { WriteRegDword(kValueTVSystem, LowByte(value)); }
DWORD COSService::GetSecondaryPanelID(UINT defaultValue)
{
    return ReadRegByte(kValueSecondaryPanelID, defaultValue, kHighestSecondaryPanelID);
}
void COSService::SetSecondaryPanelID(UINT value) { WriteRegDword(kValueSecondaryPanelID, LowByte(value)); }
DWORD COSService::GetSecondaryPanelColorInterface(UINT defaultValue)
{
    return ReadRegByte(kValueSecondaryPanelColorInterface, defaultValue, kHighestColorInterface);
}
void COSService::SetSecondaryPanelColorInterface(UINT value)
{
    WriteRegDword(kValueSecondaryPanelColorInterface, LowByte(value));
}
DWORD COSService::GetDualAppSwapped(UINT defaultValue) { return ReadRegByte(kValueDualAppSwapped, defaultValue, kHighestFlag); }
void COSService::SetDualAppSwapped(UINT value) { WriteRegDword(kValueDualAppSwapped, LowByte(value)); }

DWORD COSService::GetDualAppPrimaryWindow(DWORD defaultValue) { return ReadRegDword(kValueDualAppPrimaryWindow, defaultValue); }
void COSService::SetDualAppPrimaryWindow(DWORD value) { WriteRegDword(kValueDualAppPrimaryWindow, value); }
DWORD COSService::GetDualAppSecondaryWindow(DWORD defaultValue) { return ReadRegDword(kValueDualAppSecondaryWindow, defaultValue); }
void COSService::SetDualAppSecondaryWindow(DWORD value) { WriteRegDword(kValueDualAppSecondaryWindow, value); }

LONG COSService::GetDualAppPrimaryRect(RECT* rect) { return ReadRegBinary(kValueDualAppPrimaryRect, sizeof(RECT), rect, &kEmptyRect); }
void COSService::SetDualAppPrimaryRect(const RECT* rect) { WriteRegBinary(kValueDualAppPrimaryRect, sizeof(RECT), rect); }
LONG COSService::GetDualAppSecondaryRect(RECT* rect) { return ReadRegBinary(kValueDualAppSecondaryRect, sizeof(RECT), rect, &kEmptyRect); }
void COSService::SetDualAppSecondaryRect(const RECT* rect) { WriteRegBinary(kValueDualAppSecondaryRect, sizeof(RECT), rect); }

DWORD COSService::GetDualMonPrimarySwapped(UINT defaultValue)
{
    return ReadRegByte(kValueDualMonPrimarySwapped, defaultValue, kHighestFlag);
}
void COSService::SetDualMonPrimarySwapped(UINT value) { WriteRegDword(kValueDualMonPrimarySwapped, LowByte(value)); }
