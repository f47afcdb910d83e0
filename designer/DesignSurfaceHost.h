#pragma once

#include "designer/iDesignFormHost.h"

#include <functional>

class EditCommands;
class clsDesigner;

// The design forms' host in the designer: selection through the designer object, moves and
// resizes through the edit commands (so each leaves its undo record), and the rest through
// the main window's hooks.
class DesignSurfaceHost final : public iDesignFormHost
{
public:
    DesignSurfaceHost(clsDesigner &designer, EditCommands &edit);

    std::function<void(int panel, const QString &text)> StatusPanel;
    std::function<void()> FocusTree;
    std::function<void(clsControl &item)> HighlightInTree;
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

    // The item selected last, looked up again (it may have been deleted since).
    clsControl *Selected() const;

private:
    clsDesigner &m_designer;
    EditCommands &m_edit;
    QString m_selectedId;
};
