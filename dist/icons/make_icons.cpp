// Draws the designer's icon: a form with two fields and a button on a blue tile, one field
// held by the orange handles of the selection frame. One table of shapes on a 256-unit grid
// gives the scalable SVG and every PNG size, so the pictures always agree; the output
// depends on nothing but this file and Qt's rasteriser.
//
//   make_icons OUTDIR   writes OUTDIR/<n>x<n>/apps/corvane-designer.png for each size and
//                       OUTDIR/scalable/apps/corvane-designer.svg
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <cstdio>

namespace {

struct Shape
{
    double X, Y, W, H; // on the 256-unit grid
    double Radius;
    const char *Fill;   // "" for none; "tile" for the tile's gradient
    const char *Stroke; // "" for none
    double StrokeWidth;
    int MinSize;        // left out of pictures smaller than this many pixels
};

// Back to front.
constexpr Shape Shapes[] = {
    {16, 16, 224, 224, 44, "tile", "", 0, 0},                // the tile
    {40, 56, 176, 148, 12, "#f5f7fa", "#0e2f47", 4, 0},      // the form
    {42, 58, 172, 30, 10, "#123a57", "", 0, 0},              // its title bar
    {42, 76, 172, 12, 0, "#123a57", "", 0, 0},               // square lower corners of it
    {58, 106, 34, 10, 3, "#8d9aa6", "", 0, 32},               // first label
    {102, 98, 96, 26, 4, "#ffffff", "#6b7a86", 4, 32},        // first text box
    {58, 140, 34, 10, 3, "#8d9aa6", "", 0, 32},               // second label
    {102, 132, 96, 26, 4, "#ffffff", "#1f6fa5", 5, 0},        // second text box, selected
    {136, 172, 62, 22, 5, "#2a7ab0", "", 0, 24},              // the command button
    {95, 125, 14, 14, 2, "#f29b1d", "#ffffff", 2, 0},         // selection handles
    {191, 125, 14, 14, 2, "#f29b1d", "#ffffff", 2, 0},
    {95, 151, 14, 14, 2, "#f29b1d", "#ffffff", 2, 0},
    {191, 151, 14, 14, 2, "#f29b1d", "#ffffff", 2, 0},
};

constexpr const char *TileTop = "#2f86c2";
constexpr const char *TileBottom = "#17466b";
constexpr int Sizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr const char *Name = "corvane-designer";

QImage Draw(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);
    for (const Shape &shape : Shapes) {
        if (size < shape.MinSize)
            continue;
        const QRectF rect(shape.X, shape.Y, shape.W, shape.H);
        if (qstrcmp(shape.Fill, "tile") == 0) {
            QLinearGradient gradient(0, shape.Y, 0, shape.Y + shape.H);
            gradient.setColorAt(0, QColor(TileTop));
            gradient.setColorAt(1, QColor(TileBottom));
            painter.setBrush(gradient);
        } else {
            painter.setBrush(*shape.Fill ? QBrush(QColor(shape.Fill)) : QBrush(Qt::NoBrush));
        }
        if (*shape.Stroke) {
            QPen pen(QColor(shape.Stroke));
            // Thin lines would vanish in a small picture: never under one pixel.
            pen.setWidthF(qMax(shape.StrokeWidth, 256.0 / size));
            painter.setPen(pen);
        } else {
            painter.setPen(Qt::NoPen);
        }
        painter.drawRoundedRect(rect, shape.Radius, shape.Radius);
    }
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray Svg()
{
    QByteArray text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
        "  <defs>\n"
        "    <linearGradient id=\"tile\" x1=\"0\" y1=\"16\" x2=\"0\" y2=\"240\" gradientUnits=\"userSpaceOnUse\">\n"
        "      <stop offset=\"0\" stop-color=\"" + QByteArray(TileTop) + "\"/>\n"
        "      <stop offset=\"1\" stop-color=\"" + QByteArray(TileBottom) + "\"/>\n"
        "    </linearGradient>\n"
        "  </defs>\n";
    for (const Shape &shape : Shapes) {
        const QByteArray fill = qstrcmp(shape.Fill, "tile") == 0 ? QByteArray("url(#tile)")
                                : *shape.Fill                      ? QByteArray(shape.Fill)
                                                                   : QByteArray("none");
        text += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" fill=\"%6\"")
                    .arg(shape.X).arg(shape.Y).arg(shape.W).arg(shape.H).arg(shape.Radius)
                    .arg(QString::fromLatin1(fill))
                    .toUtf8();
        if (*shape.Stroke)
            text += QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\"")
                        .arg(QLatin1String(shape.Stroke)).arg(shape.StrokeWidth)
                        .toUtf8();
        text += "/>\n";
    }
    text += "</svg>\n";
    return text;
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size()
           && file.flush();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fputs("usage: make_icons OUTDIR\n", stderr);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    for (int size : Sizes) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(out).arg(size);
        if (!QDir().mkpath(folder) || !Draw(size).save(folder + QLatin1Char('/') + Name + ".png", "PNG")) {
            std::fprintf(stderr, "make_icons: cannot write the %dx%d picture\n", size, size);
            return 1;
        }
    }
    const QString scalable = out + QStringLiteral("/scalable/apps");
    if (!QDir().mkpath(scalable) || !WriteFile(scalable + QLatin1Char('/') + Name + ".svg", Svg())) {
        std::fputs("make_icons: cannot write the scalable picture\n", stderr);
        return 1;
    }
    return 0;
}
