// Pictures of the tray program at work: VQXTray.exe started from the
// gallery's folder on the simulated adapter, its icon in the notification
// area, its popup opened as the shell opens it and its about box.
#pragma once

#include "gallery_context.h"

namespace gallery {

// Switches the machine to the simulated adapter unless it already is (and
// back afterwards), starts the tray program, photographs it and ends it
// through its Exit command, which also takes its hot-key hook away.
void CaptureRunningTray(Context& context);

}  // namespace gallery
