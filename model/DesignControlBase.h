#pragma once

#include "model/iDesignControl.h"

#include <unordered_map>
#include <vector>

// A design control that keeps every setting exactly as it was given and answers its getters
// from what it kept, so it meets the contract of iDesignControl by construction. A widget
// adapter derives from it, overrides the setters of what its widget shows and calls the base
// setter first; settings its widget does not show are kept and answered here, harmlessly.
// PlainControl is this class with a form's z-order and nothing shown at all.
class DesignControlBase : public iDesignControl
{
public:
    explicit DesignControlBase(int kind) : m_kind(kind) {}

    int Kind() const override { return m_kind; }

    void SetContainer(iDesignControl *container) override { m_container = container; }
    iDesignControl *Container() const override { return m_container; }
    void Move(int left, int top, int width, int height) override;
    int Left() const override { return m_left; }
    int Top() const override { return m_top; }
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    void SetVisible(bool visible) override { m_visible = visible; }
    bool IsVisible() const override { return m_visible; }
    // Nothing to reorder without a window.
    void BringToFront() override {}
    void SetTag(const QString &tag) override { m_tag = tag; }
    QString Tag() const override { return m_tag; }
    void SetTabIndex(int index) override { m_tabIndex = index; }
    int TabIndex() const override { return m_tabIndex; }

    void SetFont(const DesignFont &font) override { m_font = font; }
    DesignFont Font() const override { return m_font; }
    bool HasFont() const override;
    void SetForeColor(qint32 colour) override { m_foreColor = colour; }
    void SetBackColor(qint32 colour) override { m_backColor = colour; }
    qint32 ForeColor() const override { return m_foreColor; }
    qint32 BackColor() const override { return m_backColor; }
    void SetAppearance3D(bool on) override { m_appearance3D = on; }
    void SetBorder(int border) override { m_border = border; }
    int Border() const override { return m_border; }
    void SetHelpMarker(bool on) override { m_helpMarker = on; }

    void SetText(const QString &text) override { m_text = text; }
    QString Text() const override { return m_text; }
    void SetValue(const QString &value) override { m_value = value; }
    void SetAlignment(int align) override { m_alignment = align; }

    void SetMultiLine(bool on) override { m_multiLine = on; }
    void SetVerticalScrollBar(bool on) override { m_scrollBar = on; }
    void SetPasswordChar(const QString &c) override { m_passwordChar = c; }
    bool IsMultiLine() const override { return m_multiLine; }
    QString PasswordChar() const override { return m_passwordChar; }

    void SetListRows(const QStringList &rows) override { m_rows = rows; }
    QStringList ListRows() const override { return m_rows; }
    void SetColumnCount(int columns) override { m_columnCount = columns; }
    void SetColumnHeadings(const QStringList &headings) override { m_headings = headings; }
    void SetColumnWidths(const QList<int> &twips) override { m_columnWidths = twips; }
    void SetMultiSelect(bool on) override { m_multiSelect = on; }
    void SetCheckBoxes(bool on) override { m_checkBoxes = on; }

    void SetGridSize(int rows, int columns) override;
    void SetGridEditable(bool on) override { m_gridEditable = on; }
    bool IsGridEditable() const override { return m_gridEditable; }
    void SetHeadingRowVisible(bool on) override { m_headingRow = on; }
    void SetCellText(int row, int column, const QString &text) override;
    QString CellText(int row, int column) const override;

    void SetBarItems(const QList<DesignBarItem> &items) override { m_barItems = items; }
    void SetTreeNodes(const QList<DesignTreeNode> &nodes) override { m_treeNodes = nodes; }
    void SetTabs(const QStringList &captions) override { m_tabs = captions; }
    void SetCurrentTab(int index) override { m_currentTab = index; }
    void SetMultiRowTabs(bool on) override { m_multiRowTabs = on; }
    void SetPictureName(const QString &name) override { m_pictureName = name; }
    void SetPictureScale(int mode) override { m_pictureScale = mode; }

    // Recorded settings that have no getter in the interface.
    bool Appearance3D() const { return m_appearance3D; }
    bool HelpMarker() const { return m_helpMarker; }
    QString Value() const { return m_value; }
    int Alignment() const { return m_alignment; }
    bool VerticalScrollBar() const { return m_scrollBar; }
    int ColumnCount() const { return m_columnCount; }
    QStringList ColumnHeadings() const { return m_headings; }
    QList<int> ColumnWidths() const { return m_columnWidths; }
    bool MultiSelect() const { return m_multiSelect; }
    bool CheckBoxes() const { return m_checkBoxes; }
    int GridRows() const { return m_gridRows; }
    int GridColumns() const { return m_gridColumns; }
    bool HeadingRowVisible() const { return m_headingRow; }
    const QList<DesignBarItem> &BarItems() const { return m_barItems; }
    const QList<DesignTreeNode> &TreeNodes() const { return m_treeNodes; }
    QStringList Tabs() const { return m_tabs; }
    int CurrentTab() const { return m_currentTab; }
    bool MultiRowTabs() const { return m_multiRowTabs; }
    QString PictureName() const { return m_pictureName; }
    int PictureScale() const { return m_pictureScale; }

private:
    int m_kind;
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
    bool m_headingRow = true;
    // The cells that hold text, by 0-based row and in each row by 0-based column: a grid is
    // shown row by row, which then goes through memory in order; an empty grid costs nothing.
    std::unordered_map<int, std::vector<QString>> m_cellRows;
    QList<DesignBarItem> m_barItems;
    QList<DesignTreeNode> m_treeNodes;
    QStringList m_tabs;
    int m_currentTab = 0;
    bool m_multiRowTabs = false;
    QString m_pictureName;
    int m_pictureScale = 0;
};
