#include "designer/ItemImages.h"

#include "designer/DrawnIcons.h"

#include "model/Vocabulary.h"
#include "support/GuiError.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

// Every image is drawn on a 16 x 16 grid and scaled, so the 16- and 32-pixel forms match.
// Bodies are light with a dark outline and a coloured accent: the outline carries the shape
// on a light tree, the light body on a dark one.
namespace {

const QColor Outline(0x3a, 0x3f, 0x46);
const QColor Body(0xfb, 0xfb, 0xfc);
const QColor Face(0xe4, 0xe7, 0xeb);
const QColor Accent(0x2f, 0x6f, 0xc8);
const QColor AccentLight(0x9c, 0xc2, 0xf2);
const QColor Green(0x2e, 0x9d, 0x48);
const QColor Orange(0xe8, 0x8a, 0x1a);
const QColor Ink(0x4a, 0x4f, 0x57);

using Drawing = DrawnIcons::Drawing;

// A crisp rectangle outline on whole grid cells: x, y, w, h in grid units.
void Box(QPainter &p, qreal x, qreal y, qreal w, qreal h, const QColor &fill,
         const QColor &line = Outline)
{
    p.setPen(QPen(line, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fill);
    p.drawRect(QRectF(x + 0.5, y + 0.5, w - 1, h - 1));
}

void Fill(QPainter &p, qreal x, qreal y, qreal w, qreal h, const QColor &fill)
{
    p.fillRect(QRectF(x, y, w, h), fill);
}

void Line(QPainter &p, qreal x1, qreal y1, qreal x2, qreal y2, const QColor &colour,
          qreal width = 1.0)
{
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

// A window: outline, title bar and light body.
void Window(QPainter &p, qreal x, qreal y, qreal w, qreal h)
{
    Box(p, x, y, w, h, Body);
    Fill(p, x + 1, y + 1, w - 2, 3, Accent);
}

void Glyph(QPainter &p, const QRectF &r, const QString &text, const QColor &colour, qreal size)
{
    QFont font(QStringLiteral("Sans"));
    font.setPixelSize(int(size));
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
}

void DrawApp(QPainter &p)
{
    Window(p, 4, 1, 11, 9);
    Window(p, 1, 5, 11, 10);
    Fill(p, 3, 10, 4, 1, AccentLight);
    Fill(p, 3, 12, 6, 1, AccentLight);
}

void DrawForm(QPainter &p)
{
    Window(p, 1, 2, 14, 12);
    Fill(p, 12, 2, 2, 2, Body);
    Box(p, 3, 7, 5, 3, Face);
}

void DrawLabel(QPainter &p)
{
    Box(p, 1, 3, 14, 10, Face, Face.darker(150));
    Glyph(p, QRectF(1, 2.5, 14, 10), QStringLiteral("A"), Ink, 10);
    Line(p, 4, 11.5, 12, 11.5, Accent);
}

void DrawTextbox(QPainter &p)
{
    Box(p, 1, 4, 14, 8, Body);
    Fill(p, 3, 7, 5, 2, Ink.lighter(180));
    Line(p, 10.5, 6, 10.5, 10, Accent);
    Line(p, 9.5, 5.5, 11.5, 5.5, Accent);
    Line(p, 9.5, 10.5, 11.5, 10.5, Accent);
}

void DrawCheckbox(QPainter &p)
{
    Box(p, 2, 2, 12, 12, Body);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tick;
    tick.moveTo(4.5, 8);
    tick.lineTo(7, 10.5);
    tick.lineTo(11.5, 5);
    p.setPen(QPen(Green, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

void DrawOption(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Outline, 1.0));
    p.setBrush(Body);
    p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Accent);
    p.drawEllipse(QPointF(8, 8), 3, 3);
}

void DrawFrame(QPainter &p)
{
    Box(p, 1, 4, 14, 11, Body, Ink);
    // The caption interrupts the top edge.
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.fillRect(QRectF(3, 3, 7, 3), Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    Fill(p, 4, 3.5, 5, 2, Accent);
    Box(p, 4, 8, 8, 4, Face);
}

void DrawListbox(QPainter &p)
{
    Box(p, 1, 1, 14, 14, Body);
    Fill(p, 2, 3, 9, 3, Accent);
    Fill(p, 3, 4, 6, 1, Body);
    Fill(p, 3, 8, 6, 1, Ink.lighter(160));
    Fill(p, 3, 11, 5, 1, Ink.lighter(160));
    Fill(p, 12, 2, 2, 12, Face);
    Fill(p, 12, 3, 2, 4, Ink.lighter(150));
}

void DrawCombobox(QPainter &p)
{
    Box(p, 1, 4, 14, 8, Body);
    Fill(p, 3, 7, 5, 2, Ink.lighter(180));
    Fill(p, 10, 5, 4, 6, Face);
    Line(p, 9.5, 5, 9.5, 11, Outline);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawPolygon(QPolygonF({QPointF(10.5, 7), QPointF(13.5, 7), QPointF(12, 9.5)}));
}

void DrawCommand(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient shade(0, 3, 0, 13);
    shade.setColorAt(0, Body);
    shade.setColorAt(1, Face.darker(108));
    p.setPen(QPen(Outline, 1.0));
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(1.5, 3.5, 13, 9), 2, 2);
    p.setRenderHint(QPainter::Antialiasing, false);
    Fill(p, 5, 7, 6, 2, Ink);
}

void DrawGrid(QPainter &p)
{
    Box(p, 1, 2, 14, 12, Body);
    Fill(p, 2, 3, 12, 3, AccentLight);
    Fill(p, 2, 3, 3, 10, Face);
    for (qreal x : {5.5, 9.5})
        Line(p, x, 3, x, 13, Outline.lighter(170));
    for (qreal y : {6.5, 9.5})
        Line(p, 2, y, 14, y, Outline.lighter(170));
}

void DrawPicture(QPainter &p)
{
    Box(p, 1, 2, 14, 12, QColor(0xd6, 0xea, 0xfb));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Orange);
    p.drawEllipse(QPointF(11, 5.5), 1.8, 1.8);
    p.setBrush(Green);
    p.drawPolygon(QPolygonF({QPointF(2, 13), QPointF(6, 7), QPointF(9, 11), QPointF(11, 9),
                             QPointF(14, 13)}));
}

void DrawTabgrp(QPainter &p)
{
    Box(p, 1, 5, 14, 10, Body);
    Box(p, 1, 2, 5, 4, Body);
    Fill(p, 2, 5, 3, 1, Body);
    Box(p, 5, 3, 5, 3, Face);
    Fill(p, 3, 9, 8, 1, Ink.lighter(180));
    Fill(p, 3, 11, 6, 1, Ink.lighter(180));
}

void DrawTab(QPainter &p)
{
    Box(p, 2, 2, 7, 5, Accent, Outline);
    Box(p, 2, 6, 12, 9, Body);
    Fill(p, 3, 6, 5, 1, Accent);
    Fill(p, 4, 10, 7, 1, Ink.lighter(180));
}

void DrawTree(QPainter &p)
{
    Box(p, 1, 1, 4, 4, Accent, Outline);
    Line(p, 3, 5, 3, 12.5, Ink);
    Line(p, 3, 8.5, 7, 8.5, Ink);
    Line(p, 3, 12.5, 7, 12.5, Ink);
    Box(p, 7, 7, 4, 4, Green.lighter(120), Outline);
    Box(p, 7, 11, 4, 4, Orange, Outline);
    Fill(p, 7, 2, 7, 2, Ink.lighter(180));
}

void DrawGauge(QPainter &p)
{
    Box(p, 1, 5, 14, 6, Body);
    Fill(p, 2, 6, 8, 4, Green);
    Fill(p, 2, 6, 8, 1, Green.lighter(140));
}

void DrawBrowser(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Accent.darker(130), 1.0));
    p.setBrush(AccentLight);
    p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 8), 2.8, 6.5);
    p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
    p.drawLine(QPointF(2.8, 4.5), QPointF(13.2, 4.5));
    p.drawLine(QPointF(2.8, 11.5), QPointF(13.2, 11.5));
}

void DrawTimer(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Outline);
    p.drawRect(QRectF(6.5, 0.5, 3, 1.5));
    p.setPen(QPen(Outline, 1.0));
    p.setBrush(Body);
    p.drawEllipse(QPointF(8, 9), 6, 6);
    p.setPen(QPen(Orange.darker(110), 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 9), QPointF(8, 5));
    p.drawLine(QPointF(8, 9), QPointF(11, 10.5));
}

void DrawMenu(QPainter &p)
{
    Box(p, 0, 1, 16, 4, Face);
    Fill(p, 1, 2, 5, 2, Accent);
    Fill(p, 8, 2.5, 4, 1, Ink);
    Box(p, 1, 4, 10, 11, Body);
    for (qreal y : {6.0, 9.0, 12.0})
        Fill(p, 3, y, 6, 1, Ink);
}

void DrawPopupmenu(QPainter &p)
{
    Fill(p, 5, 4, 10, 12, QColor(0, 0, 0, 60));
    Box(p, 4, 3, 10, 12, Body);
    Fill(p, 5, 7, 8, 2, AccentLight);
    for (qreal y : {5.0, 7.5, 10.5, 12.5})
        Fill(p, 6, y, 5, 1, Ink);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Body, 0.8));
    p.setBrush(Outline);
    p.drawPolygon(QPolygonF({QPointF(0.5, 0.5), QPointF(0.5, 8), QPointF(2.5, 6.2),
                             QPointF(4.5, 9.5), QPointF(5.5, 9), QPointF(3.8, 5.7),
                             QPointF(6.5, 5.5)}));
}

void DrawToolbar(QPainter &p)
{
    Box(p, 0, 4, 16, 8, Face);
    Box(p, 2, 6, 4, 4, Accent);
    Box(p, 7, 6, 4, 4, Green);
    Line(p, 12.5, 6, 12.5, 10, Outline.lighter(150));
    Fill(p, 13, 7, 2, 2, Orange);
}

void DrawStatusbar(QPainter &p)
{
    Box(p, 1, 1, 14, 14, Body);
    Fill(p, 2, 10, 12, 4, Face);
    Line(p, 1, 9.5, 15, 9.5, Outline);
    Fill(p, 3, 11, 5, 2, Ink.lighter(150));
    Line(p, 9.5, 10, 9.5, 14, Outline.lighter(150));
    Fill(p, 11, 11, 2, 2, Green);
}

const QHash<QString, Drawing> &Drawings()
{
    static const QHash<QString, Drawing> drawings{
        {QStringLiteral("APP"), DrawApp},
        {QStringLiteral("FORM"), DrawForm},
        {QStringLiteral("LABEL"), DrawLabel},
        {QStringLiteral("TEXTBOX"), DrawTextbox},
        {QStringLiteral("CHECKBOX"), DrawCheckbox},
        {QStringLiteral("OPTION"), DrawOption},
        {QStringLiteral("FRAME"), DrawFrame},
        {QStringLiteral("LISTBOX"), DrawListbox},
        {QStringLiteral("COMBOBOX"), DrawCombobox},
        {QStringLiteral("COMMAND"), DrawCommand},
        {QStringLiteral("GRID"), DrawGrid},
        {QStringLiteral("PICTURE"), DrawPicture},
        {QStringLiteral("TABGRP"), DrawTabgrp},
        {QStringLiteral("TAB"), DrawTab},
        {QStringLiteral("TREE"), DrawTree},
        {QStringLiteral("GAUGE"), DrawGauge},
        {QStringLiteral("BROWSER"), DrawBrowser},
        {QStringLiteral("TIMER"), DrawTimer},
        {QStringLiteral("MENU"), DrawMenu},
        {QStringLiteral("POPUPMENU"), DrawPopupmenu},
        {QStringLiteral("TOOLBAR"), DrawToolbar},
        {QStringLiteral("STATUSBAR"), DrawStatusbar},
    };
    return drawings;
}

} // namespace

QIcon ItemImages::Icon(const QString &typeKey)
{
    // Drawn once per kind: a whole project's nodes share a handful of icons.
    static const DrawnIcons icons(Drawings(), {16, 32}, false);
    return icons.Icon(typeKey.toUpper());
}

QStringList ItemImages::TypeKeys()
{
    return {QStringLiteral("App"),      QStringLiteral("Form"),      QStringLiteral("Label"),
            QStringLiteral("Textbox"),  QStringLiteral("Checkbox"),  QStringLiteral("Option"),
            QStringLiteral("Frame"),    QStringLiteral("Listbox"),   QStringLiteral("Combobox"),
            QStringLiteral("Command"),  QStringLiteral("Grid"),      QStringLiteral("Picture"),
            QStringLiteral("Tabgrp"),   QStringLiteral("Tab"),       QStringLiteral("Tree"),
            QStringLiteral("Gauge"),    QStringLiteral("Browser"),   QStringLiteral("Timer"),
            QStringLiteral("Menu"),     QStringLiteral("Popupmenu"), QStringLiteral("Toolbar"),
            QStringLiteral("Statusbar")};
}

QIcon ItemImages::IconOfType(int type)
{
    try {
        return Icon(Vocabulary::TypeKeyword(type, false));
    } catch (const GuiError &) {
        return {};
    }
}
