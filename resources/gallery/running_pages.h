// Pictures of Display Properties at work: the stand-in Display control panel
// run by its command, with the extension registered from the gallery's
// folder, on the simulated adapter in the states a user meets (each
// arrangement, dual-monitor mode, the advanced sheet, the hot-key dialog and
// an error box).
#pragma once

#include "gallery_context.h"

namespace gallery {

// Registers the extension and installs desk.cpl for the time of the
// pictures, and removes both again; the tray program that the extension
// starts is ended through its Exit command.
void CaptureRunningPages(Context& context);

}  // namespace gallery
