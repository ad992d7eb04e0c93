// The shared block is writable by every process of the session.  Whatever
// another process writes into it, no application in which the hook runs
// reads outside it, the keys reach the applications, a damaged block is
// reported once per application, and a fresh process of the system builds
// it afresh.
#include "robustness_fixture.h"

#include "resource_ids.h"

namespace {

const UINT kCtrlAlt = HOTKEYF_CONTROL | HOTKEYF_ALT;

// The block of the session: made here, one page long, before any process of
// the system opened it, so that its last byte is the last byte of the view
// and the next page is not mapped.
class OnePageBlock {
public:
    OnePageBlock()
        : m_mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kPage, kBlockName)) {}
    bool Made() const { return m_mapping && GetLastError() != ERROR_ALREADY_EXISTS; }
    static constexpr DWORD kPage = 4096;

private:
    CHandle m_mapping;
};

BYTE* ViewOf(CHardware& hardware)
{
    return reinterpret_cast<BYTE*>(hardware.GetHeader(TRUE)) - sizeof(DWORD);
}

} // namespace

using SharedState = Robustness;

TEST_F(SharedState, RecordsAtTheEndOfTheViewAreNeverReadPastIt)
{
    OnePageBlock block;
    ASSERT_TRUE(block.Made());
    // A process of the system finds a block that describes no display, and
    // builds it afresh where it is.
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    ASSERT_EQ(1, hardware->GetHeader(TRUE)->adapterCount);
    BYTE* view = ViewOf(*hardware);
    MEMORY_BASIC_INFORMATION after = {};
    VirtualQuery(view + OnePageBlock::kPage, &after, sizeof(after));
    ASSERT_NE(static_cast<DWORD>(MEM_COMMIT), after.State) << "a read past the view must fault";
    // An application whose hook has attached to the block while it was sound.
    Hotkeys()->EnableHotKeys(TRUE);
    std::unique_ptr<KeyTarget> target = StartTarget();
    ASSERT_TRUE(target->Type('X', 0));

    // Another process claims a size word far beyond the mapping and a second
    // adapter whose record starts 8 bytes before the end of the view.
    *reinterpret_cast<DWORD*>(view) = 0x7FFFFFFF;
    hardware->GetHeader(TRUE)->adapterCount = 2;
    const DWORD displays = (OnePageBlock::kPage - 8 - 4 - sizeof(HardwareHeader) - sizeof(AdapterRecord)) /
                           sizeof(DisplayRecord);
    hardware->GetAdapter(0, TRUE)->displayCount = static_cast<uint8_t>(displays);

    EXPECT_EQ((ServiceError{ IDS_ERR_RECORD_RANGE, 1 }), CatchServiceError([&] { hardware->GetAdapter(1, FALSE); }));
    EXPECT_EQ((ServiceError{ IDS_ERR_RECORD_RANGE, 2 }),
              CatchServiceError([&] { hardware->GetDisplay(0, displays, FALSE); }));
    EXPECT_NE(nullptr, hardware->GetDisplay(0, displays - 1, TRUE)) << "the last display that fits";

    // In an application, the hook looks the key up through the same records.
    ASSERT_TRUE(target->Press('Y', 0));
    HWND box = testsupport::WaitForDialog(kHookBoxCaption, 20000);
    ASSERT_NE(nullptr, box) << "the damage is reported";
    EXPECT_EQ(testsupport::ResourceString(IDS_ERR_SHARED_DAMAGED, 1), testsupport::MessageBoxText(box));
    testsupport::PressButton(box, IDOK);
    EXPECT_TRUE(target->WaitForKeys()) << "the key reaches the application";

    // Repaired by a fresh process, the hook of that same application acts
    // again: it did not die of a fault.
    ASSERT_TRUE(RunInFreshProcess("FreshProcess.StartsOnTheBlockAsItIs"));
    EXPECT_EQ(1, hardware->GetHeader(TRUE)->adapterCount);
    EXPECT_EQ(1, hardware->GetAdapter(0, TRUE)->displayCount);
    ASSERT_TRUE(target->Focus());
    SimClearJournal();
    ASSERT_TRUE(target->Type('C', kCtrlAlt));
    EXPECT_EQ(1u, Escapes(SIM_FN_SWITCH).size()) << "Ctrl+Alt+C switched to the CRT";
}

TEST_F(SharedState, DamagedCountsAreReportedOncePerApplicationAndKeysPassOn)
{
    std::unique_ptr<KeyTarget> target = StartTarget();
    Hardware()->Refresh();
    const int32_t hook = (Hotkeys()->EnableHotKeys(TRUE), Header().keyboardHook);
    ASSERT_TRUE(target->Type('X', 0)) << "the hook of the application attached to the sound block";
    // Adapter 1 would start where the block ends, with no display.
    Header().adapterCount = 200;
    const int damage = 2;

    // A plain letter: one box, and the letter still arrives.
    ASSERT_TRUE(target->Press('Y', 0));
    HWND box = testsupport::WaitForDialog(kHookBoxCaption, 20000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(testsupport::ResourceString(IDS_ERR_SHARED_DAMAGED, damage),
              testsupport::MessageBoxText(box));
    testsupport::PressButton(box, IDOK);
    ASSERT_TRUE(testsupport::WaitUntil([&] { return !IsWindow(box); }));
    EXPECT_TRUE(target->WaitForKeys());

    // Later keys, hot keys included, pass on without a box and act on nothing.
    ASSERT_TRUE(target->Focus());
    SimClearJournal();
    ASSERT_TRUE(target->Type('Z', 0));
    ASSERT_TRUE(target->Type('C', kCtrlAlt));
    EXPECT_EQ(0, HookBoxes()) << "reported once, not at every key";
    EXPECT_TRUE(Escapes(SIM_FN_SWITCH).empty());

    // A fresh process of the system starts on the damaged block and repairs it.
    ASSERT_TRUE(RunInFreshProcess("FreshProcess.StartsOnTheBlockAsItIs"));
    EXPECT_EQ(1, Header().adapterCount);
    EXPECT_EQ(hook, Header().keyboardHook) << "the tray program's hook stays recorded";
    ASSERT_TRUE(target->Type('C', kCtrlAlt));
    EXPECT_EQ(1u, Escapes(SIM_FN_SWITCH).size()) << "the hot keys work again in the same application";
}

TEST_F(SharedState, ChangedDisplaysGiveOneErrorUntilAFreshProcessRebuilds)
{
    Load("[Adapter0]\n[Device0]\nName=\\\\.\\DISPLAY1\n[Device1]\nName=\\\\.\\DISPLAY2\nPrimary=0\n");
    CHardware* hardware = Hardware();
    ASSERT_EQ(2, hardware->GetAdapter(0, TRUE)->displayCount);

    // The second display is unplugged while the block lives.
    SimState state = State();
    state.deviceCount = 1;
    SetState(state);
    EXPECT_EQ((ServiceError{ IDS_ERR_DISPLAYS_CHANGED, 0 }), CatchServiceError([&] { hardware->SelectDisplay(0, 1); }));
    ASSERT_TRUE(RunInFreshProcess("FreshProcess.StartsOnTheBlockAsItIs"));
    EXPECT_EQ(1, hardware->GetAdapter(0, TRUE)->displayCount);

    // Two are plugged in: the block had room for one more than its creator
    // counted, as a page holds many records.
    state.deviceCount = 3;
    state.devices[1] = state.devices[0];
    state.devices[2] = state.devices[0];
    lstrcpyA(state.devices[1].deviceName, "\\\\.\\DISPLAY2");
    lstrcpyA(state.devices[2].deviceName, "\\\\.\\DISPLAY3");
    state.devices[1].primary = state.devices[2].primary = 0;
    SetState(state);
    ASSERT_TRUE(RunInFreshProcess("FreshProcess.StartsOnTheBlockAsItIs"));
    ASSERT_EQ(3, hardware->GetAdapter(0, TRUE)->displayCount);
    EXPECT_STREQ("\\\\.\\DISPLAY3", hardware->GetDisplay(0, 2, TRUE)->deviceName);
    hardware->SelectDisplay(0, 2);
    EXPECT_NE(nullptr, hardware->GetDisplayDC());
}

// A display renamed while a process holds the block: selecting by the old
// records fails with the clear error until the process rebuilds them in
// place, which keeps the hook and the pages shown.
TEST_F(SharedState, ARenamedDisplayIsRebuiltInPlaceByTheProcessThatNoticesIt)
{
    CHardware* hardware = Hardware();
    EXPECT_FALSE(hardware->RebuildIfChanged()) << "nothing changed";
    Hotkeys()->EnableHotKeys(TRUE);
    const int32_t hook = Header().keyboardHook;
    hardware->SetPageShown(TRUE);

    SimState state = State();
    lstrcpyA(state.devices[0].deviceName, "\\\\.\\DISPLAY7");
    SetState(state);
    EXPECT_EQ((ServiceError{ IDS_ERR_DISPLAYS_CHANGED, 0 }), CatchServiceError([&] { hardware->SelectDisplay(0, 0); }));

    EXPECT_TRUE(hardware->RebuildIfChanged());
    EXPECT_STREQ("\\\\.\\DISPLAY7", hardware->GetDisplay(0, 0, TRUE)->deviceName);
    EXPECT_EQ(hook, Header().keyboardHook) << "the hook stays recorded";
    EXPECT_EQ(1, Header().pagesOpen) << "this process still shows its page";
    hardware->SelectDisplay(0, 0);
    EXPECT_NE(nullptr, hardware->GetDisplayDC());
    EXPECT_FALSE(hardware->RebuildIfChanged()) << "rebuilt once";
    hardware->SetPageShown(FALSE);
}

// The checked walks stay inside the size word, which any process can write:
// a size word that no longer covers the sound records stops no process of
// the system from starting; the next one builds the block afresh.
TEST_F(SharedState, ASizeWordShortOfTheRecordsIsRebuiltByAFreshProcess)
{
    CHardware* hardware = Hardware();
    DWORD* sizeWord = reinterpret_cast<DWORD*>(ViewOf(*hardware));
    const DWORD sound = *sizeWord;
    *sizeWord = sizeof(DWORD) + sizeof(HardwareHeader);
    EXPECT_EQ((ServiceError{ IDS_ERR_RECORD_RANGE, 1 }), CatchServiceError([&] { hardware->GetAdapter(0, TRUE); }));

    ASSERT_TRUE(RunInFreshProcess("FreshProcess.StartsOnTheBlockAsItIs"));
    EXPECT_EQ(sound, *sizeWord);
    EXPECT_STREQ("\\\\.\\DISPLAY1", hardware->GetDisplay(0, 0, TRUE)->deviceName);
}

// Run by the tests above in a new process: the system starts there on the
// block as it finds it.
TEST(DISABLED_FreshProcess, StartsOnTheBlockAsItIs)
{
    CHardware* hardware = static_cast<CHardware*>(GetServerInterface(kServiceHardware));
    ASSERT_NE(nullptr, hardware);
    const HardwareHeader* header = hardware->GetHeader(TRUE);
    ASSERT_GE(header->adapterCount, 1);
    for (UINT a = 0; a < header->adapterCount; ++a)
        ASSERT_GE(hardware->GetAdapter(a, TRUE)->displayCount, 1) << "adapter " << a;
    hardware->SelectDisplay(0, 0);
    EXPECT_NE(nullptr, hardware->GetDisplayDC());
    ReleaseServerInterface(kServiceHardware, hardware);
}
