// Pictures of the tray popup, built from menu 1001 as the tray program
// builds it, tracked and photographed from a second thread.
#pragma once

#include "gallery_context.h"

namespace gallery {

void CaptureTrayMenu(Context& context);

}  // namespace gallery
