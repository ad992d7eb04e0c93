#include "device_choices.h"

#include <algorithm>
#include <iterator>

#include "framework.h"
#include "resource_catalogue.h"
#include "resource_ids.h"

namespace {

// Plain and rotated: one device alone or two showing the same picture.
constexpr DevicePair kCombinations[] = {
    { 1, 0, false }, { 2, 0, false }, { 4, 0, false }, { 8, 0, false }, { 1, 8, false },
    { 1, 2, false }, { 1, 4, false }, { 2, 8, false }, { 8, 4, false },
};
// Dual view: the LCD panel shows the first part of the desktop.
constexpr DevicePair kDualViewPairs[] = {
    { 1, 2, false }, { 1, 4, false }, { 1, 8, false },
};
// Dual application: a pair given against the adapter's order has its
// halves swapped.
constexpr DevicePair kDualAppPairs[] = {
    { 1, 2, false }, { 1, 4, false }, { 1, 8, false }, { 2, 1, true }, { 2, 8, true }, { 2, 4, false },
    { 4, 1, true },  { 4, 2, true },  { 4, 8, true },  { 8, 4, false }, { 8, 1, true }, { 8, 2, false },
};

// Device index of the preview tables: none 0, LCD 1, CRT 2, TV 3,
// secondary panel 4; an undecided device shows as none.
int PreviewIndex(int device)
{
    switch (device) {
    case kOutputLcd: return 1;
    case kOutputCrt: return 2;
    case kOutputTv: return 3;
    case kOutputSecondaryPanel: return 4;
    default: return 0;
    }
}

int ClampedArrangement(int arrangement)
{
    return arrangement >= 0 && arrangement < kArrangementCount ? arrangement : kArrangementPlain;
}

bool Contains(const std::vector<int>& items, int value)
{
    return std::find(items.begin(), items.end(), value) != items.end();
}

DeviceBoxItem ItemOf(int first, int second)
{
    std::string text = AfxLoadString(DeviceNameId(first));
    if (second)
        text += " + " + AfxLoadString(DeviceNameId(second));
    return { text, first | second };
}

// Slider positions by enabled settings (RT90, RT180, RT270 as bits 1, 2, 4).
constexpr int kPlainOnly[] = { kArrangementPlain };
constexpr int kRt90[] = { kArrangementPlain, kArrangementRotated90 };
constexpr int kRt180[] = { kArrangementPlain, kArrangementRotated180 };
constexpr int kRt270[] = { kArrangementPlain, kArrangementRotated270 };
constexpr int kRt90Rt180[] = { kArrangementPlain, kArrangementRotated90, kArrangementRotated180 };
constexpr int kRt90Rt270[] = { kArrangementPlain, kArrangementRotated90, kArrangementRotated270 };
constexpr int kRt180Rt270[] = { kArrangementPlain, kArrangementRotated180, kArrangementRotated270 };
constexpr int kAllRotations[] = { kArrangementPlain, kArrangementRotated90, kArrangementRotated180,
                                  kArrangementRotated270 };

template <size_t N>
constexpr RotationList ListOf(const int (&arrangements)[N])
{
    return { arrangements, static_cast<int>(N) };
}

UINT RotationLabelId(int arrangement)
{
    switch (arrangement) {
    case kArrangementRotated90: return IDS_ROTATION_LABEL_90;
    case kArrangementRotated180: return IDS_ROTATION_LABEL_180;
    case kArrangementRotated270: return IDS_ROTATION_LABEL_270;
    default: return IDS_ROTATION_LABEL_NONE;
    }
}

std::string RotationLabel(int arrangement)
{
    // The 90-degree label is the one that comes without its own space.
    const std::string label = AfxLoadString(RotationLabelId(arrangement));
    return arrangement == kArrangementRotated90 ? " " + label : label;
}

} // namespace

DevicePairList DevicePairsOf(int arrangement)
{
    switch (arrangement) {
    case kArrangementDualView: return { kDualViewPairs, std::size(kDualViewPairs) };
    case kArrangementDualApp: return { kDualAppPairs, std::size(kDualAppPairs) };
    default: return { kCombinations, std::size(kCombinations) };
    }
}

const DevicePair* FindDevicePair(int arrangement, const DeviceChoice& choice)
{
    for (const DevicePair& pair : DevicePairsOf(arrangement))
        if (pair.first == choice.first && pair.second == choice.second)
            return &pair;
    return nullptr;
}

bool IsValidPair(int arrangement, const DeviceChoice& choice, bool dualAppSwapped)
{
    const DevicePair* pair = FindDevicePair(arrangement, choice);
    return pair && pair->swapped == (arrangement == kArrangementDualApp && dualAppSwapped);
}

DeviceChoice SplitDeviceMask(UINT mask, int arrangement, bool dualAppSwapped)
{
    int bits[2] = { 0, 0 };
    size_t found = 0;
    for (int output : { kOutputLcd, kOutputCrt, kOutputTv, kOutputSecondaryPanel })
        if ((mask & output) && found < std::size(bits))
            bits[found++] = output;
    const DeviceChoice reversed = { bits[1], bits[0] };
    if (!IsValidPair(arrangement, { bits[0], bits[1] }, dualAppSwapped) &&
        IsValidPair(arrangement, reversed, dualAppSwapped))
        return reversed;
    return { bits[0], bits[1] };
}

UINT DeviceMaskOf(const DeviceChoice& choice)
{
    UINT mask = 0;
    for (int device : { choice.first, choice.second })
        if (device > 0)
            mask |= static_cast<UINT>(device);
    return mask;
}

bool IsDeviceEnabled(int device, const HardwareHeader& header)
{
    switch (device) {
    case kOutputCrt: return header.enableCrt != 0;
    case kOutputTv: return header.enableTv != 0;
    case kOutputSecondaryPanel: return header.enableSecondaryPanel != 0;
    default: return true;
    }
}

int ArrangementOf(const DisplayRecord& display)
{
    switch (display.mode) {
    case kModeDualView: return kArrangementDualView;
    case kModeDualApp: return kArrangementDualApp;
    default: return IsRotated(display.rotation) ? static_cast<int>(display.rotation) : static_cast<int>(kArrangementPlain);
    }
}

UINT DeviceNameId(int device)
{
    switch (device) {
    case 0: return IDS_DEVICE_NONE;
    case kOutputLcd: return IDS_DEVICE_LCD;
    case kOutputCrt: return IDS_DEVICE_CRT;
    case kOutputTv: return IDS_DEVICE_TV;
    case kOutputSecondaryPanel: return IDS_DEVICE_SECPANEL;
    default: return IDS_DEVICE_UNKNOWN;
    }
}

UINT FirstPreviewPicture(int arrangement, int device)
{
    return vqxres::kFirstPreview[ClampedArrangement(arrangement)][PreviewIndex(device)];
}

UINT SecondPreviewPicture(int arrangement, int device)
{
    return vqxres::kSecondPreview[ClampedArrangement(arrangement)][PreviewIndex(device)];
}

std::vector<DeviceBoxItem> CombinationItems(int arrangement, const HardwareHeader& header, bool dualMonitorMode)
{
    std::vector<DeviceBoxItem> items;
    for (const DevicePair& pair : DevicePairsOf(arrangement)) {
        if (!IsDeviceEnabled(pair.first, header) || !IsDeviceEnabled(pair.second, header))
            continue;
        // A monitor of a dual-monitor desktop shows one device.
        if (dualMonitorMode && pair.second)
            continue;
        items.push_back(ItemOf(pair.first, pair.second));
    }
    return items;
}

std::vector<DeviceBoxItem> ColumnItems(int arrangement, int column, const HardwareHeader& header)
{
    std::vector<DeviceBoxItem> items;
    std::vector<int> seen;
    for (const DevicePair& pair : DevicePairsOf(arrangement)) {
        const int device = column == 0 ? pair.first : pair.second;
        if (Contains(seen, device))
            continue;
        seen.push_back(device);
        if (IsDeviceEnabled(device, header))
            items.push_back(ItemOf(device, 0));
    }
    return items;
}

DeviceChoice NormaliseChoice(int arrangement, DeviceChoice choice, int lastShownFirst,
                             const std::vector<int>& firstItems, const std::vector<int>& secondItems)
{
    if (FindDevicePair(arrangement, choice))
        return choice;
    if (!ChoosesPair(arrangement))
        return { kOutputLcd, kOutputCrt };
    const DevicePairList pairs = DevicePairsOf(arrangement);
    if (choice.first == lastShownFirst) {
        // The second device changed: the first follows it.
        if (!Contains(secondItems, choice.second) && !secondItems.empty())
            choice.second = secondItems.front();
        choice.first = kUndecidedDevice;
        for (const DevicePair& pair : pairs) {
            if (pair.second == choice.second) {
                choice.first = pair.first;
                break;
            }
        }
    } else {
        // The first device changed: the second follows it.
        if (!Contains(firstItems, choice.first) && !firstItems.empty())
            choice.first = firstItems.front();
        choice.second = kUndecidedDevice;
        for (const DevicePair& pair : pairs) {
            if (pair.first == choice.first) {
                choice.second = pair.second;
                break;
            }
        }
    }
    return choice;
}

int RotationList::PositionOf(int arrangement) const
{
    for (int position = 0; position < count; ++position)
        if (arrangements[position] == arrangement)
            return position;
    return -1;
}

RotationList RotationListFor(bool rt90, bool rt180, bool rt270)
{
    static constexpr RotationList kLists[8] = {
        ListOf(kPlainOnly), ListOf(kRt90),       ListOf(kRt180),      ListOf(kRt90Rt180),
        ListOf(kRt270),     ListOf(kRt90Rt270),  ListOf(kRt180Rt270), ListOf(kAllRotations),
    };
    return kLists[(rt90 ? 1 : 0) + (rt180 ? 2 : 0) + (rt270 ? 4 : 0)];
}

RotationList RotationListFor(const HardwareHeader& header)
{
    if (!header.enableRotation)
        return ListOf(kPlainOnly);
    return RotationListFor(header.enableRt90 != 0, header.enableRt180 != 0, header.enableRt270 != 0);
}

std::string RotationSliderText(const RotationList& list)
{
    if (list.count < 2)
        return std::string();
    std::string labels[4];
    for (int position = 0; position < list.count && position < 4; ++position)
        labels[position] = RotationLabel(list.arrangements[position]);
    switch (list.count) {
    case 2: return AfxFormatString(IDS_FMT_ROTATION_2, labels[0].c_str(), labels[1].c_str());
    case 3: return AfxFormatString(IDS_FMT_ROTATION_3, labels[0].c_str(), labels[1].c_str(), labels[2].c_str());
    default:
        return AfxFormatString(IDS_FMT_ROTATION_4, labels[0].c_str(), labels[1].c_str(), labels[2].c_str(),
                               labels[3].c_str());
    }
}
