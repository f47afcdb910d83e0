#include "designer/ToolImages.h"

#include "designer/DrawnIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace {

const QColor Ink(40, 48, 64);
const QColor Paper(252, 252, 248);
const QColor Folder(232, 186, 74);
const QColor Blue(46, 104, 184);
const QColor Red(200, 44, 44);
const QColor Green(40, 140, 70);

QPen Line(const QColor &colour, qreal width = 1.0)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Page(QPainter &p, const QRectF &r)
{
    QPainterPath path;
    const qreal fold = 3.5;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(Line(Ink));
    p.setBrush(Paper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void TextLines(QPainter &p, qreal left, qreal right, qreal top, int count)
{
    p.setPen(Line(QColor(140, 150, 170), 0.8));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + 2 * i), QPointF(right, top + 2 * i));
}

void Arrow(QPainter &p, const QPointF &tip, qreal dx, qreal dy, const QColor &colour)
{
    // A filled head pointing along (dx, dy) from a unit vector scaled to the head size.
    const QPointF dir(dx, dy);
    const QPointF normal(-dy, dx);
    QPolygonF head;
    head << tip << tip - dir * 3.2 + normal * 2.2 << tip - dir * 3.2 - normal * 2.2;
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(head);
}

// A curved arrow turning back to the left.
void UndoArrow(QPainter &p)
{
    p.setPen(Line(Blue, 1.8));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(5, 6);
    path.lineTo(10, 6);
    path.cubicTo(15, 6, 15, 13.5, 10, 13.5);
    path.lineTo(6, 13.5);
    p.drawPath(path);
    Arrow(p, QPointF(1.5, 6), -1, 0, Blue);
}

using Drawer = DrawnIcons::Drawing;

// ---- The Format commands: boxes and the line or edge they keep to -------------------------

void Box(QPainter &p, const QRectF &r, bool filled = false)
{
    p.setPen(Line(Ink));
    p.setBrush(filled ? Blue : Paper);
    p.drawRect(r);
}

void Guide(QPainter &p, const QPointF &from, const QPointF &to)
{
    p.setPen(QPen(Red, 1.2, Qt::DashLine));
    p.drawLine(from, to);
}

// Two boxes kept to a vertical line at x: edge -1 their lefts, 0 their centres, 1 their rights.
void AlignedColumn(QPainter &p, int edge)
{
    const qreal x = edge < 0 ? 2.5 : edge > 0 ? 13.5 : 8;
    const auto place = [&](qreal width) { return edge < 0 ? x : edge > 0 ? x - width : x - width / 2; };
    Box(p, QRectF(place(10), 2.5, 10, 4.5));
    Box(p, QRectF(place(6), 9, 6, 4.5));
    Guide(p, QPointF(x, 0.5), QPointF(x, 15.5));
}

// The same turned a quarter: boxes kept to a horizontal line.
Drawer Turned(void (*draw)(QPainter &, int), int edge)
{
    return [draw, edge](QPainter &p) {
        p.translate(16, 0);
        p.rotate(90);
        draw(p, -edge);
    };
}

// Three boxes in a row whose gaps are made equal (0), wider (1) or narrower (-1).
void Spaced(QPainter &p, int change)
{
    Box(p, QRectF(0.5, 5, 4, 6));
    Box(p, QRectF(6, 5, 4, 6));
    Box(p, QRectF(11.5, 5, 4, 6));
    p.setPen(Line(Green, 1.2));
    for (qreal gap : {5.25, 10.75}) {
        if (change == 0) {
            p.drawLine(QPointF(gap, 2), QPointF(gap, 4));
            p.drawLine(QPointF(gap, 12), QPointF(gap, 14));
        } else {
            p.drawLine(QPointF(gap - 1.5, 13.5), QPointF(gap + 1.5, 13.5));
        }
    }
    if (change != 0)
        for (qreal gap : {5.25, 10.75}) {
            Arrow(p, QPointF(gap + 1.8 * change, 13.5), change, 0, Green);
            Arrow(p, QPointF(gap - 1.8 * change, 13.5), -change, 0, Green);
        }
}

void SpacedTurned(QPainter &p, int change)
{
    p.translate(16, 0);
    p.rotate(90);
    Spaced(p, change);
}

// A box centred in the form (drawn as its frame) across (vertical false) or down.
void Centred(QPainter &p, bool vertical)
{
    if (vertical) {
        p.translate(16, 0);
        p.rotate(90);
    }
    p.setPen(Line(Ink));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 1.5, 15, 13));
    Box(p, QRectF(5, 4, 6, 4), true);
    Guide(p, QPointF(8, 2), QPointF(8, 14));
}

// Two overlapping boxes; the one in front (the chosen one when front) filled.
void Stacked(QPainter &p, bool front)
{
    if (front) {
        Box(p, QRectF(1.5, 1.5, 9, 8));
        Box(p, QRectF(5.5, 6.5, 9, 8), true);
    } else {
        Box(p, QRectF(1.5, 1.5, 9, 8), true);
        Box(p, QRectF(5.5, 6.5, 9, 8));
    }
}

// Two boxes made alike in width (1), height (2) or both (3).
void SameSize(QPainter &p, int what)
{
    if (what == 1) {
        Box(p, QRectF(1.5, 1.5, 13, 4));
        Box(p, QRectF(1.5, 8, 13, 5));
    } else if (what == 2) {
        Box(p, QRectF(1.5, 1.5, 4, 13));
        Box(p, QRectF(8, 1.5, 5, 13));
    } else {
        Box(p, QRectF(1.5, 1.5, 7, 6));
        Box(p, QRectF(7.5, 8.5, 7, 6), true);
    }
}

const QHash<QString, Drawer> &Drawers()
{
    static const QHash<QString, Drawer> drawers = {
        {QStringLiteral("New"),
         [](QPainter &p) {
             Page(p, QRectF(3.5, 1.5, 9, 13));
             // A spark: the page is new.
             p.setPen(Line(QColor(230, 160, 20), 1.2));
             p.drawLine(QPointF(12.5, 9), QPointF(12.5, 15));
             p.drawLine(QPointF(9.5, 12), QPointF(15.5, 12));
         }},
        {QStringLiteral("Open"),
         [](QPainter &p) {
             p.setPen(Line(Ink));
             p.setBrush(Folder.darker(115));
             p.drawPolygon(QPolygonF({QPointF(1.5, 3.5), QPointF(6, 3.5), QPointF(7.5, 5),
                                      QPointF(13.5, 5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)}));
             p.setBrush(Folder);
             p.drawPolygon(QPolygonF({QPointF(3.5, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5),
                                      QPointF(1.5, 13.5)}));
         }},
        {QStringLiteral("Save"),
         [](QPainter &p) {
             p.setPen(Line(Ink));
             p.setBrush(Blue);
             p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.2, 1.2);
             p.setBrush(Paper);
             p.drawRect(QRectF(4, 1.5, 8, 5));
             p.setBrush(QColor(200, 205, 215));
             p.drawRect(QRectF(4, 9.5, 8, 5));
             p.setPen(Line(Blue, 1.2));
             p.drawLine(QPointF(9.5, 2.5), QPointF(9.5, 5.5));
         }},
        {QStringLiteral("Properties"),
         [](QPainter &p) {
             p.setPen(Line(Ink));
             p.setBrush(Paper);
             p.drawRect(QRectF(1.5, 1.5, 13, 13));
             p.setBrush(QColor(210, 220, 235));
             p.drawRect(QRectF(1.5, 1.5, 13, 3));
             for (int row = 0; row < 4; ++row) {
                 const qreal y = 7 + row * 2;
                 p.setPen(Line(Blue, 1.0));
                 p.drawLine(QPointF(3.5, y), QPointF(6.5, y));
                 p.setPen(Line(QColor(140, 150, 170), 0.8));
                 p.drawLine(QPointF(8, y), QPointF(12.5, y));
             }
         }},
        {QStringLiteral("Quill"),
         [](QPainter &p) {
             Page(p, QRectF(1.5, 1.5, 10, 13));
             TextLines(p, 3.5, 8.5, 5, 4);
             // The pen writing on it.
             p.setPen(Line(Ink, 0.9));
             p.setBrush(QColor(120, 70, 160));
             p.drawPolygon(QPolygonF({QPointF(14.8, 3.2), QPointF(15.8, 4.2), QPointF(9.5, 12),
                                      QPointF(8, 13), QPointF(8.5, 11.2)}));
         }},
        {QStringLiteral("Upd"),
         [](QPainter &p) {
             Page(p, QRectF(1.5, 1.5, 10, 13));
             TextLines(p, 3.5, 8.5, 5, 4);
             p.setPen(Line(Green, 1.6));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(7.5, 7.5, 7, 7), 90 * 16, 270 * 16);
             Arrow(p, QPointF(11.2, 7.5), 1, 0, Green);
         }},
        {QStringLiteral("Preview"),
         [](QPainter &p) {
             p.setPen(Line(Ink));
             p.setBrush(Paper);
             p.drawRect(QRectF(1.5, 2.5, 13, 11));
             p.setBrush(Blue);
             p.drawRect(QRectF(1.5, 2.5, 13, 2.5));
             p.setPen(Qt::NoPen);
             p.setBrush(Green);
             p.drawPolygon(QPolygonF({QPointF(6.5, 6.5), QPointF(11, 9.2), QPointF(6.5, 12)}));
         }},
        {QStringLiteral("Undo"), UndoArrow},
        // Undo's arrow, mirrored.
        {QStringLiteral("Redo"),
         [](QPainter &p) {
             p.translate(16, 0);
             p.scale(-1, 1);
             UndoArrow(p);
         }},
        {QStringLiteral("Cut"),
         [](QPainter &p) {
             p.setPen(Line(Ink, 1.2));
             p.drawLine(QPointF(5, 1.5), QPointF(10.5, 10));
             p.drawLine(QPointF(11, 1.5), QPointF(5.5, 10));
             p.setPen(Line(Red, 1.3));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QRectF(2, 10, 4.5, 4.5));
             p.drawEllipse(QRectF(9.5, 10, 4.5, 4.5));
         }},
        {QStringLiteral("Copy"),
         [](QPainter &p) {
             Page(p, QRectF(1.5, 1.5, 8.5, 10));
             Page(p, QRectF(6, 5.5, 8.5, 10));
             TextLines(p, 7.5, 12.5, 9, 3);
         }},
        {QStringLiteral("Paste"),
         [](QPainter &p) {
             p.setPen(Line(Ink));
             p.setBrush(QColor(184, 134, 80));
             p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12.5), 1, 1);
             p.setBrush(QColor(200, 205, 215));
             p.drawRect(QRectF(4, 1.5, 5, 2.5));
             Page(p, QRectF(6.5, 6.5, 8, 9));
             TextLines(p, 8, 12.5, 10, 3);
         }},
        {QStringLiteral("AlignLefts"), [](QPainter &p) { AlignedColumn(p, -1); }},
        {QStringLiteral("AlignCenters"), [](QPainter &p) { AlignedColumn(p, 0); }},
        {QStringLiteral("AlignRights"), [](QPainter &p) { AlignedColumn(p, 1); }},
        {QStringLiteral("AlignTops"), Turned(AlignedColumn, -1)},
        {QStringLiteral("AlignMiddles"), Turned(AlignedColumn, 0)},
        {QStringLiteral("AlignBottoms"), Turned(AlignedColumn, 1)},
        {QStringLiteral("AlignToGrid"),
         [](QPainter &p) {
             p.setPen(Line(Ink, 1.4));
             for (int x = 2; x <= 14; x += 4)
                 for (int y = 2; y <= 14; y += 4)
                     p.drawPoint(QPointF(x, y));
             Box(p, QRectF(6, 6, 8, 4), true);
         }},
        {QStringLiteral("SameWidth"), [](QPainter &p) { SameSize(p, 1); }},
        {QStringLiteral("SameHeight"), [](QPainter &p) { SameSize(p, 2); }},
        {QStringLiteral("SameBoth"), [](QPainter &p) { SameSize(p, 3); }},
        {QStringLiteral("HSpaceEqual"), [](QPainter &p) { Spaced(p, 0); }},
        {QStringLiteral("HSpaceIncrease"), [](QPainter &p) { Spaced(p, 1); }},
        {QStringLiteral("HSpaceDecrease"), [](QPainter &p) { Spaced(p, -1); }},
        {QStringLiteral("VSpaceEqual"), [](QPainter &p) { SpacedTurned(p, 0); }},
        {QStringLiteral("VSpaceIncrease"), [](QPainter &p) { SpacedTurned(p, 1); }},
        {QStringLiteral("VSpaceDecrease"), [](QPainter &p) { SpacedTurned(p, -1); }},
        {QStringLiteral("CenterHorizontally"), [](QPainter &p) { Centred(p, false); }},
        {QStringLiteral("CenterVertically"), [](QPainter &p) { Centred(p, true); }},
        {QStringLiteral("BringToFront"), [](QPainter &p) { Stacked(p, true); }},
        {QStringLiteral("SendToBack"), [](QPainter &p) { Stacked(p, false); }},
        {QStringLiteral("Delete"),
         [](QPainter &p) {
             p.setPen(Line(Red, 2.4));
             p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
             p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
         }},
    };
    return drawers;
}

} // namespace

QIcon ToolImages::Icon(const QString &key)
{
    static const DrawnIcons icons(Drawers(), {16, 24, 32, 48}, true);
    return icons.Icon(key);
}
