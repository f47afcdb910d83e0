#include "designer/HelpWindow.h"

#include "support/ProgramTitle.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QListWidget>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

const HelpWindow::Topic HelpWindow::Topics[] = {
    {"index.html", "Contents"},
    {"getting-started.html", "Getting started"},
    {"main-window.html", "The main window"},
    {"objects.html", "Creating and editing objects"},
    {"saving.html", "Saving on a host or locally"},
    {"code.html", "Generating and updating code"},
    {"preview.html", "Preview"},
    {"settings.html", "Preferences"},
    {"command-line.html", "The command-line tool"},
};
const int HelpWindow::TopicCount = int(std::size(HelpWindow::Topics));

QPointer<HelpWindow> HelpWindow::s_window;

QUrl HelpWindow::TopicUrl(const QString &file)
{
    return QUrl(QStringLiteral("qrc:/help/") + file);
}

namespace {
QToolButton *NavButton(QWidget *parent, QStyle::StandardPixmap icon, const QString &text,
                       const QKeySequence &key)
{
    auto *button = new QToolButton(parent);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setText(text);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setToolTip(QStringLiteral("%1 (%2)").arg(QString(text).remove(u'&'),
                                                      key.toString(QKeySequence::NativeText)));
    button->setShortcut(key);
    return button;
}
} // namespace

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("%1 Help").arg(QString::fromUtf8(ProgramTitle)));

    auto *layout = new QVBoxLayout(this);
    auto *bar = new QHBoxLayout;
    m_back = NavButton(this, QStyle::SP_ArrowBack, QStringLiteral("&Back"), QKeySequence::Back);
    m_forward = NavButton(this, QStyle::SP_ArrowForward, QStringLiteral("&Forward"), QKeySequence::Forward);
    m_home = NavButton(this, QStyle::SP_DirHomeIcon, QStringLiteral("&Contents"), QKeySequence(Qt::ALT | Qt::Key_Home));
    bar->addWidget(m_back);
    bar->addWidget(m_forward);
    bar->addWidget(m_home);
    bar->addStretch(1);
    layout->addLayout(bar);

    auto *split = new QSplitter(this);
    m_contents = new QListWidget(split);
    for (const Topic &topic : Topics)
        m_contents->addItem(QString::fromUtf8(topic.Title));
    m_contents->setAccessibleName(QStringLiteral("Topics"));
    m_browser = new QTextBrowser(split);
    // Links to the web open in the user's browser; links between topics stay here.
    m_browser->setOpenExternalLinks(true);
    split->addWidget(m_contents);
    split->addWidget(m_browser);
    split->setStretchFactor(1, 1);
    split->setSizes({200, 560});
    layout->addWidget(split, 1);

    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_home, &QToolButton::clicked, this, [this] { m_browser->setSource(TopicUrl(QString::fromUtf8(Topics[0].File))); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    // The signal comes before source() changes, so the contents follow the URL it carries.
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this](const QUrl &url) { SyncContents(url); });
    connect(m_contents, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < TopicCount) {
            const QUrl url = TopicUrl(QString::fromUtf8(Topics[row].File));
            if (m_browser->source() != url)
                m_browser->setSource(url);
        }
    });
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);

    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    resize(820, 600);
}

void HelpWindow::SyncContents(const QUrl &url)
{
    const QString file = url.fileName();
    const QSignalBlocker block(m_contents);
    for (int i = 0; i < TopicCount; ++i)
        if (file == QLatin1String(Topics[i].File))
            m_contents->setCurrentRow(i);
}

HelpWindow *HelpWindow::ShowTopic(const QString &file, QWidget *parent)
{
    if (!s_window)
        s_window = new HelpWindow(parent ? parent->window() : nullptr);
    s_window->m_browser->setSource(TopicUrl(file));
    s_window->show();
    s_window->raise();
    s_window->activateWindow();
    return s_window;
}

HelpWindow *HelpWindow::ShowTopics(QWidget *parent)
{
    return ShowTopic(QString::fromUtf8(Topics[0].File), parent);
}

HelpWindow *HelpWindow::Current() { return s_window; }

void HelpWindow::CloseAll()
{
    if (HelpWindow *window = s_window) {
        s_window = nullptr;
        window->close();
        // At shutdown the event loop may not run again to finish the deferred delete.
        delete window;
    }
}
