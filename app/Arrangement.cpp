#include "app/Arrangement.h"

#include "model/Vocabulary.h"
#include "model/cAppWrapper.h"
#include "model/clsControl.h"

#include <QHash>
#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>

namespace Arrangement {

int Snap(int value, int step)
{
    return int(std::clamp<long long>((long long)RoundHalfEven(value, step) * step, INT_MIN, INT_MAX));
}

namespace {

// The offset along one axis held back so that no box leaves [0, extent) of its area; with a
// grid, held back by whole grid steps so the primary stays on the grid.
int HoldBack(int delta, const QList<Box> &boxes, const QList<Area> &areas, bool horizontal,
             int grid)
{
    if (delta == 0)
        return 0;
    long long allowed = delta;
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        const Box &b = boxes[i];
        const Area a = areas.value(i);
        const int near = horizontal ? b.Left : b.Top;
        const int far = horizontal ? b.Right() : b.Bottom();
        const int extent = horizontal ? a.Width : a.Height;
        if (delta > 0 && extent > 0)
            allowed = std::min<long long>(allowed, std::max<long long>(0, (long long)extent - far));
        else if (delta < 0)
            allowed = std::max<long long>(allowed, std::min<long long>(0, -(long long)near));
    }
    if (allowed == delta)
        return delta;
    if (grid >= 1) {
        const long long over = std::abs(delta - allowed);
        const long long back = ((over + grid - 1) / grid) * grid;
        const long long stepped = delta > 0 ? delta - back : delta + back;
        // Whole steps back past the start: the group stays where it is on that axis.
        if ((delta > 0 && stepped < 0) || (delta < 0 && stepped > 0))
            return 0;
        return int(stepped);
    }
    return int(allowed);
}

// A box that a command changed, kept in its area on each axis the command changed: no
// wider or taller than the area, and its near edge between the origin and the place where
// its far edge meets the area's. An axis left alone stays as it was, inside or not.
Box Fit(Box b, const Box &was, const Area &a)
{
    const auto fit = [](int &pos, int &size, bool changed, int extent) {
        if (!changed)
            return;
        if (extent > 0) {
            size = std::min(size, extent);
            pos = std::clamp(pos, 0, extent - size);
        } else {
            pos = std::max(0, pos);
        }
    };
    fit(b.Left, b.Width, b.Left != was.Left || b.Width != was.Width, a.Width);
    fit(b.Top, b.Height, b.Top != was.Top || b.Height != was.Height, a.Height);
    return b;
}

// Spacing along one axis: the boxes in the order of their near edges (the primary's place
// kept), the gaps between neighbours made equal or widened or narrowed by one step.
void Space(QList<Box> &out, qsizetype primary, bool horizontal, int mode, int step)
{
    const auto nearOf = [&](const Box &b) { return horizontal ? b.Left : b.Top; };
    const auto sizeOf = [&](const Box &b) { return horizontal ? b.Width : b.Height; };
    const auto setNear = [&](Box &b, int v) { (horizontal ? b.Left : b.Top) = v; };
    QList<qsizetype> order(out.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return nearOf(out[a]) < nearOf(out[b]); });
    const qsizetype n = order.size();
    if (mode == 0) {
        // Equal: the first and the last stay, the room between them is shared out.
        const Box &first = out[order.front()];
        const Box &last = out[order.back()];
        long long sizes = 0;
        for (qsizetype k = 0; k < n; ++k)
            sizes += sizeOf(out[order[k]]);
        const long long room = (long long)nearOf(last) + sizeOf(last) - nearOf(first) - sizes;
        long long at = nearOf(first);
        for (qsizetype k = 1; k < n - 1; ++k) {
            at += sizeOf(out[order[k - 1]]);
            const long long gapBefore = room * k / (n - 1) - room * (k - 1) / (n - 1);
            at += gapBefore;
            setNear(out[order[k]], int(at));
        }
        return;
    }
    const auto changed = [&](long long gap) -> long long {
        if (mode > 0)
            return gap + step;
        return gap > 0 ? std::max<long long>(0, gap - step) : gap;
    };
    const QList<Box> before = out;
    const qsizetype pi = order.indexOf(primary);
    for (qsizetype k = pi + 1; k < n; ++k) {
        const Box &prevOld = before[order[k - 1]];
        const long long gap = (long long)nearOf(before[order[k]]) - nearOf(prevOld) - sizeOf(prevOld);
        const Box &prevNew = out[order[k - 1]];
        setNear(out[order[k]], int(nearOf(prevNew) + sizeOf(prevNew) + changed(gap)));
    }
    for (qsizetype k = pi - 1; k >= 0; --k) {
        const Box &old = before[order[k]];
        const long long gap = (long long)nearOf(before[order[k + 1]]) - nearOf(old) - sizeOf(old);
        const Box &nextNew = out[order[k + 1]];
        setNear(out[order[k]], int(nearOf(nextNew) - changed(gap) - sizeOf(old)));
    }
}

// The boxes of each area moved together so that what they cover is centred in the area.
void Centre(QList<Box> &out, const QList<Area> &areas, bool horizontal)
{
    QHash<int, std::pair<long long, long long>> spans; // area key: near, far
    for (qsizetype i = 0; i < out.size(); ++i) {
        const Box &b = out[i];
        const long long nearEdge = horizontal ? b.Left : b.Top;
        const long long farEdge = horizontal ? b.Right() : b.Bottom();
        auto it = spans.find(areas.value(i).Key);
        if (it == spans.end())
            spans.insert(areas.value(i).Key, {nearEdge, farEdge});
        else
            *it = {std::min(it->first, nearEdge), std::max(it->second, farEdge)};
    }
    for (qsizetype i = 0; i < out.size(); ++i) {
        const Area a = areas.value(i);
        const int extent = horizontal ? a.Width : a.Height;
        if (extent <= 0)
            continue;
        const auto [nearEdge, farEdge] = spans.value(a.Key);
        const long long shift = (extent - (farEdge - nearEdge)) / 2 - nearEdge;
        int &v = horizontal ? out[i].Left : out[i].Top;
        v = int(v + shift);
    }
}
} // namespace

QPoint GridSpacing(int scaleUnit, double twipsPerUnitX, double twipsPerUnitY)
{
    using namespace Vocabulary::Scale;
    // Steps in the unit itself: characters are wider than high, so rows come at half a one.
    double stepX = 1, stepY = 1;
    switch (scaleUnit) {
    case Default:
    case Characters: stepX = 1; stepY = 0.5; break;
    case Twips: stepX = stepY = 120; break;
    case Points: stepX = stepY = 6; break;
    case Pixels: stepX = stepY = 10; break;
    case Inches: stepX = stepY = 0.1; break;
    case Millimeters: stepX = stepY = 2; break;
    case Centimeters: stepX = stepY = 0.2; break;
    default: return {0, 0};
    }
    return {int(std::lround(stepX * twipsPerUnitX)), int(std::lround(stepY * twipsPerUnitY))};
}

QPoint GridOf(const clsControl &item)
{
    const clsControl *app = item.App();
    const auto *wrapper = app ? dynamic_cast<const cAppWrapper *>(app->Wrapper()) : nullptr;
    return wrapper ? GridSpacing(wrapper->ScaleUnit(), wrapper->ScaleX(), wrapper->ScaleY()) : QPoint();
}

QPoint GroupMove(const QList<Box> &boxes, const QList<Area> &areas, qsizetype primary, int dx,
                 int dy, int gridX, int gridY, bool snap)
{
    if (boxes.isEmpty() || primary < 0 || primary >= boxes.size())
        return {};
    const Box &p = boxes[primary];
    const bool snapX = snap && gridX >= 1;
    const bool snapY = snap && gridY >= 1;
    int tx = dx;
    int ty = dy;
    if (snapX && dx != 0)
        tx = Snap(p.Left + dx, gridX) - p.Left;
    if (snapY && dy != 0)
        ty = Snap(p.Top + dy, gridY) - p.Top;
    return {HoldBack(tx, boxes, areas, true, snapX ? gridX : 0),
            HoldBack(ty, boxes, areas, false, snapY ? gridY : 0)};
}

Box GrowBy(const Box &box, const Area &area, int dw, int dh)
{
    const auto grow = [](int size, int delta, int room) {
        if (delta < 0)
            return std::max(std::min(size, MinSize), size + delta);
        if (delta > 0 && room > 0)
            return std::max(size, std::min(size + delta, room));
        return delta > 0 && room <= 0 ? size + delta : size;
    };
    Box b = box;
    b.Width = grow(box.Width, dw, area.Width > 0 ? area.Width - box.Left : 0);
    b.Height = grow(box.Height, dh, area.Height > 0 ? area.Height - box.Top : 0);
    return b;
}

int RoundHalfEven(int value, int step)
{
    // Floor division, then the remainder decides; exact for negative values too.
    long long q = value / step;
    long long rem = value - q * step;
    if (rem < 0) {
        --q;
        rem += step;
    }
    if (2 * rem > step || (2 * rem == step && (q & 1)))
        ++q;
    return int(q);
}

ArrangeKind KindOf(ArrangeCommand command)
{
    using C = ArrangeCommand;
    switch (command) {
    case C::SameWidth:
    case C::SameHeight:
    case C::SameBoth:
        return ArrangeKind::Size;
    case C::HSpaceEqual:
    case C::HSpaceIncrease:
    case C::HSpaceDecrease:
    case C::VSpaceEqual:
    case C::VSpaceIncrease:
    case C::VSpaceDecrease:
        return ArrangeKind::Spacing;
    case C::BringToFront:
    case C::SendToBack:
        return ArrangeKind::Order;
    default:
        return ArrangeKind::Align;
    }
}

bool Accepts(ArrangeCommand command, qsizetype count)
{
    switch (KindOf(command)) {
    case ArrangeKind::Spacing:
        return count >= 3;
    case ArrangeKind::Size:
        return count >= 2;
    case ArrangeKind::Order:
        return count >= 1;
    default:
        // Aligning needs two; to the grid and centring act on one too.
        return count >= (command == ArrangeCommand::AlignToGrid
                                 || command == ArrangeCommand::CenterHorizontally
                                 || command == ArrangeCommand::CenterVertically
                             ? 1 : 2);
    }
}

QList<Box> Arrange(ArrangeCommand command, const QList<Box> &boxes, const QList<Area> &areas,
                   qsizetype primary, int gridX, int gridY)
{
    QList<Box> out = boxes;
    if (!Accepts(command, boxes.size()) || primary < 0 || primary >= boxes.size())
        return out;
    const Box p = boxes[primary];
    using C = ArrangeCommand;
    for (qsizetype i = 0; i < out.size(); ++i) {
        Box &b = out[i];
        switch (command) {
        case C::AlignLefts: b.Left = p.Left; break;
        case C::AlignCenters: b.Left = p.Left + (p.Width - b.Width) / 2; break;
        case C::AlignRights: b.Left = p.Right() - b.Width; break;
        case C::AlignTops: b.Top = p.Top; break;
        case C::AlignMiddles: b.Top = p.Top + (p.Height - b.Height) / 2; break;
        case C::AlignBottoms: b.Top = p.Bottom() - b.Height; break;
        case C::AlignToGrid:
            if (gridX >= 1)
                b.Left = Snap(b.Left, gridX);
            if (gridY >= 1)
                b.Top = Snap(b.Top, gridY);
            break;
        case C::SameWidth: b.Width = p.Width; break;
        case C::SameHeight: b.Height = p.Height; break;
        case C::SameBoth: b.Width = p.Width; b.Height = p.Height; break;
        default: break;
        }
    }
    switch (command) {
    case C::HSpaceEqual: Space(out, primary, true, 0, gridX); break;
    case C::HSpaceIncrease: Space(out, primary, true, 1, gridX); break;
    case C::HSpaceDecrease: Space(out, primary, true, -1, gridX); break;
    case C::VSpaceEqual: Space(out, primary, false, 0, gridY); break;
    case C::VSpaceIncrease: Space(out, primary, false, 1, gridY); break;
    case C::VSpaceDecrease: Space(out, primary, false, -1, gridY); break;
    case C::CenterHorizontally: Centre(out, areas, true); break;
    case C::CenterVertically: Centre(out, areas, false); break;
    default: break;
    }
    for (qsizetype i = 0; i < out.size(); ++i)
        if (!(out[i] == boxes[i]))
            out[i] = Fit(out[i], boxes[i], areas.value(i));
    return out;
}

QPoint FirstFreePlace(const QList<Box> &others, int width, int height, const Area &area,
                      int startX, int startY, int gridX, int gridY)
{
    const int gx = gridX >= 1 ? gridX : 120;
    const int gy = gridY >= 1 ? gridY : 120;
    const auto overlaps = [&](int x, int y) {
        return std::any_of(others.begin(), others.end(), [&](const Box &b) {
            return x < b.Right() && b.Left < x + width && y < b.Bottom() && b.Top < y + height;
        });
    };
    const auto cornerTaken = [&](int x, int y) {
        return std::any_of(others.begin(), others.end(),
                           [&](const Box &b) { return b.Left == x && b.Top == y; });
    };
    // Row by row inside the area; without a limit, as far as a form of common size reaches.
    const long long maxX = area.Width > 0 ? (long long)area.Width - width : startX + 40LL * gx;
    const long long maxY = area.Height > 0 ? (long long)area.Height - height : startY + 30LL * gy;
    for (long long y = startY; y <= maxY; y += gy)
        for (long long x = startX; x <= maxX; x += gx)
            if (!overlaps(int(x), int(y)))
                return {int(x), int(y)};
    // A full area: down the diagonal to the first corner no other box has.
    for (qsizetype k = 0; k <= others.size(); ++k) {
        const int x = int(startX + k * gx);
        const int y = int(startY + k * gy);
        if (!cornerTaken(x, y))
            return {x, y};
    }
    return {startX, startY};
}

} // namespace Arrangement
