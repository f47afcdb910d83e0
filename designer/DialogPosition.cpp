#include "designer/DialogPosition.h"

#include "app/clsDesignerSettings.h"
#include "support/PlatformMetrics.h"

#include <QGuiApplication>
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
