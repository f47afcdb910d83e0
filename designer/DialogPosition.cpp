#include "designer/DialogPosition.h"

#include "app/clsDesignerSettings.h"
#include "support/PlatformMetrics.h"

#include <QGuiApplication>
#include <QMargins>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace {
constexpr int NotStored = -100000;
int TwipsX() { return qMax(1, PlatformMetrics::Current().TwipsPerPixelX); }
int TwipsY() { return qMax(1, PlatformMetrics::Current().TwipsPerPixelY); }
} // namespace

void DialogPosition::Restore(QWidget &window, const clsDesignerSettings *settings,
                             const QString &leftKey, const QString &topKey)
{
    if (!settings)
        return;
    const int left = settings->ReadInt(leftKey, NotStored);
    const int top = settings->ReadInt(topKey, NotStored);
    if (left <= NotStored || top <= NotStored)
        return;
    const QPoint where(left / TwipsX(), top / TwipsY());
    if (QGuiApplication::screenAt(where + QPoint(20, 20)))
        window.move(where);
}

void DialogPosition::Store(const QWidget &window, clsDesignerSettings *settings,
                           const QString &leftKey, const QString &topKey)
{
    if (!settings)
        return;
    settings->WriteInt(leftKey, window.x() * TwipsX());
    settings->WriteInt(topKey, window.y() * TwipsY());
}

void DialogPosition::KeepInside(QWidget &window)
{
    const QScreen *screen = QGuiApplication::screenAt(window.frameGeometry().center());
    if (!screen)
        screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen)
        KeepInside(window, screen->availableGeometry());
}

void DialogPosition::KeepInside(QWidget &window, const QRect &area)
{
    if (area.isEmpty())
        return;
    // Before the window is shown its frame is not known yet; the decoration a window manager
    // adds is allowed for with a common size.
    QRect frame = window.frameGeometry();
    QRect client = window.geometry();
    QMargins decoration(client.left() - frame.left(), client.top() - frame.top(),
                        frame.right() - client.right(), frame.bottom() - client.bottom());
    if (!window.isVisible() || decoration.isNull())
        decoration = QMargins(4, 30, 4, 4);
    const QSize room(qMax(1, area.width() - decoration.left() - decoration.right()),
                     qMax(1, area.height() - decoration.top() - decoration.bottom()));
    if (window.width() > room.width() || window.height() > room.height())
        window.resize(window.size().boundedTo(room).expandedTo(window.minimumSize()));
    const QSize outer = window.size().grownBy(decoration);
    QPoint at = window.pos();
    at.setX(qBound(area.left(), at.x(), qMax(area.left(), area.right() + 1 - outer.width())));
    at.setY(qBound(area.top(), at.y(), qMax(area.top(), area.bottom() + 1 - outer.height())));
    if (at != window.pos())
        window.move(at);
}
