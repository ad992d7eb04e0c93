// Service objects by id: refused ids, shared objects, reference counts,
// release by pointer, and error objects crossing into this module.
#include "simulated_adapter.h"

#include "os_service.h"
#include "resource_ids.h"
#include "test_support.h"

using ServiceRegistry = SimulatedAdapter;

TEST_F(ServiceRegistry, RefusesIdThreeAndIdsAboveSeven)
{
    EXPECT_EQ(nullptr, GetServerInterface(kServiceNone));
    EXPECT_EQ(nullptr, GetServerInterface(8));
    EXPECT_EQ(nullptr, GetServerInterface(0xFFFFFFFF));

    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    EXPECT_EQ(0, ReleaseServerInterface(kServiceNone, hardware));
    EXPECT_EQ(0, ReleaseServerInterface(8, hardware));
    // The refused releases changed nothing: the object is still registered.
    EXPECT_EQ(hardware, GetServerInterface(kServiceHardware));
    EXPECT_EQ(1, ReleaseServerInterface(kServiceHardware, hardware));
}

TEST_F(ServiceRegistry, SharesOneObjectUntilTheLastReference)
{
    CObject* first = GetServerInterface(kServiceHardware);
    CObject* second = GetServerInterface(kServiceHardware);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, second);

    // A mark in the shared block shows whether the object (the block's only
    // holder) still lives: the block goes with the last hardware service.
    static_cast<CHardware*>(first)->GetHeader(TRUE)->pagesOpen = 0x5A5A;
    EXPECT_EQ(1, ReleaseServerInterface(kServiceHardware, first));
    EXPECT_EQ(0x5A5A, static_cast<CHardware*>(second)->GetHeader(TRUE)->pagesOpen);
    EXPECT_EQ(1, ReleaseServerInterface(kServiceHardware, second));

    CHardware* fresh = Hardware();
    ASSERT_NE(nullptr, fresh);
    EXPECT_EQ(0, fresh->GetHeader(TRUE)->pagesOpen) << "the block was built afresh";
}

TEST_F(ServiceRegistry, ReleasesByPointerWhateverTheId)
{
    CObject* hardware = GetServerInterface(kServiceHardware);
    ASSERT_NE(nullptr, hardware);
    int unknown = 0;
    EXPECT_EQ(0, ReleaseServerInterface(kServiceHardware, reinterpret_cast<CObject*>(&unknown)));
    EXPECT_EQ(1, ReleaseServerInterface(kServiceOS, hardware)) << "the id is not compared";
    EXPECT_EQ(0, ReleaseServerInterface(kServiceHardware, hardware)) << "already gone";
}

TEST_F(ServiceRegistry, HardwareHoldsTheSettingsService)
{
    CObject* settings = GetServerInterface(kServiceOS);
    ASSERT_NE(nullptr, settings);
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    EXPECT_EQ(static_cast<void*>(settings), static_cast<void*>(hardware->Settings()));
    ReleaseHardware();
    // Our own reference keeps the settings service; the hardware service's
    // reference went with it.
    EXPECT_EQ(settings, GetServerInterface(kServiceOS));
    EXPECT_EQ(1, ReleaseServerInterface(kServiceOS, settings));
    EXPECT_EQ(1, ReleaseServerInterface(kServiceOS, settings));
    EXPECT_EQ(0, ReleaseServerInterface(kServiceOS, settings));
}

TEST_F(ServiceRegistry, ServicesReportTheCommonRuntimeClass)
{
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    EXPECT_STREQ("CObject", hardware->GetRuntimeClass()->m_lpszClassName);
    EXPECT_STREQ("CObject", hardware->Settings()->GetRuntimeClass()->m_lpszClassName);
}

TEST_F(ServiceRegistry, ErrorObjectsCrossIntoTheCallerWithTheirText)
{
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    try {
        hardware->ApplyTVSystem(2);
        FAIL() << "no error";
    } catch (CException* e) {
        // Each module has its own class records; the name tells the class.
        EXPECT_STREQ("CException", e->GetRuntimeClass()->m_lpszClassName);
        CBaseException* error = static_cast<CBaseException*>(e);
        EXPECT_EQ(UINT(IDS_ERR_TV_SYSTEM), error->m_messageId);
        EXPECT_EQ(0, error->m_value);

        // The text is the resource library's format filled with the value
        // (the service library keeps the resource library loaded).
        const std::string expected = testsupport::ResourceString(IDS_ERR_TV_SYSTEM, 0);
        EXPECT_EQ(expected, error->GetErrorText());
        EXPECT_EQ(expected, error->m_text);
        e->Delete();
    }
}

TEST_F(ServiceRegistry, ErrorTextCarriesTheValue)
{
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    SimSetEscapeFault(SIM_FN_GET_VALUE, 0x10001);
    try {
        hardware->GetDriverValue(0);
        FAIL() << "no error";
    } catch (CBaseException* e) {
        EXPECT_EQ(UINT(IDS_ERR_DRIVER_FAILED), e->m_messageId);
        EXPECT_EQ(3, e->m_value);
        EXPECT_NE(std::string::npos, e->GetErrorText().find('3')) << e->GetErrorText();
        e->Delete();
    }
    SimSetEscapeFault(SIM_FN_GET_VALUE, 0);
}
