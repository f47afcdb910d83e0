#include "designer/MdiFormWindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>

MdiFormWindow::MdiFormWindow(QMdiArea *area, QWidget *content)
{
    auto *window = new QMdiSubWindow;
    window->setWidget(content);
    // The form decides when its window goes: a close only hides it.
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    if (area)
        area->addSubWindow(window);
    m_window = window;
}

MdiFormWindow::~MdiFormWindow()
{
    // Gone with its area already, or still there and going with the form.
    delete m_window.data();
}
