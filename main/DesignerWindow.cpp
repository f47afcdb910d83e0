#include "main/DesignerWindow.h"

#include "main/CodeServices.h"

#include "app/CommandLine.h"
#include "app/DesignerRoot.h"
#include "app/DocumentOpener.h"
#include "app/ErrorBoundary.h"
#include "panels/MainWindowModel.h"
#include "controls/QtPlatformMetrics.h"
#include "designer/LoadProgressBar.h"
#include "designer/DesignFormFactory.h"
#include "designer/DesignControl.h"
#include "designer/DesignSurfaceHost.h"
#include "designer/HelpWindow.h"
#include "designer/QtDocumentChooser.h"
#include "designer/QtClipboard.h"
#include "designer/QtPrompter.h"
#include "designer/SheetCreateMode.h"
#include "designer/clsProjectTree.h"
#include "designer/frmAbout.h"
#include "designer/frmDesign.h"
#include "designer/DesignerStyle.h"
#include "designer/frmPreview.h"
#include "designer/frmRecover.h"
#include "designer/frmProperties.h"
#include "designer/frmSettings.h"
#include "designer/vxMenuBar.h"
#include "model/ExtensionProfile.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "support/PlatformMetrics.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QWindow>
#include <QTimer>
#include <QTreeWidget>

using namespace MainWindowModel;

namespace {
constexpr QLatin1String CommandLabel("<mdiMain Command>");
}

DesignerWindow::DesignerWindow() : DesignerWindow(Options()) {}

DesignerWindow::DesignerWindow(Options options)
    : m_root(std::make_unique<DesignerRoot>(std::move(options.State))),
      m_prompterPort(options.Prompter),
      m_createMode(options.CreateMode),
      m_chooser(options.Chooser),
      m_dialogs(options.Dialogs ? options.Dialogs : this),
      m_withCode(options.WithCodeServices),
      m_recoveryFolder(options.RecoveryFolder)
{
}

DesignerWindow::~DesignerWindow()
{
    // The projects go while the windows, the tree and the forms' host still stand; then no
    // port may be reached any more.
    if (m_window)
        m_root->Designer().ReleaseAll();
    m_root->State().Connection.SetChooser(nullptr);
    m_root->Disconnect();
}

void DesignerWindow::Start(const QStringList &arguments)
{
    if (m_window)
        return;
    // Steps 1 to 11: platform flags, folders, locale, DisableThemes, screen metrics and
    // cursors (from the running display), the connection's mode, marks and host type,
    // settings, the undo buffer, the event names.
    DesignerStyle::Install();
    QtPlatformMetrics::InstallFromQt();
    m_root->Start();
    ProcessState &state = m_root->State();

    // 12. The main window, with its placement and bands, and the windows and ports over it.
    iMainWindowHost &host = *this;
    m_window = std::make_unique<mdiMain>(state, host);
    m_window->RestoreWindowPosition();
    MakePrompter();
    m_clipboard = std::make_unique<QtClipboard>();
    MakeProjectTree();
    m_host = std::make_unique<DesignSurfaceHost>(m_root->Designer(), m_root->Edit(), &host);
    MakeFormFactory();
    MakePropertySheet();
    MakeChooser();
    MakeCodeServices();
    // 13. The designer object, joined to the project tree and the other ports.
    ConnectDesigner();
    FollowClipboard();
    // 14. The View marks and bands from the settings.
    m_window->ApplyViewSettings();
    // 15. Shown.
    m_window->show();
    // A settings file that could not be used is told once, now that there is a window.
    for (const QString &problem : state.Persist.TakeProblems())
        m_prompterPort->ShowMessage(problem, MessageIcon::Exclamation);
    // 16. The menus and tools.
    RefreshCommands();
    // 17. The command line. The window is on the screen first: a long load holds the paints
    // of the project tree and the forms' area until it is over, and they show as they were
    // last painted meanwhile, which must not be never. Only the window system's events are
    // handled while waiting; what the user does waits for the event loop. A window started
    // minimized is not waited for.
    if (QWindow *handle = m_window->windowHandle(); handle && !m_window->isMinimized()) {
        QDeadlineTimer deadline(2000);
        while (!handle->isExposed() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    m_opener = std::make_unique<DocumentOpener>(m_root->Storage(), state, *m_prompterPort);
    ParseCmdLine(JoinArguments(arguments), state, *m_opener);
    // 18. The property sheet, hidden, with a site's extension profile beside the program.
    LoadExtensionProfile();
    // 19. The first status panel cleared.
    RefreshCommands();
    m_window->SetStatusText(QString());
    StartAutosave();
}

void DesignerWindow::MakePrompter()
{
    if (!m_prompterPort) {
        m_qtPrompter = std::make_unique<QtPrompter>(
            m_window.get(), [this](const QString &text) { m_window->SetStatusText(text); });
        m_prompterPort = m_qtPrompter.get();
    }
    m_window->SetPrompter(m_prompterPort);
}

void DesignerWindow::MakeProjectTree()
{
    // The tree selects, renames and moves items through the designer; while a label is edited
    // the edit box gets the Edit shortcuts; a right click shows the context menu.
    m_tree = std::make_unique<clsProjectTree>(*m_window->ProjectTree());
    clsProjectTree::Links links;
    links.Designer = &m_root->Designer();
    links.Edit = &m_root->Edit();
    links.Prompter = m_prompterPort;
    links.CursorIds = m_root->State().CursorIds;
    links.Host = this;
    m_tree->SetLinks(links);
}

void DesignerWindow::MakeFormFactory()
{
    // Form items show as design forms in the main window's MDI area.
    m_forms = std::make_unique<DesignFormFactory>(m_host.get(), m_window->MdiArea());
    m_forms->SetPictureResolver([this](const clsControl *app, const QString &name) {
        return m_root->Storage().ResolvePicture(app, name);
    });
}

void DesignerWindow::MakePropertySheet()
{
    // The property sheet creates every new object and edits existing ones; it stays hidden
    // until asked for.
    m_sheet = std::make_unique<frmProperties>(m_root->Designer(), *m_prompterPort, m_window.get());
    m_sheet->SetEditCommands(&m_root->Edit());
    m_sheet->SetSettings(&m_root->Settings());
    m_sheet->SetRefresh([this] { RefreshCommands(); });
    if (!m_createMode) {
        m_sheetCreateMode = std::make_unique<SheetCreateMode>(*m_sheet);
        m_createMode = m_sheetCreateMode.get();
    }
}

void DesignerWindow::MakeChooser()
{
    if (!m_chooser) {
        m_qtChooser = std::make_unique<QtDocumentChooser>(m_root->State().Connection, m_window.get());
        m_chooser = m_qtChooser.get();
    }
    m_root->State().Connection.SetChooser(m_chooser);
}

void DesignerWindow::MakeCodeServices()
{
    // The code editor, its dialogs and preview; the status text tells when the program's event
    // decoder is behind the project.
    if (!m_withCode)
        return;
    m_code = std::make_unique<CodeServices>(m_root->Designer(), m_root->State(), m_root->Storage(),
                                            m_window.get());
    m_code->SetNoticeSink([this](const QString &text) {
        m_window->SetStatusText(text.isEmpty() ? SelectionDescription() : text);
    });
}

void DesignerWindow::ConnectDesigner()
{
    // The point of a right-click lasts while its context menu is open: the chosen entry
    // runs just after the menu hides.
    if (auto *popup = qobject_cast<QMenu *>(m_window->Bands().BandWidget(QString::fromLatin1(PopupBand))))
        QObject::connect(popup, &QMenu::aboutToHide, m_window.get(), [this] {
            QTimer::singleShot(0, m_window.get(), [this] { m_contextPoint.reset(); });
        });
    DesignerPorts ports;
    ports.CreateMode = m_createMode;
    ports.Prompter = m_prompterPort;
    ports.Clipboard = m_clipboard.get();
    ports.ProjectTree = m_tree.get();
    ports.FormFactory = m_forms.get();
    ports.CommandStates = m_code ? m_code->CommandStates(m_window.get()) : m_window.get();
    ports.ProgramCode = m_code ? &m_code->ProgramCode() : nullptr;
    auto *progress = new LoadProgressBar(m_window->statusBar()); // the status bar owns it
    progress->HoldPaintsOf(m_window->MdiArea()->viewport());
    ports.LoadProgress = progress;
    m_root->Connect(ports);
}

void DesignerWindow::FollowClipboard()
{
    // Paste follows what the desktop's clipboard holds. Asking the clipboard may mean a round
    // trip to another program, so it is asked when its content changes, not on every click.
    ReadClipboard();
    QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, m_window.get(), [this] {
        ReadClipboard();
        RefreshCommands();
    });
}

void DesignerWindow::LoadExtensionProfile()
{
    if (const QString profile = m_root->State().ProgramFolder + QStringLiteral("extension.ini");
        QFileInfo::exists(profile))
        m_sheet->SetExtensionProfile(
            std::make_shared<const ExtensionProfile>(ExtensionProfile::Load(profile)));
}

void DesignerWindow::StartAutosave()
{
    // Autosave of unsaved work, held back while a dialog or menu is open; work left behind by
    // a designer that ended without saving it is offered once the window shows.
    if (m_recoveryFolder.isEmpty())
        return;
    Autosave &autosave = m_root->Autosaver();
    autosave.SetBusyCheck([] {
        return QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr;
    });
    autosave.Start(std::make_unique<RecoveryStore>(m_recoveryFolder, QCoreApplication::applicationPid()));
    QTimer::singleShot(0, m_window.get(), [this] {
        ErrorBoundary::Run(*m_prompterPort, CommandLabel, [this] { OfferRecovery(); });
    });
}

// ---- The project tree's host -----------------------------------------------------------------

void DesignerWindow::LabelEditStarted()
{
    m_window->DropEditShortcuts();
}

void DesignerWindow::LabelEditEnded()
{
    m_window->RestoreEditShortcuts();
}

void DesignerWindow::TreeContextMenu(const QPoint &globalPos)
{
    m_window->ShowContextMenu(globalPos);
}

void DesignerWindow::TreeChangedItem()
{
    m_window->SetStatusText(SelectionDescription());
}

// ---- The designer's own dialogs ---------------------------------------------------------------

void DesignerWindow::ShowSettings()
{
    frmSettings::Run(m_root->Settings(), m_root->State().ProgramFolder, m_window.get(), [this] {
        m_root->ApplySettings();
        RefreshCommands();
    });
}

void DesignerWindow::ShowHelpTopics()
{
    HelpWindow::ShowTopics(m_window.get());
}

void DesignerWindow::ShowAbout()
{
    frmAbout::Show(m_window.get());
}

void DesignerWindow::CloseHelp()
{
    HelpWindow::CloseAll();
}

frmRecover::Choice DesignerWindow::ChooseRecovery(const QList<frmRecover::Row> &rows,
                                                  QList<int> &chosen)
{
    return frmRecover::Ask(rows, m_window.get(), chosen);
}

// ---- The main window's host ------------------------------------------------------------------

void DesignerWindow::SelectionChanged()
{
    // The selection's form comes to the front, so its sizer is never hidden behind another
    // form. It is raised, not activated: the keyboard stays where the user is (the tree).
    ShowSelectionStatus();
    const clsControl *item = m_root->Designer().CurrentItem();
    const clsControl *form = item && Vocabulary::IsForm(item->ObjType()) ? item
                             : item ? item->Form() : nullptr;
    if (!form || m_root->Items().Find(form->FullID()) != form)
        return;
    if (frmDesign *design = DesignFormFactory::FormOf(*form))
        if (QMdiSubWindow *sub = design->SubWindow(); sub && sub->isVisible())
            sub->raise();
}

void DesignerWindow::WindowActivated(QMdiSubWindow *sub)
{
    // The form chosen in the Window menu becomes the active form: new controls go onto it.
    for (frmDesign *form : m_forms->Forms()) {
        if (form->SubWindow() != sub)
            continue;
        clsControl &owner = form->Owner();
        const clsControl *current = m_root->Designer().CurrentItem();
        if (!current || (current != &owner && current->Form() != &owner))
            form->SelectItem(owner);
        return;
    }
}

QList<iMainWindowHost::CodeMenuEntry> DesignerWindow::CodeMenuEntries() const
{
    QList<CodeMenuEntry> entries;
    if (m_code)
        for (const CodeServices::MenuEntry &entry : m_code->CodeMenuEntries())
            entries.append({entry.Key, entry.Caption});
    return entries;
}

bool DesignerWindow::QueryClose()
{
    return m_root->Storage().QueryExit();
}

void DesignerWindow::ShowStatusPanel(int panel, const QString &text)
{
    m_window->SetStatusPanel(panel, text);
}

void DesignerWindow::FocusProjectTree()
{
    m_window->ProjectTree()->setFocus(Qt::OtherFocusReason);
}

void DesignerWindow::ItemSelected(clsControl &)
{
    // The designer has shown the sizer, the tree's node and the command states by now.
}

void DesignerWindow::ShowContextMenu(clsControl &item)
{
    m_contextPoint = PointedPlace(item, QCursor::pos());
    m_window->ShowContextMenu();
}

void DesignerWindow::DropKind(const QString &key, const QPoint &globalPos)
{
    if (Classify(key).What != Kind::ItemKind)
        return;
    // The design form under the drop becomes the one the new object goes onto.
    for (frmDesign *design : m_forms->Forms()) {
        QWidget *canvas = design->Canvas();
        if (!canvas || !canvas->isVisible() || !canvas->rect().contains(canvas->mapFromGlobal(globalPos)))
            continue;
        QWidget *top = canvas->window()->childAt(canvas->window()->mapFromGlobal(globalPos));
        if (top && top != canvas && !canvas->isAncestorOf(top))
            continue; // another form's window lies over this one there
        clsControl &form = design->Owner();
        m_root->Designer().SelectItem(&form);
        m_contextPoint = PointedPlace(form, globalPos);
        HandleCommand(key);
        return;
    }
}

std::optional<QPoint> DesignerWindow::PointedPlace(clsControl &item, const QPoint &globalPos) const
{
    using namespace Vocabulary;
    clsControl *form = IsForm(item.ObjType()) ? &item : item.Form();
    frmDesign *design = form ? DesignFormFactory::FormOf(*form) : nullptr;
    if (!design || !design->Canvas())
        return std::nullopt;
    // A new control goes into the frame or tab panel clicked, else onto the form.
    const int type = item.ObjType();
    const bool container = type == Type::Frame || type == Type::Tab || type == Type::Tabgroup;
    const auto *control = container ? dynamic_cast<const DesignControl *>(item.ControlObject()) : nullptr;
    QWidget *surface = control && control->Widget() ? control->Widget() : design->Canvas();
    const QPoint pixels = surface->mapFromGlobal(globalPos);
    if (!surface->rect().contains(pixels))
        return std::nullopt;
    const PlatformMetrics &m = PlatformMetrics::Current();
    int left = pixels.x() * m.TwipsPerPixelX, top = pixels.y() * m.TwipsPerPixelY;
    if (surface == design->Canvas()) {
        int originX = 0, originY = 0, right = 0, bottom = 0;
        design->ContainerArea(nullptr, originX, originY, right, bottom);
        left -= originX;
        top -= originY;
    }
    // Snapped as a drag snaps.
    if (design->SnapToGrid() && design->GridX() > 0 && design->GridY() > 0) {
        left = Arrangement::Snap(left, design->GridX());
        top = Arrangement::Snap(top, design->GridY());
    }
    return QPoint(qMax(0, left), qMax(0, top));
}

void DesignerWindow::ArrangeSelection(ArrangeCommand command)
{
    clsDesigner &designer = m_root->Designer();
    clsControl *primary = designer.CurrentItem();
    if (!primary)
        return;
    int gridX = 0, gridY = 0;
    if (clsControl *form = primary->Form())
        if (frmDesign *design = DesignFormFactory::FormOf(*form)) {
            gridX = design->GridX();
            gridY = design->GridY();
        }
    m_root->Edit().Arrange(command, designer.Selection(), *primary, gridX, gridY);
    ShowSelectionStatus();
}

void DesignerWindow::ToggleTabOrder()
{
    if (m_tabOrder) {
        m_tabOrder->End();
        m_tabOrder = nullptr;
        m_window->Bands().SetChecked(QStringLiteral("TabOrder"), false);
        return;
    }
    clsControl *form = m_root->Edit().ActiveForm();
    frmDesign *design = form ? DesignFormFactory::FormOf(*form) : nullptr;
    if (!design || !design->Canvas())
        return;
    m_tabOrder = new TabOrderOverlay(*design, m_root->Edit());
    QObject::connect(m_tabOrder.data(), &TabOrderOverlay::Finished, m_tabOrder.data(), [this] {
        if (m_tabOrder)
            ToggleTabOrder();
        RefreshCommands();
    });
    // The mode also ends with its form (closed with its project): the menu follows.
    QObject::connect(m_tabOrder.data(), &QObject::destroyed, m_window.get(),
                     [this, overlay = m_tabOrder.data()] {
                         if (!m_tabOrder || m_tabOrder.data() == overlay)
                             m_window->Bands().SetChecked(QStringLiteral("TabOrder"), false);
                     });
    m_window->Bands().SetChecked(QStringLiteral("TabOrder"), true);
}

void DesignerWindow::ShowPropertySheet(clsControl &item)
{
    m_sheet->ShowModify(item.FullID());
}

bool DesignerWindow::SnapToGrid() const
{
    return m_root->State().Settings.ViewGrid;
}

void DesignerWindow::OfferRecovery()
{
    Autosave &autosave = m_root->Autosaver();
    const RecoveryStore::Findings found = autosave.FindLeftBehind();
    if (!found.Problems.isEmpty()) {
        // Told each start while they are there; the user decides what becomes of them.
        constexpr int Listed = 10;
        QString text = QStringLiteral("These recovery files cannot be used and are left where they are:\n");
        for (int i = 0; i < found.Problems.size() && i < Listed; ++i)
            text += QStringLiteral("\n%1: %2").arg(found.Problems[i].Path, found.Problems[i].Reason);
        if (found.Problems.size() > Listed)
            text += QStringLiteral("\n... and %1 more").arg(found.Problems.size() - Listed);
        m_prompterPort->ShowMessage(text, MessageIcon::Exclamation);
    }
    if (found.Entries.isEmpty())
        return;
    QList<frmRecover::Row> rows;
    for (const RecoveryStore::Entry &entry : found.Entries)
        rows.append({entry.Meta.ApplicationID, entry.Meta.DocumentName, entry.Meta.Time});
    QList<int> chosen;
    const frmRecover::Choice choice = m_dialogs->ChooseRecovery(rows, chosen);
    if (choice == frmRecover::Choice::Later)
        return;
    for (const int row : chosen) {
        if (row < 0 || row >= found.Entries.size())
            continue;
        if (choice == frmRecover::Choice::Recover)
            autosave.Recover(found.Entries[row]);
        else
            autosave.Discard(found.Entries[row]);
    }
    RefreshCommands();
}

void DesignerWindow::Dispatch(const QString &key)
{
    if (m_window)
        m_window->Dispatch(key);
}

void DesignerWindow::RefreshCommands()
{
    if (!m_window)
        return;
    // The property sheet's Apply ends here: a new ID, place or size shows at once.
    ShowSelectionStatus();
    m_window->UpdateCommandStates();
}

void DesignerWindow::RunCodeCommand(const QString &key)
{
    if (m_code && m_code->Dispatch(key))
        return;
    m_prompterPort->ShowMessage(NotAvailableMessage(key), MessageIcon::Information);
}

void DesignerWindow::HandleCommand(const QString &key)
{
    DesignerRoot &root = *m_root;
    const Command command = Classify(key);
    // Any other command ends Tab Order mode first, so that its pass is one record of its own.
    if (m_tabOrder && command.What != Kind::TabOrder)
        ToggleTabOrder();
    ErrorBoundary::Run(*m_prompterPort, CommandLabel, [&] {
        switch (command.What) {
        case Kind::Exit:
            // Every project is asked first; one that must stay open keeps the designer running.
            if (root.Storage().QueryExit())
                m_window->CloseWithoutQuestions();
            return;
        case Kind::Document:
            if (key == QLatin1String("New"))
                root.Storage().New();
            else if (key == QLatin1String("Open"))
                root.Storage().FileOpen();
            else if (key == QLatin1String("Save"))
                root.Storage().Save();
            else if (key == QLatin1String("SaveAs"))
                root.Storage().FileSaveAs();
            else if (key == QLatin1String("Close"))
                root.Storage().Close();
            break;
        case Kind::Edit:
            if (key == QLatin1String("Undo"))
                root.Edit().Undo();
            else if (key == QLatin1String("Redo"))
                root.Edit().Redo();
            else if (key == QLatin1String("Cut"))
                m_clipboardHasText = root.Edit().Cut() || m_clipboardHasText;
            else if (key == QLatin1String("Copy"))
                m_clipboardHasText = root.Edit().Copy() || m_clipboardHasText;
            else if (key == QLatin1String("Paste"))
                root.Edit().Paste();
            else if (key == QLatin1String("Delete"))
                root.Edit().Delete();
            break;
        case Kind::Properties:
            if (const clsControl *item = root.Designer().CurrentItem())
                m_sheet->ShowModify(item->FullID());
            break;
        case Kind::ItemKind:
            // A New entry of the context menu of a design form places the object where the
            // user right-clicked.
            m_sheet->SetCreatePoint(std::exchange(m_contextPoint, std::nullopt));
            root.Edit().CreateNewItem(key);
            m_sheet->SetCreatePoint(std::nullopt);
            break;
        case Kind::Format:
            ArrangeSelection(*ArrangeCommandOf(key));
            break;
        case Kind::TabOrder:
            ToggleTabOrder();
            break;
        case Kind::RecentFile:
            root.Storage().OpenRecent(command.Index);
            break;
        case Kind::Settings:
            m_dialogs->ShowSettings();
            break;
        case Kind::Help:
            if (key == QLatin1String("HelpTopics")) {
                m_dialogs->ShowHelpTopics();
                m_helpShown = true;
            } else {
                m_dialogs->ShowAbout();
            }
            break;
        case Kind::Code:
        case Kind::CodeMenu:
            RunCodeCommand(key);
            break;
        case Kind::ViewToggle:
        case Kind::WindowList:
        case Kind::Unknown:
            // The window handles these itself.
            break;
        }
    });
    if (command.What != Kind::Exit)
        RefreshCommands();
}

MainWindowModel::StateInputs DesignerWindow::CommandStates() const
{
    StateInputs in;
    const clsDesigner &designer = m_root->Designer();
    in.ProjectOpen = !designer.Projects().empty();
    clsControl *item = designer.CurrentItem();
    if (item && item->ObjType() != Vocabulary::Type::Root
        && m_root->Items().Find(item->FullID()) == item) {
        in.ItemSelected = true;
        in.SelectedType = item->ObjType();
    }
    in.FormActive = in.ItemSelected && m_root->Edit().ActiveForm() != nullptr;
    if (in.ItemSelected)
        in.Arrangeable = m_root->Edit().ArrangeableCommands(designer.Selection());
    in.ClipboardHasText = m_clipboardHasText;
    const ProjectState *project = designer.CurrentProject();
    in.ProjectChanged = project && project->Changed;
    return in;
}

QString DesignerWindow::ProjectTitle() const
{
    const ProjectState *project = m_root->Designer().CurrentProject();
    if (!project || !project->App)
        return {};
    if (project->Document)
        return MainWindowModel::ProjectTitle(project->Document->DisplayName(), project->Document->ReadOnly());
    return project->App->ID();
}

void DesignerWindow::ShowSelectionStatus()
{
    if (!m_window)
        return;
    const clsControl *item = m_root->Designer().CurrentItem();
    if (item && m_root->Items().Find(item->FullID()) != item)
        item = nullptr;
    if (item) {
        m_host->ShowGeometry(*item);
    } else {
        m_window->SetStatusPanel(2, QStringLiteral("0,0"));
        m_window->SetStatusPanel(3, QStringLiteral("0,0"));
    }
    const QString description = item ? clsDesigner::Description(*item) : QString();
    if (description != m_shownDescription) {
        m_shownDescription = description;
        m_window->SetStatusText(description);
    }
}

QString DesignerWindow::SelectionDescription() const
{
    const clsControl *item = m_root->Designer().CurrentItem();
    if (!item || m_root->Items().Find(item->FullID()) != item)
        return {};
    return clsDesigner::Description(*item);
}

void DesignerWindow::ReadClipboard()
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QMimeData *data = clipboard ? clipboard->mimeData(QClipboard::Clipboard) : nullptr;
    m_clipboardHasText = data && data->hasText();
}

void DesignerWindow::GridChanged(bool)
{
    // The sizers read the switch as they drag; every form repaints.
    for (frmDesign *form : m_forms->Forms())
        form->RefreshBackground();
}

void DesignerWindow::Shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    // The main window has stored its own keys by now. The other windows unload, then the
    // designer lets every item go, then the settings are saved.
    if (m_sheet)
        m_sheet->hide();
    if (m_helpShown)
        m_dialogs->CloseHelp();
    m_root->Shutdown();
    if (m_prompterPort)
        for (const QString &problem : m_root->State().Persist.TakeProblems())
            m_prompterPort->ShowMessage(problem, MessageIcon::Exclamation);
}
