// The shared block: its byte layout, range checks, and a second process
// attaching to the block the first one built.
#include "simulated_adapter.h"

#include <cstring>

#include "resource_ids.h"
#include "test_support.h"

namespace {

const char kTwoDisplays[] =
    "[Adapter0]\n"
    "[Device0]\nName=\\\\.\\DISPLAY1\n"
    "[Device1]\nName=\\\\.\\DISPLAY2\nPrimary=0\n";

// A view of the block of our own, to read it as raw bytes.
class RawBlock {
public:
    RawBlock()
        : m_mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, kBlockName)),
          m_view(m_mapping ? MapViewOfFile(m_mapping, FILE_MAP_READ, 0, 0, 0) : nullptr) {}
    const BYTE* Bytes() const { return static_cast<const BYTE*>(m_view.Get()); }

private:
    CHandle m_mapping;
    CMappedView m_view;
};

} // namespace

using SharedBlock = SimulatedAdapter;

TEST_F(SharedBlock, RecordsSitAtTheirFixedOffsets)
{
    Load(kTwoDisplays);
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    RawBlock raw;
    ASSERT_NE(nullptr, raw.Bytes());

    DWORD sizeWord;
    std::memcpy(&sizeWord, raw.Bytes(), 4);
    EXPECT_EQ(392u, sizeWord);

    // Distinct marks through the records, read back at the documented offsets.
    hardware->GetHeader(TRUE)->pagesOpen = 0x11223344;
    hardware->GetAdapter(0, TRUE)->hotKeyTable.enabled = 0x55667788;
    hardware->GetDisplay(0, 1, TRUE)->height = 0x0A0B0C0D;
    int32_t value;
    std::memcpy(&value, raw.Bytes() + 4 + 12, 4);
    EXPECT_EQ(0x11223344, value);
    EXPECT_EQ(1, raw.Bytes()[4]) << "adapterCount";
    EXPECT_EQ(2, raw.Bytes()[100]) << "displayCount of adapter 0";
    std::memcpy(&value, raw.Bytes() + 100 + 88, 4);
    EXPECT_EQ(0x55667788, value);
    EXPECT_STREQ("\\\\.\\DISPLAY1", reinterpret_cast<const char*>(raw.Bytes() + 296));
    EXPECT_STREQ("\\\\.\\DISPLAY2", reinterpret_cast<const char*>(raw.Bytes() + 344));
    std::memcpy(&value, raw.Bytes() + 344 + 44, 4);
    EXPECT_EQ(0x0A0B0C0D, value);
}

TEST_F(SharedBlock, IndicesOutOfRangeAreError320)
{
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    EXPECT_EQ((ServiceError{ IDS_ERR_RECORD_RANGE, 1 }), CatchServiceError([&] { hardware->GetAdapter(1, TRUE); }));
    EXPECT_EQ((ServiceError{ IDS_ERR_RECORD_RANGE, 2 }), CatchServiceError([&] { hardware->GetDisplay(0, 1, TRUE); }));
    // Unchecked: the address just after adapter 0's last display.
    const BYTE* afterLast = reinterpret_cast<const BYTE*>(hardware->GetDisplay(0, 0, TRUE)) + sizeof(DisplayRecord);
    EXPECT_EQ(afterLast, reinterpret_cast<const BYTE*>(hardware->GetAdapter(1, FALSE)));
    // Indices are 8-bit: 256 is adapter 0.
    EXPECT_EQ(hardware->GetAdapter(0, TRUE), hardware->GetAdapter(256, TRUE));
}

TEST_F(SharedBlock, EachIndexBoundaryIsExactWithTwoAdapters)
{
    // With a second adapter behind the first, an index one past a count
    // would find a real record: only the check tells it is not the one
    // asked for.
    Load("[Adapter0]\nSubsystemId=0x1043\n[Adapter1]\nSubsystemId=0x2201\n"
         "[Device0]\nAdapter=0\n[Device1]\nAdapter=0\nPrimary=0\n[Device2]\nAdapter=1\nPrimary=0\n");
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    ASSERT_EQ(2, hardware->GetHeader(TRUE)->adapterCount);
    EXPECT_STREQ("\\\\.\\DISPLAY2", hardware->GetDisplay(0, 1, TRUE)->deviceName) << "the last display of adapter 0";
    EXPECT_EQ((ServiceError{ IDS_ERR_RECORD_RANGE, 2 }), CatchServiceError([&] { hardware->GetDisplay(0, 2, TRUE); }))
        << "not adapter 1's record";
    EXPECT_STREQ("\\\\.\\DISPLAY3", hardware->GetDisplay(1, 0, TRUE)->deviceName) << "the last adapter";
    EXPECT_EQ((ServiceError{ IDS_ERR_RECORD_RANGE, 2 }), CatchServiceError([&] { hardware->GetDisplay(1, 1, TRUE); }));
    EXPECT_EQ((ServiceError{ IDS_ERR_RECORD_RANGE, 1 }), CatchServiceError([&] { hardware->GetAdapter(2, TRUE); }));
    EXPECT_EQ((ServiceError{ IDS_ERR_RECORD_RANGE, 1 }), CatchServiceError([&] { hardware->GetDisplay(2, 0, TRUE); }));
    // Unchecked, the place after the last display of adapter 0 is adapter 1.
    EXPECT_EQ(hardware->GetAdapter(1, TRUE), reinterpret_cast<AdapterRecord*>(hardware->GetDisplay(0, 2, FALSE)));
}

TEST_F(SharedBlock, AFailedStartLeavesTheBlockFreeForTheNextProcess)
{
    // No adapter: the construction fails after taking the construction mutex.
    Load("[Adapter0]\n[Device0]\nAdapter=none\nDeviceId=PCI\\VEN_10DE&DEV_0110&SUBSYS_0&REV_A1\n");
    EXPECT_EQ((ServiceError{ IDS_ERR_NO_ADAPTER, 0 }), CatchServiceError([&] { Hardware(); }));
    Load(kOneDisplay);
    // A mutex left owned here would hold the next process's start forever.
    testsupport::Program child("\"" + testsupport::ThisProgram() + "\" --gtest_also_run_disabled_tests "
                               "--gtest_filter=DISABLED_SecondProcess.StartsOnItsOwn");
    ASSERT_TRUE(child.Started());
    EXPECT_EQ(0u, child.Wait(30000)) << "the second process started";
}

TEST_F(SharedBlock, WrongCountsNeverLeadOutsideTheBlock)
{
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    HardwareHeader* header = hardware->GetHeader(TRUE);
    AdapterRecord* adapter = hardware->GetAdapter(0, TRUE);
    // Any process of the session can write these; the walk must not trust them.
    header->adapterCount = 200;
    adapter->displayCount = 250;
    EXPECT_EQ((ServiceError{ IDS_ERR_RECORD_RANGE, 1 }), CatchServiceError([&] { hardware->GetAdapter(2, TRUE); }));
    EXPECT_EQ((ServiceError{ IDS_ERR_RECORD_RANGE, 1 }), CatchServiceError([&] { hardware->GetAdapter(3, FALSE); }));
    // The records lie in what the system mapped (a page at least): display
    // 200 of adapter 0 would lie beyond it.
    EXPECT_EQ((ServiceError{ IDS_ERR_RECORD_RANGE, 2 }), CatchServiceError([&] { hardware->GetDisplay(0, 200, TRUE); }));
    header->adapterCount = 1;
    adapter->displayCount = 1;
}

// The view is a page at least; with one display the records take 344 bytes
// of it and the rest is zeroed slack.  Counts raised by another process must
// not make a checked walk hand out that slack as records: it stays inside
// the smaller of the size word and the mapping.  The hook's unchecked walk
// keeps its bound by the mapping.
TEST_F(SharedBlock, CheckedWalksStayInsideTheSizeWord)
{
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    HardwareHeader* header = hardware->GetHeader(TRUE);
    AdapterRecord* adapter = hardware->GetAdapter(0, TRUE);
    ASSERT_EQ(344u, *reinterpret_cast<const DWORD*>(reinterpret_cast<const BYTE*>(header) - sizeof(DWORD)));
    struct Case {
        const char* name;
        uint8_t adapterCount;
        uint8_t displayCount;
        UINT adapterIndex;
        UINT displayIndex;  // kNoDisplay: the adapter is asked for
        ServiceError checked;
    };
    const UINT kNoDisplay = ~0u;
    const Case cases[] = {
        { "adapter just past the records", 2, 1, 1, kNoDisplay, { IDS_ERR_RECORD_RANGE, 1 } },
        { "adapter in the slack", 3, 1, 2, kNoDisplay, { IDS_ERR_RECORD_RANGE, 1 } },
        { "display just past the records", 1, 2, 0, 1, { IDS_ERR_RECORD_RANGE, 2 } },
        { "display in the slack", 1, 5, 0, 4, { IDS_ERR_RECORD_RANGE, 2 } },
        { "the last real display", 1, 5, 0, 0, { 0, 0 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        header->adapterCount = c.adapterCount;
        adapter->displayCount = c.displayCount;
        const ServiceError checked = ServiceErrorOf([&] {
            if (c.displayIndex == kNoDisplay)
                hardware->GetAdapter(c.adapterIndex, TRUE);
            else
                hardware->GetDisplay(c.adapterIndex, c.displayIndex, TRUE);
        });
        EXPECT_EQ(c.checked, checked);
        // Unchecked, every one of these still lies in the mapped page.
        EXPECT_EQ((ServiceError{ 0, 0 }), ServiceErrorOf([&] {
            if (c.displayIndex == kNoDisplay)
                hardware->GetAdapter(c.adapterIndex, FALSE);
            else
                hardware->GetDisplay(c.adapterIndex, c.displayIndex, FALSE);
        }));
    }
    header->adapterCount = 1;
    adapter->displayCount = 1;
}

TEST_F(SharedBlock, SecondProcessAttachesUnselectedAndSelectsByName)
{
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    hardware->GetHeader(TRUE)->pagesOpen = 0x4242;
    SimClearJournal();

    testsupport::Program child("\"" + testsupport::ThisProgram() + "\" --gtest_also_run_disabled_tests "
                               "--gtest_filter=DISABLED_SecondProcess.*");
    ASSERT_TRUE(child.Started());
    EXPECT_EQ(0u, child.Wait(30000)) << "the second process's checks failed";

    EXPECT_EQ(0x77, hardware->GetHeader(TRUE)->keyboardHook) << "the child's write is seen here";
    // Nothing was sent while the child had no display selected.
    const std::vector<SimJournalEntry> sent = Journal();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(child.ProcessId(), sent[0].processId);
    EXPECT_EQ(3u, sent[0].request[0]) << "the first escape is the one after selecting";
    hardware->GetHeader(TRUE)->keyboardHook = 0;
}

// Run by the test above in a second process.
TEST(DISABLED_SecondProcess, AttachesToTheBlockAsItIs)
{
    ServiceReference<CHardware> reference;
    CHardware* hardware = reference.Acquire();
    ASSERT_NE(nullptr, hardware);
    EXPECT_EQ(0x4242, hardware->GetHeader(TRUE)->pagesOpen) << "attached without zeroing";
    EXPECT_EQ(nullptr, hardware->GetDisplayDC());
    EXPECT_EQ((ServiceError{ IDS_ERR_NO_DISPLAY_SELECTED, 0 }), CatchServiceError([&] { hardware->GetDriverValue(0); }));
    hardware->SelectDisplayByName("\\\\.\\display1");
    EXPECT_NE(nullptr, hardware->GetDisplayDC());
    EXPECT_EQ(2u, hardware->GetDriverValue(0)) << "panel id of the default scenario";
    EXPECT_EQ((ServiceError{ IDS_ERR_DISPLAY_NOT_FOUND, 0 }),
              CatchServiceError([&] { hardware->SelectDisplayByName("\\\\.\\DISPLAY9"); }));
    hardware->GetHeader(TRUE)->keyboardHook = 0x77;
}

// Run by the test above in a second process.
TEST(DISABLED_SecondProcess, StartsOnItsOwn)
{
    CHardware* hardware = static_cast<CHardware*>(GetServerInterface(kServiceHardware));
    ASSERT_NE(nullptr, hardware);
    EXPECT_EQ(1, hardware->GetHeader(TRUE)->adapterCount);
    ReleaseServerInterface(kServiceHardware, hardware);
}
