#include "code/clsPreview.h"

#include "app/ProjectState.h"
#include "app/clsDesigner.h"
#include "host/mvDocument.h"
#include "app/iPrompter.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include <QFileInfo>
#include <QTime>
#include <algorithm>
#include <exception>

namespace {
constexpr double SecondsPerDay = 86400.0;
constexpr int NoFormsError = 5007;

double SecondsSinceMidnight()
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

int ToInt(const QString &text, int fallback = 0)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : fallback;
}

// The event of a mask: its lowest set bit, as event code 1 to 32 (0 for no bit).
int EventCodeOf(const QString &maskText)
{
    bool ok = false;
    const qint64 value = maskText.trimmed().toLongLong(&ok);
    if (!ok)
        return 0;
    const quint32 mask = quint32(value);
    for (int code = 1; code <= 32; ++code)
        if (mask & (quint32(1) << (code - 1)))
            return code;
    return 0;
}

const int CloseMask = int(Vocabulary::EventMaskBit(Vocabulary::Event::Close));
const int QuitMask = int(Vocabulary::EventMaskBit(Vocabulary::Event::Quit));
} // namespace

clsPreview::clsPreview(clsDesigner &designer, iPrompter &prompter, iGuiRuntimeFactory &factory,
                       Clock clock)
    : m_designer(designer), m_prompter(prompter), m_factory(factory),
      m_clock(clock ? std::move(clock) : Clock(SecondsSinceMidnight))
{
}

clsPreview::~clsPreview()
{
    Close();
}

QString clsPreview::SelectFormMessage()
{
    return QStringLiteral(
        "Please select a Form object in the project tree before clicking the Preview button.");
}

bool clsPreview::Preview(const clsControl *selected)
{
    if (!selected || !Vocabulary::IsForm(selected->ObjType()) || !selected->App()) {
        m_prompter.ShowMessage(SelectFormMessage(), MessageIcon::Exclamation);
        return false;
    }
    // A preview still running is ended first: one runtime per preview window.
    Close();
    std::unique_ptr<iGuiRuntime> runtime;
    try {
        runtime = m_factory.Create(QString::fromLatin1(iGuiRuntimeFactory::DefaultClass));
    } catch (...) {
        runtime.reset();
    }
    if (!runtime)
        return false;
    m_runtime = std::move(runtime);
    m_runtime->SetReturnResult([this](const GuiResult &result) { ReturnResult(result); });
    m_runtime->SetProjectFolder(ProjectFolder(m_designer.ProjectOf(selected)));

    m_appId = selected->App()->ID();
    m_formId = selected->ID();
    m_name = selected->FullID();
    m_projectText.clear();
    m_pending.clear();
    SetTitle(QStringLiteral("Preview initializing: "));
    SetCloseCaption(QStringLiteral("&Cancel"));
    Clear();
    m_lastMessage = m_clock();
    m_timerPending = true;
    if (m_view) {
        m_view->StartTimer(StartDelayMs);
        m_view->ShowWindow();
    }
    return true;
}

QString clsPreview::ProjectFolder(const ProjectState *project)
{
    const mvDocument *document = project ? project->Document.get() : nullptr;
    if (!document || !document->Parts().IsLocalFile() || document->FileName().isEmpty())
        return {};
    const QFileInfo file(document->FileName());
    // A local project is a file named by its path, or an item (file) in a folder.
    if (document->ItemID().isEmpty() || !file.isDir())
        return file.absolutePath();
    return file.absoluteFilePath();
}

QString clsPreview::BuildProjectText() const
{
    const QString am = Marks::AttributeMark();
    QString text = m_designer.GetTemplate(m_appId, {}, 1);
    if (m_formId.isEmpty() || text.isEmpty())
        return text;
    const QString form = m_designer.GetTemplate(m_appId + QLatin1Char('*') + m_formId, {}, 0);
    // The application's closing record gives way to the form's records.
    const qsizetype last = text.lastIndexOf(am);
    if (last >= 0)
        text.truncate(last);
    else
        text.clear();
    if (form.isEmpty())
        return text;
    return text.isEmpty() ? form : text + am + form;
}

void clsPreview::StartupTimerTick()
{
    if (!m_timerPending || !m_runtime)
        return;
    m_timerPending = false;
    m_projectText = BuildProjectText();
    m_state = Starting;
    Process(Execute(GuiCommand::Make(
        {QString::number(GuiCommand::Initialise), QString::fromLatin1(GuiCommand::FormatVersion)})));
}

void clsPreview::ReturnResult(const GuiResult &result)
{
    // Whatever arrives after the shut-down belongs to no preview.
    if (m_state == Idle)
        return;
    Process(result);
}

GuiResult clsPreview::Execute(const QString &command)
{
    if (!m_runtime)
        return {};
    try {
        return m_runtime->Execute(command);
    } catch (const std::exception &error) {
        // A runtime that fails outright ends the preview like a fatal status row.
        GuiResult failed;
        failed.Status << QStringList{QStringLiteral("3"), {}, {}, {}, {},
                                     QString::fromLocal8Bit(error.what())};
        return failed;
    }
}

void clsPreview::Process(GuiResult result)
{
    if (m_processing) {
        // A runtime that answers from inside a command: take the answer in turn.
        m_pending << result;
        return;
    }
    m_processing = true;
    for (;;) {
        if (result.IsEmpty()) {
            if (m_pending.isEmpty())
                break;
            result = m_pending.takeFirst();
            continue;
        }
        int highest = 0;
        for (const QStringList &row : result.Status) {
            const int severity = Severity(row);
            highest = std::max(highest, severity);
            const QString line = StatusLine(row);
            if (!line.isEmpty())
                AddMessage(line);
        }
        if (highest >= 3) {
            if (m_state != Idle)
                Finish();
            m_pending.clear();
            break;
        }
        QString next;
        switch (m_state) {
        case Starting:
            SetTitle(QStringLiteral("Preview loading: "));
            next = GuiCommand::Make({QString::number(GuiCommand::Load), QStringLiteral("2"), m_projectText});
            m_state = Loaded;
            break;
        case Loaded:
            SetTitle(QStringLiteral("Preview displaying: "));
            next = GuiCommand::Make({QString::number(GuiCommand::Method),
                                     m_appId + QLatin1Char('*') + m_formId, QStringLiteral("2")});
            m_state = Shown;
            break;
        case Shown:
            SetTitle(QStringLiteral("Preview running: "));
            next = QString::number(GuiCommand::Wait);
            m_state = Waiting;
            break;
        case Waiting: {
            int lastMask = 0;
            for (const QStringList &row : result.Events) {
                AddMessage(EventLine(row));
                const int code = EventCodeOf(row.value(1));
                lastMask = code > 0 ? int(Vocabulary::EventMaskBit(code)) : 0;
            }
            if (!result.Events.isEmpty() && (lastMask == CloseMask || lastMask == QuitMask)) {
                Finish();
                m_pending.clear();
            } else {
                next = QString::number(GuiCommand::Wait);
            }
            break;
        }
        case Idle:
            break;
        }
        if (next.isEmpty()) {
            result = {};
            continue;
        }
        result = Execute(next);
    }
    m_processing = false;
}

void clsPreview::Finish()
{
    SetCloseCaption(QStringLiteral("&Close"));
    m_state = Idle;
    SetTitle(QStringLiteral("Preview closed: "));
    Execute(QString::number(GuiCommand::Shutdown));
}

void clsPreview::Close()
{
    m_timerPending = false;
    if (m_state != Idle) {
        m_state = Idle;
        Execute(QString::number(GuiCommand::Shutdown));
    }
    m_pending.clear();
}

void clsPreview::Clear()
{
    m_messages.clear();
    if (m_view)
        m_view->MessagesCleared();
}

void clsPreview::SetTitle(const QString &stateText)
{
    m_title = stateText + m_name;
    if (m_view)
        m_view->TitleChanged(m_title);
}

void clsPreview::SetCloseCaption(const QString &caption)
{
    m_closeCaption = caption;
    if (m_view)
        m_view->CloseCaptionChanged(caption);
}

void clsPreview::AddMessage(const QString &line)
{
    const double now = m_clock();
    double gap = now - m_lastMessage;
    if (gap < 0)
        gap += SecondsPerDay; // past midnight
    m_lastMessage = now;
    if (gap > PauseSeconds && !m_messages.isEmpty()) {
        m_messages << QString();
        if (m_view)
            m_view->MessageAdded(QString());
    }
    m_messages << line;
    if (m_view)
        m_view->MessageAdded(line);
}

int clsPreview::Severity(const QStringList &row)
{
    const int severity = ToInt(row.value(0));
    if (ToInt(row.value(4)) == NoFormsError)
        return std::max(severity, 3);
    return severity;
}

QString clsPreview::StatusLine(const QStringList &row)
{
    if (Severity(row) == 0)
        return {};
    QString line = row.value(5);
    if (line.isEmpty()) {
        const QString code = row.value(4).trimmed();
        line = GuiError::StandardText(ToInt(code));
        if (line.isEmpty())
            line = code;
    }
    const QString id = row.value(2);
    const QString property = row.value(3).trimmed();
    if (!id.isEmpty() || !property.isEmpty()) {
        line += QStringLiteral(" (");
        if (!id.isEmpty())
            line += QStringLiteral("ID = ") + id;
        if (!id.isEmpty() && !property.isEmpty())
            line += QStringLiteral(", ");
        if (!property.isEmpty())
            line += QStringLiteral("Property = ") + Vocabulary::PropertyName(ToInt(property, -9999));
        line += QLatin1Char(')');
    }
    return line;
}

QString clsPreview::EventLine(const QStringList &row)
{
    const int code = EventCodeOf(row.value(1));
    QString name = Vocabulary::EventDisplayName(code);
    if (name.isEmpty())
        name = row.value(1);
    QString line = row.value(0) + QStringLiteral(" - ") + name;
    if (row.size() > 3)
        line += QStringLiteral(" (") + row.mid(3).join(QLatin1Char(',')) + QLatin1Char(')');
    return line;
}
