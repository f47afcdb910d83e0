#pragma once

#include "designer/TabOrderOverlay.h"

#include <QPointer>
#include <optional>

#include "designer/frmRecover.h"
#include "designer/iMainWindowHost.h"
#include "designer/iProjectTreeHost.h"
#include "designer/mdiMain.h"
#include "main/iDesignerDialogs.h"

#include <QStringList>
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
// It is the host of the main window, of the design forms and of the project tree, and shows
// its own dialogs unless it was given others; the code commands and preview are the code
// services', reported as not available without them.
class DesignerWindow final : private iMainWindowHost,
                             private iProjectTreeHost,
                             private iDesignerDialogs
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
        // not available.
        bool WithCodeServices = true;
        // Preferences, help, About and the recovery offer; none means the designer's own.
        iDesignerDialogs *Dialogs = nullptr;
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

    // The tab-order layer of the form in Tab Order mode; nullptr outside the mode.
    TabOrderOverlay *TabOrder() const { return m_tabOrder; }

    // The code commands, the Code sub-menu and preview; nullptr without them.
    CodeServices *Code() const { return m_code.get(); }

private:
    // The start-up's parts, in the order Start runs them.
    void MakePrompter();
    void MakeProjectTree();
    void MakeFormFactory();
    void MakePropertySheet();
    void MakeChooser();
    void MakeCodeServices();
    void ConnectDesigner();
    void FollowClipboard();
    void LoadExtensionProfile();
    void StartAutosave();

    // ---- iMainWindowHost ----------------------------------------------------------------
    void HandleCommand(const QString &key) override;
    MainWindowModel::StateInputs CommandStates() const override;
    QString ProjectTitle() const override;
    QString SelectionDescription() const override;
    QList<CodeMenuEntry> CodeMenuEntries() const override;
    void GridChanged(bool on) override;
    void SelectionChanged() override;
    void WindowActivated(QMdiSubWindow *window) override;
    bool QueryClose() override;
    void Shutdown() override;
    void ShowStatusPanel(int panel, const QString &text) override;
    void FocusProjectTree() override;
    void ItemSelected(clsControl &item) override;
    void ShowContextMenu(clsControl &item) override;
    void DropKind(const QString &key, const QPoint &globalPos) override;
    void ShowPropertySheet(clsControl &item) override;
    bool SnapToGrid() const override;

    // ---- iProjectTreeHost -------------------------------------------------------------------
    void LabelEditStarted() override;
    void LabelEditEnded() override;
    void TreeContextMenu(const QPoint &globalPos) override;
    void TreeChangedItem() override;

    // ---- iDesignerDialogs: the designer's own ---------------------------------------------
    void ShowSettings() override;
    void ShowHelpTopics() override;
    void ShowAbout() override;
    void CloseHelp() override;
    frmRecover::Choice ChooseRecovery(const QList<frmRecover::Row> &rows,
                                      QList<int> &chosen) override;

    void RunCodeCommand(const QString &key);
    // A Format command on the selection, relative to its primary, by the form's grid.
    void ArrangeSelection(ArrangeCommand command);
    // Tab Order mode on the active form, on or off.
    void ToggleTabOrder();
    // Where a point on a design form lies in twips in the container a new control made
    // there goes into (the frame or tab panel item, else the form), snapped like a drag;
    // none when the point is off the form. A right-click's is kept while the context menu
    // is open, for its New entries.
    std::optional<QPoint> PointedPlace(clsControl &item, const QPoint &globalPos) const;
    // The three panels of the selection: its description (when it changed since last shown,
    // so a message of the last action stays until there is news), where it stands and how big
    // it is; "0,0" when nothing is selected.
    void ShowSelectionStatus();
    void ReadClipboard();

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
    iDesignerDialogs *m_dialogs = nullptr;
    std::unique_ptr<DocumentOpener> m_opener;
    bool m_withCode = true;
    QString m_recoveryFolder;
    std::unique_ptr<CodeServices> m_code;
    bool m_clipboardHasText = false;
    bool m_helpShown = false;
    bool m_shutDown = false;
    QString m_shownDescription;
    QPointer<TabOrderOverlay> m_tabOrder;
    std::optional<QPoint> m_contextPoint;
};
