#include "designer/mdiMain.h"

#include "app/ProcessState.h"
#include "app/Startup.h"
#include "support/PlatformMetrics.h"
#include "support/ProgramTitle.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

namespace {
constexpr int NotStored = -100000;
constexpr int DefaultWidth = 1024;
constexpr int DefaultHeight = 720;
constexpr int DefaultProjectWidth = 220;

enum WindowStateValue { StateNormal = 0, StateMinimized = 1, StateMaximized = 2 };

int TwipsX() { return qMax(1, PlatformMetrics::Current().TwipsPerPixelX); }
int TwipsY() { return qMax(1, PlatformMetrics::Current().TwipsPerPixelY); }
} // namespace

mdiMain::mdiMain(ProcessState &state, QWidget *parent) : QMainWindow(parent), m_state(state)
{
    setWindowTitle(QString::fromLatin1(ProgramTitle));
    setObjectName(QStringLiteral("mdiMain"));

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_projectTree = new QTreeWidget(m_splitter);
    m_projectTree->setObjectName(QStringLiteral("tvProject"));
    m_projectTree->header()->hide();
    m_mdiArea = new QMdiArea(m_splitter);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_splitter->addWidget(m_projectTree);
    m_splitter->addWidget(m_mdiArea);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({DefaultProjectWidth, DefaultWidth - DefaultProjectWidth});
    setCentralWidget(m_splitter);

    m_toolBar = addToolBar(QStringLiteral("Tool Bar"));
    m_toolBar->setObjectName(QStringLiteral("tbMain"));
    m_toolBar->setMovable(false);

    m_statusPanel = new QLabel(this);
    m_statusPanel->setObjectName(QStringLiteral("StatusPanel1"));
    statusBar()->addWidget(m_statusPanel, 1);

    BuildMenus();
    resize(DefaultWidth, DefaultHeight);
}

void mdiMain::BuildMenus()
{
    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    const auto entry = [&](const QString &key, const QString &text) {
        QAction *action = view->addAction(text);
        action->setObjectName(key);
        action->setCheckable(true);
        return action;
    };
    m_viewStatusBar = entry(QStringLiteral("StatusBar"), QStringLiteral("&Status Bar"));
    m_viewToolBar = entry(QStringLiteral("ViewToolBar"), QStringLiteral("&Tool Bar"));
    m_viewGrid = entry(QStringLiteral("ViewGrid"), QStringLiteral("&Grid"));

    connect(m_viewStatusBar, &QAction::toggled, this, [this](bool on) {
        m_state.Settings.ViewStatusBar = on;
        statusBar()->setVisible(on);
    });
    connect(m_viewToolBar, &QAction::toggled, this, [this](bool on) {
        m_state.Settings.ViewToolBar = on;
        m_toolBar->setVisible(on);
    });
    connect(m_viewGrid, &QAction::toggled, this, [this](bool on) {
        m_state.Settings.ViewGrid = on;
        m_mdiArea->viewport()->update();
    });
}

QAction *mdiMain::MenuEntry(const QString &key) const
{
    for (QAction *action : {m_viewStatusBar, m_viewToolBar, m_viewGrid}) {
        if (action->objectName() == key)
            return action;
    }
    return nullptr;
}

void mdiMain::ApplyViewSettings()
{
    const clsDesignerSettings &s = m_state.Settings;
    m_viewStatusBar->setChecked(s.ViewStatusBar);
    m_viewToolBar->setChecked(s.ViewToolBar);
    m_viewGrid->setChecked(s.ViewGrid);
    statusBar()->setVisible(s.ViewStatusBar);
    m_toolBar->setVisible(s.ViewToolBar);
}

void mdiMain::RestoreWindowPosition()
{
    const clsDesignerSettings &s = m_state.Settings;
    modPersistSettings::Batch batch(m_state.Persist);
    const int left = s.ReadInt(QStringLiteral("MainLeft"), NotStored);
    const int top = s.ReadInt(QStringLiteral("MainTop"), NotStored);
    const int width = s.ReadInt(QStringLiteral("MainWidth"), NotStored);
    const int height = s.ReadInt(QStringLiteral("MainHeight"), NotStored);
    if (width > 0 && height > 0)
        resize(qMax(200, width / TwipsX()), qMax(150, height / TwipsY()));
    if (left > NotStored && top > NotStored) {
        const QPoint where(left / TwipsX(), top / TwipsY());
        // A position from a screen that is no longer attached is not used.
        if (QGuiApplication::screenAt(where + QPoint(20, 20)))
            move(where);
    }
    const int split = s.ReadInt(QStringLiteral("ProjectSplitPos"), NotStored);
    if (split > 0) {
        const int projectWidth = qBound(40, split / TwipsX(), qMax(40, this->width() - 80));
        m_splitter->setSizes({projectWidth, qMax(1, this->width() - projectWidth)});
    }
    if (s.ReadInt(QStringLiteral("MainWindowState"), StateNormal) == StateMaximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void mdiMain::StoreWindowPosition()
{
    clsDesignerSettings &s = m_state.Settings;
    modPersistSettings::Batch batch(m_state.Persist);
    const Qt::WindowStates states = windowState();
    const bool minimized = states & Qt::WindowMinimized;
    const bool maximized = states & (Qt::WindowMaximized | Qt::WindowFullScreen);
    if (!minimized && !maximized) {
        s.WriteInt(QStringLiteral("MainLeft"), x() * TwipsX());
        s.WriteInt(QStringLiteral("MainTop"), y() * TwipsY());
        s.WriteInt(QStringLiteral("MainWidth"), width() * TwipsX());
        s.WriteInt(QStringLiteral("MainHeight"), height() * TwipsY());
    }
    if (!minimized)
        s.WriteInt(QStringLiteral("MainWindowState"), maximized ? StateMaximized : StateNormal);
    s.WriteInt(QStringLiteral("ProjectSplitPos"), m_splitter->sizes().value(0) * TwipsX());
}

void mdiMain::SetStatusText(const QString &text)
{
    m_statusPanel->setText(text);
}

QString mdiMain::StatusText() const
{
    return m_statusPanel->text();
}

void mdiMain::CloseWithoutQuestions()
{
    m_noQuestions = true;
    close();
}

void mdiMain::closeEvent(QCloseEvent *event)
{
    if (!m_shutDown && !m_noQuestions && m_closeQuery && !m_closeQuery()) {
        event->ignore();
        return;
    }
    if (!m_shutDown) {
        m_shutDown = true;
        StoreWindowPosition();
        if (m_shutdown)
            m_shutdown();
        else
            Startup::SaveOnShutdown(m_state);
    }
    event->accept();
}
