#include "code/EventList.h"

#include "model/Vocabulary.h"
#include "support/DynamicArray.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace {
const QString Star = QStringLiteral("*");

// Where an object stands in the text: applications, their forms and the forms' objects
// numbered by first appearance, so sorting by these keeps each group together.
struct Placed
{
    EventList::Object object;
    int appOrder = 0;
    int formOrder = 0;
    int controlOrder = 0;
};

QString KeyOf(const QString &app, const QString &form, const QString &control)
{
    return (app + Star + form + Star + control).toUpper();
}

QStringList Fields(const QString &record)
{
    return record.split(QChar(Marks::Value));
}

bool ToInt(const QString &text, int &value)
{
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    if (ok)
        value = int(std::int32_t(v));
    return ok;
}

// Everything from field 6 to the end of a property record, marks included.
QString PropertyValue(const QString &record)
{
    qsizetype pos = 0;
    for (int i = 0; i < 5; ++i) {
        pos = record.indexOf(QChar(Marks::Value), pos);
        if (pos < 0)
            return {};
        ++pos;
    }
    return record.mid(pos);
}

// Parses the records into objects, remembering the order of first appearance per level.
class Parser
{
public:
    std::vector<Placed> objects;
    QString author, copyright, description;

    void Create(const QStringList &f)
    {
        int type = 0;
        if (f.size() < 4 || !ToInt(f[3], type) || !Vocabulary::IsKnownType(type)
            || type == Vocabulary::Type::Root) {
            m_current = -1;
            return;
        }
        const QStringList path = f[1].split(Star);
        QString app, form, control;
        if (Vocabulary::IsApplication(type)) {
            app = path.value(0);
            m_app = app;
            m_form.clear();
        } else if (Vocabulary::IsForm(type)) {
            if (path.size() >= 2) {
                app = path[0];
                form = path[1];
            } else {
                app = m_app;
                form = path.value(0);
            }
            m_app = app;
            m_form = form;
        } else {
            if (path.size() >= 3) {
                app = path[0];
                form = path[1];
                control = path[2];
            } else if (path.size() == 2) {
                app = m_app;
                form = path[0];
                control = path[1];
            } else {
                app = m_app;
                form = m_form;
                control = path.value(0);
            }
        }
        int mask = 0;
        if (f.size() >= 9)
            ToInt(f[8], mask);
        m_current = Place(app, form, control);
        Placed &p = objects[size_t(m_current)];
        p.object.Type = type;
        p.object.Mask = mask;
        if (m_firstApp < 0 && Vocabulary::IsApplication(type))
            m_firstApp = m_current;
    }

    void Property(const QString &record, const QStringList &f)
    {
        const int target = f.value(1).isEmpty() ? m_current : Find(f[1]);
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
            p.object.Items = PropertyValue(record);
            break;
        case Vocabulary::Prop::Author:
        case Vocabulary::Prop::Copyright:
        case Vocabulary::Prop::Description:
            if (target == m_firstApp) {
                QString &text = code == Vocabulary::Prop::Author      ? author
                                : code == Vocabulary::Prop::Copyright ? copyright
                                                                      : description;
                text = PropertyValue(record);
            }
            break;
        default:
            break;
        }
    }

private:
    int Place(const QString &app, const QString &form, const QString &control)
    {
        const QString key = KeyOf(app, form, control);
        const auto found = m_byKey.constFind(key);
        if (found != m_byKey.constEnd())
            return found.value();

        auto order = [](QHash<QString, int> &seen, const QString &k) {
            const auto it = seen.constFind(k);
            if (it != seen.constEnd())
                return it.value();
            const int n = int(seen.size());
            seen.insert(k, n);
            return n;
        };
        Placed p;
        p.object.App = app;
        p.object.Form = form;
        p.object.Control = control;
        p.appOrder = order(m_apps, app.toUpper());
        p.formOrder = order(m_forms, (app + Star + form).toUpper());
        p.controlOrder = order(m_controls, key);
        const int n = int(objects.size());
        objects.push_back(std::move(p));
        m_byKey.insert(key, n);
        return n;
    }

    // An object named in a property record: a full path, or a path below the current
    // application and form.
    int Find(const QString &id) const
    {
        const QStringList path = id.split(Star);
        QString key;
        if (path.size() >= 3)
            key = KeyOf(path[0], path[1], path[2]);
        else if (path.size() == 2)
            key = KeyOf(path[0], path[1], QString());
        else
            key = KeyOf(m_app, m_form, path[0]);
        int n = m_byKey.value(key, -1);
        if (n < 0 && path.size() == 2)
            n = m_byKey.value(KeyOf(m_app, path[0], path[1]), -1);
        if (n < 0 && path.size() == 1) {
            n = m_byKey.value(KeyOf(m_app, path[0], QString()), -1);
            if (n < 0)
                n = m_byKey.value(KeyOf(path[0], QString(), QString()), -1);
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
    QHash<QString, int> m_controls;
};
} // namespace

EventList EventList::FromProjectText(const QString &text)
{
    const DynamicArray doc(text, {Marks::AttributeMark()});
    const QStringList first = Fields(doc.Extract({1}));
    const QString kind = first.value(0).toUpper();
    if ((kind != QLatin1String("TEMPLATE") && kind != QLatin1String("MACRO"))
        || Fields(doc.Extract({2})).value(0) != QLatin1String("0"))
        throw GuiError(GuiErrors::InvalidVersion, GuiError::StandardText(GuiErrors::InvalidVersion),
                       QStringLiteral("<modCodeGen BuildEventList>"));

    EventList list;
    const QStringList location = first.value(3).split(QChar(Marks::SubValue));
    list.m_programFile = location.value(0);
    list.m_programId = location.value(1);
    list.m_codeStyle = location.value(2);
    ToInt(location.value(3), list.m_casing);

    Parser parser;
    const int count = doc.Count();
    for (int r = 2; r <= count; ++r) {
        const QString record = doc.Extract({r});
        const QStringList f = Fields(record);
        int function = 0;
        if (!ToInt(f.value(0), function))
            continue; // not a function record
        switch (function) {
        case 0: // header and end
        case 6: // methods never touch events
            break;
        case 2:
            parser.Create(f);
            break;
        case 4:
            parser.Property(record, f);
            break;
        default:
            throw GuiError(GuiErrors::InvalidFunction,
                           GuiError::StandardText(GuiErrors::InvalidFunction),
                           QStringLiteral("<modCodeGen BuildEventList>"));
        }
    }

    std::stable_sort(parser.objects.begin(), parser.objects.end(),
                     [](const Placed &a, const Placed &b) {
                         if (a.appOrder != b.appOrder)
                             return a.appOrder < b.appOrder;
                         if (a.formOrder != b.formOrder)
                             return a.formOrder < b.formOrder;
                         return a.controlOrder < b.controlOrder;
                     });

    QSet<QString> seen;
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
        for (EventRow &row : RowsOf(o)) {
            const QString key = KeyOf(row.App, row.Form, row.Control) + Star + row.Event.toUpper();
            if (seen.contains(key))
                continue;
            seen.insert(key);
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
