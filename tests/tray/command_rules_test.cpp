// Any process can post a command to the tray window: each command applies,
// when it runs, the rule by which the menu offers its item, to the display
// state read afresh.  Every rule is tried in a state where the menu hides
// the item (the posted command changes nothing and says nothing) and in the
// nearest state where the menu offers it (the command acts), each on the
// systems where the program can be found in that state.
#include <cstdio>

#include "os_service.h"
#include "resource_ids.h"
#include "tray_fixture.h"

using testsupport::WaitUntil;

namespace {

// The display state and the feature switches of one case.
struct MenuState {
    UINT mode = kModeSingle;
    UINT rotation = kRotationNone;
    bool pageShown = false;
    int rotate = 1, rt90 = 1, rt180 = 1, rt270 = 1;
    int dualView = 1, dualApp = 1;
    int crt = 1, tv = 1, secondaryPanel = 1;
};

using StateChange = void (*)(MenuState&);

// What an offered command does: the driver function it calls, or
// kOpensWindowChoice for dual application, which asks for the two windows
// first.
constexpr DWORD kOpensWindowChoice = 0xFFFF;
constexpr char kWindowChoiceCaption[] = "Dual Application";

// The systems on which a state can be met: the program's start switches
// dual view and dual application off except on NT 4 and 2000, and Windows
// 98 rotates no dual-monitor desktop.
enum class Systems { Any, WithDualModes, Windows98, NotWindows98 };

bool HasDualModes(int osClass)
{
    return osClass == kOSWinNT4 || osClass == kOSWin2000;
}

bool IsOn(Systems systems, int osClass)
{
    switch (systems) {
    case Systems::WithDualModes: return HasDualModes(osClass);
    case Systems::Windows98: return osClass == kOSWin98;
    case Systems::NotWindows98: return osClass != kOSWin98;
    default: return true;
    }
}

struct Rule {
    const char* name;
    UINT command;
    StateChange hidden;   // the menu does not offer the command
    StateChange offered;  // the nearest state in which it does
    DWORD action;
    Systems hiddenOn = Systems::Any;
    Systems offeredOn = Systems::Any;
};

void Plain(MenuState&) {}
void DualMonitor(MenuState& s) { s.mode = kModeDualMonitor; }

const Rule kRules[] = {
    { "rotation switched off", ID_TRAY_ROTATE_90, [](MenuState& s) { s.rotate = 0; }, Plain, SIM_FN_ROTATE },
    { "the angle switched off", ID_TRAY_ROTATE_180, [](MenuState& s) { s.rt180 = 0; }, Plain, SIM_FN_ROTATE },
    { "no rotation in dual view", ID_TRAY_ROTATE_90, [](MenuState& s) { s.mode = kModeDualView; }, Plain,
      SIM_FN_ROTATE },
    { "no rotation in dual application", ID_TRAY_ROTATE_270, [](MenuState& s) { s.mode = kModeDualApp; }, Plain,
      SIM_FN_ROTATE },
    { "Windows 98 rotates no dual-monitor desktop", ID_TRAY_ROTATE_90, DualMonitor, DualMonitor, SIM_FN_ROTATE,
      Systems::Windows98, Systems::NotWindows98 },
    { "a rotated display with one angle enabled", ID_TRAY_ROTATE_180,
      [](MenuState& s) { s.rotation = kRotation90; s.rt90 = 0; s.rt270 = 0; },
      [](MenuState& s) { s.rotation = kRotation90; s.rt270 = 0; }, SIM_FN_ROTATE },
    { "rotation while a page is shown", ID_TRAY_ROTATE_90, [](MenuState& s) { s.pageShown = true; }, Plain,
      SIM_FN_ROTATE },
    { "dual view switched off", ID_TRAY_DUALVIEW_ON, [](MenuState& s) { s.dualView = 0; }, Plain, SIM_FN_DUAL_VIEW,
      Systems::Any, Systems::WithDualModes },
    { "dual view from a rotated display", ID_TRAY_DUALVIEW_ON, [](MenuState& s) { s.rotation = kRotation180; },
      Plain, SIM_FN_DUAL_VIEW, Systems::Any, Systems::WithDualModes },
    { "dual application switched off", ID_TRAY_DUALAPP_ON, [](MenuState& s) { s.dualApp = 0; }, Plain,
      kOpensWindowChoice, Systems::Any, Systems::WithDualModes },
    { "dual application from a dual-monitor desktop", ID_TRAY_DUALAPP_ON, DualMonitor, Plain, kOpensWindowChoice,
      Systems::Any, Systems::WithDualModes },
    { "swapping outside dual application", ID_TRAY_SWAP_APP_DISPLAYS, Plain,
      [](MenuState& s) { s.mode = kModeDualApp; }, SIM_FN_DUAL_APP },
    { "nothing to undo on an unrotated dual-monitor desktop", ID_TRAY_NORMAL_STATE, DualMonitor,
      [](MenuState& s) { s.mode = kModeDualMonitor; s.rotation = kRotation90; }, SIM_FN_ROTATE },
    { "the way back while a page is shown", ID_TRAY_NORMAL_STATE,
      [](MenuState& s) { s.rotation = kRotation90; s.pageShown = true; },
      [](MenuState& s) { s.rotation = kRotation90; }, SIM_FN_ROTATE },
    { "outputs while a page is shown", ID_TRAY_DEVICES_CRT, [](MenuState& s) { s.pageShown = true; }, Plain,
      SIM_FN_SWITCH },
    { "outputs in dual view", ID_TRAY_DEVICES_CRT, [](MenuState& s) { s.mode = kModeDualView; }, Plain,
      SIM_FN_SWITCH },
    { "outputs on a dual-monitor desktop", ID_TRAY_DEVICES_CRT, DualMonitor, Plain, SIM_FN_SWITCH },
    { "the CRT switched off", ID_TRAY_DEVICES_CRT, [](MenuState& s) { s.crt = 0; }, Plain, SIM_FN_SWITCH },
    { "the TV switched off", ID_TRAY_DEVICES_TV, [](MenuState& s) { s.tv = 0; }, Plain, SIM_FN_SWITCH },
    { "the secondary panel switched off", ID_TRAY_DEVICES_SECPANEL, [](MenuState& s) { s.secondaryPanel = 0; },
      Plain, SIM_FN_SWITCH },
    { "no output besides the LCD", ID_TRAY_DEVICES_LCD,
      [](MenuState& s) { s.crt = 0; s.tv = 0; s.secondaryPanel = 0; }, Plain, SIM_FN_SWITCH },
};

// LCD and CRT active, every output attached, the display in `state`'s mode
// and rotation.
std::string ScenarioOf(const MenuState& state)
{
    char text[256];
    std::snprintf(text, sizeof(text),
                  "[Adapter0]\nDeviceMask=3\nCrtAttached=1\nTvAttached=1\nMode=%u\n[Device0]\nRotation=%u\n",
                  state.mode, state.rotation);
    return text;
}

} // namespace

class TrayCommandRules : public TrayProgram {
protected:
    void SetUp() override
    {
        TrayProgram::SetUp();
        SetOem("OEM", "EnableRotation", 1);
        ASSERT_TRUE(StartTray());
        m_osClass = Header().osClass;
    }

    // Puts the driver and the header into `change` applied to the plain state,
    // with the switches as the program's start leaves them on this system
    // (the header is written, not read from the settings), and clears the
    // journal.
    void Enter(StateChange change)
    {
        MenuState state;
        change(state);
        AsTheStartLeavesIt(state);
        Load(ScenarioOf(state));
        HardwareHeader& h = Header();
        h.enableRotation = state.rotate;
        h.enableRt90 = state.rt90;
        h.enableRt180 = state.rt180;
        h.enableRt270 = state.rt270;
        h.enableDualView = state.dualView;
        h.enableDualApp = state.dualApp;
        h.enableCrt = state.crt;
        h.enableTv = state.tv;
        h.enableSecondaryPanel = state.secondaryPanel;
        ShowPage(state.pageShown);
        SimClearJournal();
    }

    // Whether the program can be met in a state of `systems` here.
    bool RunsOn(Systems systems) const { return IsOn(systems, m_osClass); }

    // Closes whatever dialog a command left open (Cancel ends message boxes
    // and the window choice alike).
    void CloseDialogs()
    {
        while (HWND dialog = testsupport::WaitForWindow(
                   [this](HWND w) {
                       DWORD pid = 0;
                       GetWindowThreadProcessId(w, &pid);
                       return pid == Tray().ProcessId() && testsupport::ClassName(w) == "#32770";
                   },
                   0)) {
            testsupport::PressButton(dialog, IDCANCEL);
            if (!WaitUntil([&] { return !IsWindow(dialog); })) {
                ADD_FAILURE() << "a dialog of the tray program does not close";
                return;
            }
        }
    }

private:
    // The switches the program's start never leaves on together: dual view
    // and dual application exist only on NT 4 and 2000 and need an output
    // besides the LCD, rotation needs an angle.
    void AsTheStartLeavesIt(MenuState& state) const
    {
        if (!HasDualModes(m_osClass))
            state.dualView = state.dualApp = 0;
        if (!state.crt && !state.secondaryPanel) {
            state.dualApp = 0;
            if (!state.tv)
                state.dualView = 0;
        }
        if (!state.rt90 && !state.rt180 && !state.rt270)
            state.rotate = 0;
    }

    int m_osClass = 0;
};

TEST_F(TrayCommandRules, ACommandTheMenuWouldNotOfferChangesNothing)
{
    for (const Rule& rule : kRules) {
        if (!RunsOn(rule.hiddenOn))
            continue;
        SCOPED_TRACE(rule.name);
        Enter(rule.hidden);
        Choose(rule.command);
        EXPECT_TRUE(TrayDisplayChanges().empty()) << rule.command;
        EXPECT_EQ(CountWindows(Tray().ProcessId(), "#32770"), 0) << rule.command << ": nothing is said either";
        CloseDialogs();
    }
    EXPECT_EQ(Tray().Wait(0), STILL_ACTIVE);
}

TEST_F(TrayCommandRules, TheSameCommandActsWhereTheMenuOffersIt)
{
    for (const Rule& rule : kRules) {
        if (!RunsOn(rule.offeredOn))
            continue;
        SCOPED_TRACE(rule.name);
        Enter(rule.offered);
        Choose(rule.command);
        if (rule.action == kOpensWindowChoice) {
            EXPECT_TRUE(testsupport::WaitForDialog(kWindowChoiceCaption, 15000)) << rule.command;
        } else {
            EXPECT_FALSE(TrayEscapes(rule.action).empty()) << rule.command;
        }
        CloseDialogs();
    }
    EXPECT_EQ(Tray().Wait(0), STILL_ACTIVE);
}
