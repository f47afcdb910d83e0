#pragma once

class QPoint;

// What the project tree asks of the window it sits in when the user works on it.
class iProjectTreeHost
{
public:
    virtual ~iProjectTreeHost() = default;

    // The main window drops its edit shortcuts while a label is edited, so the edit box gets
    // Ctrl+C, Delete and the rest, and restores them afterwards.
    virtual void LabelEditStarted() = 0;
    virtual void LabelEditEnded() = 0;
    // A right click on the tree (global position), after the node under it was selected.
    virtual void TreeContextMenu(const QPoint &globalPos) = 0;
    // After a rename or a move from the tree: the status bar shows the selection again.
    virtual void TreeChangedItem() = 0;
};
