#pragma once

#include "app/ProjectLoader.h"
#include "app/ProjectState.h"
#include "app/iProjectTree.h"
#include "model/iItemsObserver.h"

#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class clsControl;
class clsItems;
class iPrompter;
class iUndoState;

// The designer object: the members the code editor calls to read and change the projects,
// and the per-project state (document binding, changed flag, record 1 texts) of every open
// project. Errors inside its members are reported through the prompter under the label
// "<clsDesigner member>" and the member returns an empty result.
//
// It is the registry's observer for as long as it lives: the project tree follows the
// registry through it alone, a deleted selection is forgotten and a deleted application is
// no longer an open project, whoever deleted it.
class clsDesigner : private iItemsObserver
{
public:
    explicit clsDesigner(clsItems &items, iPrompter *prompter = nullptr);
    ~clsDesigner() override;
    clsDesigner(const clsDesigner &) = delete;
    clsDesigner &operator=(const clsDesigner &) = delete;

    clsItems &Items() const { return m_items; }
    // The prompter every report and question goes through; one that answers nothing and
    // shows nothing until one is set.
    iPrompter &Prompter() const;
    void SetPrompter(iPrompter *prompter) { m_prompter = prompter; }
    iProjectTree *ProjectTree() const { return m_tree; }
    // The tree is filled with the projects already open.
    void SetProjectTree(iProjectTree *tree);

    // ---- Members used by the code editor -------------------------------------------
    // The project text of the object with that ID and everything below it; with
    // appOnly > 0 the forms are left out. Error 5004 for an unknown ID, reported; "" then.
    QString GetTemplate(const QString &id, const QString &header, int appOnly);
    // Loads a project or macro text; true when no problem of severity 2 was reported. With a
    // progress the load reports how far it got and stops when the user cancels
    // (LastLoad().Cancelled).
    bool SetTemplate(const QString &text, iLoadProgress *progress = nullptr);
    // A new item placed at the given position (strings in the application's unit, empty
    // leaves the default), with the events its kind always reports. nullptr after an error.
    clsControl *AddControl(int type, const QString &id, const QString &parentId,
                           const QString &left, const QString &top, const QString &width,
                           const QString &height);
    void RemoveControl(const QString &id);
    // The events a new object of the type starts with.
    static qint32 InitialEventMask(int type);
    QString GetProperty(int code, const QString &id);
    void SetProperty(int code, const QString &id, const QString &value);

    // What the last SetTemplate did.
    const ProjectLoader::Result &LastLoad() const { return m_lastLoad; }
    // A SetTemplate is running (its progress may let the window answer meanwhile).
    bool Loading() const { return m_loading > 0; }

    // ---- Open projects -------------------------------------------------------------
    // The state of the project an item belongs to; nullptr for the root or an unknown item.
    ProjectState *ProjectOf(const clsControl *item) const;
    // Registers an application as an open project (nothing when it already is one).
    ProjectState &AddProject(clsControl &app);
    // Deletes the application with everything below it and forgets its project.
    void RemoveProject(clsControl &app);
    std::vector<ProjectState *> Projects() const;
    // The project of the current selection; falls back to the last project opened.
    ProjectState *CurrentProject() const;
    // The primary selection: what the property sheet, the code commands and the status bar
    // act on.
    clsControl *CurrentItem() const { return m_current; }
    // Changes the selection quietly to the one item (nothing for the current item, so a
    // selection of several stays): no tree or status bar is touched, and only the outlines
    // of items no longer selected are taken away.
    void SetCurrentItem(clsControl *item);
    // The selected items in the order they were selected, the primary (CurrentItem) last;
    // one item when one is selected, none when nothing is.
    const QList<clsControl *> &Selection() const { return m_selection; }
    bool IsSelected(const clsControl *item) const;
    // Makes the item the selection as the user sees it: the previous item's sizer is hidden,
    // this one's shown, its node highlighted in the project tree, its description put in the
    // status bar and the command states recomputed. nullptr clears the selection. False
    // (nothing changes) for the root or an item that is not registered.
    bool SelectItem(clsControl *item);
    // The same by full ID (any case).
    bool SelectItem(const QString &fullId);
    // Several items are selected only when they are controls of one form. Adding an item
    // that cannot join (a control of another form, a form, an application or a bar) is
    // refused: false, nothing changes. With nothing selected, or with one object selected
    // that is not a control (the form itself, one of its bars), the item is selected alone
    // instead when it is a control of that form or nothing was selected.
    // Shift+click: the item joins the selection (or stays in it) as the primary.
    bool AddToSelection(clsControl *item);
    // Ctrl+click: a selected item leaves the selection and the primary passes to the last
    // one remaining (the form, when it was the only one); another item joins as primary.
    bool ToggleSelection(clsControl *item);
    // A rubber band or Select All: exactly these items, primary (one of them; the last when
    // it is not) the primary. One item of any kind is selected as SelectItem does; an empty
    // list or items that cannot be selected together are refused.
    bool SelectItems(const QList<clsControl *> &items, clsControl *primary);
    // What the status bar says about a selected item: its kind and full ID.
    static QString Description(const clsControl &item);
    // Told whenever the selection changes, so menus and tools follow it.
    void SetCommandStates(iUndoState *states) { m_commandStates = states; }
    // Told the application's ID when a project goes, however it goes (closed, released,
    // its application deleted): what was kept for it, such as its undo records, can go too.
    void SetProjectForgotten(std::function<void(const QString &appId)> forgotten)
    {
        m_projectForgotten = std::move(forgotten);
    }
    // Every edit marks its project changed.
    void MarkChanged(const clsControl *item);
    // Sets a project's Changed flag; when it flips, the project tree marks the application's
    // node and the menus and title are recomputed.
    void SetChanged(ProjectState &project, bool changed);
    // Deletes every open project (shutdown).
    void ReleaseAll();
    // Forgets every open project, its document let go, without deleting its items: with
    // clsItems::Abandon, how a process that ends right after closes them.
    void ForgetAll();

    // Reports an error in the error-report layout (severity 2) under the label.
    void ReportError(int number, const QString &description, const QString &label);

private:
    void ItemAdded(clsControl &item, int position) override;
    void ItemRemoving(clsControl &item) override;
    void ItemRenamed(clsControl &item, const QString &oldFullId) override;
    void ItemRepositioned(clsControl &item, int position) override;

    clsControl *FindOrReport(const QString &id, const char *member);
    bool Selectable(const clsControl *item) const;
    // Whether the item may join the current selection of several.
    bool Joins(const clsControl &item) const;
    // Makes the list (primary last) the selection as the user sees it.
    void ApplySelection(QList<clsControl *> selection);
    void DropFromSelection(const clsControl &removed);
    void ForgetProject(const clsControl &app);

    clsItems &m_items;
    iPrompter *m_prompter;
    iProjectTree *m_tree = nullptr;
    iUndoState *m_commandStates = nullptr;
    std::function<void(const QString &)> m_projectForgotten;
    std::vector<std::unique_ptr<ProjectState>> m_projects;
    // The project of each open application, so finding it costs the same however many
    // applications are open. A Qt hash keeps its entries in arrays; a standard one chains a
    // heap block per entry, one more read from memory for every look-up in a big project.
    QHash<const clsControl *, ProjectState *> m_projectOfApp;
    clsControl *m_current = nullptr;
    QList<clsControl *> m_selection;
    ProjectLoader::Result m_lastLoad;
    int m_loading = 0;
};
