// The icon and every bitmap of the library as PNG files.
#pragma once

#include "gallery_context.h"

namespace gallery {

void ExportIcon(Context& context);
void ExportBitmaps(Context& context);

}  // namespace gallery
