#include "app/DesignerRoot.h"

#include "app/Startup.h"

DesignerRoot::DesignerRoot(std::unique_ptr<ProcessState> state)
    : m_state(state ? std::move(state) : std::make_unique<ProcessState>()),
      m_process(*m_state),
      m_designer(m_items),
      m_storage(m_designer, *m_state),
      m_undo(m_state->UndoBuffer),
      m_edit(m_designer, m_undo, m_memoryClipboard),
      m_autosave(m_designer, m_storage, m_state->Settings)
{
    m_designer.SetProjectForgotten([this](const QString &appId) {
        m_undo.DropRecordsOf(appId);
        m_edit.RedoRecords().DropRecordsOf(appId);
        m_autosave.ProjectClosed(appId);
    });
    m_storage.SetProjectWritten([this](const ProjectState &project) { m_autosave.ProjectSaved(project); });
}

DesignerRoot::~DesignerRoot()
{
    // The ports may be gone already; nothing may reach them while the projects go.
    Disconnect();
    m_designer.ReleaseAll();
}

void DesignerRoot::Start()
{
    Startup::InitialiseProcess(*m_state);
    ApplySettings();
}

void DesignerRoot::ApplySettings()
{
    m_undo.SetCapacity(m_state->Settings.UndoLevels);
    m_edit.RedoRecords().SetCapacity(m_state->Settings.UndoLevels);
    m_autosave.ApplySettings();
}

void DesignerRoot::Connect(const DesignerPorts &ports)
{
    m_ports = ports;
    m_designer.SetPrompter(ports.Prompter);
    m_designer.SetProjectTree(ports.ProjectTree);
    m_designer.SetCommandStates(ports.CommandStates);
    m_items.SetFormFactory(ports.FormFactory);
    m_storage.SetCreateMode(ports.CreateMode);
    m_storage.SetProgramCode(ports.ProgramCode);
    m_storage.SetLoadProgress(ports.LoadProgress);
    m_autosave.SetProgramCode(ports.ProgramCode);
    m_edit.SetCreateMode(ports.CreateMode);
    m_edit.SetClipboard(ports.Clipboard ? *ports.Clipboard : m_memoryClipboard);
    m_undo.SetStateListener(ports.CommandStates);
    m_edit.RedoRecords().SetStateListener(ports.CommandStates);
}

void DesignerRoot::Shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_designer.ReleaseAll();
    m_autosave.Finish();
    Startup::SaveOnShutdown(*m_state);
}
