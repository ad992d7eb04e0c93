#include "hotkey_actions.h"

#include "os_service.h"

namespace {

constexpr HotKeyFeatureNeed AllOf(uint8_t features)
{
    return { features, 0 };
}

constexpr HotKeyFeatureNeed AnyOf(uint8_t features)
{
    return { 0, features };
}

constexpr uint8_t kAnyOutputButLcd = kFeatureCrt | kFeatureTv | kFeatureSecondaryPanel;

// Which header switch offers which feature.
const struct {
    HotKeyFeature feature;
    int32_t HardwareHeader::*offered;
} kFeatureSwitches[] = {
    { kFeatureCrt, &HardwareHeader::enableCrt },
    { kFeatureTv, &HardwareHeader::enableTv },
    { kFeatureSecondaryPanel, &HardwareHeader::enableSecondaryPanel },
    { kFeatureRotation, &HardwareHeader::enableRotation },
    { kFeatureDualApp, &HardwareHeader::enableDualApp },
    { kFeatureDualView, &HardwareHeader::enableDualView },
};

uint8_t OfferedFeatures(const HardwareHeader& header)
{
    uint8_t features = 0;
    for (const auto& feature : kFeatureSwitches)
        if (header.*feature.offered)
            features |= feature.feature;
    return features;
}

// The rotation switch offers rotating; each angle has a switch of its own,
// which only limits the rotation keys' acting.
bool IsAngleOffered(const HardwareHeader& header, RotationCode angle)
{
    switch (angle) {
    case kRotation90:
        return header.enableRt90 != 0;
    case kRotation180:
        return header.enableRt180 != 0;
    case kRotation270:
        return header.enableRt270 != 0;
    case kRotationNone:
        break;
    }
    return false;
}

constexpr bool InIndexOrder(const HotKeyAction* actions)
{
    for (int i = 0; i < kHotKeyCount; ++i)
        if (actions[i].index != i)
            return false;
    return true;
}

} // namespace

extern constexpr HotKeyAction kHotKeyActions[kHotKeyCount] = {
    // The LCD alone only makes sense when some other output exists.
    { kHotKeyLcd, AnyOf(kAnyOutputButLcd), kActionSwitchOutputs, kOutputLcd },
    { kHotKeyCrt, AllOf(kFeatureCrt), kActionSwitchOutputs, kOutputCrt },
    { kHotKeyTv, AllOf(kFeatureTv), kActionSwitchOutputs, kOutputTv },
    { kHotKeySecondaryPanel, AllOf(kFeatureSecondaryPanel), kActionSwitchOutputs, kOutputSecondaryPanel },
    { kHotKeyLcdCrt, AllOf(kFeatureCrt), kActionSwitchOutputs, kOutputLcd | kOutputCrt },
    { kHotKeyLcdTv, AllOf(kFeatureTv), kActionSwitchOutputs, kOutputLcd | kOutputTv },
    { kHotKeyLcdSecondaryPanel, AllOf(kFeatureSecondaryPanel), kActionSwitchOutputs,
      kOutputLcd | kOutputSecondaryPanel },
    { kHotKeyCrtSecondaryPanel, AllOf(kFeatureCrt | kFeatureSecondaryPanel), kActionSwitchOutputs,
      kOutputCrt | kOutputSecondaryPanel },
    { kHotKeySecondaryPanelTv, AllOf(kFeatureTv | kFeatureSecondaryPanel), kActionSwitchOutputs,
      kOutputTv | kOutputSecondaryPanel },
    { kHotKeyRotate90, AllOf(kFeatureRotation), kActionRotate, 0, kRotation90 },
    { kHotKeyRotate180, AllOf(kFeatureRotation), kActionRotate, 0, kRotation180 },
    { kHotKeyRotate270, AllOf(kFeatureRotation), kActionRotate, 0, kRotation270 },
    { kHotKeySetDualApp, AllOf(kFeatureDualApp), kActionDualAppOn },
    { kHotKeySwapApps, AllOf(kFeatureDualApp), kActionSwapDualAppWindows },
    { kHotKeySwapDisplays, AllOf(kFeatureDualApp), kActionSwapDualAppDisplays },
    { kHotKeySetDualView, AllOf(kFeatureDualView), kActionDualViewOn },
    // Offered with any feature it can undo.
    { kHotKeyPlainState, AnyOf(kFeatureRotation | kFeatureDualApp | kFeatureDualView), kActionPlainState },
};

static_assert(InIndexOrder(kHotKeyActions), "kHotKeyActions[i].index == i");

bool IsHotKeyOffered(int index, const HardwareHeader& header)
{
    const HotKeyFeatureNeed& needs = kHotKeyActions[index].needs;
    const uint8_t offered = OfferedFeatures(header);
    return (offered & needs.all) == needs.all && (needs.any == 0 || (offered & needs.any) != 0);
}

bool IsHotKeySettable(int index, const HardwareHeader& header)
{
    const HotKeyAction& action = kHotKeyActions[index];
    return IsHotKeyOffered(index, header) &&
           (action.kind != kActionRotate || IsAngleOffered(header, action.rotation));
}

bool MayHotKeyAct(int index, const HardwareHeader& header, DisplayMode mode, RotationCode rotation)
{
    const HotKeyAction& action = kHotKeyActions[index];
    const bool rotated = rotation != kRotationNone;
    switch (action.kind) {
    case kActionSwitchOutputs:
        return mode == kModeSingle && IsHotKeyOffered(index, header);
    case kActionRotate:
        return IsHotKeySettable(index, header) && mode != kModeDualView && mode != kModeDualApp &&
               !(header.osClass == kOSWin98 && mode == kModeDualMonitor);
    case kActionDualAppOn:
    case kActionSwapDualAppWindows:
    case kActionSwapDualAppDisplays:
        return IsHotKeyOffered(index, header) && mode != kModeDualView && mode != kModeDualMonitor && !rotated;
    case kActionDualViewOn:
        return IsHotKeyOffered(index, header) && mode != kModeDualApp && mode != kModeDualMonitor && !rotated;
    case kActionPlainState:
        // It finds out what is on when it acts.
        return true;
    }
    return false;
}
