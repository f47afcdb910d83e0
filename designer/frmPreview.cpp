#include "designer/frmPreview.h"

#include "app/clsDesignerSettings.h"
#include "designer/DialogPosition.h"
#include "support/ProgramTitle.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

frmPreview::frmPreview(clsDesigner &designer, iPrompter &prompter, iGuiRuntimeFactory &factory,
                       clsDesignerSettings *settings, QWidget *parent)
    : QWidget(parent, Qt::Window), m_model(designer, prompter, factory), m_settings(settings)
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("Preview - ") + QString::fromLatin1(ProgramTitle));
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("lblTitle"));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_title->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_messages = new QListWidget(this);
    m_messages->setObjectName(QStringLiteral("txtMsgs"));
    m_messages->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_messages->setUniformItemSizes(true);

    m_clear = new QPushButton(QStringLiteral("Clea&r"), this);
    m_clear->setObjectName(QStringLiteral("cmdClear"));
    m_close = new QPushButton(QStringLiteral("&Close"), this);
    m_close->setObjectName(QStringLiteral("cmdClose"));
    m_close->setDefault(true);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("StartupTimer"));
    m_timer->setSingleShot(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_clear);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(m_messages, 1);
    layout->addLayout(buttons);
    resize(520, 320);

    // Escape closes like the button; Ctrl+C copies the selected lines (all when none is).
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    auto *copy = new QShortcut(QKeySequence::Copy, m_messages);
    copy->setContext(Qt::WidgetShortcut);
    connect(copy, &QShortcut::activated, this, [this] { QGuiApplication::clipboard()->setText(SelectedText()); });

    connect(m_clear, &QPushButton::clicked, this, [this] { m_model.Clear(); });
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_timer, &QTimer::timeout, this, [this] { m_model.StartupTimerTick(); });
    m_model.SetView(this);
}

frmPreview::~frmPreview()
{
    m_model.SetView(nullptr);
    m_model.Close();
}

bool frmPreview::Preview(const clsControl *selected)
{
    return m_model.Preview(selected);
}

QString frmPreview::SelectedText() const
{
    QStringList lines;
    const bool all = m_messages->selectedItems().isEmpty();
    for (int i = 0; i < m_messages->count(); ++i)
        if (all || m_messages->item(i)->isSelected())
            lines << m_messages->item(i)->text();
    return lines.join(QLatin1Char('\n'));
}

void frmPreview::closeEvent(QCloseEvent *event)
{
    m_timer->stop();
    m_model.Close();
    StorePosition();
    event->accept();
}

void frmPreview::TitleChanged(const QString &title)
{
    m_title->setText(title);
}

void frmPreview::CloseCaptionChanged(const QString &caption)
{
    m_close->setText(caption);
}

void frmPreview::MessagesCleared()
{
    m_messages->clear();
}

void frmPreview::MessageAdded(const QString &line)
{
    m_messages->addItem(line);
    m_messages->scrollToBottom();
}

void frmPreview::StartTimer(int milliseconds)
{
    m_timer->start(milliseconds);
}

void frmPreview::ShowWindow()
{
    if (!m_positioned) {
        RestorePosition();
        m_positioned = true;
    }
    show();
    raise();
    activateWindow();
}

void frmPreview::RestorePosition()
{
    // In twips, like every other window key. A value an older designer stored in pixels
    // reads as a place nearer the top left corner, still on the screen, and is stored in
    // twips when the window closes.
    DialogPosition::Restore(*this, m_settings, QStringLiteral("PreviewLeft"),
                            QStringLiteral("PreviewTop"));
    DialogPosition::KeepInside(*this);
}

void frmPreview::StorePosition()
{
    DialogPosition::Store(*this, m_settings, QStringLiteral("PreviewLeft"),
                          QStringLiteral("PreviewTop"));
}
