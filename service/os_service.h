// COSService: service 0, the settings and operating-system service.
//
// The one place that touches the user's persistent settings (the settings
// key under HKEY_CURRENT_USER and the maker's OEM file "VQXOEM.INI") and the
// operating system's identity (OS class code, the tray program, optional
// library functions).  Reads never fail outward: each passes a default.
//
// The order of the virtual operations is part of the interface between the
// deliverables: never reorder, insert only at the end.  "Byte" arguments
// and results travel in 32-bit values of which the low 8 bits count.
#pragma once

#include <windows.h>

#include <string>

#include "framework.h"
#include "shared_records.h"

// OS class codes (GetOSVersion).
enum OSClass : int {
    kOSWin32s = 0,
    kOSWin95 = 1,          // 95 family, 4.0 and older
    kOSWin98 = 2,          // 95 family, 98 and Me
    kOSWinNT4 = 3,         // NT family up to 4.x
    kOSWin2000 = 4,        // NT 5.0
    kOSWinXP = 5,          // NT 5.1 and later 5.x, no service pack
    kOSWinXPServicePack = 6,
};

// The highest value each ranged setting of the settings key can take; a
// stored value above it reads as the caller's default.
constexpr UINT kHighestTVSystem = 1;
constexpr UINT kHighestDualViewSecSize = 4;
constexpr UINT kHighestSecondaryPanelID = 4;
constexpr UINT kHighestColorInterface = 1;
constexpr UINT kHighestFlag = 1;

class COSService : public CObject {
public:
    // Computes the OS class code (error 300 when unknown or unsupported) and
    // opens the settings key (error 301).
    COSService();
    ~COSService() override;

    // The process's settings service, created on first request.
    static COSService* Acquire();

    // Operating system.
    virtual int GetOSVersion();
    virtual HWND StartTrayProgram();
    // Loads `fileName` into *library, then resolves `count` pairs of
    // (FARPROC* out, const char* name); 1 when all resolved, else 0 (the
    // library stays loaded; the caller frees it).
    virtual int LoadLibraryFunctions(HMODULE* library, const char* fileName, int count, ...);

    // Settings key: `subKey` null means the system's own key.
    virtual int OpenSettingsKey(HKEY root, const char* subKey);
    virtual DWORD ReadRegDword(const char* name, DWORD defaultValue);
    virtual void WriteRegDword(const char* name, DWORD value);
    virtual LONG ReadRegBinary(const char* name, DWORD size, void* buffer, const void* defaultData);
    virtual void WriteRegBinary(const char* name, DWORD size, const void* data);
    virtual std::string ReadRegString(const char* name, const char* defaultText);
    virtual void WriteRegString(const char* name, const char* text);

    // OEM settings file.
    virtual int ReadIniInt(const char* section, const char* key, int defaultValue);
    virtual void WriteIniInt(const char* section, const char* key, int value);
    virtual std::string ReadIniString(const char* section, const char* key, const char* defaultText);
    virtual void WriteIniString(const char* section, const char* key, const char* text);
    virtual UINT ReadOemSetting(const char* key, UINT defaultValue);

    // Section "OEM" switches.
    virtual UINT GetHideTrayIcon(UINT defaultValue);
    virtual UINT GetHideGammaPage(UINT defaultValue);
    virtual UINT GetEnableCRT(UINT defaultValue);
    virtual UINT GetEnableTV(UINT defaultValue);
    virtual UINT GetEnableSecondaryPanel(UINT defaultValue);
    virtual UINT GetEnableDualApp(UINT defaultValue);
    virtual UINT GetEnableDualView(UINT defaultValue);
    virtual UINT GetEnableReduceOn(UINT defaultValue);
    virtual UINT GetEnableRotation(UINT defaultValue);
    virtual UINT GetDSMessage(UINT defaultValue);
    virtual UINT GetCRTDetection(UINT defaultValue);
    virtual UINT GetTVDetection(UINT defaultValue);
    virtual UINT GetHKConfig(UINT defaultValue);
    virtual UINT GetEnableToggleSModeHK(UINT defaultValue);

    // Section "Rotation": 0 whenever rotation is switched off.
    virtual UINT GetEnableRT90(UINT defaultValue);
    virtual UINT GetEnableRT180(UINT defaultValue);
    virtual UINT GetEnableRT270(UINT defaultValue);

    // The user's choices in the settings key.
    virtual HotKeyTable* GetHotKeyTable(HotKeyTable* buffer, const HotKeyTable* defaults);
    virtual void SetHotKeyTable(const HotKeyTable* table);
    virtual DWORD GetDualViewSecSize(UINT defaultValue);
    virtual void SetDualViewSecSize(UINT value);
    virtual DWORD GetTVSystem(UINT defaultValue);
    virtual void SetTVSystem(UINT value);
    virtual DWORD GetSecondaryPanelID(UINT defaultValue);
    virtual void SetSecondaryPanelID(UINT value);
    virtual DWORD GetSecondaryPanelColorInterface(UINT defaultValue);
    virtual void SetSecondaryPanelColorInterface(UINT value);
    virtual DWORD GetDualAppSwapped(UINT defaultValue);
    virtual void SetDualAppSwapped(UINT value);
    virtual DWORD GetDualAppPrimaryWindow(DWORD defaultValue);
    virtual void SetDualAppPrimaryWindow(DWORD value);
    virtual DWORD GetDualAppSecondaryWindow(DWORD defaultValue);
    virtual void SetDualAppSecondaryWindow(DWORD value);
    virtual LONG GetDualAppPrimaryRect(RECT* rect);
    virtual void SetDualAppPrimaryRect(const RECT* rect);
    virtual LONG GetDualAppSecondaryRect(RECT* rect);
    virtual void SetDualAppSecondaryRect(const RECT* rect);
    virtual DWORD GetDualMonPrimarySwapped(UINT defaultValue);
    virtual void SetDualMonPrimarySwapped(UINT value);

private:
    // A byte setting of the settings key: its low 8 bits, or `defaultValue`
    // when they exceed `highest`.
    DWORD ReadRegByte(const char* name, UINT defaultValue, UINT highest);
    // A "Rotation" angle switch, 0 while rotation is off (through the
    // virtual operations, as every per-setting read).
    UINT ReadRotationSetting(const char* key, UINT defaultValue);

    int m_osClass = kOSWin32s;
    CRegKey m_settingsKey;
};

// The user's settings, under HKEY_CURRENT_USER.
inline constexpr char kSettingsKeyPath[] = "SOFTWARE\\Quorvel Inc.\\Tarvok VQX Control Panel";
// The window class by which the running tray program is found (the tray
// program registers it).
inline constexpr char kTrayWindowClass[] = "VQXTray";
// The tray program's file, found as the system finds programs and libraries.
inline constexpr char kTrayProgramFile[] = "VQXTray.EXE";

// Only the display driver of the 95 family is told whether the machine runs
// on mains or battery.
inline bool DriverWantsPowerStatus(int osClass)
{
    return osClass == kOSWin95 || osClass == kOSWin98;
}
