#pragma once

#include <QHash>
#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QStatusBar;
class QToolBar;
class QWidget;

// The main window's bands over Qt's menu bar, menus, tool bars and status bar, addressed by
// string keys: a band ("MainMenu", "BandMain", "Popup", "StatusBar"), a menu of a band
// ("File"), a tool ("Save"). A tool is one action whatever band shows it, so its enabled,
// checked, visible, caption and shortcut settings hold in every band at once and a shortcut
// never fires twice. Every click arrives as one signal carrying the tool's key.
//
// Object names follow the tools' keys: each action is named by its key, a tool-bar button by
// band + "." + key, a menu-bar menu by band + "." + menu key, a pop-up band by its key and
// its sub-menus by band + "." + sub-menu key.
class vxMenuBar final : public QObject
{
    Q_OBJECT

public:
    explicit vxMenuBar(QMainWindow &window);

    // ---- Bands ------------------------------------------------------------------------
    // The window's menu bar.
    void AddMenuBarBand(const QString &band);
    QToolBar *AddToolBand(const QString &band, const QString &title);
    // A band shown only as a pop-up menu.
    QMenu *AddPopupBand(const QString &band);
    // The window's status bar; its tools are text panels.
    QStatusBar *AddStatusBand(const QString &band);
    bool HasBand(const QString &band) const { return m_bands.contains(band); }

    void SetBandVisible(const QString &band, bool visible);
    bool BandVisible(const QString &band) const;
    QWidget *BandWidget(const QString &band) const;
    QToolBar *ToolBand(const QString &band) const;
    // Shows a pop-up band (or a menu of any band, by its key) at the global position; the
    // chosen tool's click arrives as usual. Returns at once.
    void ShowPopup(const QString &band, const QPoint &globalPos);

    // ---- Menus ------------------------------------------------------------------------
    // A menu of the band: a top-level menu of the menu bar, or a sub-menu (of parentMenu, or
    // of the pop-up band itself when parentMenu is empty). group puts a separator before it.
    QMenu *AddMenu(const QString &band, const QString &parentMenu, const QString &key,
                   const QString &caption, bool group = false);
    QMenu *Menu(const QString &band, const QString &key) const;

    // ---- Tools ------------------------------------------------------------------------
    struct ToolEntry
    {
        QString Key;
        QString Caption;
        QString Shortcut; // Qt's portable text, or empty
        bool Group = false;
        QString ToolTip;
        QIcon Icon;
    };
    // Puts the tool into the band (into menu, when given), before `before` when given. A key
    // the bar already knows reuses its action; the first caption, shortcut and tool tip given
    // for a key are its own until changed (an empty one is filled in by a later band).
    QAction *AddTool(const QString &band, const QString &menu, const ToolEntry &entry,
                     QAction *before = nullptr);
    // Takes the tool out of every band and forgets it.
    void RemoveTool(const QString &key);
    QAction *Tool(const QString &key) const { return m_tools.value(key); }
    bool HasTool(const QString &key) const { return m_tools.contains(key); }

    void SetEnabled(const QString &key, bool enabled);
    bool Enabled(const QString &key) const;
    void SetChecked(const QString &key, bool checked);
    bool Checked(const QString &key) const;
    void SetVisible(const QString &key, bool visible);
    bool Visible(const QString &key) const;
    void SetCaption(const QString &key, const QString &caption);
    QString Caption(const QString &key) const;
    void SetShortcut(const QString &key, const QString &shortcut);
    QString Shortcut(const QString &key) const;
    QString ToolTip(const QString &key) const;

    // ---- Status panels ------------------------------------------------------------------
    // A text panel of the status band; the first one added stretches.
    QLabel *AddPanel(const QString &band, const QString &key, const QString &text,
                     const QString &toolTip);
    QLabel *Panel(const QString &key) const { return m_panels.value(key); }

Q_SIGNALS:
    // A tool was clicked (or its shortcut pressed).
    void Click(const QString &key);
    // A menu is about to open: the place to rebuild its dynamic tools.
    void MenuOpening(const QString &band, const QString &menuKey);

private:
    enum class BandKind { MenuBar, ToolBar, Popup, Status };
    struct Band
    {
        BandKind Kind;
        QPointer<QWidget> Widget;
    };
    QWidget *Container(const QString &band, const QString &menu) const;
    static QString MenuId(const QString &band, const QString &key) { return band + QLatin1Char('.') + key; }

    QMainWindow &m_window;
    QHash<QString, Band> m_bands;
    QHash<QString, QPointer<QMenu>> m_menus; // by band + "." + key
    QHash<QString, QAction *> m_tools;
    QHash<QString, QLabel *> m_panels;
};
