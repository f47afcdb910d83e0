// Where move and nib drags put a control: grid snapping with halves to even, limits pulled
// back by whole steps, the smallest sizes a nib leaves, and the container kept around it.
#include "panels/SizerModel.h"

#include <gtest/gtest.h>

using namespace SizerModel;

namespace {
Settings Snapped(int grid = 120)
{
    Settings s;
    s.SnapToGrid = true;
    s.GridX = s.GridY = grid;
    s.ContainerWidth = 6000;
    s.ContainerHeight = 4000;
    return s;
}
Settings Free()
{
    Settings s = Snapped();
    s.SnapToGrid = false;
    return s;
}
} // namespace

TEST(SizerModel, RoundsHalvesToTheEvenNeighbour)
{
    struct Case { int value, step, expected; };
    const Case cases[] = {{185, 120, 2}, {180, 120, 2}, {300, 120, 2}, {60, 120, 0},
                          {420, 120, 4}, {-60, 120, 0}, {-180, 120, -2}, {-61, 120, -1},
                          {0, 7, 0}, {7, 7, 1}};
    for (const Case &c : cases)
        EXPECT_EQ(RoundHalfEven(c.value, c.step), c.expected) << c.value << "/" << c.step;
}

TEST(SizerModel, SnapsPositionsToTheGridFromTheOrigin)
{
    struct Case { int value, limit, grid, origin; bool snap; int expected; };
    const Case cases[] = {
        {185, NoLimit, 120, 0, true, 240},
        {180, NoLimit, 120, 0, true, 240},
        {300, NoLimit, 120, 0, true, 240},
        {60, NoLimit, 120, 0, true, 0},
        // From an origin of 300 (a tool bar on the left) the grid starts there.
        {425, NoLimit, 120, 300, true, 420},
        {310, NoLimit, 120, 300, true, 300},
        // Beyond the limit: whole steps back, so the result stays on the grid.
        {1000, 700, 120, 0, true, 600},
        {1000, 700, 120, 300, true, 660},
        // Never before the origin, even when the limit is (a control wider than its room).
        {-500, NoLimit, 120, 0, true, 0},
        {100, -50, 120, 0, true, 0},
        {100, 0, 120, 0, true, 0},
        // Without snapping (or without a grid) only clamped, never rounded.
        {185, NoLimit, 120, 0, false, 185},
        {185, NoLimit, 0, 0, true, 185},
        {1000, 700, 120, 0, false, 700},
        {-20, NoLimit, 120, 0, false, 0},
        {250, NoLimit, 120, 300, false, 300},
    };
    for (const Case &c : cases)
        EXPECT_EQ(SnapPosition(c.value, c.limit, c.grid, c.origin, c.snap), c.expected)
            << c.value << " limit " << c.limit << " origin " << c.origin << " snap " << c.snap;
}

TEST(SizerModel, SnapsSizesInHalfGridSteps)
{
    struct Case { int value, limit, grid; bool snap; int expected; };
    const Case cases[] = {
        {100, NoLimit, 120, true, 120},  {90, NoLimit, 120, true, 120},
        {150, NoLimit, 120, true, 120},  {1000, NoLimit, 120, true, 1020},
        {1000, 950, 120, true, 900},     {1000, 950, 120, false, 950},
        {1001, NoLimit, 120, false, 1001}, {1001, NoLimit, 1, true, 1001},
    };
    for (const Case &c : cases)
        EXPECT_EQ(SnapSize(c.value, c.limit, c.grid, c.snap), c.expected) << c.value;
}

TEST(SizerModel, MoveDragStaysInsideTheContainer)
{
    const Rect start{1200, 600, 1000, 500};
    const Settings snapped = Snapped();
    // Snapped from where the drag started.
    EXPECT_EQ(MoveDrag(start, start, 70, 0, snapped), (Rect{1320, 600, 1000, 500}));
    EXPECT_EQ(MoveDrag(start, start, -50, -650, snapped), (Rect{1200, 0, 1000, 500}));
    // Far to the right and down: pulled back onto the grid inside the container.
    EXPECT_EQ(MoveDrag(start, start, 90000, 90000, snapped), (Rect{4920, 3480, 1000, 500}));
    // Far to the left and up: the client origin.
    EXPECT_EQ(MoveDrag(start, start, -90000, -90000, Free()), (Rect{0, 0, 1000, 500}));
    // Free: exactly where the cursor took it.
    EXPECT_EQ(MoveDrag(start, start, 37, -11, Free()), (Rect{1237, 589, 1000, 500}));
    // Back at the start the control is where it was, even off the grid.
    const Rect offGrid{1210, 610, 1000, 500};
    EXPECT_EQ(MoveDrag(offGrid, Rect{1440, 840, 1000, 500}, 0, 0, snapped), offGrid);
    // A control exactly as wide as its container cannot move sideways.
    Settings tight = Free();
    tight.ContainerWidth = 1000;
    const Rect full{0, 0, 1000, 500};
    EXPECT_EQ(MoveDrag(full, full, 300, 0, tight).Left, 0);
    // With docked bars the origin moves: never onto the bar at the left or top.
    Settings bars = snapped;
    bars.OriginX = 300;
    bars.OriginY = 450;
    EXPECT_EQ(MoveDrag(Rect{400, 500, 100, 100}, Rect{400, 500, 100, 100}, -2000, -2000, bars),
              (Rect{300, 450, 100, 100}));
}

TEST(SizerModel, EachNibMovesItsOwnEdges)
{
    const Rect start{1200, 1200, 1200, 600};
    const Settings s = Free();
    struct Case { int nib, dx, dy; Rect expected; };
    const Case cases[] = {
        {Bottom, 50, 100, {1200, 1200, 1200, 700}},
        {Top, 50, -100, {1200, 1100, 1200, 700}},
        {Left, -100, 50, {1100, 1200, 1300, 600}},
        {Right, 100, 50, {1200, 1200, 1300, 600}},
        {Top | Left, -100, -100, {1100, 1100, 1300, 700}},
        {Top | Right, 100, -100, {1200, 1100, 1300, 700}},
        {Bottom | Left, -100, 100, {1100, 1200, 1300, 700}},
        {Bottom | Right, 100, 100, {1200, 1200, 1300, 700}},
        {Top, 0, 200, {1200, 1400, 1200, 400}},
        {Left, 300, 0, {1500, 1200, 900, 600}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(NibDrag(c.nib, start, start, c.dx, c.dy, s), c.expected) << "nib " << c.nib;
}

TEST(SizerModel, NibDragsRespectMinimumsSnappingAndContainer)
{
    const Rect start{1200, 1200, 1200, 600};
    // Below the smallest height the bottom nib leaves the height as it is.
    EXPECT_EQ(NibDrag(Bottom, start, start, 0, -500, Free()).Height, 600);
    EXPECT_EQ(NibDrag(Bottom, start, start, 0, -450, Free()).Height, 150);
    EXPECT_EQ(NibDrag(Top, start, start, 0, 460, Free()), start);
    // Snapped widths in steps of half the grid.
    EXPECT_EQ(NibDrag(Right, start, start, 95, 0, Snapped()).Width, 1320);
    EXPECT_EQ(NibDrag(Right, start, start, 20, 0, Snapped()).Width, 1200);
    // Growing stops at the container's edge, also when the cursor jumps far beyond it.
    Settings s = Free();
    EXPECT_EQ(NibDrag(Right, start, start, 3000, 0, s).Width, 4200);
    EXPECT_EQ(NibDrag(Right, start, start, 90000, 0, s).Width, 4800);
    EXPECT_EQ(NibDrag(Bottom, start, start, 0, 90000, Snapped()).Height, 2760);
    // Up and left stop at the origin with the far edge kept.
    EXPECT_EQ(NibDrag(Top | Left, start, start, -1200, -1200, s), (Rect{0, 0, 2400, 1800}));
    EXPECT_EQ(NibDrag(Top | Left, start, start, -1300, -1300, s), (Rect{0, 0, 2400, 1800}));
    s.OriginY = 900;
    EXPECT_EQ(NibDrag(Top, start, start, 0, -300, s), (Rect{1200, 900, 1200, 900}));
    // Nibs that move the top or left edge alone do nothing when moving is not allowed.
    s.AllowMove = false;
    EXPECT_EQ(NibDrag(Top, start, start, 0, -100, s), start);
    EXPECT_EQ(NibDrag(Left | Top, start, start, -100, -100, s), start);
    EXPECT_EQ(NibDrag(Bottom | Left, start, start, -100, 100, s), (Rect{1200, 1200, 1200, 700}));
}

TEST(SizerModel, NeverGivesANegativeOrEmptySize)
{
    // A tiny grid-less control snapped with a coarse grid: the size never reaches zero.
    Settings s = Snapped(600);
    s.MinWidth = s.MinHeight = 10;
    const Rect small{600, 600, 40, 40};
    for (int nib : {int(Bottom), int(Top), int(Left), int(Right), Top | Left, Bottom | Right}) {
        for (int d : {-30, -5, 5, 30, 400}) {
            const Rect r = NibDrag(nib, small, small, d, d, s);
            EXPECT_GT(r.Width, 0) << nib << " " << d;
            EXPECT_GT(r.Height, 0) << nib << " " << d;
            EXPECT_GE(r.Left, 0);
            EXPECT_GE(r.Top, 0);
        }
    }
}
