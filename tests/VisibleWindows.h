#pragma once
// How many top-level windows are on screen, once the windows deleted later are gone.
#include <QApplication>
#include <QWidget>

inline int VisibleWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += w->isVisible() ? 1 : 0;
    return n;
}
