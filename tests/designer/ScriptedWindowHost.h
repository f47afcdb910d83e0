#pragma once

// The designer as the main window and the design forms see it, scripted by a test: each
// answer comes from the function a test sets (none: an empty answer, a close that may go
// ahead, a call that does nothing).
#include "designer/iMainWindowHost.h"

#include <functional>

struct ScriptedWindowHost final : iMainWindowHost
{
    std::function<void(const QString &key)> Command;
    std::function<MainWindowModel::StateInputs()> States;
    std::function<QString()> Title;
    std::function<QString()> Description;
    std::function<QList<CodeMenuEntry>()> CodeMenu;
    std::function<void(bool on)> Grid;
    std::function<void()> Changed;
    std::function<void(QMdiSubWindow *window)> Activated;
    std::function<bool()> CloseQuery;
    std::function<void()> ShutdownWith;
    std::function<void(int panel, const QString &text)> StatusPanel;
    std::function<void()> FocusTree;
    std::function<void(clsControl &item)> Selected;
    std::function<void(clsControl &item)> ContextMenu;
    std::function<void(clsControl &item)> PropertySheet;
    std::function<bool()> SnapSwitch;

    void HandleCommand(const QString &key) override { Call(Command, key); }
    MainWindowModel::StateInputs CommandStates() const override
    {
        return States ? States() : MainWindowModel::StateInputs();
    }
    QString ProjectTitle() const override { return Title ? Title() : QString(); }
    QString SelectionDescription() const override { return Description ? Description() : QString(); }
    QList<CodeMenuEntry> CodeMenuEntries() const override
    {
        return CodeMenu ? CodeMenu() : QList<CodeMenuEntry>();
    }
    void GridChanged(bool on) override { Call(Grid, on); }
    void SelectionChanged() override { Call(Changed); }
    void WindowActivated(QMdiSubWindow *window) override { Call(Activated, window); }
    bool QueryClose() override { return !CloseQuery || CloseQuery(); }
    void Shutdown() override { Call(ShutdownWith); }
    void ShowStatusPanel(int panel, const QString &text) override { Call(StatusPanel, panel, text); }
    void FocusProjectTree() override { Call(FocusTree); }
    void ItemSelected(clsControl &item) override { Call(Selected, item); }
    void ShowContextMenu(clsControl &item) override { Call(ContextMenu, item); }
    void DropKind(const QString &, const QPoint &) override {}
    void ShowPropertySheet(clsControl &item) override { Call(PropertySheet, item); }
    bool SnapToGrid() const override { return SnapSwitch && SnapSwitch(); }

private:
    template <typename Function, typename... Args>
    static void Call(const Function &function, Args &&...args)
    {
        if (function)
            function(std::forward<Args>(args)...);
    }
};
