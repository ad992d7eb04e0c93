// The default hot-key table and the loading of the adapters' tables, with
// the real settings service, OEM file and settings key.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "hotkey_table.h"
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

std::set<int> Range(int first, int last)
{
    std::set<int> range;
    for (int i = first; i <= last; ++i)
        range.insert(i);
    return range;
}

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
