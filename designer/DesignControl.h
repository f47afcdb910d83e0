#pragma once

#include "designer/iWidgetHost.h"
#include "model/DesignControlBase.h"

#include <QHash>
#include <QIcon>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

class QLabel;

// One control instance of a design form: the design-control interface over a live widget
// from controls/. The getters answer exactly what the core last set (positions in twips,
// visibility, text), never values read back from the widget, which keeps pixels and may be
// hidden by its container; the widget is given the same settings converted to pixels with the
// platform's twips per pixel.
//
// In design mode (the default) the widget shows its content but takes no keyboard focus and
// cannot be edited in place; the design form takes the mouse input through an event filter.
class DesignControl : public DesignControlBase, public iWidgetHost
{
public:
    // Takes ownership of the widget.
    DesignControl(int kind, QWidget *widget);
    ~DesignControl() override;
    DesignControl(const DesignControl &) = delete;
    DesignControl &operator=(const DesignControl &) = delete;

    // The widget with every setting applied (held ones included, see HoldSettings).
    QWidget *Widget() const
    {
        if (m_held)
            const_cast<DesignControl *>(this)->ApplyHeldSettings();
        return m_widget;
    }
    // Where the widgets of contained controls go (the widget itself).
    QWidget *ChildArea() const override { return m_widget; }
    // The design control whose widget is `widget` or one of its ancestors up to a container:
    // the control a mouse event on any part of an instance belongs to.
    static DesignControl *Of(const QWidget *widget);

    // While a form is loaded on a surface nobody sees yet, its controls receive their font,
    // colours and caption one setting at a time (an ID, then the caption; a font name, then
    // its size, weight and style). Held settings are only remembered (the getters answer
    // them at once) and reach the widget in one step when ApplyHeldSettings is called, which
    // also ends the holding; Widget() applies them too, so whoever looks at the widget sees
    // it complete.
    void HoldSettings();
    void ApplyHeldSettings();
    bool HoldsSettings() const { return m_held; }

    void SetDesignMode(bool on);
    bool DesignMode() const { return m_designMode; }
    // An event filter on the widget and every part of it (inner editors, buttons, the
    // viewports of lists), also on parts made later when the content changes: the design
    // form takes the mouse input of its instances this way. nullptr removes it.
    void SetInputFilter(QObject *filter);
    // Turns a picture name into the file to load (URLs are not passed); by default "\" and
    // "/" are made alike and a "FILE://" prefix is dropped.
    using PictureResolver = std::function<QString(const QString &name)>;
    void SetPictureResolver(PictureResolver resolver);
    // Pictures named by URLs are downloaded before the setting returns rather than in the
    // background: for a form drawn at once (rendering).
    void SetWaitForDownloads(bool on);

    // Reparents the widget into the container's child area when the container is an
    // iWidgetHost; any other container is only recorded.
    void SetContainer(iDesignControl *container) override;
    void Move(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    void BringToFront() override;

    void SetFont(const DesignFont &font) override;
    void SetFontFrom(const std::function<DesignFont()> &font) override;
    DesignFont Font() const override;
    void SetForeColor(qint32 colour) override;
    void SetBackColor(qint32 colour) override;
    void SetAppearance3D(bool on) override;
    void SetBorder(int border) override;
    void SetHelpMarker(bool on) override;

    void SetText(const QString &text) override;
    void SetValue(const QString &value) override;
    void SetAlignment(int align) override;

    void SetMultiLine(bool on) override;
    void SetVerticalScrollBar(bool on) override;
    void SetPasswordChar(const QString &c) override;

    void SetListRows(const QStringList &rows) override;
    void SetColumnCount(int columns) override;
    void SetColumnHeadings(const QStringList &headings) override;
    void SetColumnWidths(const QList<int> &twips) override;
    void SetMultiSelect(bool on) override;
    void SetCheckBoxes(bool on) override;

    void SetGridSize(int rows, int columns) override;
    void SetGridEditable(bool on) override;
    void SetHeadingRowVisible(bool on) override;
    void SetCellText(int row, int column, const QString &text) override;

    void SetBarItems(const QList<DesignBarItem> &items) override;
    void SetTreeNodes(const QList<DesignTreeNode> &nodes) override;
    void SetTabs(const QStringList &captions) override;
    void SetCurrentTab(int index) override;
    void SetMultiRowTabs(bool on) override;
    void SetPictureName(const QString &name) override;
    // Auto resize shows the picture in its natural size: the control keeps the size the
    // project gives it, so what is shown and what is stored agree.
    void SetPictureScale(int mode) override;

private:
    void ApplyDesignMode();
    // The widget and its inner parts, without the widgets of contained controls.
    QList<QWidget *> OwnParts() const;
    void ApplyColours();
    void ApplyFont();
    void ApplyText();
    // True when the setting is held: the widget gets it from ApplyHeldSettings.
    bool Hold(unsigned setting);
    void ApplyBorder();
    void PlaceHelpMarker();
    // The small icon of a picture name (tree nodes, tool buttons); loaded once per name.
    QIcon SmallIcon(const QString &name);

    QPointer<QWidget> m_widget;
    // The widget as registered for Of(), also once it is gone.
    const QWidget *m_registered = nullptr;
    bool m_designMode = true;
    // A held font not made yet: made when it is asked for or applied.
    mutable std::function<DesignFont()> m_fontSource;
    // The focus policy each part had before design mode took it away.
    std::vector<std::pair<QPointer<QWidget>, Qt::FocusPolicy>> m_ownFocus;
    PictureResolver m_resolvePicture;
    QLabel *m_helpLabel = nullptr;
    QHash<QString, QIcon> m_icons;
    QPointer<QObject> m_inputFilter;
    bool m_waitForDownloads = false;

    bool m_coloursSet = false;
    enum HeldSetting : unsigned { HeldFont = 1, HeldColours = 2, HeldText = 4 };
    bool m_held = false;
    unsigned m_heldSettings = 0;
};
