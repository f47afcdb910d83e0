#include "designer/DrawnIcons.h"

#include <QPainter>
#include <QPixmap>

DrawnIcons::DrawnIcons(const QHash<QString, Drawing> &drawings, QList<int> sizes,
                       bool antialiased)
    : m_drawings(drawings), m_sizes(std::move(sizes)), m_antialiased(antialiased)
{
}

QIcon DrawnIcons::Icon(const QString &key) const
{
    if (const auto made = m_made.constFind(key); made != m_made.constEnd())
        return *made;
    const auto drawing = m_drawings.constFind(key);
    if (drawing == m_drawings.constEnd())
        return {};
    QIcon icon;
    for (int size : m_sizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing, m_antialiased);
        painter.scale(size / 16.0, size / 16.0);
        (*drawing)(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    m_made.insert(key, icon);
    return icon;
}
