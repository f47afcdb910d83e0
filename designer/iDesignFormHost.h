#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <optional>

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
    // Where the errors of the user's gestures on the form are reported.
    virtual iPrompter &Prompter() const = 0;
};
