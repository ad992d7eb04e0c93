// Templates that come in one version per set of enabled arrangements, so
// that a page or dialog shows controls for exactly the arrangements the
// adapter offers.
#pragma once

#include <windows.h>

#include "shared_records.h"

// Picks from `templates`, indexed by dual application * 4 + dual view * 2 +
// rotation (each 1 when the header enables it).
constexpr UINT TemplateForArrangements(const HardwareHeader& header, const UINT (&templates)[8])
{
    return templates[(header.enableDualApp ? 4 : 0) + (header.enableDualView ? 2 : 0) + (header.enableRotation ? 1 : 0)];
}
