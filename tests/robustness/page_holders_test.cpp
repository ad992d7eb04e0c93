// The header's `pagesOpen` is true exactly while some live process shows a
// page of the extension: two sheets, two pages of one process, and a
// process ended while it showed one (the guardian lowers the flag).
#include "robustness_fixture.h"

#include <cstring>
#include <string>

using PagesOpen = Robustness;

TEST_F(PagesOpen, AnEndedHolderKeepsItRaisedUntilTheGuardianReleasesIt)
{
    CHardware* hardware = Hardware();
    std::unique_ptr<testsupport::Program> holder = StartHolder("page");
    EXPECT_EQ(1, Header().pagesOpen);
    EXPECT_FALSE(hardware->ReleaseAbandonedPages()) << "the holder still runs";
    EXPECT_EQ(1, Header().pagesOpen);

    holder.reset();
    EXPECT_EQ(1, Header().pagesOpen) << "nobody lowered it";
    EXPECT_TRUE(hardware->ReleaseAbandonedPages());
    EXPECT_EQ(0, Header().pagesOpen);
    EXPECT_FALSE(hardware->ReleaseAbandonedPages()) << "released once";
}

TEST_F(PagesOpen, StaysRaisedWhileAnotherProcessShowsAPage)
{
    CHardware* hardware = Hardware();
    std::unique_ptr<testsupport::Program> holder = StartHolder("page");
    hardware->SetPageShown(TRUE);
    hardware->SetPageShown(FALSE);
    EXPECT_EQ(1, Header().pagesOpen) << "the other process still shows its page";

    // And the other way round: the other one ends, this one still shows.
    hardware->SetPageShown(TRUE);
    holder.reset();
    EXPECT_FALSE(hardware->ReleaseAbandonedPages());
    EXPECT_EQ(1, Header().pagesOpen);
    hardware->SetPageShown(FALSE);
    EXPECT_EQ(0, Header().pagesOpen);
}

TEST_F(PagesOpen, CountsThePagesOfOneProcess)
{
    CHardware* hardware = Hardware();
    struct Step {
        BOOL shown;
        int32_t pagesOpen;
    };
    const Step steps[] = {
        { TRUE, 1 },   // two sheets' pages shown...
        { TRUE, 1 },
        { FALSE, 1 },  // ...one closed
        { FALSE, 0 },
        { FALSE, 0 },  // one more than shown counts nothing
        { TRUE, 1 },
        { FALSE, 0 },
    };
    int index = 0;
    for (const Step& step : steps) {
        hardware->SetPageShown(step.shown);
        EXPECT_EQ(step.pagesOpen, Header().pagesOpen) << "step " << index;
        ++index;
    }
}

// Any process of the session can write the holders' table too.
TEST_F(PagesOpen, NonsenseInTheHoldersTableHoldsNothing)
{
    CHardware* hardware = Hardware();
    const std::string name = std::string(kBlockName) + "-PageHolders";
    CHandle mapping(OpenFileMappingA(FILE_MAP_WRITE, FALSE, name.c_str()));
    ASSERT_TRUE(mapping) << name;
    CMappedView view(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0));
    ASSERT_TRUE(view);
    MEMORY_BASIC_INFORMATION region = {};
    ASSERT_EQ(sizeof(region), VirtualQuery(view.Get(), &region, sizeof(region)));
    std::memset(view.Get(), 0x5A, region.RegionSize);
    Header().pagesOpen = 1;

    EXPECT_TRUE(hardware->ReleaseAbandonedPages());
    EXPECT_EQ(0, Header().pagesOpen);
    hardware->SetPageShown(TRUE);
    EXPECT_EQ(1, Header().pagesOpen);
    hardware->SetPageShown(FALSE);
    EXPECT_EQ(0, Header().pagesOpen);
}
