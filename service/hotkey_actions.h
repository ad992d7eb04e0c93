// The action table of the 17 hot keys: per key the features it needs and
// what it does, and the two questions asked of a key wherever hot keys are
// shown or carried out (the default table, the hook, the tray menu, the
// hot-key dialog):
//   - is it offered by the header's feature switches, and
//   - may it act on a display in this state.
// Both answers come from the header and the display's state alone, so any
// module can ask them without holding a service.
#pragma once

#include <windows.h>

#include <cstdint>

#include "hotkey_table.h"
#include "shared_records.h"

// What a hot key does.
enum HotKeyActionKind : uint8_t {
    kActionSwitchOutputs,         // show the desktop on the action's outputs
    kActionRotate,                // rotate to the action's rotation code
    kActionDualAppOn,             // switch dual application on
    kActionSwapDualAppWindows,    // swap the two applications' windows
    kActionSwapDualAppDisplays,   // swap the two applications' displays
    kActionDualViewOn,            // switch dual view on
    kActionPlainState,            // undo whichever of rotation, dual view, dual application is on
};

// The feature switches of the header (HardwareHeader::enable*) as bits.
enum HotKeyFeature : uint8_t {
    kFeatureCrt = 1 << 0,
    kFeatureTv = 1 << 1,
    kFeatureSecondaryPanel = 1 << 2,
    kFeatureRotation = 1 << 3,
    kFeatureDualApp = 1 << 4,
    kFeatureDualView = 1 << 5,
};

// The features a key needs: all of `all`, and one of `any` unless it is 0.
struct HotKeyFeatureNeed {
    uint8_t all;
    uint8_t any;
};

struct HotKeyAction {
    HotKeyIndex index;
    HotKeyFeatureNeed needs;
    HotKeyActionKind kind;
    uint8_t outputs;                        // kActionSwitchOutputs: DisplayOutput bits
    RotationCode rotation = kRotationNone;  // kActionRotate
};

// The actions in index order.
extern const HotKeyAction kHotKeyActions[kHotKeyCount];

// Whether the header's feature switches offer hot key `index`; a key not
// offered is cleared from the default table.
bool IsHotKeyOffered(int index, const HardwareHeader& header);

// Whether hot key `index` can be set at all under the header's switches:
// offered, and for a rotation key its angle offered too.  The hot-key
// dialog lets the user edit exactly these keys.
bool IsHotKeySettable(int index, const HardwareHeader& header);

// Whether hot key `index` may act on a display in `mode` with `rotation`:
// the outputs are chosen only in the single mode, the rotation angle must be
// offered too, and the plain-state key may always act.
bool MayHotKeyAct(int index, const HardwareHeader& header, DisplayMode mode, RotationCode rotation);
