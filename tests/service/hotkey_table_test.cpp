// The default hot-key table and the loading of the adapters' tables, with
// the real settings service, OEM file and settings key; the hot keys'
// actions and when each may act.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "hotkey_actions.h"
#include "hotkey_table.h"
#include "os_service.h"
#include "settings_fixture.h"

namespace {

// The names and built-in keys as the OEM file and the user's manual give
// them, in table order.
const struct {
    const char* name;
    uint8_t key;
    uint8_t modifiers;
} kExpected[kHotKeyCount] = {
    { "LCD", 76, 6 },      { "CRT", 67, 6 },          { "TV", 84, 6 },           { "SECPANEL", 80, 6 },
    { "LCD_CRT", 67, 3 },  { "LCD_TV", 84, 3 },       { "LCD_SECPANEL", 80, 3 }, { "CRT_SECPANEL", 80, 5 },
    { "SECPANEL_TV", 84, 5 }, { "RT90", 219, 6 },     { "RT180", 187, 6 },       { "RT270", 221, 6 },
    { "SETDA", 65, 6 },    { "SWAPAPP", 65, 3 },      { "SWAPDISP", 68, 3 },     { "SETDV", 86, 6 },
    { "SMOFF", 81, 6 },
};

std::string OemKey(int index, const char* ending)
{
    return std::string("HK_") + kExpected[index].name + ending;
}

// A header offering every feature.
HardwareHeader EverythingOffered()
{
    HardwareHeader header = {};
    header.enableCrt = header.enableTv = header.enableSecondaryPanel = 1;
    header.enableRotation = header.enableDualApp = header.enableDualView = 1;
    return header;
}

// Indices of the entries whose key, modifiers and Fixed flag are all 0.
std::set<int> ClearedEntries(const HotKeyTable& table)
{
    std::set<int> cleared;
    for (int i = 0; i < kHotKeyCount; ++i)
        if (table.keyCode[i] == 0 && table.modifiers[i] == 0 && table.fixed[i] == 0)
            cleared.insert(i);
    return cleared;
}

// Indices of the entries with a key, modifiers or Fixed flag left.
std::set<int> NonZeroEntries(const HotKeyTable& table)
{
    std::set<int> left;
    for (int i = 0; i < kHotKeyCount; ++i)
        if (table.keyCode[i] != 0 || table.modifiers[i] != 0 || table.fixed[i] != 0)
            left.insert(i);
    return left;
}

std::set<int> Range(int first, int last)
{
    std::set<int> range;
    for (int i = first; i <= last; ++i)
        range.insert(i);
    return range;
}

std::set<int> Union(std::set<int> a, const std::set<int>& b)
{
    a.insert(b.begin(), b.end());
    return a;
}

using FeatureSwitch = int32_t HardwareHeader::*;

// A header with only `switches` on.
HardwareHeader Offering(const std::vector<FeatureSwitch>& switches)
{
    HardwareHeader header = {};
    for (FeatureSwitch on : switches)
        header.*on = 1;
    return header;
}

// The keys the user is offered with some feature switches on.
struct Offer {
    const char* what;
    std::vector<FeatureSwitch> switches;
    std::set<int> keys;
};

const Offer kEachFeatureAlone[] = {
    { "no feature: no key", {}, {} },
    { "only the CRT: the LCD, the CRT and LCD+CRT",
      { &HardwareHeader::enableCrt }, { kHotKeyLcd, kHotKeyCrt, kHotKeyLcdCrt } },
    { "only the TV: the LCD, the TV and LCD+TV",
      { &HardwareHeader::enableTv }, { kHotKeyLcd, kHotKeyTv, kHotKeyLcdTv } },
    { "only the secondary panel: the LCD, the panel and LCD+panel",
      { &HardwareHeader::enableSecondaryPanel },
      { kHotKeyLcd, kHotKeySecondaryPanel, kHotKeyLcdSecondaryPanel } },
    { "only rotation (no angle switch): the three angles and back to plain",
      { &HardwareHeader::enableRotation },
      { kHotKeyRotate90, kHotKeyRotate180, kHotKeyRotate270, kHotKeyPlainState } },
    { "only dual application: its three keys and back to plain",
      { &HardwareHeader::enableDualApp },
      { kHotKeySetDualApp, kHotKeySwapApps, kHotKeySwapDisplays, kHotKeyPlainState } },
    { "only dual view: dual view and back to plain",
      { &HardwareHeader::enableDualView }, { kHotKeySetDualView, kHotKeyPlainState } },
};

// The keys of two outputs without the LCD need both outputs.
const Offer kTwoOutputs[] = {
    { "CRT and TV: no key of two outputs without the LCD",
      { &HardwareHeader::enableCrt, &HardwareHeader::enableTv },
      { kHotKeyLcd, kHotKeyCrt, kHotKeyTv, kHotKeyLcdCrt, kHotKeyLcdTv } },
    { "CRT and secondary panel: CRT+panel, not panel+TV",
      { &HardwareHeader::enableCrt, &HardwareHeader::enableSecondaryPanel },
      { kHotKeyLcd, kHotKeyCrt, kHotKeySecondaryPanel, kHotKeyLcdCrt, kHotKeyLcdSecondaryPanel,
        kHotKeyCrtSecondaryPanel } },
    { "TV and secondary panel: panel+TV, not CRT+panel",
      { &HardwareHeader::enableTv, &HardwareHeader::enableSecondaryPanel },
      { kHotKeyLcd, kHotKeyTv, kHotKeySecondaryPanel, kHotKeyLcdTv, kHotKeyLcdSecondaryPanel,
        kHotKeySecondaryPanelTv } },
};

// Every feature and every rotation angle offered, on Windows 2000.
HardwareHeader EverythingOfferedWithAngles()
{
    HardwareHeader header = EverythingOffered();
    header.enableRt90 = header.enableRt180 = header.enableRt270 = 1;
    header.osClass = kOSWin2000;
    return header;
}

std::set<int> KeysThatMayAct(const HardwareHeader& header, DisplayMode mode, RotationCode rotation)
{
    std::set<int> acting;
    for (int i = 0; i < kHotKeyCount; ++i)
        if (MayHotKeyAct(i, header, mode, rotation))
            acting.insert(i);
    return acting;
}

const std::set<int> kDeviceKeys = Range(kHotKeyLcd, kHotKeySecondaryPanelTv);
const std::set<int> kRotationKeys = Range(kHotKeyRotate90, kHotKeyRotate270);
const std::set<int> kDualAppKeys = Range(kHotKeySetDualApp, kHotKeySwapDisplays);
const std::set<int> kDualViewKey = { kHotKeySetDualView };
const std::set<int> kPlainStateKey = { kHotKeyPlainState };

} // namespace

class HotKeyTableTest : public SettingsTest {
protected:
    HotKeyTable BuildDefaults(const HardwareHeader& header)
    {
        HotKeyTable table;
        std::memset(&table, 0xCC, sizeof(table));
        EXPECT_EQ(&table, &BuildDefaultHotKeyTable(*m_settings, header, table));
        return table;
    }

    // Every Fixed flag set in the OEM file.
    void FixAllInOemFile()
    {
        for (int i = 0; i < kHotKeyCount; ++i)
            WriteOem("Hotkey", OemKey(i, "_Fixed").c_str(), 1);
    }
};

TEST_F(HotKeyTableTest, WithoutOemFileTheBuiltInKeysAreTheDefaults)
{
    const HotKeyTable table = BuildDefaults(EverythingOffered());
    EXPECT_EQ(1, table.enabled);
    for (int i = 0; i < kHotKeyCount; ++i) {
        EXPECT_EQ(kExpected[i].key, table.keyCode[i]) << kExpected[i].name;
        EXPECT_EQ(kExpected[i].modifiers, table.modifiers[i]) << kExpected[i].name;
        EXPECT_EQ(0, table.fixed[i]) << kExpected[i].name;
    }
}

TEST_F(HotKeyTableTest, OemFileRedefinesEveryKeyWhenHKConfigIsOn)
{
    WriteOem("OEM", "HKConfig", 1);
    for (int i = 0; i < kHotKeyCount; ++i) {
        WriteOem("Hotkey", OemKey(i, "_Vkc").c_str(), 0x100 + 'A' + i);  // cut to 8 bits
        WriteOem("Hotkey", OemKey(i, "_Mod").c_str(), 1 + i % 7);
        WriteOem("Hotkey", OemKey(i, "_Fixed").c_str(), i % 2);
    }
    const HotKeyTable table = BuildDefaults(EverythingOffered());
    for (int i = 0; i < kHotKeyCount; ++i) {
        EXPECT_EQ('A' + i, table.keyCode[i]) << kExpected[i].name;
        EXPECT_EQ(1 + i % 7, table.modifiers[i]) << kExpected[i].name;
        EXPECT_EQ(i % 2, table.fixed[i]) << kExpected[i].name;
    }
}

TEST_F(HotKeyTableTest, OemKeysCountOnlyWithHKConfigButFixedFlagsAlways)
{
    WriteOem("OEM", "HKConfig", 0);
    WriteOem("Hotkey", "HK_LCD_Vkc", 'Z');
    WriteOem("Hotkey", "HK_LCD_Mod", 1);
    WriteOem("Hotkey", "HK_LCD_Fixed", 1);
    WriteOem("Hotkey", "HK_SMOFF_Fixed", 7);
    const HotKeyTable table = BuildDefaults(EverythingOffered());
    EXPECT_EQ(76, table.keyCode[0]);
    EXPECT_EQ(6, table.modifiers[0]);
    EXPECT_EQ(1, table.fixed[0]);
    EXPECT_EQ(7, table.fixed[16]);

    // Absent OEM keys keep the built-in ones.
    WriteOem("OEM", "HKConfig", 1);
    const HotKeyTable redefined = BuildDefaults(EverythingOffered());
    EXPECT_EQ('Z', redefined.keyCode[0]);
    EXPECT_EQ(1, redefined.modifiers[0]);
    EXPECT_EQ(67, redefined.keyCode[1]);
    EXPECT_EQ(6, redefined.modifiers[1]);
}

TEST_F(HotKeyTableTest, EntriesOfFeaturesNotOfferedAreCleared)
{
    FixAllInOemFile();  // cleared entries lose their Fixed flag too
    const struct {
        const char* what;
        void (*change)(HardwareHeader&);
        std::set<int> cleared;
    } cases[] = {
        { "everything offered", [](HardwareHeader&) {}, {} },
        { "only the LCD panel",
          [](HardwareHeader& h) { h.enableCrt = h.enableTv = h.enableSecondaryPanel = 0; }, Range(0, 8) },
        { "no CRT", [](HardwareHeader& h) { h.enableCrt = 0; }, { 1, 4, 7 } },
        { "no TV", [](HardwareHeader& h) { h.enableTv = 0; }, { 2, 5, 8 } },
        { "no secondary panel", [](HardwareHeader& h) { h.enableSecondaryPanel = 0; }, { 3, 6, 7, 8 } },
        { "CRT only", [](HardwareHeader& h) { h.enableTv = h.enableSecondaryPanel = 0; }, { 2, 3, 5, 6, 7, 8 } },
        { "rotation only",
          [](HardwareHeader& h) { h.enableDualApp = h.enableDualView = 0; }, Range(12, 15) },
        { "dual view only",
          [](HardwareHeader& h) { h.enableRotation = h.enableDualApp = 0; }, Range(9, 14) },
        { "no rotation, dual application or dual view",
          [](HardwareHeader& h) { h.enableRotation = h.enableDualApp = h.enableDualView = 0; }, Range(9, 16) },
    };
    for (const auto& c : cases) {
        HardwareHeader header = EverythingOffered();
        c.change(header);
        const HotKeyTable table = BuildDefaults(header);
        EXPECT_EQ(c.cleared, ClearedEntries(table)) << c.what;
        EXPECT_EQ(1, table.enabled) << c.what;
        for (int i = 0; i < kHotKeyCount; ++i) {
            if (c.cleared.count(i))
                continue;
            EXPECT_EQ(kExpected[i].key, table.keyCode[i]) << c.what << ": " << kExpected[i].name;
            EXPECT_EQ(1, table.fixed[i]) << c.what << ": " << kExpected[i].name;
        }
    }
}

TEST_F(HotKeyTableTest, OnlyTheFirstAdapterReceivesTheDefaults)
{
    AdapterRecord adapters[2];
    std::memset(adapters, 0xCC, sizeof(adapters));
    HotKeyTable defaults = BuildDefaults(EverythingOffered());
    const HotKeyTable built = defaults;

    LoadAdapterHotKeyTables(*m_settings, defaults, 2, [&](int i) { return &adapters[i]; });

    EXPECT_EQ(0, std::memcmp(&built, &adapters[0].hotKeyTable, sizeof(built)));
    const HotKeyTable zero = {};
    EXPECT_EQ(0, std::memcmp(&zero, &adapters[1].hotKeyTable, sizeof(zero)));
    EXPECT_EQ(0, std::memcmp(&zero, &defaults, sizeof(zero)));
    EXPECT_EQ(0xCC, adapters[1].displayCount) << "only the tables are written";
}

TEST_F(HotKeyTableTest, StoredTableWinsButFixedFlagsComeFromTheOemFile)
{
    HotKeyTable stored = {};
    stored.enabled = 1;
    stored.keyCode[2] = 'X';
    stored.modifiers[2] = 7;
    stored.fixed[3] = 1;  // not in the OEM file: dropped
    m_settings->SetHotKeyTable(&stored);
    WriteOem("Hotkey", "HK_TV_Fixed", 1);

    AdapterRecord adapters[2] = {};
    HotKeyTable defaults = BuildDefaults(EverythingOffered());
    LoadAdapterHotKeyTables(*m_settings, defaults, 2, [&](int i) { return &adapters[i]; });

    // One stored value serves every adapter.
    for (const AdapterRecord& adapter : adapters) {
        const HotKeyTable& table = adapter.hotKeyTable;
        EXPECT_EQ(1, table.enabled);
        EXPECT_EQ('X', table.keyCode[2]);
        EXPECT_EQ(7, table.modifiers[2]);
        EXPECT_EQ(0, table.keyCode[0]) << "stored entries are not mixed with the defaults";
        EXPECT_EQ(1, table.fixed[2]);
        EXPECT_EQ(0, table.fixed[3]);
    }
}

TEST_F(HotKeyTableTest, EachFeatureAloneOffersExactlyItsKeys)
{
    FixAllInOemFile();  // an entry half cleared would keep its Fixed flag
    for (const Offer& offer : kEachFeatureAlone)
        EXPECT_EQ(offer.keys, NonZeroEntries(BuildDefaults(Offering(offer.switches)))) << offer.what;
}

TEST_F(HotKeyTableTest, KeysOfTwoOutputsWithoutTheLcdNeedBoth)
{
    FixAllInOemFile();
    for (const Offer& offer : kTwoOutputs)
        EXPECT_EQ(offer.keys, NonZeroEntries(BuildDefaults(Offering(offer.switches)))) << offer.what;
}

TEST(HotKeyActions, EveryKeyDoesWhatItsNameSays)
{
    const std::map<std::string, uint8_t> outputs = {
        { "LCD", kOutputLcd }, { "CRT", kOutputCrt }, { "TV", kOutputTv }, { "SECPANEL", kOutputSecondaryPanel },
    };
    const std::map<std::string, RotationCode> angles = {
        { "RT90", kRotation90 }, { "RT180", kRotation180 }, { "RT270", kRotation270 },
    };
    const std::map<std::string, HotKeyActionKind> features = {
        { "SETDA", kActionDualAppOn },   { "SWAPAPP", kActionSwapDualAppWindows },
        { "SWAPDISP", kActionSwapDualAppDisplays }, { "SETDV", kActionDualViewOn },
        { "SMOFF", kActionPlainState },
    };
    for (int i = 0; i < kHotKeyCount; ++i) {
        const std::string name = kExpected[i].name;
        const HotKeyAction& action = kHotKeyActions[i];
        if (angles.count(name)) {
            EXPECT_EQ(kActionRotate, action.kind) << name;
            EXPECT_EQ(angles.at(name), action.rotation) << name;
        } else if (features.count(name)) {
            EXPECT_EQ(features.at(name), action.kind) << name;
        } else {
            // A device key's name lists its outputs: "LCD_SECPANEL".
            uint8_t mask = 0;
            std::istringstream parts(name);
            for (std::string part; std::getline(parts, part, '_');)
                mask |= outputs.at(part);
            EXPECT_EQ(kActionSwitchOutputs, action.kind) << name;
            EXPECT_EQ(mask, action.outputs) << name;
        }
    }
}

TEST(HotKeyActions, WhichKeysMayActInEachDisplayState)
{
    const std::set<int> everyKey = Range(0, kHotKeyCount - 1);
    const struct {
        const char* what;
        int osClass;
        DisplayMode mode;
        RotationCode rotation;
        std::set<int> acting;
    } cases[] = {
        { "single display: every key", kOSWin2000, kModeSingle, kRotationNone, everyKey },
        { "single display, rotated: outputs, rotation and back to plain", kOSWin2000, kModeSingle, kRotation90,
          Union(Union(kDeviceKeys, kRotationKeys), kPlainStateKey) },
        { "dual view: dual view and back to plain", kOSWin2000, kModeDualView, kRotationNone,
          Union(kDualViewKey, kPlainStateKey) },
        { "dual view, rotated: only back to plain", kOSWin2000, kModeDualView, kRotation180, kPlainStateKey },
        { "dual application: its keys and back to plain", kOSWin2000, kModeDualApp, kRotationNone,
          Union(kDualAppKeys, kPlainStateKey) },
        { "dual application, rotated: only back to plain", kOSWin2000, kModeDualApp, kRotation270,
          kPlainStateKey },
        { "dual monitor: rotation and back to plain", kOSWin2000, kModeDualMonitor, kRotationNone,
          Union(kRotationKeys, kPlainStateKey) },
        { "dual monitor, rotated: rotation and back to plain", kOSWin2000, kModeDualMonitor, kRotation90,
          Union(kRotationKeys, kPlainStateKey) },
        // Windows 98 and Me rotate no display of a dual-monitor desktop.
        { "dual monitor on Windows 98: only back to plain", kOSWin98, kModeDualMonitor, kRotationNone,
          kPlainStateKey },
        { "dual monitor on Windows 95: rotation and back to plain", kOSWin95, kModeDualMonitor, kRotationNone,
          Union(kRotationKeys, kPlainStateKey) },
        { "dual monitor on Windows NT 4: rotation and back to plain", kOSWinNT4, kModeDualMonitor,
          kRotationNone, Union(kRotationKeys, kPlainStateKey) },
        { "single display on Windows 98: every key", kOSWin98, kModeSingle, kRotationNone, everyKey },
    };
    for (const auto& c : cases) {
        HardwareHeader header = EverythingOfferedWithAngles();
        header.osClass = c.osClass;
        EXPECT_EQ(c.acting, KeysThatMayAct(header, c.mode, c.rotation)) << c.what;
    }
}

TEST(HotKeyActions, OnASingleDisplayOfferedKeysMayActAndBackToPlainAlways)
{
    const auto check = [](const Offer& offer) {
        HardwareHeader header = Offering(offer.switches);
        header.enableRt90 = header.enableRt180 = header.enableRt270 = 1;
        EXPECT_EQ(Union(offer.keys, kPlainStateKey), KeysThatMayAct(header, kModeSingle, kRotationNone))
            << offer.what;
    };
    for (const Offer& offer : kEachFeatureAlone)
        check(offer);
    for (const Offer& offer : kTwoOutputs)
        check(offer);
}

TEST(HotKeyActions, RotationKeysNeedRotationAndTheirOwnAngle)
{
    const struct {
        const char* what;
        std::vector<FeatureSwitch> switches;
        std::set<int> acting;
    } cases[] = {
        { "rotation and 90 degrees", { &HardwareHeader::enableRotation, &HardwareHeader::enableRt90 },
          { kHotKeyRotate90, kHotKeyPlainState } },
        { "rotation and 180 degrees", { &HardwareHeader::enableRotation, &HardwareHeader::enableRt180 },
          { kHotKeyRotate180, kHotKeyPlainState } },
        { "rotation and 270 degrees", { &HardwareHeader::enableRotation, &HardwareHeader::enableRt270 },
          { kHotKeyRotate270, kHotKeyPlainState } },
        { "every angle but no rotation",
          { &HardwareHeader::enableRt90, &HardwareHeader::enableRt180, &HardwareHeader::enableRt270 },
          kPlainStateKey },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.acting, KeysThatMayAct(Offering(c.switches), kModeSingle, kRotationNone)) << c.what;
}
