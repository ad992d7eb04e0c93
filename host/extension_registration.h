// Registration of a property-sheet extension with the Display control panel
// (the extension has no self-registration), and the installation of the
// stand-in applet desk.cpl into a system folder.
//
//   RegisterHandler / UnregisterHandler   the COM server and handler keys
//   InstallApplet / RemoveApplet          desk.cpl, only where it is ours
//   IsStandInApplet                       tells our desk.cpl from the system's
#pragma once

#include <windows.h>

#include <string>

#include "display_panel_contract.h"

namespace displaypanel {

// What registering one handler writes:
//   HKCR\CLSID\<classId>\InprocServer32   default = libraryPath,
//                                         ThreadingModel = Apartment
//   HKLM\<handlersKey>\<handlerName>      default = classId
struct HandlerRegistration {
    std::string classId;      // "{...}"
    std::string libraryPath;  // full path of the in-process server
    std::string handlerName;
    std::string handlersKey = kPropertySheetHandlersKey;
};

// The registration of VQXPage.dll in `folder`.
HandlerRegistration ProductRegistration(const std::string& folder);

// ERROR_SUCCESS, or the first error.
LONG RegisterHandler(const HandlerRegistration& handler);
// Removes the keys RegisterHandler writes; keys already gone are no error.
LONG UnregisterHandler(const HandlerRegistration& handler);

// Whether the file is the stand-in applet of this system (by the
// description in its version resource).
bool IsStandInApplet(const std::string& path);

enum class AppletResult {
    Done,        // copied, or removed
    NotOurs,     // the folder has a desk.cpl of someone else's: left alone
    Absent,      // nothing to remove
    Failed,      // the copy or the removal failed (GetLastError)
};

// Copies `appletFile` (our desk.cpl; any other file fails with
// ERROR_BAD_FORMAT) into `systemFolder` unless that has a desk.cpl that is
// not ours.
AppletResult InstallApplet(const std::string& appletFile, const std::string& systemFolder);
// Deletes `systemFolder`\desk.cpl if it is ours.
AppletResult RemoveApplet(const std::string& systemFolder);

} // namespace displaypanel
