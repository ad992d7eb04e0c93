// The tray program's guardian: within its period it clears what processes
// that ended left in the session's shared state, and a hook handle that no
// hot-key service installed is replaced by one of the tray program's own.
#include "tray_fixture.h"

using testsupport::WaitUntil;

namespace {

// Well above the guardian's one-second period.
constexpr DWORD kGuardianWaitMs = 10000;

// A handle value no hook of this session has (hook handles are small user
// handles), written into the header as any process of the session can.
constexpr int32_t kForgedHook = 0x7EEE0001;

} // namespace

TEST_F(TrayProgram, TheGuardianLowersPagesOpenWhoseHolderEnded)
{
    ASSERT_TRUE(StartTray());
    {
        testsupport::Program holder(Program("robustness_service_holder.exe") + " page");
        ASSERT_TRUE(holder.Started());
        HWND ready = holder.WaitForWindow("VQXServiceHolder");
        ASSERT_TRUE(ready);
        ASSERT_EQ(testsupport::WindowText(ready), "ready");
        ASSERT_EQ(Header().pagesOpen, 1);
    }  // ended abruptly, as by End Task
    EXPECT_TRUE(WaitUntil([&] { return Header().pagesOpen == 0; }, kGuardianWaitMs));
    EXPECT_EQ(Tray().Wait(0), STILL_ACTIVE);
}

TEST_F(TrayProgram, TheGuardianReplacesAHookNobodyInstalled)
{
    ASSERT_TRUE(StartTray());
    ASSERT_TRUE(WaitUntil([&] { return Header().keyboardHook != 0; }));
    Header().keyboardHook = kForgedHook;
    EXPECT_TRUE(WaitUntil(
        [&] {
            const int32_t hook = Header().keyboardHook;
            return hook != kForgedHook && hook != 0;
        },
        kGuardianWaitMs));
    EXPECT_EQ(Tray().Wait(0), STILL_ACTIVE);
}
