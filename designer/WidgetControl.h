#pragma once

#include "model/iDesignControl.h"

#include <QColor>
#include <QPointer>
#include <QWidget>

// An iDesignControl over any QWidget: positions in twips relative to the container, the
// container as parent widget, z-order, visibility, font, colours and a text for widgets that
// show one. The design form uses it for its own surface and its bar bands; kinds without a
// widget of their own are shown through it as well.
class WidgetControl : public iDesignControl
{
public:
    // Takes the widget; it is deleted with the control unless Qt deleted it first.
    WidgetControl(int kind, QWidget *widget);
    ~WidgetControl() override;
    WidgetControl(const WidgetControl &) = delete;
    WidgetControl &operator=(const WidgetControl &) = delete;

    QWidget *Widget() const { return m_widget; }
    // Where the controls it contains go (the widget itself unless a subclass says otherwise).
    virtual QWidget *Client() const { return m_widget; }

    int Kind() const override { return m_kind; }
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
    void SetAppearance3D(bool on) override { m_appearance3D = on; }
    void SetBorder(int border) override;
    int Border() const override { return m_border; }
    void SetHelpMarker(bool) override {}

    void SetText(const QString &text) override;
    QString Text() const override { return m_text; }
    void SetValue(const QString &value) override { m_value = value; }
    void SetAlignment(int) override {}

    void SetMultiLine(bool on) override { m_multiLine = on; }
    void SetVerticalScrollBar(bool) override {}
    void SetPasswordChar(const QString &c) override { m_passwordChar = c; }
    bool IsMultiLine() const override { return m_multiLine; }
    QString PasswordChar() const override { return m_passwordChar; }

    void SetListRows(const QStringList &rows) override { m_rows = rows; }
    QStringList ListRows() const override { return m_rows; }
    void SetColumnCount(int) override {}
    void SetColumnHeadings(const QStringList &) override {}
    void SetColumnWidths(const QList<int> &) override {}
    void SetMultiSelect(bool) override {}
    void SetCheckBoxes(bool) override {}

    void SetGridSize(int, int) override {}
    void SetGridEditable(bool on) override { m_gridEditable = on; }
    bool IsGridEditable() const override { return m_gridEditable; }
    void SetCellText(int, int, const QString &) override {}
    QString CellText(int, int) const override { return {}; }

    void SetBarItems(const QList<DesignBarItem> &items) override { m_barItems = items; }
    void SetTreeNodes(const QList<DesignTreeNode> &) override {}
    void SetTabs(const QStringList &) override {}
    void SetCurrentTab(int) override {}
    void SetPictureName(const QString &) override {}

    const QList<DesignBarItem> &BarItems() const { return m_barItems; }

    // Twips to pixels and back at the screen's resolution.
    static int ToPixelsX(int twips);
    static int ToPixelsY(int twips);
    // A colour value (RGB 0x00BBGGRR or a system colour) as a QColor.
    static QColor ToColor(qint32 colour);

protected:
    // Places the widget at the stored rectangle.
    virtual void ApplyGeometry();

private:
    int m_kind;
    QPointer<QWidget> m_widget;
    iDesignControl *m_container = nullptr;
    int m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    bool m_visible = true;
    QString m_tag;
    int m_tabIndex = 0;
    DesignFont m_font;
    qint32 m_foreColor = 0;
    qint32 m_backColor = 0xFFFFFF;
    bool m_appearance3D = false;
    int m_border = 0;
    QString m_text;
    QString m_value;
    bool m_multiLine = false;
    QString m_passwordChar;
    QStringList m_rows;
    bool m_gridEditable = false;
    QList<DesignBarItem> m_barItems;
};

// The widget that shows a control, and the widget its children go into; nullptr for a
// control that is not shown by a widget.
QWidget *WidgetOf(const iDesignControl *control);
QWidget *ClientOf(const iDesignControl *control);
