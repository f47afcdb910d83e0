#pragma once

#include "app/Autosave.h"
#include "app/EditCommands.h"
#include "app/MemoryClipboard.h"
#include "app/ProcessState.h"
#include "app/UndoBuffer.h"
#include "app/clsDesigner.h"
#include "app/DocumentStorage.h"
#include "model/clsItems.h"

#include <memory>

class iCreateMode;
class iFormFactory;
class iLoadProgress;
class iProgramCodeState;
class iProjectTree;
class iPrompter;
class iUndoState;

// What the world outside the core supplies: the windows, the desktop's clipboard, the
// design surface. Each may be left out; the core then uses a headless stand-in (a silent
// prompter, a clipboard in memory, plain design forms) or goes without (no tree, no create
// mode, nobody told about command states, no program code).
struct DesignerPorts
{
    iPrompter *Prompter = nullptr;
    iClipboard *Clipboard = nullptr;
    iFormFactory *FormFactory = nullptr;
    iProjectTree *ProjectTree = nullptr;
    iCreateMode *CreateMode = nullptr;
    iUndoState *CommandStates = nullptr; // the Undo entry and every other command's state
    iProgramCodeState *ProgramCode = nullptr;
    iLoadProgress *LoadProgress = nullptr; // the progress of opening a document
};

// The one place where the designer's world is built: it owns the process state with the
// settings, the item registry, the designer object, document storage, the undo buffer and
// the editing commands, and wires them to the ports it is given. The designer's main and the
// command-line tool both build through it.
//
// Lifetime: make it after the QApplication and let it go before; the registry, and with it
// every design form, lives inside it. While it lives, Process() answers its process state.
// Ports must outlive their connection: Disconnect (or Connect others) before a port goes.
class DesignerRoot
{
public:
    // A process state for the folder of the running program, or the one given.
    explicit DesignerRoot(std::unique_ptr<ProcessState> state = nullptr);
    ~DesignerRoot();
    DesignerRoot(const DesignerRoot &) = delete;
    DesignerRoot &operator=(const DesignerRoot &) = delete;

    // Start-up up to the windows: locale, metrics, settings loaded, undo buffer, event names.
    void Start();
    // Brings what the settings rule (the undo levels, the autosave interval) in line after
    // they changed.
    void ApplySettings();
    void Connect(const DesignerPorts &ports);
    void Disconnect() { Connect({}); }
    const DesignerPorts &Ports() const { return m_ports; }
    // Shutdown after the windows stored their places: every project is released (its
    // recovery file goes with it), then the settings are saved. Runs once; later calls do
    // nothing.
    void Shutdown();

    ProcessState &State() { return *m_state; }
    const ProcessState &State() const { return *m_state; }
    const clsDesigner &Designer() const { return m_designer; }
    clsDesignerSettings &Settings() { return m_state->Settings; }
    clsItems &Items() { return m_items; }
    clsDesigner &Designer() { return m_designer; }
    DocumentStorage &Storage() { return m_storage; }
    UndoBuffer &Undo() { return m_undo; }
    EditCommands &Edit() { return m_edit; }
    // Off until started with a recovery folder (the designer's main does; tools never).
    Autosave &Autosaver() { return m_autosave; }

private:
    // Declared in the order of building; they go in the reverse order.
    std::unique_ptr<ProcessState> m_state;
    ProcessState::Override m_process;
    clsItems m_items;
    clsDesigner m_designer;
    DocumentStorage m_storage;
    UndoBuffer m_undo;
    MemoryClipboard m_memoryClipboard;
    EditCommands m_edit;
    Autosave m_autosave;
    DesignerPorts m_ports;
    bool m_shutDown = false;
};
