// The rules of the display-devices page that need no window: which device
// pairs each arrangement of the desktop allows, how a device mask becomes a
// first and a second device, how a choice that is not allowed is put
// right, which texts name the devices and the rotation settings, and which
// preview picture shows a device.  The page, the gallery and the tests use
// the same tables.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "shared_records.h"

// How the desktop is arranged on the chosen devices.  1 to 3 are rotated
// with the rotation service's code of the same value.
enum Arrangement : int {
    kArrangementPlain = 0,
    kArrangementRotated90 = 1,
    kArrangementRotated270 = 2,
    kArrangementRotated180 = 3,
    kArrangementDualView = 4,
    kArrangementDualApp = 5,
};
constexpr int kArrangementCount = 6;

// A device that is not decided yet (device values are DisplayOutput bits,
// 0 for none).
constexpr int kUndecidedDevice = -1;

inline bool IsRotated(int arrangement)
{
    return arrangement >= kArrangementRotated90 && arrangement <= kArrangementRotated180;
}
// Dual view and dual application choose their two devices separately;
// the other arrangements choose a combination.
inline bool ChoosesPair(int arrangement)
{
    return arrangement == kArrangementDualView || arrangement == kArrangementDualApp;
}

struct DeviceChoice {
    int first;
    int second;
    bool operator==(const DeviceChoice& o) const { return first == o.first && second == o.second; }
    bool operator!=(const DeviceChoice& o) const { return !(*this == o); }
};

// One entry of an arrangement's list of device pairs.
struct DevicePair {
    int first;
    int second;  // 0: the first device alone
    bool swapped;
};

struct DevicePairList {
    const DevicePair* entries;
    size_t count;
    const DevicePair* begin() const { return entries; }
    const DevicePair* end() const { return entries + count; }
};

// The pairs an arrangement offers, in the order the page lists them.
DevicePairList DevicePairsOf(int arrangement);
// The entry of (first, second) in the arrangement's list, or null.
const DevicePair* FindDevicePair(int arrangement, const DeviceChoice& choice);
// A pair the arrangement takes as the adapter's order stands: listed, with
// the swapped flag of the dual-application halves where that applies.
bool IsValidPair(int arrangement, const DeviceChoice& choice, bool dualAppSwapped);
// The first two outputs of `mask` (LCD, CRT, TV, secondary panel order),
// in the order the arrangement takes them.
DeviceChoice SplitDeviceMask(UINT mask, int arrangement, bool dualAppSwapped);
// The mask of a choice; an undecided device adds nothing.
UINT DeviceMaskOf(const DeviceChoice& choice);

// Whether the header's switches let a device be offered (the LCD panel and
// "none" always are).
bool IsDeviceEnabled(int device, const HardwareHeader& header);

// The arrangement a display is in, from its mode and rotation.
int ArrangementOf(const DisplayRecord& display);

// A device's name (a string of the resource library).
UINT DeviceNameId(int device);
// A device's preview picture (a bitmap of the resource library) in an
// arrangement, as the first or only picture and as the second.
UINT FirstPreviewPicture(int arrangement, int device);
UINT SecondPreviewPicture(int arrangement, int device);

// An entry of a device box: what it shows and its item data.
struct DeviceBoxItem {
    std::string text;
    int data;
};
// The combination box: the arrangement's pairs whose devices are enabled;
// in dual-monitor mode single devices only.
std::vector<DeviceBoxItem> CombinationItems(int arrangement, const HardwareHeader& header, bool dualMonitorMode);
// The first-device (column 0) or second-device (column 1) box: each enabled
// device of that column of the arrangement's list, once.
std::vector<DeviceBoxItem> ColumnItems(int arrangement, int column, const HardwareHeader& header);

// Puts a choice right that the arrangement does not list: a combination
// falls back to LCD panel and CRT; of a pair, the device the user did not
// just change follows the one he did (`lastShownFirst` tells which one that
// was).  `firstItems` and `secondItems` are the item data of the first and
// second device boxes.
DeviceChoice NormaliseChoice(int arrangement, DeviceChoice choice, int lastShownFirst,
                             const std::vector<int>& firstItems, const std::vector<int>& secondItems);

// The rotation settings the slider offers: the arrangement of each position.
struct RotationList {
    const int* arrangements;
    int count;
    // The position of an arrangement; -1 when the list lacks it.
    int PositionOf(int arrangement) const;
};
// The list for the enabled rotation settings.  Without any, the slider
// offers the plain arrangement alone.
RotationList RotationListFor(bool rt90, bool rt180, bool rt270);
RotationList RotationListFor(const HardwareHeader& header);
// The slider's text: the labels of the list's positions, left to right,
// in the format for that many labels; "" for a list of one.
std::string RotationSliderText(const RotationList& list);
