// Loading the registered property-sheet handlers: each is created,
// initialised with the data object, asked for its pages and released;
// handlers that fail (or throw) are skipped with their pages.
#include "host_fixture.h"

#include "display_device_data.h"
#include "property_sheet_handlers.h"

using displaypanel::LoadPropertySheetHandlers;

namespace {

const wchar_t kDevice[] = L"\\\\.\\DISPLAY7";
const char kUnregisteredClassId[] = "{0D1E2F30-4152-6374-8596-A7B8C9DAEBFC}";

} // namespace

class HandlerLoading : public HostTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_fake.Loaded());
        ASSERT_EQ(0, m_fake.ObjectCount());
    }

    CComPtr<IDataObject> m_data = CDisplayDeviceDataObject::Create(std::wstring(kDevice));
    // Held by the test, so that what the extension recorded stays readable.
    CFakeExtension m_fake;
};

TEST_F(HandlerLoading, AHandlerGetsTheDeviceNameAddsItsPageAndIsReleased)
{
    RegisterFake();
    {
        CPropertySheetPages pages;
        EXPECT_EQ(1, LoadPropertySheetHandlers(m_data.Get(), pages, kTestHandlersKey));
        EXPECT_EQ(1u, pages.Count());
        EXPECT_EQ(kDevice, m_fake.DeviceName());
        // Only the page is left: the factory and the extension object are
        // released once the pages are in.
        EXPECT_EQ(1, m_fake.ObjectCount());
    }
    // Pages that never reached a sheet are destroyed with the collection.
    EXPECT_EQ(0, m_fake.ObjectCount());
}

TEST_F(HandlerLoading, AHandlerNamedByItsClassIdLoadsToo)
{
    ASSERT_EQ(ERROR_SUCCESS, displaypanel::RegisterHandler(
        { kFakeExtensionClassId, FakeRegistration("").libraryPath, kFakeExtensionClassId, kTestHandlersKey }));
    // Its default value is empty: the name alone must do.
    CRegKey handler;
    ASSERT_EQ(ERROR_SUCCESS, handler.Open(HKEY_LOCAL_MACHINE,
        (std::string(kTestHandlersKey) + "\\" + kFakeExtensionClassId).c_str(), KEY_WRITE));
    ASSERT_EQ(ERROR_SUCCESS, handler.DeleteValue(nullptr));

    CPropertySheetPages pages;
    EXPECT_EQ(1, LoadPropertySheetHandlers(m_data.Get(), pages, kTestHandlersKey));
    EXPECT_EQ(1u, pages.Count());
}

TEST_F(HandlerLoading, HandlersThatCannotBeCreatedAreSkippedAndTheOthersStillLoad)
{
    // Named before and after the fake in the key's order.
    AddHandlerEntry("A unregistered", kUnregisteredClassId);
    AddHandlerEntry("Z not a class id", "VQXPage");
    RegisterFake();

    CPropertySheetPages pages;
    EXPECT_EQ(1, LoadPropertySheetHandlers(m_data.Get(), pages, kTestHandlersKey));
    EXPECT_EQ(1u, pages.Count());
    EXPECT_EQ(kDevice, m_fake.DeviceName());
}

TEST_F(HandlerLoading, APageBeyondTheLimitGoesBackToItsExtension)
{
    RegisterFake();
    CPropertySheetPages full(0);
    LoadPropertySheetHandlers(m_data.Get(), full, kTestHandlersKey);
    EXPECT_EQ(0u, full.Count());
    EXPECT_EQ(0, m_fake.ObjectCount()) << "the refused page was destroyed, nothing is held";
}

TEST_F(HandlerLoading, NoHandlersKeyMeansNoPages)
{
    CPropertySheetPages pages;
    EXPECT_EQ(0, LoadPropertySheetHandlers(m_data.Get(), pages, kTestHandlersKey));
    EXPECT_EQ(0u, pages.Count());
}

// A handler that fails or throws at any step is left out with every page it
// had added (each destroyed once, right away), and the handlers before and
// after it still add theirs.
TEST_F(HandlerLoading, AFaultyHandlerIsLeftOutWithItsPagesAndTheOthersStillLoad)
{
    struct Case {
        const char* behaviour;
        const char* entry;  // before or after the sound handler's entry
    };
    const Case cases[] = {
        { kFakeFailInitialize, "A faulty" },
        { kFakeThrowInInitialize, "A faulty" },
        { kFakeThrowInAddPages, "A faulty" },
        { kFakeAddThenFail, "A faulty" },
        { kFakeAddThenFail, "Z faulty" },
        { kFakeAddThenThrow, "A faulty" },
        { kFakeAddThenThrow, "Z faulty" },
    };
    RegisterFake();
    for (const Case& test : cases) {
        SCOPED_TRACE(std::string(test.behaviour) + " in \"" + test.entry + "\"");
        AddFakeHandlerEntry(test.entry, test.behaviour);
        const FakePageCounts before = m_fake.PageCounts();
        {
            CPropertySheetPages pages;
            EXPECT_EQ(1, LoadPropertySheetHandlers(m_data.Get(), pages, kTestHandlersKey));
            EXPECT_EQ(1u, pages.Count()) << "only the sound handler's page";
            EXPECT_EQ(kDevice, m_fake.DeviceName());
            const FakePageCounts loaded = m_fake.PageCounts();
            EXPECT_EQ(1, loaded.created - loaded.released) << "pages alive besides the collection's one";
        }
        const FakePageCounts after = m_fake.PageCounts();
        EXPECT_EQ(after.created - before.created, after.released - before.released)
            << "every page created is released exactly once";
        EXPECT_EQ(0, m_fake.ObjectCount()) << "objects of the faulty handler still alive";
        RemoveHandlerEntry(test.entry);
    }
}
