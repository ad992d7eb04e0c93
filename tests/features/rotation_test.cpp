// Rotation: the driver turns the picture, then the desktop's shape follows
// with one mode change on the rotated display.
#include "feature_fixture.h"

#include <string>

#include "resource_ids.h"
#include "rotation.h"

namespace {

// One display at `resolution` (already turned when `rotation` is 1 or 2).
std::string RotatedDisplay(const char* resolution, int rotation)
{
    return std::string("[Adapter0]\nDeviceMask=1\n[Device0]\nName=\\\\.\\DISPLAY1\nResolution=") + resolution +
        "\nRotation=" + std::to_string(rotation) + "\n";
}

} // namespace

class Rotation : public FeatureServices {
protected:
    // Loads `scenario`; the rotation service on its (only) display.
    CRotation* Start(const std::string& scenario)
    {
        Load(scenario);
        if (!RefreshedHardware())
            return nullptr;
        CRotation* rotation = Get<CRotation>();
        SimClearJournal();
        return rotation;
    }

    // The driver was told `code` once, and then the mode was changed once
    // to width x height with the orientation the OS class hands over.
    void ExpectRotatedTo(UINT code, DWORD width, DWORD height, DWORD orientation, const char* device = "\\\\.\\DISPLAY1")
    {
        const std::vector<SimJournalEntry> rotations = Escapes(SIM_FN_ROTATE);
        ASSERT_EQ(1u, rotations.size());
        EXPECT_EQ(code, RequestByte(rotations[0], 4));
        EXPECT_STREQ(device, rotations[0].deviceName);
        const std::vector<SimJournalEntry> changes = ModeChanges();
        ASSERT_EQ(1u, changes.size());
        const SimJournalEntry& change = changes[0];
        EXPECT_LT(rotations[0].sequence, change.sequence) << "driver first, then the mode";
        EXPECT_EQ(1u, change.extended);
        EXPECT_STREQ(device, change.deviceName);
        EXPECT_EQ(width, change.width);
        EXPECT_EQ(height, change.height);
        EXPECT_EQ(DWORD(CDS_UPDATEREGISTRY | CDS_RESET), change.flags);
        EXPECT_EQ(DISP_CHANGE_SUCCESSFUL, change.result);
        const bool handed = HandsOrientationOver();
        EXPECT_EQ(handed, (change.fields & DM_DISPLAYORIENTATION) != 0);
        EXPECT_EQ(handed ? orientation : DMDO_DEFAULT, change.orientation);
    }
};

TEST_F(Rotation, QuarterTurnMakesTheDesktopPortrait)
{
    CRotation* rotation = Start(RotatedDisplay("1024x768", 0));
    ASSERT_NE(nullptr, rotation);

    rotation->SetRotation(1);

    ExpectRotatedTo(1, 768, 1024, DMDO_90);
    const SimDevice device = State().devices[0];
    EXPECT_EQ(1u, device.rotation);
    EXPECT_EQ(768u, device.current.width);
    EXPECT_EQ(1024u, device.current.height);
}

TEST_F(Rotation, HalfTurnFromPortraitMakesItLandscape)
{
    CRotation* rotation = Start(RotatedDisplay("768x1024", 1));
    ASSERT_NE(nullptr, rotation);

    rotation->SetRotation(3);

    ExpectRotatedTo(3, 1024, 768, DMDO_180);
    EXPECT_EQ(3u, State().devices[0].rotation);
}

TEST_F(Rotation, PortraitToPortraitKeepsTheShape)
{
    CRotation* rotation = Start(RotatedDisplay("1024x768", 0));
    ASSERT_NE(nullptr, rotation);
    rotation->SetRotation(1);
    SimClearJournal();

    rotation->SetRotation(2);

    ExpectRotatedTo(2, 768, 1024, DMDO_270);
    EXPECT_EQ(2u, State().devices[0].rotation);
}

TEST_F(Rotation, BackToNormalFromPortrait)
{
    CRotation* rotation = Start(RotatedDisplay("600x800", 2));
    ASSERT_NE(nullptr, rotation);

    rotation->SetRotation(0);

    ExpectRotatedTo(0, 800, 600, DMDO_DEFAULT);
    EXPECT_EQ(0u, State().devices[0].rotation);
}

TEST_F(Rotation, TheCurrentCodeChangesNothing)
{
    CRotation* rotation = Start(RotatedDisplay("768x1024", 1));
    ASSERT_NE(nullptr, rotation);

    rotation->SetRotation(1);
    rotation->SetRotation(0x101);  // only the low 8 bits count

    EXPECT_TRUE(Journal().empty()) << "not even a driver request";
}

TEST_F(Rotation, UnknownCodeIsRefusedBeforeTheDriverHearsOfIt)
{
    CRotation* rotation = Start(RotatedDisplay("1024x768", 0));
    ASSERT_NE(nullptr, rotation);

    EXPECT_EQ((ServiceError{ IDS_ERR_ARGUMENT_RANGE, 0 }), CatchServiceError([&] { rotation->SetRotation(4); }));

    EXPECT_TRUE(Journal().empty());
    EXPECT_EQ(0u, State().devices[0].rotation);
}

TEST_F(Rotation, DriverRefusalLeavesTheModeAlone)
{
    const struct {
        const char* adapterKeys;
        ServiceError error;
    } cases[] = {
        { "Mode=1\nDeviceMask=3\n", { IDS_ERR_ROTATION_MODE, 10 } },    // not in dual view
        { "[Faults]\nEscape.10=0x10001\n", { IDS_ERR_ROTATION_UNSUPPORTED, 10 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.adapterKeys);
        CRotation* rotation =
            Start(std::string("[Adapter0]\n") + c.adapterKeys + "[Device0]\nName=\\\\.\\DISPLAY1\n");
        ASSERT_NE(nullptr, rotation);

        EXPECT_EQ(c.error, CatchServiceError([&] { rotation->SetRotation(1); }));

        EXPECT_EQ(1u, Escapes(SIM_FN_ROTATE).size());
        EXPECT_TRUE(ModeChanges().empty());
        EXPECT_EQ(0u, State().devices[0].rotation);
        ReleaseServices();
    }
}

TEST_F(Rotation, RefusedModeLeavesTheDriverRotated)
{
    CRotation* rotation = Start(RotatedDisplay("1024x768", 0));
    ASSERT_NE(nullptr, rotation);
    SimSetModeChangeResult(DISP_CHANGE_FAILED);

    EXPECT_EQ((ServiceError{ IDS_ERR_MODE_REFUSED, DISP_CHANGE_FAILED }),
              CatchServiceError([&] { rotation->SetRotation(1); }));

    SimSetModeChangeResult(SIM_MODE_CHANGE_NORMAL);
    EXPECT_EQ(1u, ModeChanges().size());
    EXPECT_EQ(1u, State().devices[0].rotation);
}

TEST_F(Rotation, TurnsTheSelectedDisplayOnly)
{
    CRotation* rotation = Start(
        "[Adapter0]\nMode=3\nDeviceMask=3\n"
        "[Device0]\nName=\\\\.\\DISPLAY1\nPrimary=1\nResolution=1024x768\n"
        "[Device1]\nName=\\\\.\\DISPLAY2\nPrimary=0\nResolution=800x600\n");
    ASSERT_NE(nullptr, rotation);
    Hardware()->SelectDisplay(0, 1);
    Hardware()->RefreshDisplayState();
    SimClearJournal();

    rotation->SetRotation(1);

    ExpectRotatedTo(1, 600, 800, DMDO_90, "\\\\.\\DISPLAY2");
    const SimState state = State();
    EXPECT_EQ(0u, state.devices[0].rotation);
    EXPECT_EQ(1024u, state.devices[0].current.width);
    EXPECT_EQ(1u, state.devices[1].rotation);
}
