// Pictures of the tray popup for sample display states, built by the tray
// program's own tray::BuildPopup, tracked and photographed from a second
// thread.
#pragma once

#include "gallery_context.h"

namespace gallery {

void CaptureTrayMenu(Context& context);

}  // namespace gallery
