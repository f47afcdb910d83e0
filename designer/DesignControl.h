#pragma once

#include "designer/iWidgetHost.h"
#include "model/iDesignControl.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <functional>

class QLabel;

// One control instance of a design form: the design-control interface over a live widget
// from controls/. The getters answer exactly what the core last set (positions in twips,
// visibility, text), never values read back from the widget, which keeps pixels and may be
// hidden by its container; the widget is given the same settings converted to pixels with the
// platform's twips per pixel.
//
// In design mode (the default) the widget shows its content but takes no keyboard focus and
// cannot be edited in place; the design form takes the mouse input through an event filter.
class DesignControl : public iDesignControl, public iWidgetHost
{
public:
    // Takes ownership of the widget.
    DesignControl(int kind, QWidget *widget);
    ~DesignControl() override;
    DesignControl(const DesignControl &) = delete;
    DesignControl &operator=(const DesignControl &) = delete;

    QWidget *Widget() const { return m_widget; }
    // Where the widgets of contained controls go (the widget itself).
    QWidget *ChildArea() const override { return m_widget; }
    // The design control whose widget is `widget` or one of its ancestors up to a container:
    // the control a mouse event on any part of an instance belongs to.
    static DesignControl *Of(const QWidget *widget);

    void SetDesignMode(bool on);
    bool DesignMode() const { return m_designMode; }
    // Turns a picture name into the file to load (URLs are not passed); by default "\" and
    // "/" are made alike and a "FILE://" prefix is dropped.
    using PictureResolver = std::function<QString(const QString &name)>;
    void SetPictureResolver(PictureResolver resolver);

    int Kind() const override { return m_kind; }

    // Reparents the widget into the container's child area when the container is an
    // iWidgetHost; any other container is only recorded.
    void SetContainer(iDesignControl *container) override;
    iDesignControl *Container() const override { return m_container; }
    void Move(int left, int top, int width, int height) override;
    int Left() const override { return m_left; }
    int Top() const override { return m_top; }
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    void SetVisible(bool visible) override;
    bool IsVisible() const override { return m_visible; }
    void BringToFront() override;
    void SetTag(const QString &tag) override { m_tag = tag; }
    QString Tag() const override { return m_tag; }
    void SetTabIndex(int index) override { m_tabIndex = index; }
    int TabIndex() const override { return m_tabIndex; }

    void SetFont(const DesignFont &font) override;
    DesignFont Font() const override { return m_font; }
    bool HasFont() const override;
    void SetForeColor(qint32 colour) override;
    void SetBackColor(qint32 colour) override;
    qint32 ForeColor() const override { return m_foreColor; }
    qint32 BackColor() const override { return m_backColor; }
    void SetAppearance3D(bool on) override;
    void SetBorder(int border) override;
    int Border() const override { return m_border; }
    void SetHelpMarker(bool on) override;

    void SetText(const QString &text) override;
    QString Text() const override { return m_text; }
    void SetValue(const QString &value) override;
    void SetAlignment(int align) override;

    void SetMultiLine(bool on) override;
    void SetVerticalScrollBar(bool on) override;
    void SetPasswordChar(const QString &c) override;
    bool IsMultiLine() const override { return m_multiLine; }
    QString PasswordChar() const override { return m_passwordChar; }

    void SetListRows(const QStringList &rows) override;
    QStringList ListRows() const override { return m_rows; }
    void SetColumnCount(int columns) override;
    void SetColumnHeadings(const QStringList &headings) override;
    void SetColumnWidths(const QList<int> &twips) override;
    void SetMultiSelect(bool on) override;
    void SetCheckBoxes(bool on) override;

    void SetGridSize(int rows, int columns) override;
    void SetGridEditable(bool on) override;
    bool IsGridEditable() const override { return m_gridEditable; }
    void SetCellText(int row, int column, const QString &text) override;
    QString CellText(int row, int column) const override;

    void SetBarItems(const QList<DesignBarItem> &items) override;
    void SetTreeNodes(const QList<DesignTreeNode> &nodes) override;
    void SetTabs(const QStringList &captions) override;
    void SetCurrentTab(int index) override;
    void SetPictureName(const QString &name) override;

    // Settings without a getter in the interface, as last set.
    QString Value() const { return m_value; }
    int Alignment() const { return m_alignment; }
    bool Appearance3D() const { return m_appearance3D; }
    bool HelpMarker() const { return m_helpMarker; }
    bool VerticalScrollBar() const { return m_scrollBar; }
    int ColumnCount() const { return m_columnCount; }
    QStringList ColumnHeadings() const { return m_headings; }
    QList<int> ColumnWidths() const { return m_columnWidths; }
    bool MultiSelect() const { return m_multiSelect; }
    bool CheckBoxes() const { return m_checkBoxes; }
    int GridRows() const { return m_gridRows; }
    int GridColumns() const { return m_gridColumns; }
    const QList<DesignBarItem> &BarItems() const { return m_barItems; }
    const QList<DesignTreeNode> &TreeNodes() const { return m_treeNodes; }
    QStringList Tabs() const { return m_tabs; }
    int CurrentTab() const { return m_currentTab; }
    QString PictureName() const { return m_pictureName; }

private:
    void ApplyDesignMode();
    void ApplyColours();
    void ApplyBorder();
    void PlaceHelpMarker();

    int m_kind;
    QPointer<QWidget> m_widget;
    bool m_designMode = true;
    PictureResolver m_resolvePicture;
    QLabel *m_helpLabel = nullptr;

    iDesignControl *m_container = nullptr;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_visible = false;
    QString m_tag;
    int m_tabIndex = 0;
    DesignFont m_font;
    qint32 m_foreColor = 0;
    qint32 m_backColor = 0;
    bool m_coloursSet = false;
    bool m_appearance3D = false;
    int m_border = 0;
    bool m_helpMarker = false;
    QString m_text;
    QString m_value;
    int m_alignment = 0;
    bool m_multiLine = false;
    bool m_scrollBar = false;
    QString m_passwordChar;
    QStringList m_rows;
    int m_columnCount = 0;
    QStringList m_headings;
    QList<int> m_columnWidths;
    bool m_multiSelect = false;
    bool m_checkBoxes = false;
    int m_gridRows = 0;
    int m_gridColumns = 0;
    bool m_gridEditable = false;
    // Only cells with text are kept: a large empty grid costs nothing.
    QHash<qint64, QString> m_cells;
    QList<DesignBarItem> m_barItems;
    QList<DesignTreeNode> m_treeNodes;
    QStringList m_tabs;
    int m_currentTab = 0;
    QString m_pictureName;
};
