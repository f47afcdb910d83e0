#include "designer/ItemImages.h"

#include <QPainter>
#include <QPixmap>

QIcon ItemImages::Icon(const QString &typeKey)
{
    if (typeKey.isEmpty())
        return {};
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.drawRect(1, 1, 13, 13);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, typeKey.left(1));
    return QIcon(pixmap);
}
