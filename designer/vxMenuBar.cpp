#include "designer/vxMenuBar.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

vxMenuBar::vxMenuBar(QMainWindow &window) : QObject(&window), m_window(window) {}

void vxMenuBar::AddMenuBarBand(const QString &band)
{
    QMenuBar *bar = m_window.menuBar();
    bar->setObjectName(band);
    m_bands.insert(band, {BandKind::MenuBar, bar});
}

QToolBar *vxMenuBar::AddToolBand(const QString &band, const QString &title)
{
    QToolBar *bar = m_window.addToolBar(title);
    bar->setObjectName(band);
    bar->setMovable(false);
    bar->setIconSize(QSize(20, 20));
    m_bands.insert(band, {BandKind::ToolBar, bar});
    return bar;
}

QMenu *vxMenuBar::AddPopupBand(const QString &band)
{
    auto *menu = new QMenu(&m_window);
    menu->setObjectName(band);
    connect(menu, &QMenu::aboutToShow, this, [this, band] { Q_EMIT MenuOpening(band, QString()); });
    m_bands.insert(band, {BandKind::Popup, menu});
    return menu;
}

QStatusBar *vxMenuBar::AddStatusBand(const QString &band)
{
    QStatusBar *bar = m_window.statusBar();
    bar->setObjectName(band);
    m_bands.insert(band, {BandKind::Status, bar});
    return bar;
}

void vxMenuBar::SetBandVisible(const QString &band, bool visible)
{
    const auto found = m_bands.constFind(band);
    // A pop-up band is shown on demand only.
    if (found == m_bands.constEnd() || !found->Widget || found->Kind == BandKind::Popup)
        return;
    found->Widget->setVisible(visible);
}

bool vxMenuBar::BandVisible(const QString &band) const
{
    QWidget *widget = BandWidget(band);
    // Hidden explicitly, not merely because the window is not shown yet.
    return widget && !widget->isHidden();
}

QWidget *vxMenuBar::BandWidget(const QString &band) const
{
    const auto found = m_bands.constFind(band);
    return found == m_bands.constEnd() ? nullptr : found->Widget.data();
}

QToolBar *vxMenuBar::ToolBand(const QString &band) const
{
    const auto found = m_bands.constFind(band);
    return found != m_bands.constEnd() && found->Kind == BandKind::ToolBar
               ? qobject_cast<QToolBar *>(found->Widget.data())
               : nullptr;
}

void vxMenuBar::ShowPopup(const QString &band, const QPoint &globalPos)
{
    QMenu *menu = nullptr;
    const auto found = m_bands.constFind(band);
    if (found != m_bands.constEnd())
        menu = qobject_cast<QMenu *>(found->Widget.data());
    if (!menu) {
        for (auto it = m_menus.constBegin(); it != m_menus.constEnd(); ++it)
            if (it.key().endsWith(QLatin1Char('.') + band) && it.value()) {
                menu = it.value();
                break;
            }
    }
    if (menu)
        menu->popup(globalPos);
}

QWidget *vxMenuBar::Container(const QString &band, const QString &menu) const
{
    if (!menu.isEmpty())
        return Menu(band, menu);
    return BandWidget(band);
}

QMenu *vxMenuBar::AddMenu(const QString &band, const QString &parentMenu, const QString &key,
                          const QString &caption, bool group)
{
    QWidget *container = Container(band, parentMenu);
    if (!container)
        return nullptr;
    auto *menu = new QMenu(caption, container);
    menu->setObjectName(MenuId(band, key));
    menu->menuAction()->setObjectName(MenuId(band, key));
    if (auto *bar = qobject_cast<QMenuBar *>(container)) {
        bar->addMenu(menu);
    } else if (auto *parent = qobject_cast<QMenu *>(container)) {
        if (group && !parent->isEmpty())
            parent->addSeparator();
        parent->addMenu(menu);
    } else {
        delete menu;
        return nullptr;
    }
    connect(menu, &QMenu::aboutToShow, this, [this, band, key] { Q_EMIT MenuOpening(band, key); });
    m_menus.insert(MenuId(band, key), menu);
    return menu;
}

QMenu *vxMenuBar::Menu(const QString &band, const QString &key) const
{
    return m_menus.value(MenuId(band, key)).data();
}

QAction *vxMenuBar::AddTool(const QString &band, const QString &menu, const ToolEntry &entry,
                            QAction *before)
{
    QWidget *container = Container(band, menu);
    if (!container || entry.Key.isEmpty())
        return nullptr;
    QAction *action = m_tools.value(entry.Key);
    if (!action) {
        action = new QAction(entry.Caption, &m_window);
        action->setObjectName(entry.Key);
        if (!entry.Shortcut.isEmpty())
            action->setShortcuts(QKeySequence::listFromString(entry.Shortcut, QKeySequence::PortableText));
        const QString key = entry.Key;
        connect(action, &QAction::triggered, this, [this, key] { Q_EMIT Click(key); });
        m_tools.insert(entry.Key, action);
        // Shortcuts work wherever the focus is inside the main window, menus open or not.
        m_window.addAction(action);
    } else {
        if (action->text().isEmpty())
            action->setText(entry.Caption);
        if (action->shortcut().isEmpty() && !entry.Shortcut.isEmpty())
            action->setShortcuts(QKeySequence::listFromString(entry.Shortcut, QKeySequence::PortableText));
    }
    if (!entry.ToolTip.isEmpty() && action->toolTip() == action->iconText())
        action->setToolTip(entry.ToolTip);
    if (!entry.Icon.isNull() && action->icon().isNull())
        action->setIcon(entry.Icon);

    // A group starts with a separator, except at the very top of its container.
    const bool atTop = before ? container->actions().indexOf(before) <= 0
                              : container->actions().isEmpty();
    if (entry.Group && !atTop) {
        auto *separator = new QAction(container);
        separator->setSeparator(true);
        separator->setObjectName(entry.Key + QStringLiteral(".group"));
        container->insertAction(before, separator);
    }
    container->insertAction(before, action);
    if (auto *toolBar = qobject_cast<QToolBar *>(container)) {
        if (QWidget *button = toolBar->widgetForAction(action))
            button->setObjectName(band + QLatin1Char('.') + entry.Key);
    }
    return action;
}

void vxMenuBar::RemoveTool(const QString &key)
{
    QAction *action = m_tools.take(key);
    if (!action)
        return;
    // Its group separators go with it.
    const QString separatorName = key + QStringLiteral(".group");
    for (QObject *object : action->associatedObjects()) {
        if (auto *widget = qobject_cast<QWidget *>(object)) {
            for (QAction *other : widget->actions())
                if (other->isSeparator() && other->objectName() == separatorName) {
                    widget->removeAction(other);
                    other->deleteLater();
                }
        }
    }
    delete action;
}

void vxMenuBar::SetEnabled(const QString &key, bool enabled)
{
    if (QAction *action = Tool(key))
        action->setEnabled(enabled);
}

bool vxMenuBar::Enabled(const QString &key) const
{
    QAction *action = Tool(key);
    return action && action->isEnabled();
}

void vxMenuBar::SetChecked(const QString &key, bool checked)
{
    if (QAction *action = Tool(key)) {
        action->setCheckable(true);
        action->setChecked(checked);
    }
}

bool vxMenuBar::Checked(const QString &key) const
{
    QAction *action = Tool(key);
    return action && action->isChecked();
}

void vxMenuBar::SetVisible(const QString &key, bool visible)
{
    if (QAction *action = Tool(key))
        action->setVisible(visible);
}

bool vxMenuBar::Visible(const QString &key) const
{
    QAction *action = Tool(key);
    return action && action->isVisible();
}

void vxMenuBar::SetCaption(const QString &key, const QString &caption)
{
    if (QAction *action = Tool(key)) {
        // The tool tip was its own; keep it when the caption changes.
        const QString tip = action->toolTip();
        const bool ownTip = tip != action->iconText();
        action->setText(caption);
        if (ownTip)
            action->setToolTip(tip);
    }
}

QString vxMenuBar::Caption(const QString &key) const
{
    QAction *action = Tool(key);
    return action ? action->text() : QString();
}

void vxMenuBar::SetShortcut(const QString &key, const QString &shortcut)
{
    if (QAction *action = Tool(key))
        action->setShortcuts(QKeySequence::listFromString(shortcut, QKeySequence::PortableText));
}

QString vxMenuBar::Shortcut(const QString &key) const
{
    QAction *action = Tool(key);
    return action ? action->shortcut().toString(QKeySequence::PortableText) : QString();
}

QString vxMenuBar::ToolTip(const QString &key) const
{
    QAction *action = Tool(key);
    return action ? action->toolTip() : QString();
}

QLabel *vxMenuBar::AddPanel(const QString &band, const QString &key, const QString &text,
                            const QString &toolTip)
{
    auto *bar = qobject_cast<QStatusBar *>(BandWidget(band));
    if (!bar)
        return nullptr;
    auto *label = new QLabel(text, bar);
    label->setObjectName(key);
    label->setToolTip(toolTip);
    if (m_panels.isEmpty()) {
        label->setMinimumWidth(160);
        bar->addWidget(label, 1);
    } else {
        label->setMinimumWidth(90);
        label->setAlignment(Qt::AlignCenter);
        bar->addPermanentWidget(label);
    }
    m_panels.insert(key, label);
    return label;
}
