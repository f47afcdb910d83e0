#include "panels/SizerModel.h"
#include "app/Arrangement.h"

#include <algorithm>

namespace SizerModel {

int RoundHalfEven(int value, int step)
{
    return Arrangement::RoundHalfEven(value, step);
}

namespace {

// Takes whole steps off r until it is no more than limit.
long long PullBack(long long r, long long limit, long long step)
{
    if (r > limit)
        r -= ((r - limit + step - 1) / step) * step;
    return r;
}

int Clamp(long long v)
{
    return int(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

} // namespace

int SnapPosition(int value, int limit, int grid, int origin, bool snap)
{
    long long r = (long long)value - origin;
    // The limit is an absolute edge like the value; compare it on the same footing.
    const bool limited = limit != NoLimit;
    const long long relLimit = limited ? (long long)limit - origin : 0;
    if (snap && grid >= 1) {
        r = (long long)RoundHalfEven(Clamp(r), grid) * grid;
        if (limited)
            r = PullBack(r, relLimit, grid);
    } else if (limited && r > relLimit) {
        r = relLimit;
    }
    if (r < 0)
        r = 0;
    return Clamp(r + origin);
}

int SnapSize(int value, int limit, int grid, bool snap)
{
    const int step = grid / 2;
    long long r = value;
    const bool limited = limit != NoLimit;
    if (snap && step >= 1) {
        r = (long long)RoundHalfEven(value, step) * step;
        if (limited)
            r = PullBack(r, limit, step);
    } else if (limited && r > limit) {
        r = limit;
    }
    return Clamp(r);
}

Rect MoveDrag(const Rect &start, const Rect &current, int dx, int dy, const Settings &s)
{
    Rect r = current;
    // Back at the starting point the control is exactly where it was, snapped or not.
    if (dx == 0)
        r.Left = start.Left;
    else if (dx > 0) {
        if ((long long)current.Left + current.Width <= s.ContainerWidth)
            r.Left = SnapPosition(start.Left + dx, s.ContainerWidth - current.Width, s.GridX,
                                  s.OriginX, s.SnapToGrid);
    } else if (current.Left >= 0) {
        r.Left = SnapPosition(start.Left + dx, NoLimit, s.GridX, s.OriginX, s.SnapToGrid);
    }
    if (dy == 0)
        r.Top = start.Top;
    else if (dy > 0) {
        if ((long long)current.Top + current.Height <= s.ContainerHeight)
            r.Top = SnapPosition(start.Top + dy, s.ContainerHeight - current.Height, s.GridY,
                                 s.OriginY, s.SnapToGrid);
    } else if (current.Top >= 0) {
        r.Top = SnapPosition(start.Top + dy, NoLimit, s.GridY, s.OriginY, s.SnapToGrid);
    }
    return r;
}

namespace {

// One axis of a nib drag. near/far: whether the nib moves the near (top/left) or the far
// (bottom/right) edge. pos/size are the current values, updated in place.
struct Axis
{
    int StartPos, StartSize;
    int Delta;
    int Grid, Origin, Min, ContainerEnd;
    bool Snap;
};

void DragFar(const Axis &a, int &pos, int &size)
{
    if (a.Delta > 0) {
        const long long room = (long long)a.ContainerEnd - pos;
        if ((long long)pos + a.StartSize + a.Delta < a.ContainerEnd)
            size = SnapSize(a.StartSize + a.Delta, int(room), a.Grid, a.Snap);
        else if (room > size)
            // The cursor left the container faster than the events came: up to the edge.
            size = SnapSize(int(room), int(room), a.Grid, a.Snap);
    } else if ((long long)a.StartSize + a.Delta >= a.Min) {
        size = SnapSize(a.StartSize + a.Delta, NoLimit, a.Grid, a.Snap);
    }
}

void DragNear(const Axis &a, int &pos, int &size)
{
    const long long farEdge = (long long)a.StartPos + a.StartSize;
    if (a.Delta <= 0) {
        // Past the client origin the edge stops there.
        const long long delta = std::max<long long>(a.Delta, (long long)a.Origin - a.StartPos);
        if (delta <= 0) {
            // The far edge stays put.
            size = SnapSize(int(a.StartSize - delta), int(farEdge - a.Origin), a.Grid, a.Snap);
            pos = SnapPosition(int(farEdge - size), NoLimit, a.Grid, a.Origin, a.Snap);
        }
    } else if ((long long)a.StartSize - a.Delta > a.Min) {
        size = SnapSize(a.StartSize - a.Delta, NoLimit, a.Grid, a.Snap);
        pos = SnapPosition(a.StartPos + a.Delta, NoLimit, a.Grid, a.Origin, a.Snap);
    }
}

} // namespace

Rect NibDrag(int nib, const Rect &start, const Rect &current, int dx, int dy, const Settings &s)
{
    if (!s.AllowMove && (nib == Top || nib == Left || nib == (Top | Left)))
        return current;
    Rect r = current;
    const Axis vertical{start.Top, start.Height, dy, s.GridY, s.OriginY, s.MinHeight,
                        s.ContainerHeight, s.SnapToGrid};
    const Axis horizontal{start.Left, start.Width, dx, s.GridX, s.OriginX, s.MinWidth,
                          s.ContainerWidth, s.SnapToGrid};
    // Snapping may round a size below the smallest a nib leaves: an axis whose size would
    // come to nothing or less keeps its current place and size.
    auto apply = [](const Axis &axis, bool far, int &pos, int &size) {
        int p = pos, z = size;
        far ? DragFar(axis, p, z) : DragNear(axis, p, z);
        if (z >= 1) {
            pos = p;
            size = z;
        }
    };
    if (nib & Bottom)
        apply(vertical, true, r.Top, r.Height);
    else if ((nib & Top) && s.AllowMove)
        apply(vertical, false, r.Top, r.Height);
    if (nib & Right)
        apply(horizontal, true, r.Left, r.Width);
    else if ((nib & Left) && s.AllowMove)
        apply(horizontal, false, r.Left, r.Width);
    return r;
}

} // namespace SizerModel

#include "model/Vocabulary.h"
#include "support/NumberFormat.h"

#include <cmath>

namespace SizerModel {

std::pair<int, int> GridSpacing(int scaleUnit, double twipsPerUnitX, double twipsPerUnitY)
{
    const QPoint grid = Arrangement::GridSpacing(scaleUnit, twipsPerUnitX, twipsPerUnitY);
    return {grid.x(), grid.y()};
}

QString PairText(int x, int y, double twipsPerUnitX, double twipsPerUnitY)
{
    const auto units = [](int twips, double factor) {
        return NumberFormat::Format(NumberFormat::Round2(twips / (factor > 0 ? factor : 1.0)), 2);
    };
    return units(x, twipsPerUnitX) + QStringLiteral(", ") + units(y, twipsPerUnitY);
}

} // namespace SizerModel
