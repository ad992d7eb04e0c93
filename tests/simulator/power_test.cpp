// The simulated power source: the scenario's [Power] section, what
// SimGetSystemPowerStatus reports, SimSetACLineStatus, and "vqxsimctl power",
// which also tells every window as pulling the plug would.
#include "sim_fixture.h"

#include "message_pump.h"

#include <string>
#include <vector>

using namespace simtest;

namespace {

SYSTEM_POWER_STATUS PowerStatus()
{
    SYSTEM_POWER_STATUS status;
    FillMemory(&status, sizeof(status), 0xCC);  // nothing left over can pass for an answer
    EXPECT_TRUE(SimGetSystemPowerStatus(&status));
    return status;
}

std::string PowerScenario(const std::string& value)
{
    return "[Power]\nACLineStatus=" + value + "\n";
}

class PowerScenarioTest : public SimTest {};

TEST_F(PowerScenarioTest, WithoutAPowerSectionTheMachineRunsOnMains)
{
    ASSERT_TRUE(SimSetACLineStatus(AC_LINE_OFFLINE));
    Load("[Adapter0]\nDeviceMask=1\n");
    EXPECT_EQ(DWORD(AC_LINE_ONLINE), State()->acLineStatus);

    ASSERT_TRUE(SimSetACLineStatus(AC_LINE_OFFLINE));
    SimReset();
    EXPECT_EQ(AC_LINE_ONLINE, PowerStatus().ACLineStatus);
}

TEST_F(PowerScenarioTest, BatteryMainsAndUnknownAreTaken)
{
    for (DWORD status : { AC_LINE_OFFLINE, AC_LINE_UNKNOWN, AC_LINE_ONLINE }) {
        Load(PowerScenario(std::to_string(status)).c_str());
        EXPECT_EQ(status, State()->acLineStatus);
        EXPECT_EQ(status, PowerStatus().ACLineStatus);
    }
    Load(PowerScenario("0xFF").c_str());
    EXPECT_EQ(DWORD(AC_LINE_UNKNOWN), State()->acLineStatus);
}

TEST_F(PowerScenarioTest, OtherValuesAndKeysAreErrorsOfTheirLine)
{
    ASSERT_TRUE(SimSetACLineStatus(AC_LINE_UNKNOWN));
    EXPECT_EQ(4, SimLoadScenarioText(("[Adapter0]\nDeviceMask=1\n" + PowerScenario("2")).c_str()));
    EXPECT_EQ(2, SimLoadScenarioText(PowerScenario("254").c_str()));
    EXPECT_EQ(2, SimLoadScenarioText(PowerScenario("256").c_str()));
    EXPECT_EQ(2, SimLoadScenarioText(PowerScenario("mains").c_str()));
    EXPECT_EQ(2, SimLoadScenarioText(PowerScenario("").c_str()));
    EXPECT_EQ(3, SimLoadScenarioText("[Power]\n; charging\nBatteryFlag=8\n"));
    // A refused scenario leaves the state as it was.
    EXPECT_EQ(DWORD(AC_LINE_UNKNOWN), State()->acLineStatus);
}

// The adapter's AcLineStatus is what the driver was last told (function 14);
// the power source is what the machine runs on.  Neither follows the other.
TEST_F(PowerScenarioTest, ThePowerSourceIsNotWhatTheDriverWasTold)
{
    Load("[Adapter0]\nAcLineStatus=0\n[Power]\nACLineStatus=255\n");
    EXPECT_EQ(0u, State()->adapters[0].acLineStatus);
    EXPECT_EQ(DWORD(AC_LINE_UNKNOWN), State()->acLineStatus);

    SimDC dc("\\\\.\\DISPLAY1");
    ASSERT_EQ(0u, dc.Status(Bytes(SIM_FN_AC_LINE, { 1 })));
    EXPECT_EQ(DWORD(AC_LINE_UNKNOWN), State()->acLineStatus);
    ASSERT_TRUE(SimSetACLineStatus(AC_LINE_OFFLINE));
    EXPECT_EQ(1u, State()->adapters[0].acLineStatus);
}

class PowerSourceTest : public SimTest {};

// A notebook whose battery charges on mains; its charge is not simulated.
TEST_F(PowerSourceTest, ReportsTheSourceWithABatteryOfUnknownCharge)
{
    struct Case {
        BYTE acLine;
        BYTE batteryFlag;
    };
    for (Case c : { Case { AC_LINE_OFFLINE, 0 }, Case { AC_LINE_ONLINE, BATTERY_FLAG_CHARGING },
                    Case { AC_LINE_UNKNOWN, BATTERY_FLAG_UNKNOWN } }) {
        ASSERT_TRUE(SimSetACLineStatus(c.acLine));
        SYSTEM_POWER_STATUS status = PowerStatus();
        EXPECT_EQ(c.acLine, status.ACLineStatus);
        EXPECT_EQ(c.batteryFlag, status.BatteryFlag) << "AC line " << int(c.acLine);
        EXPECT_EQ(BATTERY_PERCENTAGE_UNKNOWN, status.BatteryLifePercent);
        EXPECT_EQ(BATTERY_LIFE_UNKNOWN, status.BatteryLifeTime);
        EXPECT_EQ(BATTERY_LIFE_UNKNOWN, status.BatteryFullLifeTime);
    }
}

TEST_F(PowerSourceTest, OtherStatusesAreRefusedAndChangeNothing)
{
    ASSERT_TRUE(SimSetACLineStatus(AC_LINE_OFFLINE));
    for (BYTE status : { 2, 128, 254 })
        EXPECT_FALSE(SimSetACLineStatus(status)) << int(status);
    auto state = State();
    state->acLineStatus = 2;
    EXPECT_FALSE(SimSetState(state.get()));
    std::string output;
    EXPECT_EQ(1u, RunTool("power 2", &output)) << output;
    EXPECT_EQ(1u, RunTool("power mains", &output)) << output;
    EXPECT_EQ(AC_LINE_OFFLINE, PowerStatus().ACLineStatus);
}

TEST_F(PowerSourceTest, AnotherProcessSeesThisProcesssPowerSource)
{
    ASSERT_TRUE(SimSetACLineStatus(AC_LINE_UNKNOWN));
    std::string output;
    ASSERT_EQ(0u, RunTool("state", &output));
    EXPECT_NE(std::string::npos, output.find("power source: AC line 255 (unknown)")) << output;
    ASSERT_TRUE(SimSetACLineStatus(AC_LINE_OFFLINE));
    ASSERT_EQ(0u, RunTool("state", &output));
    EXPECT_NE(std::string::npos, output.find("power source: AC line 0 (battery)")) << output;
}

// A hidden top-level window of this process that records the
// WM_POWERBROADCAST notices it receives (their wParam).
class PowerBroadcastListener {
public:
    PowerBroadcastListener()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &Procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClassName;
        RegisterClassA(&wc);
        m_window = CreateWindowExA(0, kClassName, "power listener", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   wc.hInstance, this);
    }
    ~PowerBroadcastListener()
    {
        if (m_window)
            DestroyWindow(m_window);
        UnregisterClassA(kClassName, GetModuleHandleA(nullptr));
    }
    PowerBroadcastListener(const PowerBroadcastListener&) = delete;
    PowerBroadcastListener& operator=(const PowerBroadcastListener&) = delete;

    HWND Window() const { return m_window; }
    const std::vector<WPARAM>& Notices() const { return m_notices; }

private:
    static constexpr char kClassName[] = "VQXSIM power listener";

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<PowerBroadcastListener*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_POWERBROADCAST && self) {
            self->m_notices.push_back(wParam);
            return TRUE;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND m_window = nullptr;
    std::vector<WPARAM> m_notices;
};

TEST_F(PowerSourceTest, TheToolChangesTheSourceAndTellsEveryWindow)
{
    PowerBroadcastListener listener;
    ASSERT_TRUE(listener.Window());
    ASSERT_FALSE(IsWindowVisible(listener.Window()));
    std::string output;
    // A refused value is posted to nobody; the notice of the next change is
    // posted after whatever it would have posted.
    EXPECT_EQ(1u, RunTool("power 2", &output)) << output;
    ASSERT_EQ(0u, RunTool("power 0", &output)) << output;
    EXPECT_EQ(AC_LINE_OFFLINE, PowerStatus().ACLineStatus);

    ASSERT_TRUE(testsupport::WaitUntil([&] { return !listener.Notices().empty(); }, 15000));
    testsupport::FlushEvents();
    EXPECT_EQ(std::vector<WPARAM> { PBT_APMPOWERSTATUSCHANGE }, listener.Notices());
}

} // namespace
