#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The icon of a form or application in the two sizes windows show: the small icon of the
// caption and task lists, and the standard (large) icon. A form without an icon of its own
// shows the default icon: the application's when it has one, else the program's.
class clsFormIcon
{
public:
    clsFormIcon();

    // The default icon: the picture file `fallback` when it loads, else the program's own.
    bool LoadFormIcon(const QString &fallback = {});
    // A picture file of the form's own. An empty name or "none" gives no icon at all;
    // a picture that cannot be loaded gives no icon and its reason in Error().
    bool LoadCustomFormIcon(const QString &file);
    void UnloadFormIcon();

    bool HasIcon() const { return !m_small.isNull(); }
    QPixmap SmallIcon() const { return m_small; }
    QPixmap LargeIcon() const { return m_large; }
    // Both sizes in one icon.
    QIcon Icon() const;
    QString Error() const { return m_error; }

    // The platform's small and standard icon sizes, in pixels.
    static int SmallSize();
    static int LargeSize();
    // The program's own form icon, drawn.
    static QPixmap DefaultIcon(int size);

private:
    bool Take(const QImage &picture);

    QPixmap m_small;
    QPixmap m_large;
    QString m_error;
};
