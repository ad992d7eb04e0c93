// The user's settings may be old, hand-edited or written by another
// version.  A value that is handed to the driver or used as a code is used
// by its low 8 bits and reads as its default when it lies outside the
// values the setting can take: the system starts, and nothing is written.
#include "robustness_fixture.h"

#include "os_service.h"
#include "resource_ids.h"

#include <string>
#include <vector>

namespace {


struct StoredValue {
    DWORD type;
    std::vector<BYTE> data;
    bool operator==(const StoredValue& o) const { return type == o.type && data == o.data; }
};

StoredValue Dword(DWORD value)
{
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&value);
    return { REG_DWORD, { bytes, bytes + sizeof(value) } };
}

void Store(const char* name, const StoredValue& value)
{
    CRegKey key;
    ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_CURRENT_USER, kSettingsKeyPath, KEY_ALL_ACCESS));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key.Get(), name, 0, value.type, value.data.data(),
                                            static_cast<DWORD>(value.data.size())));
}

StoredValue Stored(const char* name)
{
    CRegKey key;
    StoredValue value = { REG_NONE, std::vector<BYTE>(64) };
    DWORD size = static_cast<DWORD>(value.data.size());
    if (key.Open(HKEY_CURRENT_USER, kSettingsKeyPath, KEY_READ) != ERROR_SUCCESS ||
        RegQueryValueExA(key.Get(), name, nullptr, &value.type, value.data.data(), &size) != ERROR_SUCCESS)
        return {};
    value.data.resize(size);
    return value;
}

// What another version or a hand edit may leave, and what the system then
// uses: `used` for the low-byte rule, the default otherwise.
struct Case {
    StoredValue stored;
    DWORD used;
    const char* what;
};

const std::vector<Case> ByteCases(DWORD highest)
{
    return {
        { Dword(highest + 1), 0, "just above the range" },
        { Dword(300), 0, "300: its low byte 44 is out of range too" },
        { Dword(0x100 + highest), highest, "a high byte set: the low byte counts" },
        { { REG_SZ, { '1', 0 } }, 0, "text" },
        { { REG_BINARY, { 1, 0 } }, 0, "two bytes" },
        { { REG_BINARY, { 1, 0, 0, 0, 0, 0, 0, 0 } }, 0, "eight bytes" },
    };
}

} // namespace

using Settings = Robustness;

TEST_F(Settings, TheTVSystemHandedToTheDriverIsAlwaysOneItTakes)
{
    for (const Case& c : ByteCases(kHighestTVSystem)) {
        Store("TVSystem", c.stored);
        SimClearJournal();
        const ServiceError error = ServiceErrorOf([&] { Hardware(); });
        ASSERT_EQ((ServiceError{ 0, 0 }), error) << c.what << ": the system starts";
        std::vector<DWORD> sent;
        for (const SimJournalEntry& entry : Escapes(SIM_FN_SET_VALUE))
            if (entry.request[1] == SIM_VALUE_TV_SYSTEM)
                sent.push_back(entry.request[2]);
        EXPECT_EQ(std::vector<DWORD>{ c.used }, sent) << c.what;
        EXPECT_EQ(c.stored, Stored("TVSystem")) << c.what << ": nothing is written";
        ReleaseHardware();
    }
}

TEST_F(Settings, TheDualViewSizeCodeIsAlwaysOneTheDriverTakes)
{
    for (const Case& c : ByteCases(kHighestDualViewSecSize)) {
        Store("DualViewSecSize", c.stored);
        CHardware* hardware = Hardware();
        EXPECT_EQ(c.used, hardware->QueryDualViewSecSize()) << c.what;
        hardware->RefreshDisplayState();
        EXPECT_EQ(c.used, hardware->GetCurrentAdapter()->dualViewSecSize) << c.what;
        EXPECT_EQ(c.stored, Stored("DualViewSecSize")) << c.what << ": nothing is written";
    }
}

TEST_F(Settings, FlagsAndPanelChoicesReadAsTheirDefaultsOutOfRange)
{
    CHardware* hardware = Hardware();
    COSService& settings = *hardware->Settings();
    const struct {
        const char* name;
        DWORD (COSService::*read)(UINT);
        DWORD highest;
    } settingsWithRange[] = {
        { "DualAppSwapped", &COSService::GetDualAppSwapped, kHighestFlag },
        { "DualMonPrimarySwapped", &COSService::GetDualMonPrimarySwapped, kHighestFlag },
        { "SecondaryPanelID", &COSService::GetSecondaryPanelID, kHighestSecondaryPanelID },
        { "SecondaryPanelColorInterface", &COSService::GetSecondaryPanelColorInterface, kHighestColorInterface },
    };
    for (const auto& s : settingsWithRange) {
        for (const Case& c : ByteCases(s.highest)) {
            Store(s.name, c.stored);
            EXPECT_EQ(c.used, (settings.*s.read)(0)) << s.name << ", " << c.what;
        }
        Store(s.name, Dword(s.highest));
        EXPECT_EQ(s.highest, (settings.*s.read)(0)) << s.name << ": the highest value is kept";
    }
    Store("DualAppSwapped", Dword(2));
    hardware->RefreshDisplayState();
    EXPECT_EQ(0, hardware->GetCurrentAdapter()->dualAppSwapped);
}
