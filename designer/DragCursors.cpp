#include "designer/DragCursors.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int FullColourFirst = 8210;
constexpr int FewColoursFirst = 8110;
constexpr int Size = 32;

// How one set draws: full colour has soft edges, a drop shadow and coloured marks; the other
// keeps to black, white and transparent pixels so it looks the same on any display.
struct Style
{
    bool Full;
    QColor Mark(const QColor &colour) const { return Full ? colour : QColor(Qt::black); }
};

QPainterPath ArrowPath()
{
    QPainterPath arrow;
    arrow.moveTo(1, 1);
    arrow.lineTo(1, 18);
    arrow.lineTo(5, 14);
    arrow.lineTo(8, 21);
    arrow.lineTo(11, 20);
    arrow.lineTo(8, 13);
    arrow.lineTo(13, 13);
    arrow.closeSubpath();
    return arrow;
}

// Outlined in black, filled in white: readable over a light or a dark tree.
void Outlined(QPainter &p, const Style &style, const QPainterPath &path)
{
    if (style.Full) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawPath(path.translated(1.5, 1.5));
    }
    p.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::white);
    p.drawPath(path);
}

// The little page that the arrow carries.
void Carried(QPainter &p, const Style &style)
{
    p.setPen(QPen(Qt::black, 1.0));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(13.5, 17.5, 11, 9));
    p.fillRect(QRectF(15, 19, 8, 2), style.Mark(QColor(0x2f, 0x6f, 0xc8)));
}

void DrawDrag(QPainter &p, const Style &style)
{
    Outlined(p, style, ArrowPath());
    Carried(p, style);
}

void DrawNoDrop(QPainter &p, const Style &style)
{
    const QColor red = style.Mark(QColor(0xd0, 0x21, 0x21));
    p.setPen(QPen(Qt::white, 6.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(16, 16), 10, 10);
    p.drawLine(QPointF(9, 9), QPointF(23, 23));
    p.setPen(QPen(red, 3.0));
    p.drawEllipse(QPointF(16, 16), 10, 10);
    p.drawLine(QPointF(9, 9), QPointF(23, 23));
}

void DrawPointingHand(QPainter &p, const Style &style)
{
    QPainterPath hand;
    hand.moveTo(9, 3);
    hand.lineTo(9, 15);
    hand.lineTo(7, 13);
    hand.lineTo(4, 14);
    hand.lineTo(9, 24);
    hand.lineTo(21, 24);
    hand.lineTo(23, 17);
    hand.lineTo(23, 12);
    hand.lineTo(12, 10);
    hand.lineTo(12, 3);
    hand.cubicTo(12, 1.5, 9, 1.5, 9, 3);
    hand.closeSubpath();
    Outlined(p, style, hand);
    p.setPen(QPen(Qt::black, 1.0));
    for (qreal x : {15.5, 19.5})
        p.drawLine(QPointF(x, 11), QPointF(x, 15));
}

// An arrow carrying the item and a bar that shows where it lands.
void DrawInsert(QPainter &p, const Style &style, bool before)
{
    DrawDrag(p, style);
    const QColor blue = style.Mark(QColor(0x2f, 0x6f, 0xc8));
    p.fillRect(QRectF(12, 29, 16, 2), blue);
    // A small triangle points up (in front) or down (behind).
    QPolygonF tip = before ? QPolygonF({QPointF(27, 20), QPointF(31, 26), QPointF(23, 26)})
                           : QPolygonF({QPointF(23, 20), QPointF(31, 20), QPointF(27, 26)});
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawPolygon(tip);
}

void DrawDropOn(QPainter &p, const Style &style)
{
    DrawDrag(p, style);
    const QColor green = style.Mark(QColor(0x2e, 0x9d, 0x48));
    p.setPen(QPen(green, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(27, 16), QPointF(27, 27));
    p.drawLine(QPointF(27, 27), QPointF(21, 27));
}

void DrawMoveAll(QPainter &p, const Style &style)
{
    QPainterPath cross;
    const QPolygonF shape({{16, 2},  {21, 7},  {18, 7},  {18, 14}, {25, 14}, {25, 11},
                           {30, 16}, {25, 21}, {25, 18}, {18, 18}, {18, 25}, {21, 25},
                           {16, 30}, {11, 25}, {14, 25}, {14, 18}, {7, 18},  {7, 21},
                           {2, 16},  {7, 11},  {7, 14},  {14, 14}, {14, 7},  {11, 7}});
    cross.addPolygon(shape);
    cross.closeSubpath();
    Outlined(p, style, cross);
}

void DrawBusy(QPainter &p, const Style &style)
{
    QPainterPath glass;
    glass.addPolygon(QPolygonF({{8, 3}, {24, 3}, {24, 7}, {17.5, 16}, {24, 25}, {24, 29},
                                {8, 29}, {8, 25}, {14.5, 16}, {8, 7}}));
    glass.closeSubpath();
    Outlined(p, style, glass);
    const QColor sand = style.Mark(QColor(0xe8, 0x8a, 0x1a));
    p.setPen(Qt::NoPen);
    p.setBrush(sand);
    p.drawPolygon(QPolygonF({{11, 8}, {21, 8}, {16, 14}}));
    p.drawPolygon(QPolygonF({{16, 22}, {22, 28}, {10, 28}}));
}

QPoint HotSpot(int shape)
{
    switch (shape) {
    case DragCursors::NoDrop:
    case DragCursors::MoveAll:
    case DragCursors::Busy:
        return {16, 16};
    case DragCursors::PointingHand:
        return {10, 2};
    default:
        return {1, 1};
    }
}

QCursor Draw(int shape, bool full)
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing, full);
        const Style style{full};
        switch (shape) {
        case DragCursors::Drag: DrawDrag(p, style); break;
        case DragCursors::NoDrop: DrawNoDrop(p, style); break;
        case DragCursors::PointingHand: DrawPointingHand(p, style); break;
        case DragCursors::InsertBefore: DrawInsert(p, style, true); break;
        case DragCursors::InsertAfter: DrawInsert(p, style, false); break;
        case DragCursors::DropOn: DrawDropOn(p, style); break;
        case DragCursors::MoveAll: DrawMoveAll(p, style); break;
        default: DrawBusy(p, style); break;
        }
    }
    const QPoint hot = HotSpot(shape);
    return QCursor(pixmap, hot.x(), hot.y());
}
} // namespace

bool DragCursors::IsCursorId(int resourceId)
{
    return (resourceId >= FullColourFirst && resourceId < FullColourFirst + ShapeCount)
           || (resourceId >= FewColoursFirst && resourceId < FewColoursFirst + ShapeCount);
}

QCursor DragCursors::Cursor(int resourceId)
{
    if (!IsCursorId(resourceId))
        return QCursor(Qt::ArrowCursor);
    // Drawn on first use; a drag asks for its cursor at every mouse move.
    static QHash<int, QCursor> cache;
    if (const auto it = cache.constFind(resourceId); it != cache.constEnd())
        return *it;
    const bool full = resourceId >= FullColourFirst;
    const QCursor cursor = Draw(resourceId - (full ? FullColourFirst : FewColoursFirst), full);
    cache.insert(resourceId, cursor);
    return cursor;
}

QCursor DragCursors::Cursor(const std::array<int, 8> &ids, Shape shape)
{
    return shape >= 0 && shape < ShapeCount ? Cursor(ids[size_t(shape)]) : QCursor();
}
