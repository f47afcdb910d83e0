#pragma once

#include "designer/iDesignFormHost.h"

#include <functional>

class EditCommands;
class clsDesigner;

// The design forms' host in the designer: selection through the designer object (which shows
// the sizer, highlights the tree node and tells the status bar), moves and resizes through
// the edit commands (so each leaves its undo record), and the rest through the main window's
// hooks.
class DesignSurfaceHost final : public iDesignFormHost
{
public:
    DesignSurfaceHost(clsDesigner &designer, EditCommands &edit);

    std::function<void(int panel, const QString &text)> StatusPanel;
    std::function<void()> FocusTree;
    // After the designer made the item the selection.
    std::function<void(clsControl &item)> Selected;
    std::function<void(clsControl &item)> ContextMenu;
    std::function<void(clsControl &item)> PropertySheet;
    std::function<bool()> SnapSwitch;

    void SelectItem(clsControl &item) override;
    void ShowModify(clsControl &item) override;
    void ShowContextMenu(clsControl &item) override;
    void FocusProjectTree() override;
    void SetStatusPanel(int panel, const QString &text) override;
    bool SnapToGrid() const override;
    void MoveItem(clsControl &item, int left, int top, int width, int height,
                  bool sized) override;

private:
    clsDesigner &m_designer;
    EditCommands &m_edit;
};
