#pragma once

#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <optional>
#include <utility>

class clsControl;
class iPrompter;

// What a design form asks of the designer when the user works on it: the selection, the
// property sheet, the context menu, the status bar, the project tree's focus and the move or
// resize of an item with its undo record.
class iDesignFormHost
{
public:
    virtual ~iDesignFormHost() = default;

    virtual void SelectItem(clsControl &item) = 0;
    // Several controls of one form: the selection, primary last; Shift+click adds the item
    // (as the primary), Ctrl+click toggles it, a rubber band or Select All makes exactly these
    // the selection. False, with nothing changed, when the designer refuses.
    virtual QList<clsControl *> Selection() const = 0;
    virtual bool AddToSelection(clsControl &item) = 0;
    virtual bool ToggleSelection(clsControl &item) = 0;
    virtual bool SelectItems(const QList<clsControl *> &items, clsControl *primary) = 0;
    virtual void ShowModify(clsControl &item) = 0;
    virtual void ShowContextMenu(clsControl &item) = 0;
    virtual void FocusProjectTree() = 0;
    // While a drag runs, the sizer's rectangle stands in for the item's stored one: twips from
    // the client origin; a drag that only moves has no size, the form's own resize no position.
    struct Dragged
    {
        std::optional<QPoint> Position;
        std::optional<QSize> Size;
    };
    // Panels 2 (where the item stands) and 3 (how big it is), in its application's unit.
    virtual void ShowGeometry(const clsControl &item, const Dragged *dragged = nullptr) = 0;
    // Whether sizers snap to the design grid.
    virtual bool SnapToGrid() const = 0;
    // The user moved (sized false: left and top) or sized the item on its design form; twips
    // relative to the client origin, -1 for a value that stays. One undo record.
    virtual void MoveItem(clsControl &item, int left, int top, int width, int height,
                          bool sized) = 0;
    // A drag moved several controls: their new top left corners, twips relative to the
    // client origin. One undo record.
    virtual void MoveItems(const QList<std::pair<clsControl *, QPoint>> &topLefts) = 0;
    // A key moved the items (or resized the primary) by the distance in twips; a run of
    // such keys is one undo record.
    virtual void Nudge(const QList<clsControl *> &items, clsControl &primary, int dxTwips,
                       int dyTwips, bool resize) = 0;
    // Where the errors of the user's gestures on the form are reported.
    virtual iPrompter &Prompter() const = 0;
};
