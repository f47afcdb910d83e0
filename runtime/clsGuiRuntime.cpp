#include "runtime/clsGuiRuntime.h"

#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "runtime/RuntimeProject.h"
#include "support/GuiError.h"
#include "support/Marks.h"
#include "support/NumberFormat.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QLayout>
#include <QMargins>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <cmath>

using namespace Vocabulary;

namespace {
const QChar VM(Marks::Value);

QStringList Row(int severity, const QString &id = {}, int error = 0, const QString &message = {},
                const QString &property = {})
{
    return {QString::number(severity), {}, id, property, QString::number(error),
            message.isEmpty() && error ? GuiError::StandardText(error) : message};
}

GuiResult Done()
{
    GuiResult r;
    r.Status << Row(0);
    return r;
}

GuiResult Problem(int severity, int error, const QString &id = {}, const QString &message = {})
{
    GuiResult r;
    r.Status << Row(severity, id, error, message);
    return r;
}

bool IsTrue(const QString &value)
{
    const QString v = value.trimmed();
    return v == QLatin1String("1") || v == QLatin1String("-1");
}

QString Key(const QString &id)
{
    return id.trimmed().toUpper();
}

bool HoldsHigherMark(QStringView text)
{
    for (QChar c : text)
        if (c == QChar(Marks::Attribute) || c == QChar(Marks::Segment))
            return true;
    return false;
}

// The decoration a window manager adds around a window (frame and caption), allowed for before
// the window is shown and its own is known.
const QMargins WindowFrame(4, 30, 4, 4);

// The available area (task bars and docks left out) of the screen a window opens on: the one
// at its stored position, else the primary screen.
QRect AvailableArea(const QPoint *at)
{
    QScreen *screen = at ? QGuiApplication::screenAt(*at) : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// The largest size a window may have to lie inside area with its decoration.
QSize RoomIn(const QRect &area, const QMargins &decoration = WindowFrame)
{
    return area.size().shrunkBy(decoration).expandedTo(QSize(1, 1));
}

// Moves a window, with the decoration around it, inside area where it reaches past an edge.
void MoveInside(QWidget &window, const QRect &area, const QMargins &decoration)
{
    const QSize outer = window.size().grownBy(decoration);
    QPoint at = window.pos();
    at.setX(qBound(area.left(), at.x(), qMax(area.left(), area.right() + 1 - outer.width())));
    at.setY(qBound(area.top(), at.y(), qMax(area.top(), area.bottom() + 1 - outer.height())));
    window.move(at);
}

// A form's window: it reports closing, activation and resizing to the runtime instead of
// deciding them itself.
class FormWindow final : public QMainWindow
{
public:
    FormWindow(clsGuiRuntime &runtime, QString id, bool appFrame)
        : m_runtime(runtime), m_id(std::move(id)), m_appFrame(appFrame)
    {
        setAttribute(Qt::WA_DeleteOnClose, false);
    }
    bool Built = false;
    // The form's client area: the central widget, or the widget a scroll area shows when the
    // form is larger than the screen. Resize reports its size, which is the form's.
    QWidget *Client = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        bool accept = true;
        if (m_appFrame)
            m_runtime.AppClosing(accept);
        else
            m_runtime.FormClosing(m_id, accept);
        event->setAccepted(accept);
    }
    bool event(QEvent *event) override
    {
        // Inside an MDI frame the area reports activation; the frame's own activation reaches
        // every widget in it and is not the form's.
        if (!m_appFrame && isWindow()
            && (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate))
            m_runtime.WindowActivation(m_id, event->type() == QEvent::WindowActivate);
        return QMainWindow::event(event);
    }
    void resizeEvent(QResizeEvent *event) override
    {
        QMainWindow::resizeEvent(event);
        QWidget *client = Client ? Client : centralWidget();
        if (Built && !m_appFrame && isVisible() && client)
            m_runtime.WindowResized(m_id, client->width(), client->height());
    }
    void contextMenuEvent(QContextMenuEvent *event) override
    {
        if (!m_appFrame)
            m_runtime.ContextGesture(m_id, event->globalPos());
    }

private:
    clsGuiRuntime &m_runtime;
    QString m_id;
    bool m_appFrame;
};

// The sub-window of an MDI child form closes only when its form agrees.
class ChildWindow final : public QMdiSubWindow
{
public:
    using QMdiSubWindow::QMdiSubWindow;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        if (widget() && !widget()->close()) {
            event->ignore();
            return;
        }
        hide();
        event->ignore(); // kept for a later Show
    }
};
} // namespace

clsGuiRuntime::clsGuiRuntime() = default;

clsGuiRuntime::~clsGuiRuntime()
{
    ReleaseWindows();
    for (const QPointer<QWidget> &w : m_released)
        delete w.data();
}

QWidget *clsGuiRuntime::WidgetOf(const QString &fullId) const
{
    return m_widgets.value(Key(fullId)).data();
}

QList<QWidget *> clsGuiRuntime::Windows() const
{
    QList<QWidget *> out;
    for (const QPointer<QWidget> &w : m_windows)
        if (w)
            out << w.data();
    return out;
}

GuiResult clsGuiRuntime::Execute(const QString &command)
{
    try {
        const qsizetype firstEnd = command.indexOf(VM);
        const QString codeText = (firstEnd < 0 ? command : command.left(firstEnd)).trimmed();
        if (HoldsHigherMark(codeText))
            return Problem(2, GuiErrors::InvalidArgument, {}, QStringLiteral("A record mark stands in the command code"));
        qint64 code = 0;
        if (!NumberFormat::ParseInteger(codeText, code))
            return Problem(2, GuiErrors::InvalidFunction, {},
                           QStringLiteral("Unknown command \"%1\"").arg(codeText.left(40)));
        if (code == GuiCommand::Load)
            return Load(command);
        // Only a project text may hold record marks.
        if (HoldsHigherMark(command))
            return Problem(2, GuiErrors::InvalidArgument);
        const QStringList fields = command.split(VM);
        if (code == GuiCommand::Initialise)
            return Initialise(fields);
        if (code == GuiCommand::Shutdown)
            return Shutdown();
        if (code != GuiCommand::Method && code != GuiCommand::Wait)
            return Problem(2, GuiErrors::InvalidFunction, {},
                           QStringLiteral("Unknown command \"%1\"").arg(code));
        if (!m_initialised)
            return Problem(2, GuiErrors::NotInitialized);
        return code == GuiCommand::Wait ? Wait() : RunMethod(fields);
    } catch (const GuiError &error) {
        return Problem(2, error.Number(), {}, error.Description());
    } catch (const std::exception &error) {
        return Problem(3, GuiErrors::InvalidCall, {}, QString::fromLocal8Bit(error.what()));
    }
}

GuiResult clsGuiRuntime::Initialise(const QStringList &fields)
{
    const QString version = fields.value(1).trimmed();
    if (version.isEmpty())
        return Problem(3, GuiErrors::InvalidArgument, {}, QStringLiteral("Initialise needs a format version"));
    bool ok = false;
    const double number = NumberFormat::ParseInvariant(version, &ok);
    const int tenths = ok ? int(std::lround(number * 10)) : 0;
    if (tenths >= 15 && tenths <= 100)
        return Problem(3, GuiErrors::NewerVersion);
    if (tenths < 10 || tenths > 100)
        return Problem(3, GuiErrors::InvalidVersion);
    if (!m_project)
        m_project = std::make_unique<RuntimeProject>();
    m_initialised = true;
    return Done();
}

GuiResult clsGuiRuntime::Load(const QString &command)
{
    if (!m_initialised)
        return Problem(2, GuiErrors::NotInitialized);
    // "11", the load kind, then the whole project text, marks included.
    const qsizetype first = command.indexOf(VM);
    const qsizetype second = first < 0 ? -1 : command.indexOf(VM, first + 1);
    const QString kind = first < 0 ? QString() : command.mid(first + 1, second < 0 ? -1 : second - first - 1);
    if (kind.trimmed() != QLatin1String("2"))
        return Problem(2, GuiErrors::InvalidArgument, {}, QStringLiteral("Load needs the kind 2 and a project text"));
    const QString text = second < 0 ? QString() : command.mid(second + 1);

    const qsizetype before = m_project->Applications().size();
    GuiResult result;
    result.Status = m_project->Load(text);
    const QList<clsControl *> apps = m_project->Applications().mid(before);
    bool showable = false;
    for (clsControl *app : apps) {
        BuildApplication(*app);
        showable = showable || AnyFormShowable(*app);
    }
    int highest = 0;
    for (const QStringList &row : result.Status)
        highest = std::max(highest, row.value(0).toInt());
    if (apps.isEmpty() && highest >= 2) {
        result.Status << Row(3, {}, GuiErrors::InvalidVersion, QStringLiteral("The project text could not be loaded"));
    } else if (!showable) {
        result.Status << Row(2, apps.isEmpty() ? QString() : apps.first()->FullID(), 5007);
    }
    if (result.Status.isEmpty())
        result.Status << Row(0);
    return result;
}

bool clsGuiRuntime::AnyFormShowable(const clsControl &app) const
{
    for (const auto &entry : app.Children())
        if (IsForm(entry.Value->ObjType()) && IsTrue(RuntimeWidgets::Property(*entry.Value, Prop::Enabled, QStringLiteral("1"))))
            return true;
    return false;
}

QMainWindow *clsGuiRuntime::FrameOf(const clsControl &app)
{
    return m_frames.value(Key(app.FullID())).data();
}

void clsGuiRuntime::BuildApplication(clsControl &app)
{
    if (app.ObjType() == Type::AppMdi) {
        auto *frame = new FormWindow(*this, app.FullID(), true);
        frame->setObjectName(app.FullID());
        QString caption = RuntimeWidgets::Property(app, Prop::Caption);
        frame->setWindowTitle(caption.isEmpty() ? app.ID() : caption);
        auto *area = new QMdiArea(frame);
        frame->setCentralWidget(area);
        RuntimeWidgets::AddBars(app, *frame, *this);
        // A frame larger than the screen opens as large as the screen's available area.
        const QSize size(std::max(320, RuntimeWidgets::Pixels(app.TwipWidth(), true)),
                         std::max(240, RuntimeWidgets::Pixels(app.TwipHeight(), false)));
        const QRect screen = AvailableArea(nullptr);
        frame->resize(screen.isEmpty() ? size : size.boundedTo(RoomIn(screen)));
        QObject::connect(area, &QMdiArea::subWindowActivated, frame,
                         [this, last = QPointer<QMdiSubWindow>()](QMdiSubWindow *now) mutable {
                             if (last && last != now && last->widget())
                                 WindowActivation(last->widget()->objectName(), false);
                             if (now && now != last && now->widget())
                                 WindowActivation(now->widget()->objectName(), true);
                             last = now;
                         });
        frame->Built = true;
        m_frames.insert(Key(app.FullID()), frame);
        m_widgets.insert(Key(app.FullID()), frame);
        m_windows << frame;
    }
    for (const auto &entry : app.Children())
        if (IsForm(entry.Value->ObjType()))
            BuildForm(*entry.Value);
}

void clsGuiRuntime::BuildForm(clsControl &form)
{
    auto *window = new FormWindow(*this, form.FullID(), false);
    window->setObjectName(form.FullID());
    const QString caption = RuntimeWidgets::Property(form, Prop::Caption);
    window->setWindowTitle(caption.isEmpty() ? form.ID() : caption);
    auto *client = new QWidget(window);
    window->setCentralWidget(client);
    window->Client = client;
    RuntimeWidgets::AddBars(form, *window, *this);
    RuntimeWidgets::ApplyLook(form, client);
    // The first pop-up menu the form owns is its context menu (and its controls').
    for (const auto &entry : form.Children()) {
        const clsControl &bar = *entry.Value;
        if (bar.ObjType() != Type::Popup)
            continue;
        if (QMenu *menu = RuntimeWidgets::CreatePopup(bar, window, *this)) {
            m_widgets.insert(Key(bar.FullID()), menu);
            if (!m_popups.contains(Key(form.FullID()))
                && IsTrue(RuntimeWidgets::Property(bar, Prop::Enabled, QStringLiteral("1"))))
                m_popups.insert(Key(form.FullID()), menu);
        }
    }
    BuildChildren(form, client);
    const int width = std::max(40, RuntimeWidgets::Pixels(form.TwipWidth(), true));
    const int height = std::max(30, RuntimeWidgets::Pixels(form.TwipHeight(), false));
    // Width and height are the form's client area; bars come on top of it.
    client->setMinimumSize(width, height);
    window->adjustSize();
    client->setMinimumSize(0, 0);
    const bool placed = !form.AutoLeft() || !form.AutoTop();
    const QPoint at(RuntimeWidgets::Pixels(form.AutoLeft() ? 0 : form.TwipLeft(), true),
                    RuntimeWidgets::Pixels(form.AutoTop() ? 0 : form.TwipTop(), false));
    const clsControl *app = form.App();
    QMainWindow *frame = app ? FrameOf(*app) : nullptr;
    const bool child = frame && (form.ObjType() == Type::FormSizableChild || form.ObjType() == Type::FormFixedChild);
    ChildWindow *sub = nullptr;
    QMargins decoration = WindowFrame;
    QRect area;
    if (child) {
        auto *mdi = static_cast<QMdiArea *>(frame->centralWidget());
        // The MDI area's size before the frame is shown, taken before this form's sub-window
        // can ask the frame for room.
        frame->layout()->activate();
        area = mdi->contentsRect();
        sub = new ChildWindow;
        sub->setWidget(window);
        sub->setAttribute(Qt::WA_DeleteOnClose, false);
        mdi->addSubWindow(sub);
        // The sub-window is as large as the form plus its own frame and caption.
        const QSize around = sub->size() - sub->contentsRect().size();
        decoration = QMargins(0, 0, around.width(), around.height());
    } else {
        area = AvailableArea(placed ? &at : nullptr);
    }
    // A form larger than where it opens (the screen's available area, or its frame's MDI area)
    // opens in a window that fits there, its client area scrolled; the form itself keeps its
    // size and position. A form that fits opens as it stands.
    const QSize room = RoomIn(area, decoration);
    const bool limited = !area.isEmpty() && (window->width() > room.width() || window->height() > room.height());
    if (limited) {
        const QSize whole = window->size();
        auto *scroller = new QScrollArea(window);
        scroller->setObjectName(QStringLiteral("corvaneFormScroller"));
        scroller->setFrameShape(QFrame::NoFrame);
        scroller->setWidgetResizable(true); // the client fills a window larger than the form
        window->takeCentralWidget();
        client->setMinimumSize(width, height);
        scroller->setWidget(client);
        window->setCentralWidget(scroller);
        window->layout()->activate(); // drops the minimum size the unscrolled form gave the window
        // A form too wide only gets room for its horizontal scroll bar below it, and one too
        // tall only for its vertical one, so the other side needs none.
        const int bar = scroller->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroller);
        QSize size = whole;
        if (whole.width() > room.width())
            size.rheight() += bar;
        if (whole.height() > room.height())
            size.rwidth() += bar;
        window->resize(size.boundedTo(room));
    }
    if (form.ObjType() == Type::FormFixed || form.ObjType() == Type::FormFixedChild
        || form.ObjType() == Type::FormDialog)
        window->setFixedSize(window->size());
    window->setEnabled(IsTrue(RuntimeWidgets::Property(form, Prop::Enabled, QStringLiteral("1"))));

    QWidget *outer = child ? static_cast<QWidget *>(sub) : window;
    if (child) {
        sub->resize(window->size().grownBy(decoration));
        if (form.ObjType() == Type::FormFixedChild)
            sub->setFixedSize(sub->size());
        sub->hide();
    } else {
        m_windows << window;
    }
    if (placed || limited)
        outer->move(placed ? at : area.topLeft());
    if (limited)
        MoveInside(*outer, area, child ? QMargins() : decoration);
    window->Built = true;
    m_widgets.insert(Key(form.FullID()), window);
}

void clsGuiRuntime::BuildChildren(const clsControl &owner, QWidget *parent)
{
    for (const auto &entry : owner.Children()) {
        clsControl &item = *entry.Value;
        const int type = item.ObjType();
        if (!IsControl(type))
            continue;
        if (type == Type::Timer) {
            auto *timer = new QTimer(parent);
            timer->setSingleShot(RuntimeWidgets::Property(item, Prop::Style) != QLatin1String("1"));
            timer->setInterval(std::max(0, RuntimeWidgets::Property(item, Prop::Timeout).toInt()));
            const QString id = item.FullID();
            QObject::connect(timer, &QTimer::timeout, this, [this, id] { Raise(id, Event::Timer); });
            m_timers.insert(Key(id), timer);
            continue;
        }
        QWidget *widget = RuntimeWidgets::CreateControl(item, parent, *this);
        m_widgets.insert(Key(item.FullID()), widget);
        BuildChildren(item, widget);
    }
}

void clsGuiRuntime::StartTimers(const clsControl &form, bool on)
{
    const QString prefix = Key(form.FullID()) + QLatin1Char('*');
    for (auto it = m_timers.cbegin(); it != m_timers.cend(); ++it) {
        if (!it.key().startsWith(prefix) || !it.value())
            continue;
        const clsControl *item = m_project->Find(it.key());
        if (on && item && IsTrue(RuntimeWidgets::Property(*item, Prop::Enabled, QStringLiteral("1"))) && it.value()->interval() > 0)
            it.value()->start();
        else if (!on)
            it.value()->stop();
    }
}

void clsGuiRuntime::ShowForm(const clsControl &form)
{
    QWidget *window = WidgetOf(form.FullID());
    if (!window)
        return;
    if (auto *sub = qobject_cast<QMdiSubWindow *>(window->parentWidget())) {
        if (QMainWindow *frame = form.App() ? FrameOf(*form.App()) : nullptr)
            frame->show();
        window->show();
        sub->show();
        sub->mdiArea()->setActiveSubWindow(sub);
    } else {
        window->show();
        window->raise();
        window->activateWindow();
    }
    StartTimers(form, true);
}

GuiResult clsGuiRuntime::RunMethod(const QStringList &fields)
{
    const QString id = fields.value(1).trimmed();
    if (fields.size() < 3 || id.isEmpty())
        return Problem(2, GuiErrors::InvalidArgument, id, QStringLiteral("A method needs an object ID and a method code"));
    clsControl *item = m_project ? m_project->Find(id) : nullptr;
    if (!item)
        return Problem(2, GuiErrors::IdDoesNotExist, id);
    qint64 method = -1;
    if (!NumberFormat::ParseInteger(fields.value(2), method))
        return Problem(2, GuiErrors::InvalidArgument, id, QStringLiteral("Invalid method code"));
    const int type = item->ObjType();
    QWidget *widget = WidgetOf(id);
    QTimer *timer = m_timers.value(Key(id)).data();
    const QString name = MethodName(int(method));

    switch (method) {
    case Method::Show:
        if (IsForm(type)) {
            if (!widget || !widget->isEnabled()) {
                const clsControl *app = item->App();
                if (!app || !AnyFormShowable(*app))
                    return Problem(2, 5007, id);
                return Problem(2, 5021, id);
            }
            ShowForm(*item);
        } else if (IsApplication(type)) {
            if (widget)
                widget->show();
        } else if (auto *menu = qobject_cast<QMenu *>(widget)) {
            menu->popup(QCursor::pos()); // a pop-up menu opens at the mouse
        } else if (widget) {
            widget->show();
        }
        return Done();
    case Method::Hide:
        if (IsForm(type) && widget) {
            if (auto *sub = qobject_cast<QMdiSubWindow *>(widget->parentWidget()))
                sub->hide();
            else
                widget->hide();
            StartTimers(*item, false);
        } else if (widget) {
            widget->hide();
        }
        return Done();
    case Method::Enable:
    case Method::Disable: {
        const bool on = method == Method::Enable;
        if (timer) {
            if (on && timer->interval() > 0)
                timer->start();
            else
                timer->stop();
        } else if (widget) {
            widget->setEnabled(on);
        }
        try {
            // Kept on the item too, so Show knows which forms can be shown.
            item->SetProperty(Prop::Enabled, on ? QStringLiteral("1") : QStringLiteral("0"));
        } catch (const GuiError &) {
        }
        return Done();
    }
    case Method::Activate: {
        QWidget *target = widget;
        if (!target || !target->isVisible() || !target->isEnabled())
            return Problem(2, 5021, id);
        target->window()->raise();
        target->activateWindow();
        target->setFocus();
        return Done();
    }
    case Method::Move: {
        if (IsApplication(type) && !widget)
            return Problem(2, GuiErrors::NotSupported, id,
                           QStringLiteral("An SDI application has no window of its own to move; move its forms instead"));
        if (!widget || qobject_cast<QMenu *>(widget) || IsFormBar(type))
            return Problem(2, GuiErrors::NotSupported, id, QStringLiteral("Move is not supported by this object"));
        // Forms and the frame of an MDI application move as whole windows.
        const bool window = IsForm(type) || IsApplication(type);
        QWidget *moved = IsForm(type) && qobject_cast<QMdiSubWindow *>(widget->parentWidget())
                             ? widget->parentWidget() : widget;
        QRect geometry = window ? moved->frameGeometry() : moved->geometry();
        auto arg = [&](int n, double per, int current) {
            bool ok = false;
            const double v = NumberFormat::ParseInvariant(fields.value(n).trimmed(), &ok);
            if (!ok || v == 0)
                return current;
            return RuntimeWidgets::Pixels(int(std::lround(v * per)), n == 3 || n == 5);
        };
        const int left = arg(3, item->ScaleX(), geometry.left());
        const int top = arg(4, item->ScaleY(), geometry.top());
        const int width = arg(5, item->ScaleX(), geometry.width());
        const int height = arg(6, item->ScaleY(), geometry.height());
        if (IsApplication(type)) {
            moved->move(left, top);
            if (width != geometry.width() || height != geometry.height())
                moved->resize(std::max(1, width - (geometry.width() - moved->width())),
                              std::max(1, height - (geometry.height() - moved->height())));
        } else if (IsForm(type)) {
            moved->move(left, top);
            if (width != geometry.width() || height != geometry.height()) {
                widget->setMinimumSize(0, 0);
                widget->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
                widget->resize(width, height);
            }
        } else {
            moved->setGeometry(left, top, std::max(1, width), std::max(1, height));
        }
        return Done();
    }
    case Method::Reset:
    case Method::Clear:
        if (widget && IsControl(type)) {
            RuntimeWidgets::SetValue(widget, method == Method::Reset ? RuntimeWidgets::Property(*item, Prop::DefVal) : QString());
            return Done();
        }
        [[fallthrough]];
    default:
        return Problem(2, GuiErrors::NotSupported, id,
                       QStringLiteral("Method %1 (%2) is not supported by this object").arg(name).arg(method));
    }
}

GuiResult clsGuiRuntime::Wait()
{
    GuiResult result;
    if (m_queue.isEmpty()) {
        m_waiting = true;
        return result;
    }
    m_waiting = false;
    result.Events.swap(m_queue);
    return result;
}

void clsGuiRuntime::Raise(const QString &fullId, int eventCode, const QStringList &args)
{
    if (!m_initialised || !m_project)
        return;
    const clsControl *item = m_project->Find(fullId);
    if (!item)
        return;
    const quint32 bit = EventMaskBit(eventCode);
    if (!bit || !(quint32(item->EventMask()) & bit))
        return;
    m_queue << (QStringList{item->FullID(), QString::number(bit), QString()} + args);
    if (m_waiting && !m_deliveryQueued) {
        m_deliveryQueued = true;
        QMetaObject::invokeMethod(this, &clsGuiRuntime::Deliver, Qt::QueuedConnection);
    }
}

void clsGuiRuntime::ContextGesture(const QString &fullId, const QPoint &globalPos)
{
    Raise(fullId, Event::Context);
    const clsControl *item = m_initialised && m_project ? m_project->Find(fullId) : nullptr;
    const clsControl *form = !item ? nullptr : IsForm(item->ObjType()) ? item : item->Form();
    if (!form)
        return;
    if (QMenu *menu = PopupOf(form->FullID()))
        menu->popup(globalPos);
}

QMenu *clsGuiRuntime::PopupOf(const QString &formId) const
{
    return m_popups.value(Key(formId)).data();
}

void clsGuiRuntime::Deliver()
{
    m_deliveryQueued = false;
    if (!m_waiting || m_queue.isEmpty() || !m_initialised)
        return;
    m_waiting = false;
    GuiResult result;
    result.Events.swap(m_queue);
    if (m_handler)
        m_handler(result);
}

void clsGuiRuntime::FormClosing(const QString &formId, bool &accept)
{
    const clsControl *form = m_project ? m_project->Find(formId) : nullptr;
    if (!form) {
        accept = true;
        return;
    }
    // A form whose Close event is enabled stays open: its program decides.
    if (quint32(form->EventMask()) & EventMaskBit(Event::Close)) {
        accept = false;
        Raise(formId, Event::Close);
        return;
    }
    accept = true;
    StartTimers(*form, false);
    // The last window gone: the application quits when its program listens for that.
    const clsControl *app = form->App();
    if (!app || (app->ObjType() == Type::AppMdi && FrameOf(*app) && FrameOf(*app)->isVisible()))
        return;
    for (const auto &entry : app->Children()) {
        QWidget *w = IsForm(entry.Value->ObjType()) ? WidgetOf(entry.Value->FullID()) : nullptr;
        if (w && entry.Value != form && w->isVisible())
            return;
    }
    Raise(app->FullID(), Event::Quit);
}

void clsGuiRuntime::AppClosing(bool &accept)
{
    accept = true;
    if (!m_project)
        return;
    for (const clsControl *app : m_project->Applications()) {
        if (app->ObjType() != Type::AppMdi)
            continue;
        const quint32 mask = quint32(app->EventMask());
        if (mask & (EventMaskBit(Event::Close) | EventMaskBit(Event::Quit))) {
            accept = false;
            Raise(app->FullID(), (mask & EventMaskBit(Event::Close)) ? Event::Close : Event::Quit);
        }
        return;
    }
}

void clsGuiRuntime::WindowActivation(const QString &formId, bool active)
{
    Raise(formId, active ? Event::Activate : Event::Deactivate);
}

void clsGuiRuntime::WindowResized(const QString &formId, int width, int height)
{
    const clsControl *form = m_project ? m_project->Find(formId) : nullptr;
    if (!form)
        return;
    Raise(formId, Event::Resize,
          {RuntimeWidgets::ScaleText(*form, width, true), RuntimeWidgets::ScaleText(*form, height, false)});
}

void clsGuiRuntime::ReleaseWindows()
{
    for (const QPointer<QTimer> &t : m_timers)
        if (t)
            t->stop();
    m_timers.clear();
    m_widgets.clear();
    m_popups.clear();
    m_frames.clear();
    for (const QPointer<QWidget> &w : m_windows) {
        if (!w)
            continue;
        w->hide();
        // Deleted later: a window may be the one whose gesture led here.
        w->deleteLater();
        m_released << w;
    }
    m_windows.clear();
}

GuiResult clsGuiRuntime::Shutdown()
{
    ReleaseWindows();
    m_queue.clear();
    m_waiting = false;
    m_initialised = false;
    m_project.reset();
    return Done();
}
