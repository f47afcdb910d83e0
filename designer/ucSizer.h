#pragma once

#include "app/Arrangement.h"
#include "panels/SizerModel.h"
#include "model/iDesignControl.h"
#include "model/iFormFuncs.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QVariant>
#include <array>

class QMouseEvent;
class QWidget;
class frmDesign;

// The selection sizer: eight nibs and an outline around the selected item on its design form.
// A move drag starts when the form sets Tracking after a mouse down on the control; the sizer
// then follows the cursor and only the sizer's own small widgets move until the mouse is
// released, when the control takes its new place in one move. Dragging a nib resizes.
// Positions are twips in the linked control's container; the nibs and the outline are
// widgets of the form, so a frame never clips them. While a move drag runs they are hidden and
// a still overlay over the form draws them, so a drag step repaints only the sizer's strips.
class ucSizer final : public QObject, public iItemSizer
{
    Q_OBJECT

public:
    explicit ucSizer(frmDesign &form);
    ~ucSizer() override;

    // ---- iItemSizer ---------------------------------------------------------------------
    void Attach(iDesignControl *control) override { SetLinkedControl(control); }
    void Detach() override;
    void Refresh() override { Track(); }

    // ---- Members --------------------------------------------------------------------------
    bool Active() const { return m_active; }
    void SetActive(bool active) override;
    bool IsActive() const override { return m_active; }
    // One of several selected items, not the primary one: an outline with small nibs in
    // another colour, drawn over the form (no widgets of its own).
    void SetSecondary(bool secondary) override;
    bool Secondary() const { return m_secondary; }
    // An identifier of the sizer's window (the outline's top segment).
    quintptr hWnd() const;
    iDesignControl *LinkedControl() const { return m_linked; }
    // A control, or the form's surface: the sizer then frames the form's client area.
    void SetLinkedControl(iDesignControl *control);
    int NibSize() const { return m_nibSize; }
    void SetNibSize(int twips);
    QVariant TagVariant() const { return m_tag; }
    void SetTagVariant(const QVariant &tag) { m_tag = tag; }
    bool Tracking() const { return m_tracking; }
    // True starts a move drag from the cursor's position (error 380 while AllowMove is False);
    // False ends it.
    void SetTracking(bool tracking);
    // The same, from a known cursor position (screen pixels). The followers (the other
    // selected items of the form) move along by the same distance, each kept inside its own
    // container; their sizers show where they go, and AfterMove reports the whole group.
    void StartTracking(QPoint globalCursor, const QList<ucSizer *> &followers = {});
    // The sizers moving along with this one's drag (those still there).
    QList<ucSizer *> Followers() const;
    // True when the drag moved the item (and its followers).
    bool StopTracking();
    // Fits the sizer over the linked item's rectangle again.
    void Track();

    bool AllowMove = true;
    bool AllowSize = true;
    // Grid and snapping are the form's: every sizer of a form drags by the same ones.
    bool SnapToGrid() const;
    int GridX() const;
    int GridY() const;
    int MinWidth = 150;
    int MinHeight = 150;

    // A widget of the form's own that the overlay may lie above (the rubber band): it is not
    // taken for a control that came above the sizers.
    static void KeepBelowOverlay(QWidget *widget);

    // The rectangle the sizer frames now (twips, container coordinates).
    SizerModel::Rect Rectangle() const { return m_current; }
    // A nib widget by its edge mask (1..10); nullptr for other indexes.
    QWidget *Nib(int index) const;

    // ---- Drag input (from the form's event filter and the nib widgets) -----------------
    void TrackTo(QPoint globalCursor);
    void NibPress(int index, QPoint globalCursor);
    void NibMove(int index, QPoint globalCursor);
    // True when the release ended a drag that resized the item.
    bool NibRelease(int index);
    // The sizer's own mouse events, from its nibs (the outline lets the mouse through to the
    // control): MouseDown on every press, MouseUp on every release, Click after a left press
    // and release that resized nothing, DblClick on a double click. Positions are twips from
    // the sizer's top left corner; canvasPoint is the cursor on the form's client area.
    void NibMouseDown(const QMouseEvent &event, QPoint canvasPoint);
    void NibMouseUp(const QMouseEvent &event, QPoint canvasPoint, bool resized);
    void NibDoubleClick();

Q_SIGNALS:
    void Click();
    void DblClick();
    void MouseUp(int button, int shift, int x, int y);
    void MouseMove(int button, int shift, int x, int y);
    void MouseDown(int button, int shift, int x, int y);
    void BeforeResize(iDesignControl *ctrl);
    void BeforeMove(iDesignControl *ctrl);
    void Moving(iDesignControl *ctrl, int left, int top);
    void Sizing(iDesignControl *ctrl, int left, int top, int width, int height);
    void AfterResize(iDesignControl *ctrl);
    void AfterMove(iDesignControl *ctrl);

private:
    bool LinkedIsForm() const;
    SizerModel::Rect LinkedRect() const;
    // The nib and outline widgets, made on first use; false once they are gone.
    bool MakeParts() const;
    // Shows a secondary selection's outline and small nibs (drawn by the overlay), or takes
    // it away.
    void ShowMark();
    // A follower of a group drag takes its place for the leader's move: the group's offset.
    void Follow(int dx, int dy);
    void EndFollowers();
    SizerModel::Settings DragSettings() const;
    void Place(const SizerModel::Rect &rect);
    void PlaceAt(QPoint containerOffset, const SizerModel::Rect &rect);
    // Where the client area of the linked item's container lies on the canvas.
    QPoint ContainerOffset() const;
    void ShowParts(bool shown);
    QPoint Delta(QPoint globalCursor) const;
    void EndOverlay();
    QPoint SizerPoint(QPoint canvasPoint) const;

    frmDesign &m_form;
    bool m_active = false;
    bool m_secondary = false;
    bool m_tracking = false;
    iDesignControl *m_linked = nullptr;
    int m_nibSize = 75;
    QVariant m_tag;
    // Indexes 1..10 by edge mask; 3 and 7 stay empty.
    std::array<QPointer<QWidget>, 11> m_nibs{};
    std::array<QPointer<QWidget>, 4> m_outline{};
    mutable bool m_partsMade = false;
    // Paints the sizer during a move drag; shared by the sizers of the form.
    QPointer<QWidget> m_overlay;
    // Drag state.
    QPoint m_cursorStart;
    SizerModel::Rect m_start;
    SizerModel::Rect m_current;
    // A follower's ContainerOffset, read as a group drag begins.
    QPoint m_offset;
    int m_nibDrag = 0;
    bool m_changed = false;
    Qt::MouseButton m_clickButton = Qt::NoButton;
    QList<QPointer<ucSizer>> m_followers;
    // A group drag's boxes and their containers' areas, the leader's first.
    QList<Arrangement::Box> m_groupBoxes;
    QList<Arrangement::Area> m_groupAreas;
};
