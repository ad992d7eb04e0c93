// What the Display control panel and the property-sheet extensions it loads
// agree on.  The host (a stand-in "desk.cpl" for systems without a Display
// control panel), the extension's registration, the tests and the installer
// read it from here.
#pragma once

namespace displaypanel {

// The clipboard format in which the panel hands an extension the name of
// the display device whose properties are shown: a NUL-terminated UTF-16
// string in an HGLOBAL, aspect DVASPECT_CONTENT, index -1.
constexpr char kDisplayDeviceFormat[] = "Display Device";

// Under HKEY_LOCAL_MACHINE: one subkey per property-sheet handler, whose
// name or default value is the handler's class id.
constexpr char kPropertySheetHandlersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Controls Folder\\Display\\shellex\\PropertySheetHandlers";

// The device name handed over when the system cannot enumerate display
// devices (the 95 family before Windows 98): the name its drivers know the
// display by.
constexpr char kFallbackDisplayDevice[] = "DISPLAY";

// The caption of the panel's property sheet.
constexpr char kSheetCaption[] = "Display Properties";

// The applet's file in the system folder, and how the system runs it.
constexpr char kAppletFile[] = "desk.cpl";
constexpr char kRunAppletCommand[] = "rundll32 shell32.dll,Control_RunDLL desk.cpl";

} // namespace displaypanel
