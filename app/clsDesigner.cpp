#include "app/clsDesigner.h"

#include "app/ProjectWriter.h"
#include "app/iPrompter.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "support/ErrorReport.h"
#include "support/GuiError.h"

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
}

clsDesigner::~clsDesigner() = default;

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
    try {
        int version = CurrentProjectVersion;
        return ProjectWriter::GetTemplate(m_items, id, header, appOnly, version);
    } catch (const GuiError &error) {
        ReportError(error.Number(), error.Description(), MemberLabel("GetTemplate"));
    }
    return {};
}

bool clsDesigner::SetTemplate(const QString &text)
{
    ProjectLoader loader(m_items, Prompter(), m_tree);
    m_lastLoad = loader.Load(text);
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
    try {
        item = &m_items.CreateItem(type, id, parentId);
        if (IsApplication(type))
            AddProject(*item);
        if (m_tree)
            m_tree->AddItem(*item);
        item->Move(left, top, width, height);
        item->SetEventMask(InitialMask(type));
        MarkChanged(item);
    } catch (const GuiError &error) {
        ReportError(error.Number(), error.Description(), MemberLabel("AddControl"));
    }
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
    try {
        MarkChanged(item);
        m_current = nullptr;
        if (m_tree)
            m_tree->RemoveItem(*item);
        item->DeleteItem();
    } catch (const GuiError &error) {
        ReportError(error.Number(), error.Description(), MemberLabel("RemoveControl"));
    }
}

QString clsDesigner::GetProperty(int code, const QString &id)
{
    clsControl *item = FindOrReport(id, "GetProperty");
    if (!item)
        return {};
    try {
        return item->GetProperty(code);
    } catch (const GuiError &error) {
        ReportError(error.Number(), error.Description(), MemberLabel("GetProperty"));
    }
    return {};
}

void clsDesigner::SetProperty(int code, const QString &id, const QString &value)
{
    clsControl *item = FindOrReport(id, "SetProperty");
    if (!item)
        return;
    try {
        item->SetProperty(code, value);
        MarkChanged(item);
    } catch (const GuiError &error) {
        ReportError(error.Number(), error.Description(), MemberLabel("SetProperty"));
    }
}

ProjectState *clsDesigner::ProjectOf(const clsControl *item) const
{
    const clsControl *app = item ? item->App() : nullptr;
    if (!app)
        return nullptr;
    for (const auto &project : m_projects)
        if (project->App == app)
            return project.get();
    return nullptr;
}

ProjectState &clsDesigner::AddProject(clsControl &app)
{
    if (ProjectState *existing = ProjectOf(&app))
        return *existing;
    auto project = std::make_unique<ProjectState>();
    project->App = &app;
    m_projects.push_back(std::move(project));
    return *m_projects.back();
}

void clsDesigner::RemoveProject(clsControl &app)
{
    const auto it = std::find_if(m_projects.begin(), m_projects.end(),
                                 [&](const auto &p) { return p->App == &app; });
    if (m_current && m_current->App() == &app)
        m_current = nullptr;
    if (m_tree)
        m_tree->RemoveItem(app);
    try {
        app.DeleteItem();
    } catch (const std::exception &) {
        // The item is gone from the registry either way; nothing more to undo.
    }
    if (it != m_projects.end())
        m_projects.erase(it);
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
        project->Changed = true;
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
}
