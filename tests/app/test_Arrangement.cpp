// The layout arithmetic as tables: a group drag with snapping and container limits, a
// keyboard resize, the Format commands relative to the primary, and a new control's first
// free place.
#include "app/Arrangement.h"

#include <gtest/gtest.h>

using namespace Arrangement;

namespace {
const Box A{300, 150, 900, 300};
const Box B{1500, 450, 600, 300}; // the primary below
const Box C{2400, 900, 1200, 600};
const Area Form{6000, 4000, 0};
} // namespace

TEST(Arrangement, AGroupMovesByOneOffsetKeptInEveryContainer)
{
    static const struct
    {
        const char *What;
        Area AreaB;
        int Dx, Dy, Grid;
        QPoint Expected;
    } cases[] = {
        {"free", Form, 100, -40, 0, {100, -40}},
        {"the primary snaps as alone", Form, 100, 0, 120, {60, 0}},
        {"far edge", {2200, 4000, 1}, 300, 0, 0, {100, 0}},
        {"far edge, whole grid steps back", {2200, 4000, 1}, 300, 0, 120, {60, 0}},
        {"origin", Form, -500, -500, 0, {-300, -150}},
        {"already past the edge: held, not pulled back", {2000, 700, 1}, 100, 100, 0, {0, 0}},
        {"already past the edge: free towards the origin", {2000, 700, 1}, -100, -100, 0, {-100, -100}},
        {"no limit for one: the other holds the group", {0, 0, 1}, 100000, 0, 0, {4800, 0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.What);
        EXPECT_EQ(GroupMove({A, B}, {Form, c.AreaB}, 1, c.Dx, c.Dy, c.Grid, c.Grid, c.Grid > 0), c.Expected);
    }
    EXPECT_EQ(GroupMove({}, {}, 0, 10, 10), QPoint());
}

TEST(Arrangement, AKeyboardResizeStopsAtTheSmallestSizeAndTheContainer)
{
    const Area area{1000, 1000, 0};
    EXPECT_EQ(GrowBy({0, 0, 900, 300}, area, 200, 0), (Box{0, 0, 1000, 300}));
    EXPECT_EQ(GrowBy({0, 0, 900, 300}, area, -800, -15), (Box{0, 0, 150, 285}));
    EXPECT_EQ(GrowBy({0, 0, 100, 100}, area, -15, 15), (Box{0, 0, 100, 115}));
    EXPECT_EQ(GrowBy({0, 0, 1200, 100}, area, 15, 0), (Box{0, 0, 1200, 100})); // already past
    EXPECT_EQ(GrowBy({0, 0, 900, 300}, {}, 5000, 0), (Box{0, 0, 5900, 300}));
}

TEST(Arrangement, FormatCommandsRelativeToThePrimary)
{
    using Cmd = ArrangeCommand;
    const Area narrow{2000, 4000, 1};
    static const struct
    {
        Cmd Command;
        bool NarrowC; // C in a container 2000 wide
        Box A, C;
    } cases[] = {
        {Cmd::AlignRights, false, {1200, 150, 900, 300}, {900, 900, 1200, 600}},
        {Cmd::AlignCenters, false, {1350, 150, 900, 300}, {1200, 900, 1200, 600}},
        {Cmd::AlignMiddles, false, {300, 450, 900, 300}, {2400, 300, 1200, 600}},
        {Cmd::AlignTops, false, {300, 450, 900, 300}, {2400, 450, 1200, 600}},
        {Cmd::AlignToGrid, false, {240, 120, 900, 300}, {2400, 960, 1200, 600}},
        {Cmd::SameHeight, false, {300, 150, 900, 300}, {2400, 900, 1200, 300}},
        {Cmd::HSpaceDecrease, false, {420, 150, 900, 300}, {2280, 900, 1200, 600}},
        {Cmd::VSpaceIncrease, false, {300, 30, 900, 300}, {2400, 1020, 1200, 600}},
        {Cmd::AlignLefts, true, {1500, 150, 900, 300}, {800, 900, 1200, 600}},   // kept inside
        {Cmd::SameWidth, true, {300, 150, 600, 300}, {1400, 900, 600, 600}},     // already outside: pulled in
        {Cmd::CenterVertically, true, {300, 1700, 900, 300}, {2400, 1700, 1200, 600}}, // each container its own
        {Cmd::BringToFront, false, A, C},                                        // not geometry
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.Command));
        const QList<Box> out =
            Arrange(c.Command, {A, B, C}, {Form, Form, c.NarrowC ? narrow : Form}, 1, 120, 120);
        EXPECT_EQ(out[0], c.A);
        EXPECT_EQ(out[2], c.C);
        if (c.Command != Cmd::AlignToGrid && c.Command != Cmd::CenterVertically)
            EXPECT_EQ(out[1], B);
    }
    // Too few boxes: nothing changes.
    EXPECT_EQ(Arrange(Cmd::HSpaceEqual, {A, B}, {Form, Form}, 1, 120, 120), (QList<Box>{A, B}));
    EXPECT_EQ(Arrange(Cmd::AlignLefts, {A}, {Form}, 0, 120, 120), QList<Box>{A});
}

TEST(Arrangement, ANewControlTakesTheFirstFreeGridPlace)
{
    EXPECT_EQ(FirstFreePlace({}, 1000, 300, Form, 120, 120, 120, 120), QPoint(120, 120));
    EXPECT_EQ(FirstFreePlace({{120, 120, 1000, 300}}, 1000, 300, Form, 120, 120, 120, 120), QPoint(1200, 120));
    // A row full: the next row.
    EXPECT_EQ(FirstFreePlace({{0, 0, 6000, 300}}, 1000, 300, Form, 120, 120, 120, 120), QPoint(120, 360));
    // No room anywhere: the first corner along the diagonal that no control has.
    const Area small{1200, 500, 0};
    EXPECT_EQ(FirstFreePlace({{0, 0, 1200, 500}}, 1000, 300, small, 120, 120, 120, 120), QPoint(120, 120));
    EXPECT_EQ(FirstFreePlace({{120, 120, 1200, 500}, {240, 240, 10, 10}}, 1000, 300, small, 120, 120, 120, 120),
              QPoint(360, 360));
}
