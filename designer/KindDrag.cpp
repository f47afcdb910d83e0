#include "designer/KindDrag.h"

#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QToolBar>
#include <QToolButton>

KindDrag::KindDrag(QToolBar &tools, QWidget &dropArea)
    : QObject(&tools), m_tools(tools), m_area(dropArea)
{
    m_area.setAcceptDrops(true);
    m_area.installEventFilter(this);
    WatchTools();
}

void KindDrag::WatchTools()
{
    for (QAction *action : m_tools.actions())
        if (auto *button = qobject_cast<QToolButton *>(m_tools.widgetForAction(action))) {
            button->removeEventFilter(this);
            button->installEventFilter(this);
        }
}

bool KindDrag::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_area) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto *drag = static_cast<QDropEvent *>(event);
            if (!drag->mimeData()->hasFormat(QString::fromLatin1(MimeType)))
                return false;
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
            return true;
        }
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            const QByteArray key = drop->mimeData()->data(QString::fromLatin1(MimeType));
            if (key.isEmpty())
                return false;
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            Q_EMIT Dropped(QString::fromUtf8(key), m_area.mapToGlobal(drop->position().toPoint()));
            return true;
        }
        default:
            return false;
        }
    }
    auto *button = qobject_cast<QToolButton *>(watched);
    if (!button)
        return false;
    if (event->type() == QEvent::MouseButtonPress) {
        auto *press = static_cast<QMouseEvent *>(event);
        if (press->button() == Qt::LeftButton) {
            m_pressed = button;
            m_pressedAt = press->position().toPoint();
        }
    } else if (event->type() == QEvent::MouseMove && m_pressed == button) {
        auto *move = static_cast<QMouseEvent *>(event);
        if ((move->buttons() & Qt::LeftButton) && button->isEnabled()
            && (move->position().toPoint() - m_pressedAt).manhattanLength()
                   >= QApplication::startDragDistance()) {
            StartDrag(*button);
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonRelease) {
        m_pressed = nullptr;
    }
    return false;
}

void KindDrag::StartDrag(QToolButton &button)
{
    m_pressed = nullptr;
    QAction *action = button.defaultAction();
    if (!action)
        return;
    auto *data = new QMimeData;
    data->setData(QString::fromLatin1(MimeType), action->objectName().toUtf8());
    auto *drag = new QDrag(&button);
    drag->setMimeData(data);
    drag->setPixmap(action->icon().pixmap(24, 24));
    // The button was pressed when the drag began; the drop is not its click.
    button.setDown(false);
    drag->exec(Qt::CopyAction);
}
