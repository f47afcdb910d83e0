#pragma once

#include <QHash>
#include <QIcon>
#include <QList>
#include <QString>

#include <functional>

class QPainter;

// Icons the program draws itself: each drawing is made on a 16 x 16 grid and rendered at
// every size the set offers, once per key, on first use.
class DrawnIcons
{
public:
    using Drawing = std::function<void(QPainter &)>;

    DrawnIcons(const QHash<QString, Drawing> &drawings, QList<int> sizes, bool antialiased);

    // The icon of a key; an empty icon for a key without a drawing.
    QIcon Icon(const QString &key) const;

private:
    const QHash<QString, Drawing> &m_drawings;
    QList<int> m_sizes;
    bool m_antialiased;
    mutable QHash<QString, QIcon> m_made;
};
