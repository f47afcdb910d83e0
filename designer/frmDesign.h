#pragma once

#include "model/iFormFuncs.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QIcon>
#include <QImage>
#include <QMdiSubWindow>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class QKeyEvent;
class QMdiArea;
class QMouseEvent;
class QRubberBand;
class QWidget;
class DesignControl;
class clsControl;
class iDesignFormHost;
class ucSizer;

// The design surface of one form (or of the application's own frame): the form's client area
// as a widget with the form's colour or picture and the design grid, the live control
// instances on it, their selection sizers and the bands of its bars. Mouse input reaches the
// form through an event filter on every instance, so the control widgets stay as they are at
// run time; the form turns it into selection, drags, the property sheet and the context menu
// through its host. Without a host (rendering) the form only shows.
class frmDesign final : public QObject, public iFormFuncs
{
    Q_OBJECT

public:
    frmDesign(clsControl &owner, int type, iDesignFormHost *host);
    ~frmDesign() override;

    // Turns the picture and icon names of the form and its controls into files to load (by
    // default only "\" and "/" are made alike): set before the controls are made.
    using PictureResolver = std::function<QString(const QString &name)>;
    void SetPictureResolver(PictureResolver resolver);

    // ---- iFormFuncs ---------------------------------------------------------------------
    iControlWrapper *Wrapper() const override { return m_wrapper; }
    void SetWrapper(iControlWrapper *wrapper) override { m_wrapper = wrapper; }
    iDesignControl *CreateControlInstance(int type) override;
    void DeleteControlInstance(int type, iDesignControl *control) override;
    iDesignControl *Surface() override;
    iDesignControl *MenuControl() override;
    QString Title() const override { return m_title; }
    void SetTitle(const QString &title) override;
    int InsetLeft() const override { return m_insets[0]; }
    int InsetTop() const override { return m_insets[1]; }
    int InsetRight() const override { return m_insets[2]; }
    int InsetBottom() const override { return m_insets[3]; }
    void SetInsets(int left, int top, int right, int bottom) override;
    void RefreshBackground() override;
    void SetMdi(bool) override {}
    // The window's icon: a picture file, empty for the default icon, "none" for none.
    void SetIcon(const QString &name) override;
    QIcon WindowIcon() const { return m_icon; }
    iItemSizer *CreateSizer() override;
    void DeleteSizer(iItemSizer *sizer) override;

    // ---- The form's own operations ------------------------------------------------------
    void SetBackColor(qint32 colour);
    // Scaled to the client area; a null image removes the picture.
    void SetBackPicture(const QImage &picture);
    qint32 BackColorRgb() const { return m_backColor; }
    // Grid spacings in twips; dots are drawn while both are positive and design aids show.
    // The form takes them from its application's scale unit when it is made and again on
    // every selection on it; its sizers drag by them.
    void SetGrid(int gridX, int gridY);
    int GridX() const { return m_gridX; }
    int GridY() const { return m_gridY; }
    // Whether the sizers snap to the grid: the designer's switch, as it stands now.
    bool SnapToGrid() const;
    // Makes the item the selection as a click on it would, with the grid read again first.
    void SelectItem(clsControl &item);
    // The sizer of an item of this form (made on first use), or nullptr.
    ucSizer *SizerOf(clsControl &item);
    // The controls laid out directly in a container (the form or a frame, picture or tab
    // panel) that a selection of several may hold: not the timer, not the bars.
    static QList<clsControl *> LaidOutControls(const clsControl &container);
    // Ctrl+A: every control laid out on the form itself; the primary stays when it is one.
    bool SelectAllControls();
    // Ctrl+arrow moves the selected controls by one grid step while the sizers snap, else by
    // one pixel; with Shift the primary grows or shrinks instead.
    bool NudgeSelection(int dx, int dy, bool resize);
    // The keys of the design surface (also handed on by the project tree): Ctrl+A and
    // Ctrl(+Shift)+arrows. True when the key was one of them.
    bool HandleKey(const QKeyEvent &event);
    // The rubber band being dragged (client-area pixels), or an empty rectangle.
    QRect RubberBand() const;
    // Places the bands of the docked bars along the edges (also done after every change of
    // the insets, once the bar being made is registered).
    void LayoutBands();
    // Places the panels of every tab group over its page area, showing the current tab's.
    void LayoutTabPanels();
    // Design aids are the grid dots and the sizers; a rendered picture leaves them out.
    void SetDesignAids(bool on);

    clsControl &Owner() const { return m_owner; }
    iDesignFormHost *Host() const { return m_host; }
    // The client area: the widget the controls and bands are children of, with every control
    // showing all its settings.
    QWidget *Canvas() const;
    // Applies the settings the controls hold while the surface waits to be shown (see
    // DesignControl::HoldSettings), and the form's title, which waits with them; controls
    // made and titles set from then on show at once.
    void ApplyHeldSettings() const;
    // Shows the form as a child window of the area. The window belongs to the area; the form
    // only looks at it.
    void AttachTo(QMdiArea *area);
    QMdiSubWindow *SubWindow() const { return m_subWindow; }
    // The client area as it looks now (without the window frame).
    QImage Grab() const;
    // Milliseconds within which a second click counts as a double click (never below 50).
    int DoubleClickInterval() const { return m_doubleClickInterval; }
    void SetDoubleClickInterval(int ms);
    // The item a widget of this form belongs to (the form for the client area).
    clsControl *ItemOf(QObject *object) const;
    // Number of instances loaded, the timer counted once it exists.
    int InstanceCount() const { return int(m_instances.size()) + (m_timer ? 1 : 0); }
    // The index a new instance of the kind got (its set's upper bound).
    int UpperBound(int type) const;
    // The sizer whose move drag is in progress, or nullptr.
    ucSizer *TrackingSizer() const;
    // The strip below the client area that carries the timer's icon (nothing of the timer
    // shows at run time); shown in the form's window while the form has a timer.
    QWidget *TaskBar() const { return m_taskBar; }
    static constexpr int TaskBarHeight = 34;
    static constexpr int TaskBarMargin = 3;
    // The container bounds (right and bottom edges, twips) and origin a control's drag keeps to.
    void ContainerArea(const iDesignControl *container, int &originX, int &originY, int &right,
                       int &bottom) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The title on the surface and its window.
    void ShowTitle() const;
    void ShowTaskBar();
    // The window as large as the client area and the strip, plus its frame.
    void FitWindow();
    class CanvasWidget;
    class SurfaceControl;

    void ReadGrid();
    bool HandleMouse(QObject *watched, QMouseEvent *event);
    void DispatchMouse(QObject *watched, QMouseEvent *event);
    // The four handlers every mouse gesture ends in; Ctrl or Shift choose several items.
    void ItemDblClick(clsControl &item);
    void ItemMouseDown(clsControl &item, Qt::MouseButton button, QPoint global,
                       Qt::KeyboardModifiers modifiers = {});
    void ItemMouseUp(clsControl &item, Qt::MouseButton button,
                     Qt::KeyboardModifiers modifiers = {});
    void TabMouseUp(clsControl &group, QWidget *widget, Qt::MouseButton button,
                    Qt::KeyboardModifiers modifiers);
    // The other selected controls of this form, whose sizers follow a drag of the item's.
    QList<ucSizer *> FollowersOf(const clsControl &item);
    // A rubber band: pressed on an empty spot of a container, shown once the mouse moved.
    void BeginBand(clsControl &container, QPoint canvasPoint, bool adds);
    void BandTo(QPoint canvasPoint);
    bool EndBand();
    void ShowBand(const QRect &band);
    // The widget a container's controls lie in, and its rectangle on the client area.
    QRect ChildAreaOnCanvas(const clsControl &container) const;
    void ConnectSizer(ucSizer *sizer);
    void ResetSizerRectangle(iDesignControl *ctrl);
    // The file to load for a picture or icon name of this form.
    QString PictureFile(const QString &name) const;

    clsControl &m_owner;
    int m_type;
    iDesignFormHost *m_host;
    iControlWrapper *m_wrapper = nullptr;
    std::unique_ptr<SurfaceControl> m_surface;
    QWidget *m_canvas = nullptr; // owned by m_surface
    QPointer<QMdiSubWindow> m_subWindow;
    std::unique_ptr<DesignControl> m_menu;
    std::unique_ptr<DesignControl> m_timer;
    QPointer<QWidget> m_taskBar;
    int m_timerItems = 0;
    std::vector<std::unique_ptr<DesignControl>> m_instances;
    std::vector<std::unique_ptr<ucSizer>> m_sizers;
    QHash<int, int> m_upperBound;
    QString m_title;
    QIcon m_icon;
    int m_insets[4] = {0, 0, 0, 0};
    qint32 m_backColor = 0;
    QImage m_backPicture;
    PictureResolver m_resolvePicture;
    int m_gridX = 0;
    int m_gridY = 0;
    bool m_designAids = true;
    // Double-click emulation for kinds that report no double click of their own.
    int m_doubleClickInterval = 500;
    bool m_clickPending = false;
    QTimer m_clickTimer;
    QPoint m_lastDown;
    // The rubber band's gesture.
    struct Band
    {
        bool Pending = false;
        bool Active = false;
        bool Adds = false;
        // The band has chosen at least once (nothing touched chooses the container).
        bool Chosen = false;
        clsControl *Container = nullptr;
        QPoint Start;
        QRect Area;
        QRect Shown;
        QList<clsControl *> Base;
        QList<clsControl *> Touched;
    };
    Band m_band;
    std::array<QPointer<QRubberBand>, 4> m_bandEdges;
    // The rectangle before a drag, and what the drag did.
    bool m_moved = false;
    bool m_sized = false;
    bool m_layoutPending = false;
    // Controls made while this is on hold their font, colours and caption until the surface
    // first shows.
    mutable bool m_holdSettings = false;
};
