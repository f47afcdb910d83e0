#include "app/clsDesigner.h"

#include "app/ErrorBoundary.h"
#include "app/ProjectWriter.h"
#include "app/iPrompter.h"
#include "app/iUndoState.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "model/iFormFuncs.h"
#include "support/ErrorReport.h"
#include "support/GuiError.h"

#include <QSet>
#include <algorithm>
#include <exception>

using namespace Vocabulary;

namespace {
// Until a prompter is set, nothing is shown and every question gets the cautious answer.
class SilentPrompter final : public iPrompter
{
public:
    void ShowMessage(const QString &, MessageIcon) override {}
    Answer Ask(const QString &, Buttons buttons, MessageIcon) override
    {
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
    void Report(const ErrorReport &) override {}
    DuplicateIdAnswer AskDuplicateId(const DuplicateIdRequest &) override { return {}; }
};

QString MemberLabel(const char *member)
{
    return QStringLiteral("<clsDesigner %1>").arg(QLatin1String(member));
}

// The events an object reports from the moment it is added.
qint32 InitialMask(int type)
{
    // An MDI frame also reports Close: its child forms close with it.
    if (type == Type::AppMdi)
        return qint32(EventMaskBit(Event::Quit) | EventMaskBit(Event::Close));
    if (IsApplication(type))
        return qint32(EventMaskBit(Event::Quit));
    if (IsForm(type))
        return qint32(EventMaskBit(Event::Close));
    if (type == Type::Command || IsFormBar(type))
        return qint32(EventMaskBit(Event::Click));
    return 0;
}
} // namespace

qint32 clsDesigner::InitialEventMask(int type) { return InitialMask(type); }

clsDesigner::clsDesigner(clsItems &items, iPrompter *prompter)
    : m_items(items), m_prompter(prompter)
{
    m_items.SetObserver(this);
}

clsDesigner::~clsDesigner()
{
    if (m_items.Observer() == this)
        m_items.SetObserver(nullptr);
}

void clsDesigner::SetProjectTree(iProjectTree *tree)
{
    m_tree = tree;
    if (!m_tree)
        return;
    m_tree->RemoveAll();
    // Parents before children, siblings in child order.
    auto addBelow = [this](auto &&self, const clsControl &parent) -> void {
        int position = 0;
        for (const auto &entry : parent.Children()) {
            ItemAdded(*entry.Value, position++);
            self(self, *entry.Value);
        }
    };
    if (m_items.Root())
        addBelow(addBelow, *m_items.Root());
}

namespace {
QString ParentKey(const clsControl &item)
{
    const clsControl *parent = item.Parent();
    return parent && parent->ObjType() != Type::Root ? parent->FullID() : QString();
}

bool IsWithin(const clsControl *item, const clsControl &ancestor)
{
    for (; item; item = item->Parent())
        if (item == &ancestor)
            return true;
    return false;
}
} // namespace

void clsDesigner::ItemAdded(clsControl &item, int position)
{
    if (m_tree)
        m_tree->AddItem(item.ObjType(), position, item.FullID(), ParentKey(item));
}

void clsDesigner::ItemRemoving(clsControl &item)
{
    DropFromSelection(item);
    if (m_tree)
        m_tree->RemoveItem(item.FullID());
    if (IsApplication(item.ObjType()))
        ForgetProject(item);
}

void clsDesigner::ItemRenamed(clsControl &item, const QString &oldFullId)
{
    if (m_tree)
        m_tree->RenameItem(oldFullId, item.FullID());
}

void clsDesigner::ItemRepositioned(clsControl &item, int position)
{
    if (m_tree)
        m_tree->RepositionItem(item.FullID(), ParentKey(item), position);
}

iPrompter &clsDesigner::Prompter() const
{
    static SilentPrompter silent;
    return m_prompter ? *m_prompter : silent;
}

void clsDesigner::ReportError(int number, const QString &description, const QString &label)
{
    Prompter().Report(ErrorReport::Compose(2, number, label, 0, description,
                                           [](int code) { return PropertyName(code); }));
}

clsControl *clsDesigner::FindOrReport(const QString &id, const char *member)
{
    clsControl *item = id.isEmpty() ? nullptr : m_items.Find(id);
    if (!item || item->ObjType() == Type::Root) {
        ReportError(GuiErrors::InvalidObjectId, {}, MemberLabel(member));
        return nullptr;
    }
    return item;
}

QString clsDesigner::GetTemplate(const QString &id, const QString &header, int appOnly)
{
    return ErrorBoundary::Value(Prompter(), MemberLabel("GetTemplate"), [&] {
        int version = CurrentProjectVersion;
        return ProjectWriter::GetTemplate(m_items, id, header, appOnly, version);
    });
}

bool clsDesigner::SetTemplate(const QString &text, iLoadProgress *progress)
{
    m_lastLoad = {};
    ++m_loading;
    const bool ran = ErrorBoundary::Run(Prompter(), MemberLabel("SetTemplate"), [&] {
        ProjectLoader loader(m_items, Prompter());
        loader.SetProgress(progress);
        m_lastLoad = loader.Load(text);
    });
    --m_loading;
    if (!ran) {
        // What the load made before the error stays, as after a load that stopped.
        m_lastLoad.Stopped = true;
        m_lastLoad.MaxSeverity = std::max(m_lastLoad.MaxSeverity, 2);
        for (const auto &entry : m_items.Root()->Children())
            if (!ProjectOf(entry.Value)) {
                m_lastLoad.Applications.push_back(entry.Value);
                m_lastLoad.Touched.push_back(entry.Value);
            }
    }
    if (m_tree)
        m_tree->Refresh();
    // Applications made by the load are open projects; a project that gained items has
    // changed (opening a document clears the flag again).
    for (clsControl *app : m_lastLoad.Applications)
        AddProject(*app);
    for (clsControl *app : m_lastLoad.Touched)
        MarkChanged(app);
    return m_lastLoad.Valid && m_lastLoad.MaxSeverity < 2;
}

clsControl *clsDesigner::AddControl(int type, const QString &id, const QString &parentId,
                                    const QString &left, const QString &top,
                                    const QString &width, const QString &height)
{
    clsControl *item = nullptr;
    ErrorBoundary::Run(Prompter(), MemberLabel("AddControl"), [&] {
        item = &m_items.CreateItem(type, id, parentId);
        if (IsApplication(type))
            AddProject(*item);
        item->Move(left, top, width, height);
        item->SetEventMask(InitialMask(type));
        MarkChanged(item);
    });
    return item;
}

void clsDesigner::RemoveControl(const QString &id)
{
    clsControl *item = FindOrReport(id, "RemoveControl");
    if (!item)
        return;
    if (IsApplication(item->ObjType())) {
        RemoveProject(*item);
        return;
    }
    ErrorBoundary::Run(Prompter(), MemberLabel("RemoveControl"), [&] {
        MarkChanged(item);
        item->DeleteItem();
    });
}

QString clsDesigner::GetProperty(int code, const QString &id)
{
    clsControl *item = FindOrReport(id, "GetProperty");
    if (!item)
        return {};
    return ErrorBoundary::Value(Prompter(), MemberLabel("GetProperty"),
                                [&] { return item->GetProperty(code); });
}

void clsDesigner::SetProperty(int code, const QString &id, const QString &value)
{
    clsControl *item = FindOrReport(id, "SetProperty");
    if (!item)
        return;
    ErrorBoundary::Run(Prompter(), MemberLabel("SetProperty"), [&] {
        item->SetProperty(code, value);
        MarkChanged(item);
    });
}

bool clsDesigner::Selectable(const clsControl *item) const
{
    return item && item->ObjType() != Type::Root && m_items.Find(item->FullID()) == item;
}

bool clsDesigner::IsSelected(const clsControl *item) const
{
    return item && (item == m_current || m_selection.contains(item));
}

bool clsDesigner::Joins(const clsControl &item) const
{
    return m_current && IsControl(m_current->ObjType()) && IsControl(item.ObjType()) &&
           item.Form() == m_current->Form();
}

void clsDesigner::SetCurrentItem(clsControl *item)
{
    if (item && item == m_current)
        return;
    for (clsControl *other : std::as_const(m_selection))
        if (other != item && other != m_current)
            if (iItemSizer *sizer = other->ExistingSizer())
                sizer->SetSecondary(false);
    m_current = item;
    m_selection.clear();
    if (item)
        m_selection.append(item);
}

void clsDesigner::ApplySelection(QList<clsControl *> selection)
{
    clsControl *primary = selection.isEmpty() ? nullptr : selection.back();
    // Only the sizers whose part changes are told: a rubber band over hundreds of controls
    // re-selects most of them on every mouse move.
    const qsizetype keep = selection.size() - 1;
    QSet<const clsControl *> wasSecondary;
    if (m_selection.size() > 1 || selection.size() > 1) {
        const QSet<const clsControl *> next(selection.cbegin(), selection.cend());
        for (qsizetype i = 0; i + 1 < m_selection.size(); ++i) {
            clsControl *old = m_selection[i];
            if (next.contains(old))
                wasSecondary.insert(old);
            else if (iItemSizer *sizer = old->ExistingSizer())
                sizer->SetSecondary(false);
        }
    }
    if (m_current && m_current != primary)
        if (iItemSizer *previous = m_current->ExistingSizer())
            previous->SetActive(false);
    for (qsizetype i = 0; i < keep; ++i) {
        clsControl *other = selection[i];
        if (wasSecondary.contains(other))
            continue;
        if (iItemSizer *sizer = other->Sizer()) {
            if (sizer->IsActive())
                sizer->SetActive(false);
            sizer->SetSecondary(true);
        }
    }
    m_current = primary;
    m_selection = std::move(selection);
    if (primary) {
        if (iItemSizer *sizer = primary->Sizer()) {
            sizer->SetSecondary(false);
            sizer->SetActive(true);
        }
        if (m_tree)
            m_tree->Highlight(primary->FullID());
    }
    if (m_tree) {
        QStringList ids;
        ids.reserve(m_selection.size());
        for (const clsControl *item : std::as_const(m_selection))
            ids.append(item->FullID());
        m_tree->MarkSelection(ids);
    }
    Prompter().SetStatusText(primary ? Description(*primary) : QString());
    if (m_commandStates)
        m_commandStates->CommandsChanged();
}

bool clsDesigner::SelectItem(clsControl *item)
{
    if (item && !Selectable(item))
        return false;
    ApplySelection(item ? QList<clsControl *>{item} : QList<clsControl *>{});
    return true;
}

bool clsDesigner::AddToSelection(clsControl *item)
{
    if (!Selectable(item))
        return false;
    if (!m_current)
        return SelectItem(item);
    if (!IsControl(m_current->ObjType())) {
        // The form itself (or one of its bars) is selected: a click on one of its controls
        // starts a new selection there.
        const clsControl *form = IsForm(m_current->ObjType()) ? m_current : m_current->Form();
        if (!IsControl(item->ObjType()) || !form || item->Form() != form)
            return false;
        return SelectItem(item);
    }
    if (!Joins(*item))
        return false;
    QList<clsControl *> selection = m_selection;
    selection.removeOne(item);
    selection.append(item);
    ApplySelection(std::move(selection));
    return true;
}

bool clsDesigner::ToggleSelection(clsControl *item)
{
    if (!Selectable(item))
        return false;
    if (!IsSelected(item))
        return AddToSelection(item);
    QList<clsControl *> selection = m_selection;
    selection.removeOne(item);
    if (selection.isEmpty()) {
        // The last control taken out of the selection leaves its form selected.
        clsControl *form = IsControl(item->ObjType()) ? item->Form() : nullptr;
        return SelectItem(form && form != item ? form : item);
    }
    ApplySelection(std::move(selection));
    return true;
}

bool clsDesigner::SelectItems(const QList<clsControl *> &items, clsControl *primary)
{
    QList<clsControl *> selection;
    selection.reserve(items.size());
    QSet<const clsControl *> seen;
    for (clsControl *item : items) {
        if (!Selectable(item))
            return false;
        if (!seen.contains(item)) {
            seen.insert(item);
            selection.append(item);
        }
    }
    if (selection.isEmpty())
        return false;
    if (selection.size() == 1)
        return SelectItem(selection.front());
    const clsControl *form = selection.front()->Form();
    for (const clsControl *item : std::as_const(selection))
        if (!IsControl(item->ObjType()) || item->Form() != form)
            return false;
    if (primary && seen.contains(primary)) {
        selection.removeOne(primary);
        selection.append(primary);
    }
    if (selection == m_selection)
        return true;
    ApplySelection(std::move(selection));
    return true;
}

void clsDesigner::DropFromSelection(const clsControl &removed)
{
    if (m_selection.size() <= 1) {
        if (IsWithin(m_current, removed)) {
            m_current = nullptr;
            m_selection.clear();
        }
        return;
    }
    const qsizetype before = m_selection.size();
    m_selection.removeIf([&](const clsControl *item) { return IsWithin(item, removed); });
    if (m_selection.size() == before)
        return;
    // What is left stays selected; the newest of it becomes the primary.
    clsControl *primary = m_selection.isEmpty() ? nullptr : m_selection.back();
    if (primary != m_current && primary)
        if (iItemSizer *sizer = primary->ExistingSizer()) {
            sizer->SetSecondary(false);
            sizer->SetActive(true);
        }
    m_current = primary;
    if (m_tree) {
        QStringList ids;
        for (const clsControl *item : std::as_const(m_selection))
            ids.append(item->FullID());
        m_tree->MarkSelection(ids);
    }
}

bool clsDesigner::SelectItem(const QString &fullId)
{
    clsControl *item = fullId.isEmpty() ? nullptr : m_items.Find(fullId);
    return item && SelectItem(item);
}

QString clsDesigner::Description(const clsControl &item)
{
    QString kind;
    try {
        kind = TypeKeyword(item.ObjType(), false);
    } catch (const GuiError &) {
        kind = QString::number(item.ObjType());
    }
    return kind + QLatin1Char(' ') + item.FullID();
}

ProjectState *clsDesigner::ProjectOf(const clsControl *item) const
{
    const clsControl *app = item ? item->App() : nullptr;
    if (!app)
        return nullptr;
    return m_projectOfApp.value(app, nullptr);
}

ProjectState &clsDesigner::AddProject(clsControl &app)
{
    if (ProjectState *existing = ProjectOf(&app))
        return *existing;
    auto project = std::make_unique<ProjectState>();
    project->App = &app;
    m_projectOfApp.insert(&app, project.get());
    m_projects.push_back(std::move(project));
    return *m_projects.back();
}

void clsDesigner::RemoveProject(clsControl &app)
{
    // The registry tells this object, which forgets the project and the selection in it.
    try {
        app.DeleteItem();
    } catch (const std::exception &) {
        // The item is gone from the registry either way; nothing more to undo.
    }
    ForgetProject(app);
}

void clsDesigner::ForgetProject(const clsControl &app)
{
    if (!m_projectOfApp.remove(&app))
        return;
    if (m_projectForgotten)
        m_projectForgotten(app.ID());
    // Searched from the newest: closing everything removes the projects from the back.
    const auto found = std::find_if(m_projects.rbegin(), m_projects.rend(),
                                    [&](const auto &p) { return p->App == &app; });
    if (found != m_projects.rend())
        m_projects.erase(std::prev(found.base()));
}

std::vector<ProjectState *> clsDesigner::Projects() const
{
    std::vector<ProjectState *> list;
    for (const auto &project : m_projects)
        list.push_back(project.get());
    return list;
}

ProjectState *clsDesigner::CurrentProject() const
{
    if (ProjectState *project = ProjectOf(m_current))
        return project;
    return m_projects.empty() ? nullptr : m_projects.back().get();
}

void clsDesigner::MarkChanged(const clsControl *item)
{
    if (ProjectState *project = ProjectOf(item))
        SetChanged(*project, true);
}

void clsDesigner::SetChanged(ProjectState &project, bool changed)
{
    if (project.Changed == changed)
        return;
    project.Changed = changed;
    if (m_tree && project.App)
        m_tree->ShowChanged(project.App->FullID(), changed);
    if (m_commandStates)
        m_commandStates->CommandsChanged();
}

void clsDesigner::ReleaseAll()
{
    while (!m_projects.empty()) {
        clsControl *app = m_projects.back()->App;
        if (app)
            RemoveProject(*app);
        else
            m_projects.pop_back();
    }
    m_current = nullptr;
    m_selection.clear();
}

void clsDesigner::ForgetAll()
{
    while (!m_projects.empty()) {
        const size_t before = m_projects.size();
        if (const clsControl *app = m_projects.back()->App)
            ForgetProject(*app);
        if (m_projects.size() == before)
            m_projects.pop_back();
    }
    m_current = nullptr;
    m_selection.clear();
}
