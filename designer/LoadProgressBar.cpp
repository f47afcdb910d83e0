#include "designer/LoadProgressBar.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

LoadProgressBar::LoadProgressBar(QStatusBar *bar)
{
    setObjectName(QStringLiteral("LoadProgress"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_bar = new QProgressBar(this);
    m_bar->setFormat(QStringLiteral("Loading forms: %v of %m"));
    m_bar->setMinimumWidth(220);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("LoadProgressCancel"));
    m_cancel->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_bar);
    layout->addWidget(m_cancel);
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_cancelled = true; });
    if (bar)
        bar->addPermanentWidget(this);
    hide();
}

LoadProgressBar::~LoadProgressBar()
{
    if (m_loading) {
        qApp->removeEventFilter(this);
        Hold(false);
    }
}

void LoadProgressBar::Begin(int formsTotal)
{
    m_loading = true;
    m_cancelled = false;
    m_bar->setRange(0, qMax(1, formsTotal));
    m_bar->setValue(0);
    m_made = 0;
    m_sinceBegin.start();
    m_sinceAnswer.invalidate();
    qApp->installEventFilter(this);
    Hold(true);
}

bool LoadProgressBar::Advance(int formsMade)
{
    if (!m_loading)
        return true;
    m_made = formsMade;
    if (!m_sinceAnswer.isValid() || m_sinceAnswer.elapsed() >= AnswerEveryMs)
        Answer();
    return !m_cancelled;
}

void LoadProgressBar::Answer()
{
    if (!isVisible() && m_sinceBegin.elapsed() >= ShowAfterMs)
        show();
    // The bar paints itself at once when its number changes: only as often as the window
    // answers, not for every form.
    if (isVisible())
        m_bar->setValue(qMin(m_made, m_bar->maximum()));
    // The pending work of the forms made so far runs now, a little at a time: their windows
    // show and lay out, and the toolkit's deferred layouts and updates of their widgets are
    // done. Left until the load ends, every widget's pending timers and posted events would
    // wait in one queue that each new one searches, and a big project would open in time
    // growing with the square of its size.
    QCoreApplication::processEvents();
    m_sinceAnswer.start();
}

void LoadProgressBar::End()
{
    if (!m_loading)
        return;
    m_loading = false;
    qApp->removeEventFilter(this);
    Hold(false);
    hide();
}

void LoadProgressBar::Hold(bool on)
{
    if (!m_held)
        return;
    // The forms' windows shown during a load are painted when it ends, once, and only what
    // is left uncovered: painted as they came, every form was painted whole although the
    // next one soon covered it, which cost about a fifth of a big project's open. What the
    // widget showed before the load (the forms of a project just closed, say) is painted
    // over first, so that nothing stale stays in sight while it holds.
    if (on)
        m_held->repaint();
    m_held->setUpdatesEnabled(!on);
}

bool LoadProgressBar::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_loading || QApplication::activeModalWidget())
        return false; // a question of the load itself is answered as ever
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Drop:
    case QEvent::Close:
    case QEvent::Shortcut:
        break;
    default:
        return false;
    }
    auto *widget = qobject_cast<QWidget *>(watched);
    if (event->type() == QEvent::Close) {
        // Nor does the window system's close of a window (an ignored close keeps it open).
        if (!event->spontaneous() || !widget || !widget->isWindow())
            return false;
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::Shortcut)
        return true; // no command runs during the load
    if (!widget)
        return false; // the window system's side hands the event on to a widget
    if (widget == this || isAncestorOf(widget))
        return false;
    // Menus open and close and are browsed; choosing a command does nothing yet.
    if (qobject_cast<QMenuBar *>(widget))
        return event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (qobject_cast<QMenu *>(widget)) {
        if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonDblClick)
            return true;
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            return key != Qt::Key_Escape && key != Qt::Key_Up && key != Qt::Key_Down
                && key != Qt::Key_Left && key != Qt::Key_Right;
        }
        return false;
    }
    return true;
}
