// index.html of the gallery: every shot with its caption, grouped by section
// (sections in the order they first appear).
#pragma once

#include "gallery_context.h"

namespace gallery {

bool WriteIndex(const Context& context);

}  // namespace gallery
