#pragma once

#include <QList>
#include <QPoint>

class clsControl;

// The arithmetic of laying out several controls at once: a group drag or nudge, the Format
// commands (align, same size, spacing, centre) and the first free place for a new control.
// Pure functions over rectangles in twips, each in its container's client coordinates
// (the stored left and top of a control).
enum class ArrangeCommand {
    AlignLefts, AlignCenters, AlignRights, AlignTops, AlignMiddles, AlignBottoms, AlignToGrid,
    SameWidth, SameHeight, SameBoth,
    HSpaceEqual, HSpaceIncrease, HSpaceDecrease, VSpaceEqual, VSpaceIncrease, VSpaceDecrease,
    CenterHorizontally, CenterVertically,
    BringToFront, SendToBack,
};

namespace Arrangement {

// What a command does, which decides how many objects it needs and its undo caption.
enum class ArrangeKind { Align, Size, Spacing, Order };
ArrangeKind KindOf(ArrangeCommand command);

// value / step rounded to the nearest whole number, halves to the even one; step > 0.
int RoundHalfEven(int value, int step);
// value rounded to the nearest multiple of step (> 0), halves to the even multiple, as the
// sizer snaps a drag.
int Snap(int value, int step);

struct Box
{
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int Right() const { return Left + Width; }
    int Bottom() const { return Top + Height; }
    bool operator==(const Box &) const = default;
};

// A container's client area: its size (0 or less: no limit on that axis) and which
// container it is, so boxes of one container can be told from another's of the same size.
struct Area
{
    int Width = 0;
    int Height = 0;
    int Key = 0;
    bool operator==(const Area &) const = default;
};

// The design grid's spacings in twips (horizontal, vertical) for a scale unit, given the
// application's twips per unit; (0, 0) for an unknown unit.
QPoint GridSpacing(int scaleUnit, double twipsPerUnitX, double twipsPerUnitY);
// The grid of the application an item belongs to; (0, 0) without one.
QPoint GridOf(const clsControl &item);

// The smallest width or height a keyboard resize leaves.
inline constexpr int MinSize = 150;

// The one offset a group drag of (dx, dy) twips gives every box: the primary's move snapped
// to the grid when snapping (as a drag of it alone would be), then held back so that no box
// leaves its area past the origin or the far edge (a box already past an edge is not pulled
// back, and holds the group only from going further). areas[i] is boxes[i]'s area.
QPoint GroupMove(const QList<Box> &boxes, const QList<Area> &areas, qsizetype primary,
                 int dx, int dy, int gridX = 0, int gridY = 0, bool snap = false);

// A box resized by (dw, dh), never below MinSize (nor smaller than it was when it was
// already below) and never past its area's far edge when growing.
Box GrowBy(const Box &box, const Area &area, int dw, int dh);

// Whether the command can act on that many boxes: two or more to align or size, three or
// more for spacing, one or more for the grid, centring and order.
bool Accepts(ArrangeCommand command, qsizetype count);

// The boxes after a geometric command relative to the primary's box; spacing steps by one
// grid step. Each box that moves is kept within its area. The order commands, and a count
// the command does not accept, give the boxes unchanged.
QList<Box> Arrange(ArrangeCommand command, const QList<Box> &boxes, const QList<Area> &areas,
                   qsizetype primary, int gridX, int gridY);

// Where a new box of that size goes among the others of its container: the first grid
// place, row by row from (startX, startY), where it overlaps none of them; when the area
// has no such place, the first one where no other box has exactly its top left corner.
QPoint FirstFreePlace(const QList<Box> &others, int width, int height, const Area &area,
                      int startX, int startY, int gridX, int gridY);

} // namespace Arrangement
