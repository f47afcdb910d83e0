#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>

// One visible control on a design form, as the wrappers configure it. The design surface
// implements it with real widgets; PlainControl records the settings for headless use.
// Positions and sizes are in twips, relative to the container; colours are colour values
// (RGB 0x00BBGGRR, or 0x80000000 plus a system-colour index).
//
// The contract every implementation keeps: a getter returns exactly what the core last set,
// not what the view makes of it. Left/Top/Width/Height give back the twips of the last Move
// (a widget that places itself in whole pixels keeps the twips beside it, or 100 twips would
// come back as 105 after one round trip); IsVisible gives back the last SetVisible (a widget
// under a hidden parent still answers true); Font, colours, Border, Text, list rows, cells and
// the rest give back the value as it was given. DesignControlBase keeps the contract by
// construction. The core relies on it where it reads a control back (a shift by the keyboard,
// a type change); where it needs its own values it uses the ones it stored itself.
struct DesignFont
{
    QString Name;
    double Size = 0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool operator==(const DesignFont &) const = default;
};

// One entry of a menu, pop-up menu, tool bar or status bar as the bar control shows it.
struct DesignBarItem
{
    enum Kind { Command, SubMenu, WindowList, Separator, Button, TextPanel, AutoPanel };
    Kind ItemKind = Command;
    QString ID;
    int Level = 1;
    QString Caption;
    QString Icon;
    bool Enabled = true;
    bool Visible = true;
    QString ToolTip;
    QString Action;          // the standard action the ID names ("*Cut", ...), or empty
    bool ListsWindows = false; // "*WINDOW": lists the open windows (also as a submenu)
    bool GroupBreak = false; // a separator precedes it
    int PanelWidth = 0;      // twips; 0 automatic, -1 spring
    int PanelAlign = 0;
    QString PanelKeyword;    // "CAPS", "NUM", ... for an automatic status panel
};

// One node of a tree as the tree control shows it.
struct DesignTreeNode
{
    QString ID;
    int Level = 1;
    QString Caption;
    QString Icon;
    int State = 0;
    QString Hint;
};

class iDesignControl
{
public:
    virtual ~iDesignControl() = default;

    // The instance kind the design form made it for (an object type code, 998 or 999).
    virtual int Kind() const = 0;

    virtual void SetContainer(iDesignControl *container) = 0;
    virtual iDesignControl *Container() const = 0;
    virtual void Move(int left, int top, int width, int height) = 0;
    virtual int Left() const = 0;
    virtual int Top() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool IsVisible() const = 0;
    virtual void BringToFront() = 0;
    virtual void SetTag(const QString &tag) = 0;
    virtual QString Tag() const = 0;
    virtual void SetTabIndex(int index) = 0;
    virtual int TabIndex() const = 0;

    virtual void SetFont(const DesignFont &font) = 0;
    // The font that font() makes, asked for when the control needs it: a control that waits
    // to show asks once however often its font changed until then. The callable must not be
    // kept beyond the next SetFont, SetFontFrom or Font.
    virtual void SetFontFrom(const std::function<DesignFont()> &font) { SetFont(font()); }
    virtual DesignFont Font() const = 0;
    // Whether the control shows text in a font of its own (pictures, browsers, timers and
    // bars do not).
    virtual bool HasFont() const = 0;
    virtual void SetForeColor(qint32 colour) = 0;
    virtual void SetBackColor(qint32 colour) = 0;
    virtual qint32 ForeColor() const = 0;
    virtual qint32 BackColor() const = 0;
    virtual void SetAppearance3D(bool on) = 0;
    virtual void SetBorder(int border) = 0; // 0 none, 1 single, 2 3D
    virtual int Border() const = 0;
    virtual void SetHelpMarker(bool on) = 0;

    // The text shown: a caption, or the data of a text box or label (lines split by '\n').
    virtual void SetText(const QString &text) = 0;
    virtual QString Text() const = 0;
    // Data of controls that show a state rather than text (check box, gauge, option group).
    virtual void SetValue(const QString &value) = 0;
    virtual void SetAlignment(int align) = 0;

    // Text boxes.
    virtual void SetMultiLine(bool on) = 0;
    virtual void SetVerticalScrollBar(bool on) = 0;
    virtual void SetPasswordChar(const QString &c) = 0;
    virtual bool IsMultiLine() const = 0;
    virtual QString PasswordChar() const = 0;

    // List and combo boxes: one row per entry, columns joined by a tab.
    virtual void SetListRows(const QStringList &rows) = 0;
    virtual QStringList ListRows() const = 0;
    virtual void SetColumnCount(int columns) = 0;
    virtual void SetColumnHeadings(const QStringList &headings) = 0;
    virtual void SetColumnWidths(const QList<int> &twips) = 0;
    virtual void SetMultiSelect(bool on) = 0;
    virtual void SetCheckBoxes(bool on) = 0;

    // Grids.
    virtual void SetGridSize(int rows, int columns) = 0;
    virtual void SetGridEditable(bool on) = 0;
    virtual bool IsGridEditable() const = 0;
    // The row of column headings above the cells (shown unless switched off).
    virtual void SetHeadingRowVisible(bool on) = 0;
    virtual void SetCellText(int row, int column, const QString &text) = 0;
    virtual QString CellText(int row, int column) const = 0;

    // Bars, trees, tab groups, pictures.
    virtual void SetBarItems(const QList<DesignBarItem> &items) = 0;
    virtual void SetTreeNodes(const QList<DesignTreeNode> &nodes) = 0;
    virtual void SetTabs(const QStringList &captions) = 0;
    virtual void SetCurrentTab(int index) = 0; // 1-based; 0 none
    // Tabs that do not fit across wrap onto further rows. Other controls ignore it.
    virtual void SetMultiRowTabs(bool on) { Q_UNUSED(on); }
    virtual void SetPictureName(const QString &name) = 0;
    // How a picture control fills its area: 0 no scaling, 1 preserve aspect, 2 scale to fit,
    // 3 auto resize. Controls that show no picture ignore it.
    virtual void SetPictureScale(int mode) { Q_UNUSED(mode); }
};
