#pragma once

#include <climits>

// The arithmetic of the selection sizer: where a move drag or a nib drag puts a control, with
// or without snapping to the design grid, kept inside its container. Pure functions over
// twips; the sizer widget only feeds them the drag and shows the answer.
namespace SizerModel {

// A limit that is not there (the right and bottom edges of a drag towards the origin).
inline constexpr int NoLimit = INT_MAX;

struct Rect
{
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const Rect &) const = default;
};

// What a drag may do and where: the sizer's switches, the grid and the container. The origin
// is the client origin (the insets left by docked bars on a form, else 0); the container's
// right and bottom edges are absolute, like the rectangles.
struct Settings
{
    bool SnapToGrid = false;
    int GridX = 0;
    int GridY = 0;
    int MinWidth = 150;
    int MinHeight = 150;
    bool AllowMove = true;
    int OriginX = 0;
    int OriginY = 0;
    int ContainerWidth = 0;
    int ContainerHeight = 0;
};

// The nib masks: the edges a nib moves.
enum Edge { Bottom = 1, Top = 2, Left = 4, Right = 8 };

// value / step rounded to the nearest whole number, halves to the even one; step > 0.
int RoundHalfEven(int value, int step);

// A position snapped to the grid (when snapping and grid >= 1), pulled back by whole grid
// steps while beyond the limit, never before the origin. Without snapping only clamped.
int SnapPosition(int value, int limit, int grid, int origin, bool snap);
// A size snapped in half-grid steps, pulled back by whole steps while beyond the limit.
// Without snapping only capped at the limit.
int SnapSize(int value, int limit, int grid, bool snap);

// The rectangle a move drag gives after the cursor moved (dx, dy) twips since the drag
// started at start; current is the rectangle the drag shows now.
Rect MoveDrag(const Rect &start, const Rect &current, int dx, int dy, const Settings &s);
// The rectangle a drag of the nib with that edge mask gives. A mask that moves the top or
// left edge alone is ignored when moving is not allowed.
Rect NibDrag(int nib, const Rect &start, const Rect &current, int dx, int dy, const Settings &s);

} // namespace SizerModel

#include <QString>
#include <utility>

namespace SizerModel {

// The design grid's spacings in twips (horizontal, vertical) for a scale unit, given the
// application's twips per unit.
std::pair<int, int> GridSpacing(int scaleUnit, double twipsPerUnitX, double twipsPerUnitY);

// "x, y": two twip values in the application's unit, rounded to two decimals, as the status
// bar shows a position or a size.
QString PairText(int x, int y, double twipsPerUnitX, double twipsPerUnitY);

} // namespace SizerModel
