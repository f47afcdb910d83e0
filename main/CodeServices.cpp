#include "main/CodeServices.h"

#include "app/DocumentStorage.h"
#include "app/ProcessState.h"
#include "app/ProjectState.h"
#include "app/clsDesigner.h"
#include "app/iPrompter.h"
#include "app/iUndoState.h"
#include "code/CodeEditorLink.h"
#include "code/CodeUpdate.h"
#include "code/TemplateFiles.h"
#include "designer/QtCodeDialogs.h"
#include "designer/frmPreview.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "quill/QuillEditor.h"
#include "runtime/GuiRuntimeFactory.h"

#include <QTimer>
#include <QWidget>

namespace {
constexpr QLatin1String EventKeyPrefix("cm*");
constexpr QLatin1String ListKeyPrefix("cl*");

// Events of menu and bar items are named "MENU(" + item ID + ")".
bool IsBarEvent(const QString &event)
{
    return event.startsWith(QLatin1String("MENU("), Qt::CaseInsensitive)
        && event.endsWith(QLatin1Char(')'));
}

QString MenuText(const QString &text)
{
    QString escaped = text;
    return escaped.replace(QLatin1Char('&'), QLatin1String("&&"));
}

// The display name of an event given by its program name ("DblClick" → "Double click").
QString EventCaption(const QString &event)
{
    for (int code = 1; code <= Vocabulary::Event::MaxCode; ++code)
        if (Vocabulary::EventName(code).compare(event, Qt::CaseInsensitive) == 0) {
            const QString display = Vocabulary::EventDisplayName(code);
            return display.isEmpty() ? event : display;
        }
    return event;
}
} // namespace

class CodeServices::StateRelay final : public iUndoState
{
public:
    StateRelay(iUndoState *window, QTimer &refresh) : m_window(window), m_refresh(refresh) {}
    void SetUndoState(const QString &caption, bool enabled) override
    {
        if (m_window)
            m_window->SetUndoState(caption, enabled);
        m_refresh.start();
    }
    void CommandsChanged() override
    {
        if (m_window)
            m_window->CommandsChanged();
        m_refresh.start();
    }

private:
    iUndoState *m_window;
    QTimer &m_refresh;
};

CodeServices::CodeServices(clsDesigner &designer, ProcessState &state, DocumentStorage &storage,
                           QWidget *mainWindow)
    : m_designer(designer), m_state(state), m_storage(storage), m_window(mainWindow),
      m_dialogs(std::make_unique<QtCodeDialogs>(&state.Settings, mainWindow)),
      m_link(std::make_unique<CodeEditorLink>(designer, state, &storage)),
      m_runtimes(std::make_unique<GuiRuntimeFactory>()), m_noticeTimer(std::make_unique<QTimer>())
{
    m_noticeTimer->setSingleShot(true);
    m_noticeTimer->setInterval(0);
    m_noticeTimer->callOnTimeout([this] { RefreshDecoderNotice(); });
    m_link->SetDialogs(m_dialogs.get());
    m_link->SetNoticeSink([this](const QString &text) { Notice(text); });
    m_link->SetBringToFront([this] { return m_window && BringWindowToFront(*m_window); });
    // The editor runs in this process and reaches the designer object directly.
    m_link->SetEditorFactory([this]() -> std::shared_ptr<iCodeEditor> {
        std::shared_ptr<iCodeEditor> editor =
            QuillEditor::Create(m_state.Connection, m_link->Templates().Folder(), &m_designer);
        auto &quill = static_cast<QuillEditor &>(*editor);
        // The designer's main window decides when the program ends: an editor left open does
        // not keep it running (the closing questions have dealt with its programs by then).
        quill.setAttribute(Qt::WA_QuitOnClose, false);
        if (m_editorStarted)
            m_editorStarted(quill);
        return editor;
    });
    m_storage.SetProgramCode(m_link.get());
}

CodeServices::~CodeServices()
{
    m_storage.SetProgramCode(nullptr);
    // The preview shuts its runtime down as it goes.
    delete m_preview.data();
    // The editor would otherwise wait for an event loop that may not run again; its open
    // documents hold record locks through the process state's connection, which must still
    // be there when they let go.
    QPointer<QuillEditor> editor = dynamic_cast<QuillEditor *>(m_link->Editor());
    m_link.reset();
    delete editor.data();
}

iUndoState *CodeServices::CommandStates(iUndoState *window)
{
    m_states = std::make_unique<StateRelay>(window, *m_noticeTimer);
    return m_states.get();
}

iProgramCodeState &CodeServices::ProgramCode()
{
    return *m_link;
}

bool CodeServices::IsCodeKey(const QString &key)
{
    return key == QLatin1String("Upd") || key == QLatin1String("Quill")
        || key == QLatin1String("Preview") || key.startsWith(EventKeyPrefix)
        || key.startsWith(ListKeyPrefix);
}

clsControl *CodeServices::SelectedItem() const
{
    clsControl *item = m_designer.CurrentItem();
    // Only a registered item of an open project is acted on.
    if (!item || m_designer.Items().Find(item->FullID()) != item || !m_designer.ProjectOf(item))
        return nullptr;
    return item;
}

clsControl *CodeServices::CommandItem() const
{
    if (clsControl *item = SelectedItem())
        return item;
    const ProjectState *project = m_designer.CurrentProject();
    return project ? project->App : nullptr;
}

bool CodeServices::Dispatch(const QString &key)
{
    if (!IsCodeKey(key))
        return false;
    if (key == QLatin1String("Preview")) {
        StartPreview();
        return true;
    }
    clsControl *item = key.startsWith(EventKeyPrefix) || key.startsWith(ListKeyPrefix)
        ? SelectedItem() : CommandItem();
    if (!item) {
        m_designer.Prompter().ShowMessage(CodeUpdate::NoDesignObjectText(), MessageIcon::Exclamation);
        return true;
    }
    if (key == QLatin1String("Upd")) {
        m_link->UpdateCode(*item);
    } else if (key == QLatin1String("Quill")) {
        m_link->EditCode(*item);
    } else if (key.startsWith(EventKeyPrefix)) {
        const QString event = key.mid(EventKeyPrefix.size());
        if (!event.isEmpty())
            m_link->GoToEventHandler(*item, event);
    } else {
        // "cl*" + n: the n-th item event of the menu last built, when it was built for this
        // item; otherwise the list as it is now.
        bool ok = false;
        const int index = key.mid(ListKeyPrefix.size()).toInt(&ok);
        if (m_menuItem.compare(item->FullID(), Qt::CaseInsensitive) != 0)
            CodeMenuEntries();
        if (ok && index >= 0 && index < m_menuBarEvents.size())
            m_link->GoToEventHandler(*item, m_menuBarEvents.at(index));
    }
    return true;
}

QList<CodeServices::MenuEntry> CodeServices::CodeMenuEntries()
{
    m_menuItem.clear();
    m_menuBarEvents.clear();
    clsControl *item = SelectedItem();
    if (!item)
        return {};
    m_menuItem = item->FullID();
    QList<MenuEntry> named;
    for (const QString &event : m_link->HandlerEvents(*item)) {
        if (IsBarEvent(event))
            m_menuBarEvents << event;
        else
            named << MenuEntry{EventKeyPrefix + event, MenuText(EventCaption(event))};
    }
    QList<MenuEntry> entries = named;
    if (!named.isEmpty() && !m_menuBarEvents.isEmpty())
        entries << MenuEntry{QStringLiteral("-"), QString()};
    for (int i = 0; i < m_menuBarEvents.size(); ++i) {
        const QString &event = m_menuBarEvents.at(i);
        const QString id = event.mid(5, event.size() - 6);
        entries << MenuEntry{ListKeyPrefix + QString::number(i), MenuText(id)};
    }
    return entries;
}

bool CodeServices::StartPreview()
{
    // One preview at a time: the one still open ends (and shuts its runtime down) first.
    if (m_preview) {
        m_preview->close();
        delete m_preview.data();
    }
    auto *preview = new frmPreview(m_designer, m_designer.Prompter(), *m_runtimes,
                                   &m_state.Settings, m_window.data());
    preview->setAttribute(Qt::WA_DeleteOnClose);
    m_preview = preview;
    if (!preview->Preview(SelectedItem())) {
        delete preview;
        return false;
    }
    return true;
}

void CodeServices::Notice(const QString &text)
{
    m_lastNotice = text;
    if (m_notice)
        m_notice(text);
}

void CodeServices::RefreshDecoderNotice()
{
    const ProjectState *project = m_designer.CurrentProject();
    const QString text = project && project->App ? m_link->DecoderNotice(*project->App) : QString();
    if (text != m_lastNotice)
        Notice(text);
}
