#include "controls/clsFormIcon.h"

#include "controls/PictureLoader.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace {

QPixmap Square(const QImage &picture, int size)
{
    QImage scaled = picture.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (scaled.size() == QSize(size, size))
        return QPixmap::fromImage(scaled);
    QImage square(size, size, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    QPainter painter(&square);
    painter.drawImage((size - scaled.width()) / 2, (size - scaled.height()) / 2, scaled);
    painter.end();
    return QPixmap::fromImage(square);
}

} // namespace

clsFormIcon::clsFormIcon() = default;

int clsFormIcon::SmallSize()
{
    const QStyle *style = QApplication::style();
    const int size = style ? style->pixelMetric(QStyle::PM_SmallIconSize) : 0;
    return size > 0 ? size : 16;
}

int clsFormIcon::LargeSize()
{
    const QStyle *style = QApplication::style();
    const int size = style ? style->pixelMetric(QStyle::PM_LargeIconSize) : 0;
    return size > 0 ? size : 32;
}

QPixmap clsFormIcon::DefaultIcon(int size)
{
    // A small window: title bar over a light client area.
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const QRectF frame(0.5, size * 0.125 + 0.5, size - 1.0, size * 0.75 - 1.0);
    painter.setPen(QColor(40, 40, 40));
    painter.setBrush(QColor(250, 250, 250));
    painter.drawRect(frame);
    painter.fillRect(QRectF(frame.left() + 0.5, frame.top() + 0.5, frame.width() - 0.5,
                            qMax(2.0, size * 0.19)),
                     QColor(30, 80, 170));
    painter.end();
    return QPixmap::fromImage(image);
}

bool clsFormIcon::Take(const QImage &picture)
{
    m_small = Square(picture, SmallSize());
    m_large = Square(picture, LargeSize());
    return true;
}

bool clsFormIcon::LoadFormIcon(const QString &fallback)
{
    UnloadFormIcon();
    if (!fallback.trimmed().isEmpty()
        && fallback.trimmed().compare(QLatin1String("none"), Qt::CaseInsensitive) != 0) {
        const PictureLoader::Result result = PictureLoader::LoadFile(fallback);
        if (result.Ok())
            return Take(result.Image);
        m_error = result.Error;
    }
    m_small = DefaultIcon(SmallSize());
    m_large = DefaultIcon(LargeSize());
    return m_error.isEmpty();
}

bool clsFormIcon::LoadCustomFormIcon(const QString &file)
{
    UnloadFormIcon();
    if (file.trimmed().isEmpty()
        || file.trimmed().compare(QLatin1String("none"), Qt::CaseInsensitive) == 0)
        return true;
    const PictureLoader::Result result = PictureLoader::LoadFile(file);
    if (!result.Ok()) {
        m_error = result.Error;
        return false;
    }
    return Take(result.Image);
}

void clsFormIcon::UnloadFormIcon()
{
    m_small = QPixmap();
    m_large = QPixmap();
    m_error.clear();
}

QIcon clsFormIcon::Icon() const
{
    QIcon icon;
    if (!m_small.isNull())
        icon.addPixmap(m_small);
    if (!m_large.isNull())
        icon.addPixmap(m_large);
    return icon;
}
