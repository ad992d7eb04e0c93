/*
 * VQXSIM.DLL - the simulated Tarvok VQX adapter.
 *
 * The simulated adapter stands in for the adapter's display driver, for
 * the system's display devices and for the machine's power source, so that
 * the control panel runs and is tested on machines that have no such
 * adapter and no battery.  Every process that loads this DLL
 * sees one and the same adapter: the state lives in named shared memory.
 *
 * ---------------------------------------------------------------------------
 * Choosing the simulated adapter (the machine-wide switch)
 * ---------------------------------------------------------------------------
 *   HKEY_LOCAL_MACHINE\SOFTWARE\Quorvel Inc.\Tarvok VQX Control Panel\Simulation
 *     "Adapter"  (REG_SZ)  the DLL that stands in for the display and power
 *                          functions, normally "VQXSIM.DLL"; a bare name is
 *                          loaded from the folder of the module that reads
 *                          the switch (the service library, the tray program,
 *                          the extension: all in one folder), else by name.
 *     "Scenario" (REG_SZ)  optional: the scenario file (below) used when the
 *                          shared state is first created; a relative path is
 *                          taken relative to the folder of VQXSIM.DLL.  Without
 *                          it the built-in default scenario is used.
 *   Without the key (or without "Adapter"), or when the DLL cannot be loaded
 *   or lacks the functions, the real display and power functions are used.
 *   The switch is read once per process: by the service library at its first
 *   display call, by the tray program and the extension at their first call
 *   of GetSystemPowerStatus.
 *   SimInstallSwitch / SimRemoveSwitch write and remove the key.
 *
 * ---------------------------------------------------------------------------
 * The seam
 * ---------------------------------------------------------------------------
 * Sim* functions with the exact signatures of the Win32 functions they
 * replace.  They act on the simulated display devices and power source of
 * the shared state:
 *   SimEnumDisplayDevicesA     the scenario's devices, in order (fails when the
 *                              scenario says EnumDisplayDevicesA is absent)
 *   SimEnumDisplaySettingsA    the adapter's mode list (turned when the device
 *                              is rotated by 90 or 270 degrees), ENUM_CURRENT_
 *                              SETTINGS / ENUM_REGISTRY_SETTINGS the current
 *   SimChangeDisplaySettings[Ex]A  validate against the mode list and change
 *                              the current resolution; null DEVMODE = success
 *   SimCreateDCA               a memory DC remembered as a DC of the device;
 *                              "DISPLAY" means the adapter's primary display;
 *                              null for unknown devices and devices not
 *                              attached to the desktop; other drivers (not
 *                              "DISPLAY" nor "\\.\...") go to CreateDCA
 *   SimDeleteDC, SimGetDeviceCaps (HORZRES, VERTRES, BITSPIXEL, PLANES,
 *                              VREFRESH, DESKTOPHORZRES/VERTRES, TECHNOLOGY
 *                              from the state; other indices as the real DC)
 *   SimExtEscape               escape 0x7300 (below); returns 0x7300 when the
 *                              driver answers, 0 when it does not answer (fault
 *                              SIM_NO_ANSWER, devices of other vendors, short
 *                              buffers); every other escape returns 0
 *   SimGetSystemPowerStatus    the simulated power source (SimState.
 *                              acLineStatus, see [Power] below):
 *                                ACLineStatus  BatteryFlag
 *                                0 battery     0   discharging
 *                                1 mains       8   charging
 *                                255 unknown   255 unknown
 *                              BatteryLifePercent 255, BatteryLifeTime and
 *                              BatteryFullLifeTime 0xFFFFFFFF (unknown);
 *                              FALSE only for a null pointer or when the
 *                              shared state cannot be reached
 * Device names are compared case-insensitively; a null name means the
 * system's primary device, "DISPLAY" the adapter's primary display.
 *
 * ---------------------------------------------------------------------------
 * Escape 0x7300
 * ---------------------------------------------------------------------------
 * Request 44 bytes (11 little-endian DWORDs), reply 108 bytes (27 DWORDs).
 * Request word 0 is the function; reply word 0 the status (0 success).
 * The driver answers on the adapter that drives the DC's device:
 *   0  status record: byte 4,5,6 statusBytes; 32 rotation of the device;
 *      33 mode of the adapter; 34 statusValue; 80 u16 pciDeviceId;
 *      82 byte revision; 84 u16 subsystemId; 86 u16 statusWord;
 *      89 byte statusByte; 92/96/100/104 statusWords
 *   1  word 1 = value stored by function 2 for the pair (word 1, word 2)
 *   2  stores word 3 for the pair (word 1, word 2)
 *   3  word 1 = values[request word 1]
 *   4  values[request word 1] = request word 2 (ranges checked, see
 *      SIM_VALUE_*; 11, 32, 43 and 64 are read-only: use function 13)
 *   5  40-byte block in bytes 4-43, returned in reply bytes 4-43; block
 *      word at 28 must be 0x5F00, block word at 16 is the sub-function:
 *        2 CRT attached -> block word 16;  3 TV attached -> block word 16
 *        4 version -> u16 at 18 version[0], 16 version[1], 26 version[2],
 *          24 version[3], byte 23 versionBytes[0], 22 versionBytes[1],
 *          u16 at 20 versionWord
 *        8 LCD panel size -> u16 at 16 width, u16 at 24 height
 *   6, 7  word 1 recorded in function6Value / function7Value
 *   9  byte 4 = reduce-on level (0 or 1) -> values[39]
 *  10  byte 4 = rotation code 0-3 of the DC's device; between landscape and
 *      portrait the device's current resolution turns with it; refused
 *      (0x10002) in dual view and dual application
 *  11  byte 4 = 1: dual view (mode 1) with size byte 5 (0-4) and flag byte 6;
 *      needs two active outputs (else 0x10007); byte 4 = 0: leave it
 *  12  byte 4 = 1: dual application (mode 2), byte 5 = swapped; needs two
 *      active outputs (else 0x10002); byte 4 = 0: leave it
 *  13  word 1 = DisplayMask (one output or a permitted pair: 1+2, 1+4, 1+8,
 *      2+4, 8+2, 8+4), word 2 = mode word (recorded in lastSwitchModeWord);
 *      a CRT that is not attached, a TV that is not supported or not
 *      attached, or a secondary panel that is not supported: 0x10003.
 *      Fewer than two outputs end dual view and dual application.
 *  14  byte 4 = AC line status -> acLineStatus
 * Statuses: 0x10001 bad function, sub-function, index or argument;
 * 0x10002 not possible in the current state or read-only value;
 * 0x10003 output not connected; 0x10007 dual view refused.  Others only
 * through fault injection.  A fault makes the driver answer the fault's
 * status without any effect, or (SIM_NO_ANSWER) not answer at all.
 *
 * ---------------------------------------------------------------------------
 * Scenario files (INI; ';' or '#' starts a comment line; names are
 * case-insensitive; numbers decimal or 0x-hexadecimal; unknown sections or
 * keys are errors).  Missing keys keep the default shown.
 * ---------------------------------------------------------------------------
 *   [Scenario]
 *   EnumDisplayDevices=1      0: EnumDisplayDevicesA is absent
 *
 *   [Adapter0] ... [Adapter1] (consecutive; at least one; defaults below)
 *   PciDeviceId=0x0B52  Revision=0x02  SubsystemId=0x1043
 *   DeviceId=PCI\VEN_7A3E&DEV_0B52&SUBSYS_00001043&REV_02   (default: built
 *                             from the three numbers above)
 *   DeviceString=Tarvok VQX
 *   AdapterKind=1  PanelId=2  SecondaryPanelId=2  SecondaryColorInterface=0
 *   PanelWidth=0  PanelHeight=0       0: the size of PanelId (640x480,
 *                             800x600, 1024x768, 1280x1024, 1600x1200)
 *   SecondaryPanelSupported=1  TvSupported=1  TvSystem=0
 *   CrtAttached=1  TvAttached=0
 *   DeviceMask=1              active outputs: 1 LCD, 2 CRT, 4 TV, 8 panel
 *   Mode=0                    0 single, 1 dual view, 2 dual app, 3 dual monitor
 *   ReduceOn=0  DualMonitorSwapped=0  DualViewSize=0  DualAppSwapped=0
 *   AcLineStatus=255          what the driver was last told (function 14),
 *                             not the power source (see [Power])
 *   Version=6.14.1.2            up to four numbers (version[0..3])
 *   VersionBytes=1,0  VersionWord=0
 *   StatusBytes=0,0,0  StatusValue=0  StatusWord=0  StatusByte=0
 *   StatusWords=0,0,0,0
 *   Resolutions=640x480,800x600,1024x768,1280x1024
 *   Depths=8,16,32            mode list = every depth with every resolution
 *   Frequency=60
 *   Value.<index>=<value>     any driver value 0..127
 *
 *   [Device0] ... (consecutive; default: one device as below)
 *   Name=\\.\DISPLAY1         (default \\.\DISPLAY<n+1>)
 *   Adapter=0                 adapter index, or "none" for another vendor's
 *   DeviceId=...              default: the adapter's DeviceId; required for
 *                             another vendor's device
 *   DeviceString=...          default: the adapter's DeviceString
 *   DeviceKey=                (empty)
 *   Primary=1  Attached=1     (defaults: Primary 1 for device 0 only)
 *   Resolution=1024x768  Depth=32  Frequency=(the adapter's Frequency)
 *   Rotation=0
 *
 *   [Power]                   the machine's power source
 *   ACLineStatus=1            0 battery, 1 mains, 255 unknown (other values
 *                             are errors); what SimGetSystemPowerStatus reports
 *
 *   [Faults]
 *   Escape.<function>=<status 0x10001..0x10007> or NoAnswer
 *   ModeChange=<DISP_CHANGE_* result forced on every mode change>
 */
#ifndef VQXSIM_H
#define VQXSIM_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ------------------------------------------------------------------ switch */
#define SIM_SWITCH_KEY "SOFTWARE\\Quorvel Inc.\\Tarvok VQX Control Panel\\Simulation"
#define SIM_SWITCH_ADAPTER_VALUE "Adapter"
#define SIM_SWITCH_SCENARIO_VALUE "Scenario"
#define SIM_DLL_NAME "VQXSIM.DLL"

/* ------------------------------------------------------------ escape 0x7300 */
#define SIM_ESCAPE 0x7300
#define SIM_REQUEST_BYTES 44
#define SIM_REPLY_BYTES 108
#define SIM_REQUEST_WORDS 11
#define SIM_REPLY_WORDS 27

#define SIM_FN_STATUS 0
#define SIM_FN_READ_PAIR 1
#define SIM_FN_WRITE_PAIR 2
#define SIM_FN_GET_VALUE 3
#define SIM_FN_SET_VALUE 4
#define SIM_FN_REQUEST 5
#define SIM_FN_FUNCTION6 6
#define SIM_FN_FUNCTION7 7
#define SIM_FN_REDUCE_ON 9
#define SIM_FN_ROTATE 10
#define SIM_FN_DUAL_VIEW 11
#define SIM_FN_DUAL_APP 12
#define SIM_FN_SWITCH 13
#define SIM_FN_AC_LINE 14
#define SIM_FUNCTION_COUNT 16 /* faults can be set for functions 0..15 */

/* function 5: offsets within the 40-byte block (reply/request byte 4 + n) */
#define SIM_BLOCK_BYTES 40
#define SIM_BLOCK_SUBFUNCTION 16
#define SIM_BLOCK_MARKER 28
#define SIM_BLOCK_MARKER_VALUE 0x5F00
#define SIM_SUB_CRT_ATTACHED 2
#define SIM_SUB_TV_ATTACHED 3
#define SIM_SUB_VERSION 4
#define SIM_SUB_PANEL_SIZE 8

/* driver value indices of functions 3 and 4 */
#define SIM_VALUE_PANEL_ID 0
#define SIM_VALUE_SECONDARY_PANEL_ID 8         /* 0..4 */
#define SIM_VALUE_SECONDARY_COLOR_INTERFACE 10 /* 0..1 */
#define SIM_VALUE_SECONDARY_PANEL_SUPPORTED 11 /* read-only */
#define SIM_VALUE_TV_SUPPORTED 32              /* read-only */
#define SIM_VALUE_TV_SYSTEM 33                 /* 0..1 */
#define SIM_VALUE_REDUCE_ON 39                 /* 0..1 */
#define SIM_VALUE_ADAPTER_KIND 43              /* read-only */
#define SIM_VALUE_DEVICE_MASK 64               /* read-only */
#define SIM_VALUE_DUAL_MONITOR_SWAPPED 108     /* 0..1 */
#define SIM_VALUE_COUNT 128

/* outputs (DisplayMask bits) */
#define SIM_OUTPUT_LCD 1
#define SIM_OUTPUT_CRT 2
#define SIM_OUTPUT_TV 4
#define SIM_OUTPUT_PANEL 8

/* display modes */
#define SIM_MODE_SINGLE 0
#define SIM_MODE_DUAL_VIEW 1
#define SIM_MODE_DUAL_APP 2
#define SIM_MODE_DUAL_MONITOR 3

/* driver statuses (reply word 0) */
#define SIM_STATUS_OK 0
#define SIM_STATUS_INVALID 0x10001
#define SIM_STATUS_NOT_NOW 0x10002
#define SIM_STATUS_NOT_CONNECTED 0x10003
#define SIM_STATUS_DUAL_VIEW_REFUSED 0x10007
#define SIM_STATUS_FIRST 0x10001
#define SIM_STATUS_LAST 0x10007
/* a fault, or a journal status: the driver did not answer at all */
#define SIM_NO_ANSWER 0xFFFFFFFFu

/* ------------------------------------------------------------------- state */
#define SIM_STATE_VERSION 2
#define SIM_MAX_ADAPTERS 2
#define SIM_MAX_DEVICES 6
#define SIM_MAX_MODES 48
#define SIM_PAIR_COUNT 16
#define SIM_FOREIGN 0xFFFFFFFFu /* SimDevice.adapter of another vendor's device */
/* SimState.modeChangeResult when mode changes are validated normally */
#define SIM_MODE_CHANGE_NORMAL ((LONG)0x80000000)

typedef struct SimMode {
    DWORD width;
    DWORD height;
    DWORD bitsPerPel;
    DWORD frequency;
} SimMode; /* 16 bytes */

typedef struct SimDevice {
    char deviceName[32];    /* "\\.\DISPLAY1" */
    char deviceString[128];
    char deviceId[128];     /* PCI identity as EnumDisplayDevicesA reports it */
    char deviceKey[128];
    DWORD attached;         /* attached to the desktop (StateFlags 1) */
    DWORD primary;          /* primary device (StateFlags 4) */
    DWORD adapter;          /* index into SimState.adapters, or SIM_FOREIGN */
    DWORD rotation;         /* 0 none, 1 90, 2 270, 3 180 degrees */
    SimMode current;        /* current resolution, already turned */
} SimDevice; /* 448 bytes */

typedef struct SimPair {
    DWORD used;
    DWORD first;
    DWORD second;
    DWORD value;
} SimPair; /* 16 bytes */

typedef struct SimAdapter {
    DWORD values[SIM_VALUE_COUNT]; /* driver values, SIM_VALUE_* */
    DWORD mode;                    /* SIM_MODE_* */
    DWORD crtAttached;             /* function 5 sub-function 2 */
    DWORD tvAttached;              /* function 5 sub-function 3 */
    DWORD dualViewSize;            /* function 11 byte 5 */
    DWORD dualViewFlag;            /* function 11 byte 6 */
    DWORD dualAppSwapped;          /* function 12 byte 5 */
    DWORD acLineStatus;            /* function 14 */
    DWORD lastSwitchModeWord;      /* function 13 word 2 */
    DWORD function6Value;
    DWORD function7Value;
    DWORD panelWidth;              /* 0: by panel id */
    DWORD panelHeight;
    DWORD pciDeviceId;             /* status record, u16 at 80 */
    DWORD revision;                /* byte at 82 */
    DWORD subsystemId;             /* u16 at 84 */
    DWORD statusBytes[3];          /* bytes 4, 5, 6 */
    DWORD statusValue;             /* byte 34 */
    DWORD statusWord;              /* u16 at 86 */
    DWORD statusByte;              /* byte 89 */
    DWORD statusWords[4];          /* 92, 96, 100, 104 */
    DWORD version[4];              /* sub-function 4 */
    DWORD versionBytes[2];
    DWORD versionWord;
    DWORD modeCount;
    SimMode modes[SIM_MAX_MODES];  /* landscape; turned for rotated devices */
    SimPair pairs[SIM_PAIR_COUNT]; /* functions 1 and 2 */
} SimAdapter; /* 1668 bytes */

typedef struct SimState {
    DWORD size;                    /* sizeof(SimState) */
    DWORD version;                 /* SIM_STATE_VERSION */
    DWORD hasEnumDisplayDevices;
    DWORD deviceCount;
    SimDevice devices[SIM_MAX_DEVICES];
    DWORD adapterCount;
    SimAdapter adapters[SIM_MAX_ADAPTERS];
    DWORD escapeFaults[SIM_FUNCTION_COUNT]; /* 0, 0x10001..7 or SIM_NO_ANSWER */
    LONG modeChangeResult;         /* SIM_MODE_CHANGE_NORMAL or forced result */
    char scenario[MAX_PATH];       /* where the state came from */
    DWORD acLineStatus;            /* the power source: AC_LINE_OFFLINE (0),
                                      AC_LINE_ONLINE (1) or AC_LINE_UNKNOWN (255) */
} SimState; /* 6376 bytes */

/* ----------------------------------------------------------------- journal */
#define SIM_JOURNAL_CAPACITY 1024 /* the oldest entries are dropped beyond it */
#define SIM_JOURNAL_ESCAPE 1
#define SIM_JOURNAL_MODE_CHANGE 2

typedef struct SimJournalEntry {
    DWORD sequence;       /* 1, 2, ... since the last clear */
    DWORD kind;           /* SIM_JOURNAL_* */
    DWORD processId;
    char deviceName[32];  /* device addressed; "" when none was named */
    /* SIM_JOURNAL_ESCAPE */
    DWORD request[SIM_REQUEST_WORDS]; /* as sent */
    DWORD status;         /* reply word 0, or SIM_NO_ANSWER */
    /* SIM_JOURNAL_MODE_CHANGE */
    DWORD extended;       /* ChangeDisplaySettingsExA (1) or ChangeDisplaySettingsA (0) */
    DWORD hasMode;        /* a DEVMODE was given */
    DWORD fields;         /* its dmFields; the values below are as given */
    DWORD width;
    DWORD height;
    DWORD bitsPerPel;
    DWORD frequency;
    DWORD orientation;
    DWORD flags;
    LONG result;
} SimJournalEntry; /* 132 bytes */

/* byte n of the request of an escape entry (bytes 4.. carry byte arguments) */
#define SIM_REQUEST_BYTE(entry, n) (((const BYTE*)(entry)->request)[n])

/* -------------------------------------------------------------------- seam */
BOOL WINAPI SimEnumDisplayDevicesA(LPCSTR device, DWORD index, PDISPLAY_DEVICEA info, DWORD flags);
BOOL WINAPI SimEnumDisplaySettingsA(LPCSTR device, DWORD mode, DEVMODEA* devMode);
LONG WINAPI SimChangeDisplaySettingsA(DEVMODEA* devMode, DWORD flags);
LONG WINAPI SimChangeDisplaySettingsExA(LPCSTR device, DEVMODEA* devMode, HWND window, DWORD flags, LPVOID param);
HDC WINAPI SimCreateDCA(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* init);
BOOL WINAPI SimDeleteDC(HDC dc);
int WINAPI SimExtEscape(HDC dc, int escape, int inputSize, LPCSTR input, int outputSize, LPSTR output);
int WINAPI SimGetDeviceCaps(HDC dc, int index);
/* FALSE when the scenario says the system has no EnumDisplayDevicesA */
BOOL WINAPI SimHasEnumDisplayDevices(void);
BOOL WINAPI SimGetSystemPowerStatus(LPSYSTEM_POWER_STATUS status);

/* ----------------------------------------------------------------- control */
/* Replace the state by a scenario; faults come from its [Faults] section and
 * the journal is cleared.  Returns 0, -1 when the file cannot be read, or the
 * number of the first line that cannot be used (the state is then unchanged). */
LONG WINAPI SimLoadScenario(LPCSTR path);
LONG WINAPI SimLoadScenarioText(LPCSTR text);
/* The built-in default scenario, no faults, empty journal. */
void WINAPI SimReset(void);
/* What a newly created state holds: the switch's "Scenario", else the
 * built-in default.  Returns like SimLoadScenario. */
LONG WINAPI SimResetToSwitch(void);
/* Copy the whole state out or in (under the state's mutex).  SimSetState
 * refuses (FALSE) a state whose size or version is wrong, whose counts
 * exceed the arrays, or whose power source is not one of [Power]'s. */
BOOL WINAPI SimGetState(SimState* state);
BOOL WINAPI SimSetState(const SimState* state);
/* status 0 removes the fault; 0x10001..0x10007 or SIM_NO_ANSWER set it.
 * FALSE for a function or status out of range. */
BOOL WINAPI SimSetEscapeFault(DWORD function, DWORD status);
/* SIM_MODE_CHANGE_NORMAL validates mode changes; any other value is
 * answered to every mode change (DISP_CHANGE_SUCCESSFUL applies the mode
 * unchecked). */
void WINAPI SimSetModeChangeResult(LONG result);
/* Changes the power source (SimState.acLineStatus) as pulling or plugging
 * the mains would; nobody is told (vqxsimctl power also broadcasts
 * WM_POWERBROADCAST PBT_APMPOWERSTATUSCHANGE).  FALSE for values other
 * than 0, 1 and 255, or when the shared state cannot be reached. */
BOOL WINAPI SimSetACLineStatus(BYTE status);
/* Copies up to max entries, oldest first; returns how many are held. */
UINT WINAPI SimGetJournal(SimJournalEntry* entries, UINT max);
/* Entries dropped because the journal was full, since the last clear. */
DWORD WINAPI SimJournalOverflow(void);
void WINAPI SimClearJournal(void);
/* Readable text of the journal or the state into buffer (NUL-terminated,
 * truncated to size); returns the length of the whole text. */
UINT WINAPI SimJournalToText(char* buffer, UINT size);
UINT WINAPI SimStateToText(char* buffer, UINT size);
/* Write or remove the machine-wide switch.  scenario may be null. */
BOOL WINAPI SimInstallSwitch(LPCSTR dll, LPCSTR scenario);
BOOL WINAPI SimRemoveSwitch(void);

#ifdef __cplusplus
}
#endif

#endif /* VQXSIM_H */
