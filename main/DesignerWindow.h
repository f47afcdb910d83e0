#pragma once

#include "designer/frmRecover.h"
#include "designer/mdiMain.h"

#include <QStringList>
#include <functional>
#include <memory>

class CodeServices;
class DesignFormFactory;
class DesignSurfaceHost;
class DesignerRoot;
class DocumentOpener;
class ProcessState;
class QtClipboard;
class QtDocumentChooser;
class QtPrompter;
class SheetCreateMode;
class clsControl;
class clsProjectTree;
class frmProperties;
class iCreateMode;
class iDocumentChooser;
class iPrompter;

// The designer as the user sees it: the designer's world (DesignerRoot) joined to the main
// window, the project tree, the design forms, the property sheet, the desktop's clipboard and
// the dialogs. It runs the start-up sequence, dispatches every command of the main window to
// the operation behind it, keeps the menus and tools in step with the selection, and shuts
// the designer down when the window unloads.
//
// The commands that other parts of the program provide (settings, help, about, program code,
// preview) are reached through the std::function members below. Start fills the settings,
// help and about ones with the designer's own dialogs unless they were set before; a command
// whose function is not set is reported as not available.
class DesignerWindow
{
public:
    struct Options
    {
        // The process state to run in (tests give one with a folder of their own); none means
        // the folder of the running program.
        std::unique_ptr<ProcessState> State;
        // Tests script the answers; none means the Qt dialogs over the main window.
        iPrompter *Prompter = nullptr;
        // The document chooser of Open and Save As; none means the chooser over the host's
        // files and items and the local files.
        iDocumentChooser *Chooser = nullptr;
        // Creating objects; none means the property sheet in create mode.
        iCreateMode *CreateMode = nullptr;
        // The code editor, the Code sub-menu and preview; without them those commands are
        // not available unless their functions below are set.
        bool WithCodeServices = true;
        // Where autosave keeps unsaved work and where the start-up looks for work left
        // behind; none means no autosave and no recovery (tests give a folder of their own).
        QString RecoveryFolder;
    };

    DesignerWindow();
    explicit DesignerWindow(Options options);
    ~DesignerWindow();
    DesignerWindow(const DesignerWindow &) = delete;
    DesignerWindow &operator=(const DesignerWindow &) = delete;

    // The start-up sequence: process state and settings, the main window with its placement,
    // the designer joined to the tree, the view marks, the window shown, the command states,
    // the command line (the arguments after the program's name), the status text cleared.
    void Start(const QStringList &arguments = {});

    // Offers the unsaved work that designers which no longer run left behind (Start queues it
    // for when the window shows), and reports recovery files that cannot be used.
    void OfferRecovery();
    // Replaces the dialog of OfferRecovery (tests): the rows offered, the checked rows
    // chosen; the answer is frmRecover's choice.
    std::function<int(const QStringList &rows, QList<int> &chosen)> ChooseRecovery;

    // Runs a command key as the main window's tools do.
    void Dispatch(const QString &key);
    // Recomputes the menus and tools from the selection, the projects and the clipboard.
    void RefreshCommands();

    mdiMain &Window() const { return *m_window; }
    DesignerRoot &Root() const { return *m_root; }
    frmProperties &Sheet() const { return *m_sheet; }
    clsProjectTree &Tree() const { return *m_tree; }
    DesignFormFactory &Forms() const { return *m_forms; }
    iPrompter &Prompter() const { return *m_prompterPort; }

    // The code commands, the Code sub-menu and preview; nullptr without them.
    CodeServices *Code() const { return m_code.get(); }

    // ---- Commands provided elsewhere ----------------------------------------------------------
    // Each one set replaces what the designer would do for that command.
    std::function<void()> ShowSettings;         // "Settings"
    std::function<void()> HelpTopics;           // "HelpTopics"
    std::function<void()> HelpAbout;            // "HelpAbout"
    std::function<void()> CloseHelp;            // as the window unloads, when help was shown
    std::function<void()> UpdateCode;           // "Upd"
    std::function<void()> OpenCodeEditor;       // "Quill"
    std::function<void()> Preview;              // "Preview"
    std::function<void(const QString &key)> CodeMenuCommand; // "cm*" + event, "cl*" + n
    // The entries of the context menu's Code sub-menu for the selected item.
    std::function<QList<mdiMain::CodeMenuEntry>()> CodeMenuEntries;
    // Shutdown: the code-loading, code-update and helper windows unload.
    std::function<void()> UnloadCodeWindows;

private:
    void HandleCommand(const QString &key);
    bool RunProvided(const std::function<void()> &command, const QString &key);
    void RunCodeCommand(const std::function<void()> &command, const QString &key);
    MainWindowModel::StateInputs CurrentState() const;
    QString ProjectTitle() const;
    QString SelectionDescription() const;
    void ShowSelectionGeometry(const clsControl &item);
    // The three panels of the selection: its description (when it changed since last shown,
    // so a message of the last action stays until there is news), where it stands and how big
    // it is; "0,0" when nothing is selected.
    void ShowSelectionStatus();
    void ReadClipboard();
    void GridChanged(bool on);
    void Shutdown();

    // Declared in the order of building; they go in the reverse order.
    std::unique_ptr<DesignerRoot> m_root;
    std::unique_ptr<mdiMain> m_window;
    std::unique_ptr<QtPrompter> m_qtPrompter;
    iPrompter *m_prompterPort = nullptr;
    std::unique_ptr<QtClipboard> m_clipboard;
    std::unique_ptr<clsProjectTree> m_tree;
    std::unique_ptr<DesignSurfaceHost> m_host;
    std::unique_ptr<DesignFormFactory> m_forms;
    std::unique_ptr<frmProperties> m_sheet;
    std::unique_ptr<SheetCreateMode> m_sheetCreateMode;
    iCreateMode *m_createMode = nullptr;
    std::unique_ptr<QtDocumentChooser> m_qtChooser;
    iDocumentChooser *m_chooser = nullptr;
    std::unique_ptr<DocumentOpener> m_opener;
    bool m_withCode = true;
    QString m_recoveryFolder;
    std::unique_ptr<CodeServices> m_code;
    bool m_clipboardHasText = false;
    bool m_helpShown = false;
    bool m_shutDown = false;
    QString m_shownDescription;
};
