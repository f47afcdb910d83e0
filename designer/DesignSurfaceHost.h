#pragma once

#include "designer/iDesignFormHost.h"

class EditCommands;
class clsDesigner;
class iMainWindowHost;

// The design forms' host in the designer: selection through the designer object (which shows
// the sizer, highlights the tree node and tells the status bar), moves and resizes through
// the edit commands (so each leaves its undo record), and the rest through the main window's
// host. Without a window (rendering, benchmarks) selections and moves still reach the
// designer; the status bar, the tree's focus, the menus and the property sheet are not there.
class DesignSurfaceHost final : public iDesignFormHost
{
public:
    DesignSurfaceHost(clsDesigner &designer, EditCommands &edit, iMainWindowHost *window = nullptr);

    void SelectItem(clsControl &item) override;
    QList<clsControl *> Selection() const override;
    bool AddToSelection(clsControl &item) override;
    bool ToggleSelection(clsControl &item) override;
    bool SelectItems(const QList<clsControl *> &items, clsControl *primary) override;
    void ShowModify(clsControl &item) override;
    void ShowContextMenu(clsControl &item) override;
    void FocusProjectTree() override;
    void ShowGeometry(const clsControl &item, const Dragged *dragged = nullptr) override;
    bool SnapToGrid() const override;
    void MoveItem(clsControl &item, int left, int top, int width, int height,
                  bool sized) override;
    void MoveItems(const QList<std::pair<clsControl *, QPoint>> &topLefts) override;
    void Nudge(const QList<clsControl *> &items, clsControl &primary, int dxTwips, int dyTwips,
               bool resize) override;
    iPrompter &Prompter() const override;

private:
    // Tells the window about the primary once the designer took a choice of several.
    bool Chosen(bool taken);

    clsDesigner &m_designer;
    EditCommands &m_edit;
    iMainWindowHost *m_window;
};
