#include "main/TestProbe.h"

#include "app/DesignerRoot.h"
#include "app/ProjectState.h"
#include "designer/DesignControl.h"
#include "designer/clsProjectTree.h"
#include "designer/frmDocumentChooser.h"
#include "designer/frmDesign.h"
#include "model/clsControl.h"
#include "model/clsItems.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QMenu>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QWindow>

#include <exception>
#include <optional>

namespace {
// A request line longer than this is not a request of the tests.
constexpr qint64 MaxRequest = 4096;

QJsonObject Fail(const QString &error)
{
    return {{QStringLiteral("ok"), false}, {QStringLiteral("error"), error}};
}

QJsonObject RectOf(const QRect &global)
{
    return {{QStringLiteral("ok"), !global.isEmpty()},
            {QStringLiteral("x"), global.x()},
            {QStringLiteral("y"), global.y()},
            {QStringLiteral("w"), global.width()},
            {QStringLiteral("h"), global.height()},
            {QStringLiteral("cx"), global.center().x()},
            {QStringLiteral("cy"), global.center().y()}};
}

QRect GlobalRect(const QWidget *widget, const QRect &local)
{
    return QRect(widget->mapToGlobal(local.topLeft()), local.size());
}

QRect GlobalRect(const QWidget *widget)
{
    return GlobalRect(widget, widget->rect());
}

QJsonObject Describe(const QWidget *widget)
{
    QJsonObject o = RectOf(GlobalRect(widget));
    o.insert(QStringLiteral("ok"), true);
    o.insert(QStringLiteral("class"), QString::fromLatin1(widget->metaObject()->className()));
    o.insert(QStringLiteral("name"), widget->objectName());
    o.insert(QStringLiteral("title"), widget->windowTitle());
    o.insert(QStringLiteral("visible"), widget->isVisible());
    o.insert(QStringLiteral("enabled"), widget->isEnabled());
    // The X window of a top-level window, for a driver that stands in for a window manager.
    if (widget->isWindow() && widget->testAttribute(Qt::WA_WState_Created))
        o.insert(QStringLiteral("wid"), QString::number(widget->winId()));
    return o;
}

QString Strip(QString text)
{
    // The access-key marker is not part of what the user reads.
    return text.remove(QLatin1Char('&'));
}

// What the document chooser offers: the tab it shows and the names in its boxes.
void DescribeChooser(const frmDocumentChooser &chooser, QJsonObject &o)
{
    o.insert(QStringLiteral("tab"), Strip(chooser.Tabs()->tabText(chooser.Tabs()->currentIndex())));
    o.insert(QStringLiteral("path"), chooser.PathBox()->text());
    o.insert(QStringLiteral("item"), chooser.ItemBox()->text());
}

// Every widget of the program by object name, the visible one first.
QWidget *FindWidget(const QString &name)
{
    QWidget *hidden = nullptr;
    for (QWidget *w : QApplication::allWidgets()) {
        if (w->objectName() != name)
            continue;
        if (w->isVisible())
            return w;
        if (!hidden)
            hidden = w;
    }
    return hidden;
}

QAction *FindAction(const QString &name)
{
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (QAction *action = top->findChild<QAction *>(name))
            return action;
    }
    return nullptr;
}

// Where the user clicks an action: its entry in an open menu or the menu bar, or its
// tool-bar button.
std::optional<QRect> ActionRect(QAction *action)
{
    for (QObject *object : action->associatedObjects()) {
        auto *widget = qobject_cast<QWidget *>(object);
        if (!widget || !widget->isVisible())
            continue;
        if (auto *menu = qobject_cast<QMenu *>(widget))
            return GlobalRect(menu, menu->actionGeometry(action));
        if (auto *bar = qobject_cast<QMenuBar *>(widget))
            return GlobalRect(bar, bar->actionGeometry(action));
        if (auto *toolBar = qobject_cast<QToolBar *>(widget)) {
            if (QWidget *button = toolBar->widgetForAction(action); button && button->isVisible())
                return GlobalRect(button);
        }
    }
    return std::nullopt;
}

QJsonObject DescribeAction(QAction *action)
{
    QJsonObject o;
    if (const std::optional<QRect> rect = ActionRect(action))
        o = RectOf(*rect);
    else
        o.insert(QStringLiteral("ok"), false);
    o.insert(QStringLiteral("class"), QStringLiteral("QAction"));
    o.insert(QStringLiteral("name"), action->objectName());
    o.insert(QStringLiteral("text"), Strip(action->text()));
    o.insert(QStringLiteral("enabled"), action->isEnabled());
    o.insert(QStringLiteral("checked"), action->isChecked());
    o.insert(QStringLiteral("visible"), action->isVisible());
    o.insert(QStringLiteral("shortcut"), action->shortcut().toString());
    o.insert(QStringLiteral("menu"), action->menu() != nullptr);
    return o;
}

QJsonArray MenuEntries(const QMenu *menu)
{
    QJsonArray entries;
    for (QAction *action : menu->actions()) {
        if (action->isSeparator() || !action->isVisible())
            continue;
        QJsonObject o = RectOf(GlobalRect(menu, menu->actionGeometry(action)));
        o.insert(QStringLiteral("name"), action->objectName());
        o.insert(QStringLiteral("text"), Strip(action->text()));
        o.insert(QStringLiteral("enabled"), action->isEnabled());
        o.insert(QStringLiteral("menu"), action->menu() != nullptr);
        entries.append(o);
    }
    return entries;
}

QWidget *MainWindow()
{
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String("mdiMain"))
            return top;
    return nullptr;
}

QTreeWidgetItem *TreeNode(const QTreeWidget &tree, const QString &fullId)
{
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget *>(&tree)); *it; ++it) {
        if (clsProjectTree::FullIdOf(*it).compare(fullId, Qt::CaseInsensitive) == 0)
            return *it;
    }
    return nullptr;
}

// The widget that shows an item on its design form: the client area for a form, the
// control's own widget otherwise.
QWidget *ItemWidget(const clsControl &item)
{
    if (auto *control = dynamic_cast<DesignControl *>(item.ControlObject()))
        return control->Widget();
    if (auto *form = dynamic_cast<frmDesign *>(item.DesignForm()); form && &form->Owner() == &item)
        return form->Canvas();
    return nullptr;
}
} // namespace

TestProbe::TestProbe(DesignerRoot &root) : m_root(root) {}

TestProbe::~TestProbe() = default;

std::unique_ptr<TestProbe> TestProbe::InstallFromEnvironment(DesignerRoot &root)
{
    const QString path = qEnvironmentVariable("CORVANE_TEST_PROBE");
    if (path.isEmpty())
        return nullptr;
    auto probe = std::make_unique<TestProbe>(root);
    if (!probe->Listen(path)) {
        qWarning("Test probe: cannot listen on %s", qPrintable(path));
        return nullptr;
    }
    return probe;
}

bool TestProbe::Listen(const QString &path)
{
    QLocalServer::removeServer(path);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(path))
        return false;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Serve(socket); });
        }
    });
    return true;
}

void TestProbe::Serve(QLocalSocket *socket)
{
    // While a project loads the window answers its user, but the probe waits for the end of
    // the load: the tests see the designer between commands, never a project half made. A
    // question the load asks is answered as ever, and so is where the load's progress bar and
    // its Cancel are, which is how a user stops a load.
    if (m_root.Designer().Loading() && !QApplication::activeModalWidget()) {
        if (socket->canReadLine() && socket->peek(MaxRequest).startsWith("rect LoadProgress")) {
            const QString request = QString::fromUtf8(socket->readLine(MaxRequest)).trimmed();
            socket->write(Answer(request) + '\n');
        }
        QTimer::singleShot(10, socket, [this, socket] { Serve(socket); });
        return;
    }
    while (socket->canReadLine()) {
        const QString request = QString::fromUtf8(socket->readLine(MaxRequest)).trimmed();
        socket->write(Answer(request) + '\n');
    }
    if (socket->bytesAvailable() > MaxRequest)
        socket->abort();
}

QByteArray TestProbe::Answer(const QString &request) const
{
    const QString verb = request.section(QLatin1Char(' '), 0, 0);
    const QString arg = request.section(QLatin1Char(' '), 1);
    QJsonObject answer;
    try {
        if (verb == QLatin1String("idle")) {
            answer = {{QStringLiteral("ok"), true}};
        } else if (verb == QLatin1String("rect")) {
            // An open menu or a tool-bar button is found as a widget; a menu that is shut is
            // found through its title in the menu bar.
            QWidget *widget = FindWidget(arg);
            if (auto *menu = qobject_cast<QMenu *>(widget); menu && !menu->isVisible())
                answer = DescribeAction(menu->menuAction());
            else if (widget)
                answer = Describe(widget);
            else if (QAction *action = FindAction(arg))
                answer = DescribeAction(action);
            else
                answer = Fail(QStringLiteral("no widget or action named ") + arg);
            if (auto *menu = qobject_cast<QMenu *>(widget); menu && menu->isVisible())
                answer.insert(QStringLiteral("entries"), MenuEntries(menu));
        } else if (verb == QLatin1String("node")) {
            auto *tree = qobject_cast<QTreeWidget *>(FindWidget(QStringLiteral("tvProject")));
            QTreeWidgetItem *node = tree ? TreeNode(*tree, arg) : nullptr;
            if (!node) {
                answer = Fail(QStringLiteral("no tree node for ") + arg);
            } else {
                // Brings the node into view, as a user would scroll to it.
                tree->scrollToItem(node);
                answer = RectOf(GlobalRect(tree->viewport(), tree->visualItemRect(node)));
                answer.insert(QStringLiteral("text"), node->text(0));
                answer.insert(QStringLiteral("selected"), node->isSelected());
                answer.insert(QStringLiteral("current"), tree->currentItem() == node);
            }
        } else if (verb == QLatin1String("control") || verb == QLatin1String("geometry")) {
            const clsControl *item = m_root.Items().Find(arg);
            if (!item) {
                answer = Fail(QStringLiteral("no item ") + arg);
            } else if (verb == QLatin1String("geometry")) {
                answer = {{QStringLiteral("ok"), true},
                          {QStringLiteral("id"), item->FullID()},
                          {QStringLiteral("left"), item->TwipLeft()},
                          {QStringLiteral("top"), item->TwipTop()},
                          {QStringLiteral("width"), item->TwipWidth()},
                          {QStringLiteral("height"), item->TwipHeight()}};
            } else if (QWidget *widget = ItemWidget(*item)) {
                answer = Describe(widget);
                answer.insert(QStringLiteral("visible"), widget->isVisible());
            } else {
                answer = Fail(QStringLiteral("no design control for ") + arg);
            }
        } else if (verb == QLatin1String("selected")) {
            const clsControl *item = m_root.Designer().CurrentItem();
            answer = {{QStringLiteral("ok"), true},
                      {QStringLiteral("id"), item ? item->FullID() : QString()}};
        } else if (verb == QLatin1String("projects")) {
            QJsonArray projects;
            for (const ProjectState *project : m_root.Designer().Projects()) {
                const mvDocument *document = project->Document.get();
                projects.append(QJsonObject{
                    {QStringLiteral("id"), project->App ? project->App->ID() : QString()},
                    {QStringLiteral("changed"), project->Changed},
                    {QStringLiteral("readonly"), document && document->ReadOnly()},
                    {QStringLiteral("document"), document ? document->Name() : QString()}});
            }
            answer = {{QStringLiteral("ok"), true}, {QStringLiteral("projects"), projects}};
        } else if (verb == QLatin1String("items")) {
            QJsonArray ids;
            for (const clsControl *item : m_root.Items().InOrder())
                if (item != m_root.Items().Root())
                    ids.append(item->FullID());
            answer = {{QStringLiteral("ok"), true}, {QStringLiteral("items"), ids}};
        } else if (verb == QLatin1String("modal")) {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal) {
                answer = {{QStringLiteral("ok"), false}};
            } else {
                answer = Describe(modal);
                if (auto *box = qobject_cast<QMessageBox *>(modal))
                    answer.insert(QStringLiteral("text"), box->text());
                if (auto *chooser = qobject_cast<frmDocumentChooser *>(modal))
                    DescribeChooser(*chooser, answer);
                QJsonArray buttons;
                for (QAbstractButton *button : modal->findChildren<QAbstractButton *>()) {
                    if (!button->isVisible() || button->text().isEmpty())
                        continue;
                    QJsonObject b = RectOf(GlobalRect(button));
                    b.insert(QStringLiteral("text"), Strip(button->text()));
                    b.insert(QStringLiteral("name"), button->objectName());
                    b.insert(QStringLiteral("enabled"), button->isEnabled());
                    buttons.append(b);
                }
                answer.insert(QStringLiteral("buttons"), buttons);
            }
        } else if (verb == QLatin1String("popup")) {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu) {
                answer = {{QStringLiteral("ok"), false}};
            } else {
                answer = Describe(menu);
                answer.insert(QStringLiteral("entries"), MenuEntries(menu));
            }
        } else if (verb == QLatin1String("forms")) {
            // The design forms' windows inside the main window, in the order they were made.
            QWidget *window = MainWindow();
            auto *area = window ? window->findChild<QMdiArea *>() : nullptr;
            if (!area) {
                answer = Fail(QStringLiteral("no design form area"));
            } else {
                QJsonArray forms;
                for (QMdiSubWindow *sub : area->subWindowList(QMdiArea::CreationOrder)) {
                    QJsonObject o = Describe(sub);
                    o.insert(QStringLiteral("title"), sub->windowTitle().remove(QStringLiteral("[*]")));
                    o.insert(QStringLiteral("active"), sub == area->activeSubWindow());
                    forms.append(o);
                }
                answer = {{QStringLiteral("ok"), true}, {QStringLiteral("forms"), forms}};
            }
        } else if (verb == QLatin1String("windows")) {
            QJsonArray windows;
            for (QWidget *top : QApplication::topLevelWidgets())
                if (top->isVisible())
                    windows.append(Describe(top));
            answer = {{QStringLiteral("ok"), true}, {QStringLiteral("windows"), windows}};
        } else if (verb == QLatin1String("focus")) {
            QWidget *focus = QApplication::focusWidget();
            answer = focus ? Describe(focus) : QJsonObject{{QStringLiteral("ok"), false}};
            QWidget *active = QApplication::activeWindow();
            answer.insert(QStringLiteral("window"), active ? active->objectName() : QString());
            // The window the platform gives the keys to; it can differ from the active one.
            const QWindow *keys = QGuiApplication::focusWindow();
            answer.insert(QStringLiteral("keys"),
                          keys ? QString::fromLatin1(keys->metaObject()->className()) + QLatin1Char(' ') +
                                     keys->objectName() + QLatin1Char(' ') + keys->title()
                               : QString());
        } else if (verb == QLatin1String("title")) {
            QWidget *window = MainWindow();
            const auto *panel = qobject_cast<const QLabel *>(FindWidget(QStringLiteral("Panel1")));
            answer = {{QStringLiteral("ok"), true},
                      {QStringLiteral("title"), window ? window->windowTitle() : QString()},
                      {QStringLiteral("status"), panel ? panel->text() : QString()}};
        } else if (verb == QLatin1String("shot") || verb == QLatin1String("screen")) {
            QImage picture;
            if (QWidget *window = MainWindow(); window && verb == QLatin1String("shot"))
                picture = window->grab().toImage();
            else if (QScreen *screen = QGuiApplication::primaryScreen())
                picture = screen->grabWindow(0).toImage();
            answer = {{QStringLiteral("ok"), !picture.isNull() && picture.save(arg, "PNG")},
                      {QStringLiteral("width"), picture.width()},
                      {QStringLiteral("height"), picture.height()}};
        } else {
            answer = Fail(QStringLiteral("unknown request ") + verb);
        }
    } catch (const std::exception &e) {
        answer = Fail(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        answer = Fail(QStringLiteral("error"));
    }
    return QJsonDocument(answer).toJson(QJsonDocument::Compact);
}
