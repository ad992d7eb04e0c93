// index.html of the gallery: every shot with its caption, by section.
#pragma once

#include "gallery_context.h"

namespace gallery {

bool WriteIndex(const Context& context);

}  // namespace gallery
