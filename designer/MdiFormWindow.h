#pragma once

#include <QPointer>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

// The window a design form shows itself in, inside the main window's MDI area. The area owns
// the window (it deletes it with itself, or when the user closes it); the design form owns
// this handle, which reaches the window through a guarded pointer: when the form goes first the
// window goes with it, when the window went first nothing is deleted twice.
class MdiFormWindow
{
public:
    // A new window in the area showing content (which the window takes over); without an area
    // (headless rendering) the window is a top-level window of its own, owned by the handle.
    MdiFormWindow(QMdiArea *area, QWidget *content);
    ~MdiFormWindow();
    MdiFormWindow(const MdiFormWindow &) = delete;
    MdiFormWindow &operator=(const MdiFormWindow &) = delete;

    // nullptr once the window has gone.
    QMdiSubWindow *Window() const { return m_window.data(); }
    bool Exists() const { return !m_window.isNull(); }

private:
    QPointer<QMdiSubWindow> m_window;
};
