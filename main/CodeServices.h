#pragma once

#include "designer/frmPreview.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class CodeEditorLink;
class DocumentStorage;
class ProcessState;
class QWidget;
class QtCodeDialogs;
class QuillEditor;
class clsControl;
class clsDesigner;
class iGuiRuntimeFactory;
class iProgramCodeState;
class iUndoState;
class QTimer;

// The main window's code commands: the code editor (Quill) with its dialogs, the "Code"
// sub-menu of the context menu and the preview through the GUI runtime. The main window hands
// it every command key; it answers the ones that are its own.
//
// Lifetime: make it after the designer's root and the main window, let it go before either.
// While it lives it is document storage's program-code port, so the closing questions see
// the editor's real modified state.
class CodeServices final
{
public:
    // One entry of the "Code" sub-menu; Key "-" is a separator.
    struct MenuEntry
    {
        QString Key;
        QString Caption;
        bool operator==(const MenuEntry &) const = default;
    };

    CodeServices(clsDesigner &designer, ProcessState &state, DocumentStorage &storage,
                 QWidget *mainWindow);
    ~CodeServices();
    CodeServices(const CodeServices &) = delete;
    CodeServices &operator=(const CodeServices &) = delete;

    // "Upd", "Quill", "Preview", "cm*" + event, "cl*" + index; true when the key was one of
    // these (whether or not the command then succeeded), false for any other key.
    bool Dispatch(const QString &key);
    static bool IsCodeKey(const QString &key);

    // The "Code" sub-menu for the selected item: its own events as "cm*" + event, then, after
    // a separator, the items of a menu or bar as "cl*" + index. Empty when the item has none.
    QList<MenuEntry> CodeMenuEntries();

    // The status-bar text about the event decoder ("Event decoder may require updating!" or
    // ""). Code commands always send it; after edits only a change is sent, so the status bar
    // keeps its other texts.
    void SetNoticeSink(std::function<void(const QString &)> sink) { m_notice = std::move(sink); }
    // Called after every edit that may change the project's events.
    void RefreshDecoderNotice();
    // The command-state port for DesignerPorts::CommandStates: passes everything on to the
    // main window's own (may be nullptr) and refreshes the decoder notice once the edit or
    // selection change that caused it is over (several in one gesture count once).
    iUndoState *CommandStates(iUndoState *window);

    // Lets the caller (tests, the main window) set up each editor the link starts.
    void SetEditorStarted(std::function<void(QuillEditor &)> started) { m_editorStarted = std::move(started); }

    CodeEditorLink &Link() { return *m_link; }
    // For DesignerPorts::ProgramCode when the root's ports are connected again.
    iProgramCodeState &ProgramCode();
    // The preview window while one is open.
    frmPreview *Preview() const { return m_preview.data(); }

private:
    clsControl *SelectedItem() const;
    // The selection, or the application of the current project when nothing is selected.
    clsControl *CommandItem() const;
    bool StartPreview();
    void Notice(const QString &text);

    clsDesigner &m_designer;
    ProcessState &m_state;
    DocumentStorage &m_storage;
    QPointer<QWidget> m_window;
    std::unique_ptr<QtCodeDialogs> m_dialogs;
    std::unique_ptr<CodeEditorLink> m_link;
    std::unique_ptr<iGuiRuntimeFactory> m_runtimes;
    QPointer<frmPreview> m_preview;
    std::function<void(const QString &)> m_notice;
    std::function<void(QuillEditor &)> m_editorStarted;
    QString m_lastNotice;
    class StateRelay;
    std::unique_ptr<StateRelay> m_states;
    std::unique_ptr<QTimer> m_noticeTimer;
    // What the last "Code" sub-menu offered: its item and the bar events behind "cl*" + n.
    QString m_menuItem;
    QStringList m_menuBarEvents;
};
