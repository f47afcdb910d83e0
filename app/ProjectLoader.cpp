#include "app/ProjectLoader.h"

#include "app/iLoadProgress.h"
#include "app/iPrompter.h"
#include "model/Vocabulary.h"
#include "model/cAppWrapper.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "support/ErrorReport.h"
#include "support/GuiError.h"
#include "support/Marks.h"
#include "support/NumberFormat.h"

#include <QSet>

#include <algorithm>
#include <climits>
#include <cmath>
#include <exception>

using namespace Vocabulary;

namespace {
const QChar AM(Marks::Attribute);
const QChar VM(Marks::Value);
const QChar Star(QLatin1Char('*'));
constexpr int MaxDialogRounds = 50;

using Record = ProjectLoader::Fields;

// Adds `value` to `set` with one lookup; false when it was there already.
template <typename T, typename V>
bool Inserted(QSet<T> &set, const V &value)
{
    const qsizetype before = set.size();
    set.insert(value);
    return set.size() != before;
}

bool ToInt(QStringView text, int &value)
{
    qint64 v = 0;
    if (!NumberFormat::ParseInteger(text, v) || v < INT_MIN || v > INT_MAX)
        return false;
    value = int(v);
    return true;
}

// An index field: empty is 0; anything else must be a whole number.
int IndexField(QStringView text)
{
    if (text.trimmed().isEmpty())
        return 0;
    int value = 0;
    if (!ToInt(text, value))
        throw GuiError(GuiErrors::InvalidPropertyValue);
    return value;
}

bool HoldsMark(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return Marks::IsMark(c); });
}

QString LastPart(const QString &path)
{
    return path.section(Star, -1);
}

bool GoesOn(int number)
{
    switch (number) {
    case GuiErrors::InvalidPropertyValue:
    case GuiErrors::FileNotFound:
    case GuiErrors::SubscriptOutOfRange:
    case GuiErrors::InvalidFormOrParent:
    case GuiErrors::MethodConverted:
    case GuiErrors::MethodIgnored:
        return true;
    default:
        return false;
    }
}

// Thrown to end the load without a report (Cancel in the duplicate-ID dialog).
struct CancelLoad
{
};
} // namespace

ProjectLoader::Fields ProjectLoader::SplitRecord(QStringView text, int head)
{
    Fields r;
    // Fields are short: a plain scan beats a library search call per field.
    const qsizetype size = text.size();
    qsizetype start = 0;
    for (int i = 0; i < head; ++i) {
        qsizetype end = start;
        while (end < size && text[end] != VM)
            ++end;
        r.Count = i + 1;
        if (end == size) {
            r.Field[i] = text.mid(start);
            return r;
        }
        r.Field[i] = text.mid(start, end - start);
        start = end + 1;
    }
    r.Rest = text.mid(start);
    r.HasRest = true;
    return r;
}

ProjectLoader::ProjectLoader(clsItems &items, iPrompter &prompter)
    : m_items(items), m_prompter(prompter)
{
}

QString ProjectLoader::MapPath(const RenameList &renames, const QString &path, bool &skipped)
{
    skipped = false;
    if (renames.isEmpty())
        return path;
    const QStringList parts = path.split(Star);
    QString key = path.toUpper();
    for (qsizetype k = parts.size(); k >= 1; --k) {
        const auto it = renames.constFind(key);
        if (it != renames.constEnd()) {
            if (it.value().isEmpty()) {
                skipped = true;
                return {};
            }
            QStringList mapped{it.value()};
            mapped += parts.mid(k);
            return mapped.join(Star);
        }
        key.truncate(std::max<qsizetype>(0, key.lastIndexOf(Star)));
    }
    return path;
}

QString ProjectLoader::PositionText(const QString &field)
{
    bool ok = false;
    const double value = NumberFormat::ParseInvariant(field, &ok);
    if (ok && value == double(AutoPosition))
        return QStringLiteral("auto");
    return field;
}

// One load of one text, step by step: validate the document, then replay its records, each
// record a header, a create, a property or a method, reporting as it goes.
class ProjectLoader::Session
{
public:
    Session(clsItems &items, iPrompter &prompter, const ProblemSink &sink, const QString &text,
            iLoadProgress *progress)
        : m_items(items), m_prompter(prompter), m_sink(sink), m_records(QStringView(text).split(AM)),
          m_progress(progress)
    {
    }

    bool Validate();
    void ReplayRecords();
    Result Finish();

private:
    // The four kinds of record; a header that stops the load gives false.
    bool HeaderRecord(const Record &rec);
    void CreateRecord(const Record &rec);
    void PropertyRecord(const Record &rec);
    void MethodRecord(const Record &rec);

    void Report(int severity, int number, int extra, const QString &description);
    // The create records of forms: what a load's progress counts.
    int CountForms() const;
    // Tells the progress how far the load got; false when the user cancelled.
    bool Advance(QStringView record);
    clsControl *CreateAskingForId(int type, QString &path, const QString &rawPath,
                                  const QString &parentId);
    void Created(clsControl &item, int type, const Record &rec);
    // The object a property or method record names; nullptr to pass the record over.
    clsControl *Target(const Record &rec);

    clsItems &m_items;
    iPrompter &m_prompter;
    const ProblemSink &m_sink;
    const QList<QStringView> m_records;
    iLoadProgress *m_progress;
    int m_formsSeen = 0;
    int m_sinceReport = 0;
    Result m_result;
    RenameList m_renames;
    QString m_currentPath;
    clsControl *m_current = nullptr;
    // After a create record that made nothing, the records that belong to it are passed
    // over: they must not land on the object before it.
    bool m_orphan = false;
    int m_extra = 0; // the property or method code of the record being replayed
    // Reports shown so far; once the user goes on without messages the rest are held back
    // for one list at the end, and a request to stop ends the load after the current record.
    int m_shown = 0;
    bool m_quiet = false;
    bool m_stopRequested = false;
    QStringList m_heldBack;
    int m_heldBackSeverity = 0;
    QSet<const clsControl *> m_touched;
};

ProjectLoader::Result ProjectLoader::Load(const QString &text)
{
    Session session(m_items, m_prompter, m_sink, text, m_progress);
    if (session.Validate())
        session.ReplayRecords();
    return session.Finish();
}

void ProjectLoader::Session::Report(int severity, int number, int extra, const QString &description)
{
    ++m_result.Reports;
    m_result.MaxSeverity = std::max(m_result.MaxSeverity, severity);
    const QString source = m_currentPath.isEmpty() ? QString::fromLatin1(Label) : m_currentPath;
    if (m_sink) {
        m_sink(Problem{severity, number, source, extra, description});
        return;
    }
    const ErrorReport report = ErrorReport::Compose(severity, number, source, extra, description,
                                                    [](int code) { return PropertyName(code); });
    if (m_quiet) {
        m_heldBack.append(report.Text);
        m_heldBackSeverity = std::max(m_heldBackSeverity, severity);
        return;
    }
    if (++m_shown <= ReportsBeforeWayOut) {
        m_prompter.Report(report);
        return;
    }
    using Choice = iPrompter::LoadReportChoice;
    switch (m_prompter.ReportWithWayOut(report)) {
    case Choice::Show:
        break;
    case Choice::Quiet:
        m_quiet = true;
        break;
    case Choice::Stop:
        m_stopRequested = true;
        break;
    }
}

ProjectLoader::Result ProjectLoader::Session::Finish()
{
    if (!m_heldBack.isEmpty())
        m_prompter.ReportList(
            QStringLiteral("%1 more problems were found while loading:").arg(m_heldBack.size()),
            m_heldBack, m_heldBackSeverity >= 2 ? MessageIcon::Exclamation : MessageIcon::Information);
    return std::move(m_result);
}

bool ProjectLoader::Session::Validate()
{
    const Record first = SplitRecord(m_records.value(0), 1);
    const Record second = SplitRecord(m_records.value(1), 1);
    const QString kind = first.Text(1).toUpper();
    if ((kind != QLatin1String("TEMPLATE") && kind != QLatin1String("MACRO"))
        || m_records.size() < 2 || second.Get(1) != QLatin1String("0")) {
        Report(2, GuiErrors::InvalidVersion, 0, {});
        return false;
    }
    m_result.Valid = true;
    return true;
}

int ProjectLoader::CountCreateRecords(const QList<QStringView> &records)
{
    return int(std::count_if(records.begin(), records.end(), [](QStringView text) {
        text = text.trimmed();
        return text.startsWith(u'2') && (text.size() == 1 || text[1] == VM || text[1].isSpace());
    }));
}

namespace {
// A create record of a form (a cheap look at its head; the replay reads it in full).
bool IsFormCreate(QStringView text)
{
    if (!text.trimmed().startsWith(u'2'))
        return false;
    const Record rec = ProjectLoader::SplitRecord(text, 4);
    int function = 0, type = 0;
    return ToInt(rec.Get(1), function) && function == 2 && ToInt(rec.Get(4), type) && IsForm(type);
}
} // namespace

int ProjectLoader::Session::CountForms() const
{
    return int(std::count_if(m_records.begin(), m_records.end(), IsFormCreate));
}

bool ProjectLoader::Session::Advance(QStringView record)
{
    // Every form, and now and then inside a form of very many controls.
    constexpr int RecordsBetweenReports = 256;
    if (IsFormCreate(record))
        ++m_formsSeen;
    else if (++m_sinceReport < RecordsBetweenReports)
        return true;
    m_sinceReport = 0;
    // A form is made once its create record and the records after it are read.
    return m_progress->Advance(std::max(0, m_formsSeen - 1));
}

void ProjectLoader::Session::ReplayRecords()
{
    struct ProgressScope
    {
        iLoadProgress *Progress;
        ~ProgressScope()
        {
            if (Progress)
                Progress->End();
        }
    } scope{m_progress};
    if (m_progress)
        m_progress->Begin(CountForms());
    // The registry grows by every item at once, instead of by doubling: a big project is not
    // hashed over and over while it loads.
    m_items.Reserve(CountCreateRecords(m_records));
    const qsizetype count = m_records.size();
    for (qsizetype r = 1; r < count; ++r) {
        const QStringView text = m_records.at(r);
        if (m_progress && !Advance(text)) {
            m_result.Stopped = m_result.Cancelled = true;
            return;
        }
        const qsizetype firstEnd = text.indexOf(VM);
        int function = 0;
        if (!ToInt(firstEnd < 0 ? text : text.left(firstEnd), function))
            continue;
        m_extra = 0;
        try {
            switch (function) {
            case 0:
                if (!HeaderRecord(SplitRecord(text, 3))) {
                    m_result.Stopped = true;
                    return;
                }
                break;
            case 2:
                CreateRecord(SplitRecord(text, 9));
                break;
            case 4:
                PropertyRecord(SplitRecord(text, 5));
                break;
            case 6:
                MethodRecord(SplitRecord(text, 5));
                break;
            default:
                throw GuiError(GuiErrors::InvalidFunction);
            }
        } catch (const GuiError &error) {
            const bool goOn = GoesOn(error.Number());
            Report(goOn ? 1 : 2, error.Number(), m_extra, error.Description());
            if (!goOn) {
                m_result.Stopped = true;
                return;
            }
        } catch (const CancelLoad &) {
            m_result.Stopped = true;
            return;
        } catch (const std::exception &error) {
            Report(2, GuiErrors::InvalidCall, m_extra, QString::fromLocal8Bit(error.what()));
            m_result.Stopped = true;
            return;
        }
        if (m_stopRequested) {
            m_result.Stopped = true;
            return;
        }
    }
    // Every form is made: a Cancel the user pressed after the last one was reported is still
    // a Cancel, not a project that opens anyway.
    if (m_progress && !m_progress->Advance(m_formsSeen))
        m_result.Stopped = m_result.Cancelled = true;
}

bool ProjectLoader::Session::HeaderRecord(const Record &rec)
{
    const QString versionText = rec.Text(2);
    if (versionText.isEmpty())
        return true;
    bool ok = false;
    const double number = NumberFormat::ParseInvariant(versionText, &ok);
    if (ok && number < 0) {
        m_result.Closed = true; // the closing record
        return true;
    }
    const double tenths = ok ? std::round(number * 10) : 0;
    const int version = tenths >= 0 && tenths < 1000 ? int(tenths) : 0;
    int scale = 0;
    if (!rec.Get(3).trimmed().isEmpty() && !ToInt(rec.Get(3), scale))
        scale = -1;
    if (version < 10 || version >= 101) {
        Report(2, GuiErrors::InvalidVersion, 0, {});
        return false;
    }
    if (version >= 15) {
        Report(2, GuiErrors::NewerVersion, 0, {});
        return false;
    }
    if (!IsScaleUnit(scale)) {
        Report(2, GuiErrors::InvalidScaleUnit, 0, {});
        return false;
    }
    if (version < CurrentProjectVersion)
        Report(1, GuiErrors::OlderVersion, 0, {});
    m_result.Version = version;
    m_result.Scale = scale;
    return true;
}

void ProjectLoader::Session::CreateRecord(const Record &rec)
{
    const QString rawPath = rec.Text(2);
    const QString rawParent = rec.Text(3);
    int type = -2;
    if (!ToInt(rec.Get(4), type))
        type = -2;
    m_current = nullptr;
    m_orphan = true;
    bool skipped = false;
    QString path = MapPath(m_renames, rawPath, skipped);
    if (skipped)
        return;
    m_currentPath = path;
    if (HoldsMark(rawPath) || HoldsMark(rawParent))
        throw GuiError(GuiErrors::InvalidIdForObject);

    QString parentId;
    if (!rawParent.isEmpty()) {
        const QStringList rawParts = rawPath.split(Star);
        const QString container = MapPath(
            m_renames, rawParts.value(0) + Star + rawParts.value(1) + Star + rawParent, skipped);
        if (skipped)
            return; // inside a skipped container
        parentId = LastPart(container);
        const QStringList parts = path.split(Star);
        int depth = 0;
        for (const clsControl *p = m_items.Find(parts.value(0) + Star + parts.value(1) + Star
                                                + parentId);
             p && IsControl(p->ObjType()); p = p->Parent())
            ++depth;
        if (depth >= MaxContainerDepth)
            throw GuiError(GuiErrors::InvalidFormOrParent);
    }

    if (clsControl *item = CreateAskingForId(type, path, rawPath, parentId))
        Created(*item, type, rec);
}

clsControl *ProjectLoader::Session::CreateAskingForId(int type, QString &path,
                                                      const QString &rawPath,
                                                      const QString &parentId)
{
    for (int round = 0;; ++round) {
        try {
            return &m_items.CreateItem(type, path, parentId);
        } catch (const GuiError &error) {
            const QString own = LastPart(path);
            const bool dialog = error.Number() == GuiErrors::DuplicateId
                || (error.Number() == GuiErrors::InvalidIdForObject && own.isEmpty());
            if (!dialog)
                throw;
            if (round >= MaxDialogRounds)
                throw CancelLoad{};
            const QStringList parts = path.split(Star);
            const int level = int(std::min<qsizetype>(parts.size() - 1, 2));
            static const char *const Levels[] = {"Application", "Form", "Control"};
            static const char *const Labels[] = {"App &ID", "Form &ID", "Control &ID"};
            iPrompter::DuplicateIdRequest request;
            request.Level = level;
            request.Id = own;
            request.AppId = level >= 1 ? parts.value(0) : QString();
            request.FormId = level >= 2 ? parts.value(1) : QString();
            request.Label = QString::fromLatin1(Labels[level]);
            request.Text = QString::fromLatin1(own.isEmpty() ? "Missing" : "Duplicate")
                + QLatin1Char(' ') + QString::fromLatin1(Levels[level])
                + QStringLiteral(" ID encountered while loading file. Please enter a new ID "
                                 "and click OK to continue, Skip to bypass this item or "
                                 "Cancel to quit loading file.");
            const iPrompter::DuplicateIdAnswer answer = m_prompter.AskDuplicateId(request);
            using Choice = decltype(iPrompter::DuplicateIdAnswer{}.Choice);
            if (answer.Choice == Choice::Cancel)
                throw CancelLoad{};
            if (answer.Choice == Choice::Skip) {
                m_renames.insert(rawPath.toUpper(), QString());
                return nullptr;
            }
            // An entered ID holding "*" or a mark names no object: ask again.
            if (answer.NewId.contains(Star) || HoldsMark(answer.NewId))
                continue;
            QStringList renamed = parts;
            renamed.last() = answer.NewId;
            path = renamed.join(Star);
            m_currentPath = path;
            m_renames.insert(rawPath.toUpper(), path);
        }
    }
}

void ProjectLoader::Session::Created(clsControl &item, int type, const Record &rec)
{
    m_current = &item;
    m_orphan = false;
    ++m_result.Created;
    // Looked up in a set: a file of many applications would otherwise load in square time.
    if (clsControl *app = item.App(); app && Inserted(m_touched, app))
        m_result.Touched.push_back(app);
    if (IsApplication(type)) {
        if (!m_result.Application)
            m_result.Application = &item;
        m_result.Applications.push_back(&item);
        if (auto *app = dynamic_cast<cAppWrapper *>(item.Wrapper()))
            app->SetProjectVersion(m_result.Version);
        item.SetProperty(Prop::Scale, QString::number(m_result.Scale));
    }
    item.Move(PositionText(rec.Text(5)), PositionText(rec.Text(6)), rec.Text(7), rec.Text(8));
    item.SetProperty(Prop::EventMask, rec.Text(9));
}

clsControl *ProjectLoader::Session::Target(const Record &rec)
{
    const QString id = rec.Text(2);
    if (id.isEmpty()) {
        if (m_orphan)
            return nullptr;
        if (!m_current)
            throw GuiError(GuiErrors::InvalidObjectId);
        return m_current;
    }
    bool skipped = false;
    const QString path = MapPath(m_renames, id, skipped);
    if (skipped)
        return nullptr;
    clsControl *item = m_items.Find(path);
    if (!item || item->ObjType() == Type::Root)
        throw GuiError(GuiErrors::InvalidObjectId);
    return item;
}

void ProjectLoader::Session::PropertyRecord(const Record &rec)
{
    clsControl *item = Target(rec);
    if (!item)
        return;
    int code = 0;
    if (!ToInt(rec.Get(3), code))
        throw GuiError(GuiErrors::InvalidPropertyValue);
    m_extra = code;
    const int index1 = IndexField(rec.Get(4));
    const int index2 = IndexField(rec.Get(5));
    QString value = rec.HasRest ? rec.Rest.toString() : QString();
    QString itemId;
    // A property the text names is the object's own even when it equals what the object would
    // take from its form now (a control's colour or font the same as its form's): left
    // inherited, the next save would drop it and the control would follow the form from then on.
    if (index1 == 0 && index2 == 0 && itemId.isEmpty())
        item->SetOwnProperty(code, value);
    else
        item->SetProperty(code, index1, index2, value, itemId);
}

void ProjectLoader::Session::MethodRecord(const Record &rec)
{
    clsControl *item = Target(rec);
    if (!item)
        return;
    int code = 0;
    if (!ToInt(rec.Get(3), code))
        throw GuiError(GuiErrors::InvalidPropertyValue);
    m_extra = code;
    // Activate, Print and Help have no meaning in a design: they are not run at all.
    const bool ignored = code == Method::Activate || code == Method::Print || code == Method::Help;
    if (!ignored) {
        try {
            item->InvokeMethod(code, rec.Text(4), rec.Text(5),
                               rec.HasRest ? rec.Rest.toString() : QString());
        } catch (const GuiError &error) {
            // A method the object does not know is passed over like the ignored ones.
            if (error.Number() != GuiErrors::NotSupported)
                throw;
            throw GuiError(GuiErrors::MethodIgnored);
        }
    }
    if (code == Method::Move)
        return;
    throw GuiError(ignored ? GuiErrors::MethodIgnored : GuiErrors::MethodConverted);
}
