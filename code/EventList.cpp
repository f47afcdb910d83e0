#include "code/EventList.h"

#include "app/ProjectLoader.h"
#include "code/Placeholders.h"
#include "model/Vocabulary.h"
#include "support/GuiError.h"
#include "support/Marks.h"
#include "support/NumberFormat.h"

#include <QHash>
#include <QSet>
#include <QStringBuilder>
#include <algorithm>

namespace {
const QChar Star(QLatin1Char('*'));
const QChar VM(Marks::Value);

// Where an object stands in the text: applications, their forms and the forms' objects
// numbered by first appearance, so sorting by these keeps each group together.
struct Placed
{
    EventList::Object object;
    int appOrder = 0;
    int formOrder = 0;
    int controlOrder = 0;
};

QString Upper(const QString &text)
{
    return Placeholders::ApplyCasing(text, Placeholders::Casing::Upper);
}

// Upper-casing works character by character, so the parts of a key are upper-cased apart
// and joined: the same key as upper-casing the joined text.
QString KeyOf(QStringView app, QStringView form, QStringView control)
{
    return Upper(app.toString()) % Star % Upper(form.toString()) % Star
           % Upper(control.toString());
}

// The first fields of a record, viewed in place: a project text has tens of thousands of
// records, and copying every field of each into a list of strings costs more than all the
// rest of the parsing.
struct Fields
{
    static constexpr int Max = 9;
    QStringView record;
    QStringView at[Max];
    int count = 0;            // fields in the record, counted up to Max
    qsizetype valueFrom = -1; // where field 6 starts

    explicit Fields(QStringView text) : record(text)
    {
        // Fields are short: a plain scan beats a library search call per field.
        const qsizetype size = text.size();
        qsizetype start = 0;
        while (count < Max) {
            if (count == 5)
                valueFrom = start;
            qsizetype end = start;
            while (end < size && text[end] != VM)
                ++end;
            at[count++] = text.mid(start, end - start);
            if (end == size)
                break;
            start = end + 1;
        }
    }
    QStringView value(int i) const { return i < count ? at[i] : QStringView(); }
    // Everything from field 6 to the end of a property record, marks included.
    QString PropertyValue() const
    {
        return valueFrom < 0 ? QString() : record.mid(valueFrom).toString();
    }
};

// The parts of an ID path: the first three, and how many there are in all.
struct PathParts
{
    QStringView part[3];
    int count = 0;

    explicit PathParts(QStringView path)
    {
        qsizetype start = 0;
        for (;;) {
            const qsizetype end = path.indexOf(Star, start);
            if (count < 3)
                part[count] = end < 0 ? path.mid(start) : path.mid(start, end - start);
            ++count;
            if (end < 0)
                break;
            start = end + 1;
        }
    }
};

// The text of a path part: the string given when it says the same, so the objects of one
// form share their application and form IDs rather than each holding a copy.
QString PartText(QStringView part, const QString &same)
{
    return !part.isEmpty() && part == same ? same : part.toString();
}

// Masks may be written unsigned; they wrap to their 32-bit signed form.
bool ToInt(QStringView text, int &value)
{
    qint64 v = 0;
    if (!NumberFormat::ParseInteger(text, v))
        return false;
    value = int(std::int32_t(v));
    return true;
}

// Parses the records into objects, remembering the order of first appearance per level.
class Parser
{
public:
    std::vector<Placed> objects;
    QString author, copyright, description;

    // Room for `count` objects, so that the tables are not hashed over and over as they grow.
    void Reserve(qsizetype count)
    {
        objects.reserve(size_t(count));
        m_byKey.reserve(count);
    }

    void Create(const Fields &f)
    {
        int type = 0;
        if (f.count < 4 || !ToInt(f.at[3], type) || !Vocabulary::IsKnownType(type)
            || type == Vocabulary::Type::Root) {
            m_current = -1;
            return;
        }
        const PathParts path(f.at[1]);
        QString app, form, control;
        if (Vocabulary::IsApplication(type)) {
            app = path.part[0].toString();
            m_app = app;
            m_form.clear();
        } else if (Vocabulary::IsForm(type)) {
            if (path.count >= 2) {
                app = path.part[0].toString();
                form = path.part[1].toString();
            } else {
                app = m_app;
                form = path.part[0].toString();
            }
            m_app = app;
            m_form = form;
        } else {
            if (path.count >= 3) {
                app = PartText(path.part[0], m_app);
                form = PartText(path.part[1], m_form);
                control = path.part[2].toString();
            } else if (path.count == 2) {
                app = m_app;
                form = PartText(path.part[0], m_form);
                control = path.part[1].toString();
            } else {
                app = m_app;
                form = m_form;
                control = path.part[0].toString();
            }
        }
        int mask = 0;
        if (f.count >= 9)
            ToInt(f.at[8], mask);
        m_current = Place(app, form, control);
        Placed &p = objects[size_t(m_current)];
        p.object.Type = type;
        p.object.Mask = mask;
        if (m_firstApp < 0 && Vocabulary::IsApplication(type))
            m_firstApp = m_current;
    }

    void Property(const Fields &f)
    {
        const int target = f.value(1).isEmpty() ? m_current : Find(f.at[1]);
        int code = -1000;
        if (target < 0 || !ToInt(f.value(2), code))
            return;
        int index = 0;
        if ((ToInt(f.value(3), index) && index != 0) || (ToInt(f.value(4), index) && index != 0))
            return; // one entry of a list: never used for events
        Placed &p = objects[size_t(target)];
        switch (code) {
        case Vocabulary::Prop::EventMask: {
            int mask = 0;
            if (ToInt(f.value(5), mask))
                p.object.Mask = mask;
            break;
        }
        case Vocabulary::Prop::Items:
            p.object.Items = f.PropertyValue();
            break;
        case Vocabulary::Prop::Author:
        case Vocabulary::Prop::Copyright:
        case Vocabulary::Prop::Description:
            if (target == m_firstApp) {
                QString &text = code == Vocabulary::Prop::Author      ? author
                                : code == Vocabulary::Prop::Copyright ? copyright
                                                                      : description;
                text = f.PropertyValue();
            }
            break;
        default:
            break;
        }
    }

private:
    int Place(const QString &app, const QString &form, const QString &control)
    {
        // Objects follow their form in the text: the application and form of the object
        // before are mostly this one's too, and their keys and orders are kept from it.
        auto order = [](QHash<QString, int> &seen, const QString &k) {
            const auto it = seen.constFind(k);
            if (it != seen.constEnd())
                return it.value();
            const int n = int(seen.size());
            seen.insert(k, n);
            return n;
        };
        if (!m_last.valid || app != m_last.app) {
            m_last.app = app;
            m_last.upperApp = Upper(app);
            m_last.appOrder = order(m_apps, m_last.upperApp);
            m_last.valid = false;
        }
        if (!m_last.valid || form != m_last.form) {
            m_last.form = form;
            m_last.upperForm = m_last.upperApp % Star % Upper(form);
            m_last.formOrder = order(m_forms, m_last.upperForm);
            m_last.valid = true;
        }
        const QString key = m_last.upperForm % Star % Upper(control);
        const auto found = m_byKey.constFind(key);
        if (found != m_byKey.constEnd())
            return found.value();

        const int n = int(objects.size());
        Placed p;
        p.object.App = app;
        p.object.Form = form;
        p.object.Control = control;
        p.appOrder = m_last.appOrder;
        p.formOrder = m_last.formOrder;
        // Every new key is a new object: its order among the objects is its index.
        p.controlOrder = n;
        objects.push_back(std::move(p));
        m_byKey.insert(key, n);
        return n;
    }

    // An object named in a property record: a full path, or a path below the current
    // application and form.
    int Find(QStringView id) const
    {
        const PathParts path(id);
        QString key;
        if (path.count >= 3)
            key = KeyOf(path.part[0], path.part[1], path.part[2]);
        else if (path.count == 2)
            key = KeyOf(path.part[0], path.part[1], {});
        else
            key = KeyOf(m_app, m_form, path.part[0]);
        int n = m_byKey.value(key, -1);
        if (n < 0 && path.count == 2)
            n = m_byKey.value(KeyOf(m_app, path.part[0], path.part[1]), -1);
        if (n < 0 && path.count == 1) {
            n = m_byKey.value(KeyOf(m_app, path.part[0], {}), -1);
            if (n < 0)
                n = m_byKey.value(KeyOf(path.part[0], {}, {}), -1);
        }
        return n;
    }

    QString m_app;
    QString m_form;
    int m_current = -1;
    int m_firstApp = -1; // the project's application: its texts head the program
    QHash<QString, int> m_byKey;
    QHash<QString, int> m_apps;
    QHash<QString, int> m_forms;
    struct
    {
        bool valid = false;
        QString app, form, upperApp, upperForm;
        int appOrder = 0;
        int formOrder = 0;
    } m_last;
};

[[noreturn]] void Raise(int number)
{
    throw GuiError(number, GuiError::StandardText(number),
                   QStringLiteral("<modCodeGen BuildEventList>"));
}
} // namespace

EventList EventList::FromProjectText(const QString &text)
{
    const QList<QStringView> records = QStringView(text).split(QChar(Marks::Attribute));
    const Fields first(records.value(0));
    const QString kind = first.value(0).toString().toUpper();
    if ((kind != QLatin1String("TEMPLATE") && kind != QLatin1String("MACRO"))
        || Fields(records.value(1)).value(0) != QLatin1String("0"))
        Raise(GuiErrors::InvalidVersion);

    EventList list;
    const QList<QStringView> location = first.value(3).split(QChar(Marks::SubValue));
    list.m_programFile = location.value(0).toString();
    list.m_programId = location.value(1).toString();
    list.m_codeStyle = location.value(2).toString();
    ToInt(location.value(3), list.m_casing);

    Parser parser;
    parser.Reserve(ProjectLoader::CountCreateRecords(records));
    for (qsizetype r = 1; r < records.size(); ++r) {
        const Fields f(records.at(r));
        int function = 0;
        if (!ToInt(f.at[0], function))
            continue; // not a function record
        switch (function) {
        case 0: // header and end
        case 6: // methods never touch events
            break;
        case 2:
            parser.Create(f);
            break;
        case 4:
            parser.Property(f);
            break;
        default:
            Raise(GuiErrors::InvalidFunction);
        }
    }

    auto before = [](const Placed &a, const Placed &b) {
        if (a.appOrder != b.appOrder)
            return a.appOrder < b.appOrder;
        if (a.formOrder != b.formOrder)
            return a.formOrder < b.formOrder;
        return a.controlOrder < b.controlOrder;
    };
    // Most texts already name each object after its form: then there is nothing to move.
    if (!std::is_sorted(parser.objects.begin(), parser.objects.end(), before))
        std::stable_sort(parser.objects.begin(), parser.objects.end(), before);

    list.m_objects.reserve(parser.objects.size());
    for (Placed &p : parser.objects) {
        const Object &o = p.object;
        if (Vocabulary::IsApplication(o.Type) && list.m_appId.isEmpty()) {
            list.m_appId = o.App;
            list.m_appType = o.Type;
        }
        if (Vocabulary::IsForm(o.Type) && list.m_mainForm.isEmpty()
            && o.App.compare(list.m_appId, Qt::CaseInsensitive) == 0)
            list.m_mainForm = o.Form;
        // No two objects share a key, so a repeated event can only come from one object
        // (two bar items with one ID).
        std::vector<EventRow> rows = RowsOf(o);
        QSet<QString> seen;
        for (EventRow &row : rows) {
            if (rows.size() > 1) {
                const QString event = row.Event.toUpper();
                if (seen.contains(event))
                    continue;
                seen.insert(event);
            }
            list.m_rows.push_back(std::move(row));
        }
        list.m_objects.push_back(std::move(p.object));
    }
    if (list.m_appId.isEmpty() && !list.m_objects.empty())
        list.m_appId = list.m_objects.front().App;
    list.m_author = parser.author;
    list.m_copyright = parser.copyright;
    list.m_description = parser.description;
    return list;
}

std::vector<EventRow> EventList::RowsOf(const Object &o)
{
    std::vector<EventRow> rows;
    auto add = [&](const QString &event) {
        rows.push_back(EventRow{o.App, o.Form, o.Control, event, o.Type});
    };
    if (!Vocabulary::IsFormBar(o.Type)) {
        for (int code : Vocabulary::EventsInMask(o.Mask)) {
            const QString name = Vocabulary::EventName(code);
            if (!name.isEmpty())
                add(name);
        }
        return rows;
    }

    // A bar reports the click of an item; with clicks switched off it has no events.
    if (!(std::uint32_t(o.Mask) & Vocabulary::EventMaskBit(Vocabulary::Event::Click)))
        return rows;
    const bool flat = o.Type == Vocabulary::Type::Toolbar || o.Type == Vocabulary::Type::Statusbar;
    const QStringList entries = o.Items.isEmpty() ? QStringList() : o.Items.split(QChar(Marks::Value));
    auto level = [&](qsizetype i) {
        bool ok = false;
        const int n = entries[i].section(QChar(Marks::SubValue), 1, 1).trimmed().toInt(&ok);
        return ok ? n : 1;
    };
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString id = entries[i].section(QChar(Marks::SubValue), 0, 0);
        if (id.isEmpty() || id.startsWith(QLatin1Char('*')) || id.startsWith(QLatin1Char('-')))
            continue;
        // A menu item that opens a submenu is never clicked itself.
        if (!flat && i + 1 < entries.size()
            && level(i + 1) > level(i))
            continue;
        add(QStringLiteral("MENU(") + id + QLatin1Char(')'));
    }
    return rows;
}

const EventList::Object *EventList::FirstNonDialogObject() const
{
    for (const Object &o : m_objects) {
        if (Vocabulary::IsApplication(o.Type) && o.Type != Vocabulary::Type::AppSdi)
            return &o;
        if (Vocabulary::IsForm(o.Type) && o.Type != Vocabulary::Type::FormDialog)
            return &o;
    }
    return nullptr;
}
