// The Display Properties sheet as the applet shows it in its own process:
// the handlers' pages in a modal sheet, every object released after it
// closed, and the extension's library unloaded before the call returns.
#include "host_fixture.h"

#include <thread>

#include "display_panel_contract.h"
#include "display_properties.h"

using displaypanel::ShowDisplayProperties;

namespace {

const wchar_t kDevice[] = L"\\\\.\\DISPLAY3";

} // namespace

class DisplaySheet : public HostTest {};

TEST_F(DisplaySheet, ShowsTheExtensionsPageAndReleasesEverythingWhenClosed)
{
    RegisterFake();
    CFakeExtension fake;  // keeps the library, to read its count afterwards
    ASSERT_TRUE(fake.Loaded());

    CSheetWatcher watcher(IDOK);
    ShowDisplayProperties(nullptr, kDevice, kTestHandlersKey);
    const SeenSheet& seen = watcher.Seen();

    EXPECT_TRUE(seen.sheetShown);
    EXPECT_EQ(FAKE_PAGE_TEXT, seen.pageText);
    EXPECT_EQ("\\\\.\\DISPLAY3", seen.pageDeviceName);
    EXPECT_EQ(kDevice, fake.DeviceName());
    EXPECT_EQ(0, fake.ObjectCount()) << "objects of the extension still alive after the sheet closed";
}

TEST_F(DisplaySheet, TheExtensionStaysLoadedWhileTheSheetIsOpenAndIsUnloadedAfterwards)
{
    RegisterFake();
    ASSERT_EQ(nullptr, GetModuleHandleA(kFakeExtensionFile));

    CSheetWatcher watcher(IDCANCEL);
    // The test's own COM initialisation outlives the call: the library can
    // only have gone through the host's CoFreeUnusedLibraries.
    ShowDisplayProperties(nullptr, kDevice, kTestHandlersKey);
    const SeenSheet& seen = watcher.Seen();

    EXPECT_EQ(FAKE_PAGE_TEXT, seen.pageText);
    EXPECT_TRUE(seen.fakeLoadedMeanwhile);
    EXPECT_EQ(nullptr, GetModuleHandleA(kFakeExtensionFile));
}

TEST_F(DisplaySheet, WithoutAnyPageABoxSaysSo)
{
    AddHandlerEntry("unregistered", "{0D1E2F30-4152-6374-8596-A7B8C9DAEBFC}");

    CSheetWatcher watcher(IDOK);
    EXPECT_EQ(0, ShowDisplayProperties(nullptr, kDevice, kTestHandlersKey));
    const SeenSheet& seen = watcher.Seen();

    EXPECT_FALSE(seen.sheetShown);
    EXPECT_EQ("No display property pages are installed.", seen.messageBoxText);
}

// One handler that throws or fails after adding its page does not end the
// sheet: it shows the sound handler's page alone, and every page made for
// it comes back to its extension once.
TEST_F(DisplaySheet, AFaultyHandlerLeavesTheSheetToTheOtherHandlersPages)
{
    const char* const behaviours[] = { kFakeThrowInInitialize, kFakeThrowInAddPages, kFakeAddThenFail,
                                       kFakeAddThenThrow };
    RegisterFake();
    CFakeExtension fake;
    ASSERT_TRUE(fake.Loaded());
    for (const char* behaviour : behaviours) {
        SCOPED_TRACE(behaviour);
        AddFakeHandlerEntry("A faulty", behaviour);
        const FakePageCounts before = fake.PageCounts();

        CSheetWatcher watcher(IDOK);
        ShowDisplayProperties(nullptr, kDevice, kTestHandlersKey);
        const SeenSheet& seen = watcher.Seen();

        EXPECT_TRUE(seen.sheetShown);
        EXPECT_EQ(FAKE_PAGE_TEXT, seen.pageText);
        EXPECT_EQ(1, seen.pageCount);
        const FakePageCounts after = fake.PageCounts();
        EXPECT_EQ(after.created - before.created, after.released - before.released)
            << "every page created is released exactly once";
        EXPECT_EQ(0, fake.ObjectCount());
        RemoveHandlerEntry("A faulty");
    }
}

// A caller whose thread is already in the multithreaded apartment (where
// CoInitialize answers RPC_E_CHANGED_MODE) still gets the sheet with the
// handlers' pages, and every object is released when it closes.
TEST_F(DisplaySheet, ACallerInTheMultithreadedApartmentStillGetsTheSheet)
{
    RegisterFake();
    CFakeExtension fake;
    ASSERT_TRUE(fake.Loaded());

    CSheetWatcher watcher(IDOK);
    HRESULT apartment = E_FAIL;
    std::thread caller([&] {
        apartment = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        ShowDisplayProperties(nullptr, kDevice, kTestHandlersKey);
        if (SUCCEEDED(apartment))
            CoUninitialize();
    });
    caller.join();
    const SeenSheet& seen = watcher.Seen();

    ASSERT_EQ(S_OK, apartment);
    EXPECT_TRUE(seen.sheetShown);
    EXPECT_EQ(FAKE_PAGE_TEXT, seen.pageText);
    EXPECT_EQ("\\\\.\\DISPLAY3", seen.pageDeviceName);
    EXPECT_EQ(0, fake.ObjectCount()) << "objects of the extension still alive after the sheet closed";
}
