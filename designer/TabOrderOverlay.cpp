#include "designer/TabOrderOverlay.h"

#include "app/EditCommands.h"
#include "designer/DesignControl.h"
#include "designer/frmDesign.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"

#include <QMouseEvent>
#include <QPainter>
#include <QApplication>
#include <QKeyEvent>

using namespace Vocabulary;

TabOrderOverlay::TabOrderOverlay(frmDesign &form, EditCommands &edit)
    : QWidget(form.Canvas()), m_form(&form), m_edit(edit)
{
    setObjectName(QStringLiteral("TabOrderOverlay"));
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setGeometry(parentWidget()->rect());
    parentWidget()->installEventFilter(this);
    // Escape ends the mode wherever the focus is in the window.
    qApp->installEventFilter(this);
    m_edit.BeginOrderPass();
    raise();
    show();
    setFocus(Qt::OtherFocusReason);
}

TabOrderOverlay::~TabOrderOverlay()
{
    End();
}

void TabOrderOverlay::End()
{
    if (m_ended)
        return;
    m_ended = true;
    qApp->removeEventFilter(this);
    m_edit.EndOrderPass();
    hide();
    deleteLater();
}

QList<clsControl *> TabOrderOverlay::Controls() const
{
    QList<clsControl *> controls;
    if (!m_form)
        return controls;
    const std::function<void(const clsControl &)> walk = [&](const clsControl &parent) {
        for (const auto &entry : parent.Children()) {
            clsControl *child = entry.Value;
            if (!IsControl(child->ObjType()))
                continue;
            // Tab panels are pages, not stops of the tab order.
            if (child->ObjType() != Type::Tab && !RectOf(*child).isEmpty())
                controls << child;
            walk(*child);
        }
    };
    walk(m_form->Owner());
    return controls;
}

QRect TabOrderOverlay::RectOf(const clsControl &item) const
{
    const auto *control = dynamic_cast<const DesignControl *>(item.ControlObject());
    QWidget *widget = control ? control->Widget() : nullptr;
    if (!widget || !widget->isVisibleTo(parentWidget()) || !parentWidget()->isAncestorOf(widget))
        return {};
    return QRect(widget->mapTo(parentWidget(), QPoint(0, 0)), widget->size());
}

clsControl *TabOrderOverlay::ControlAt(const QPoint &point) const
{
    clsControl *hit = nullptr;
    for (clsControl *item : Controls())
        if (RectOf(*item).contains(point))
            hit = item;
    return hit;
}

bool TabOrderOverlay::Take(clsControl &control)
{
    const clsControl *parent = control.Parent();
    if (!parent)
        return false;
    int &next = m_next[parent->FullID().toUpper()];
    const bool placed = m_edit.SetTabPlace(control, next + 1);
    if (placed) {
        ++next;
        m_taken.insert(&control);
    }
    // A new order restacks the controls: the layer stays on top.
    raise();
    update();
    return placed;
}

void TabOrderOverlay::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        if (clsControl *control = ControlAt(event->position().toPoint()))
            Take(*control);
    event->accept();
}

void TabOrderOverlay::mouseReleaseEvent(QMouseEvent *event)
{
    // Nothing of the click reaches the form below: it would select the form.
    event->accept();
}

void TabOrderOverlay::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

bool TabOrderOverlay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
        if (auto *widget = qobject_cast<QWidget *>(watched); widget && widget->window() == window()) {
            Q_EMIT Finished();
            return true;
        }
    return QWidget::eventFilter(watched, event);
}

void TabOrderOverlay::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font = p.font();
    font.setBold(true);
    p.setFont(font);
    const QFontMetrics metrics(font);
    // Controls placed in this pass in green, the others in blue.
    const QColor waiting(32, 88, 176), placed(24, 128, 64);
    for (clsControl *item : Controls()) {
        const QRect rect = RectOf(*item);
        const QString number = QString::number(EditCommands::TabPlace(*item));
        const int height = metrics.height() + 2;
        const QRect badge(rect.topLeft(),
                          QSize(qMax(height, metrics.horizontalAdvance(number) + 8), height));
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(m_taken.contains(item) ? placed : waiting);
        p.drawRoundedRect(QRectF(badge).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        p.drawText(badge, Qt::AlignCenter, number);
    }
}
