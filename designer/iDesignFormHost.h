#pragma once

#include <QString>

class clsControl;

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
    // Panels 1 (description), 2 (position) and 3 (size).
    virtual void SetStatusPanel(int panel, const QString &text) = 0;
    // Whether sizers snap to the design grid.
    virtual bool SnapToGrid() const = 0;
    // The user moved (sized false: left and top) or sized the item on its design form; twips
    // relative to the client origin, -1 for a value that stays. One undo record.
    virtual void MoveItem(clsControl &item, int left, int top, int width, int height,
                          bool sized) = 0;
};
