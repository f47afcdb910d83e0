#include "code/CodeGenDecoder.h"

#include "code/Placeholders.h"
#include "support/Marks.h"


namespace {
using Marks::CrLf;
constexpr QLatin1String MenuPrefix("MENU(");

// What is open at one level of the dispatch block: nothing, or an object or event by its
// upper-cased name.
struct OpenLevel
{
    bool open = false;
    QString upper;

    bool Differs(const QString &name) const { return !open || upper != name; }
};

// The item ID of a bar event "MENU(id)"; empty for other events.
QString MenuItemOf(const QString &event)
{
    if (!event.startsWith(MenuPrefix, Qt::CaseInsensitive))
        return {};
    QString id = event.mid(MenuPrefix.size());
    const qsizetype close = id.lastIndexOf(QLatin1Char(')'));
    if (close >= 0)
        id.truncate(close);
    return id;
}
} // namespace

CodeGenDecoder::LineTemplates CodeGenDecoder::ParseSection(const QString &section)
{
    LineTemplates t;
    const QStringList lines = section.split(CrLf);
    for (const QString &line : lines) {
        const qsizetype mark = line.indexOf(QLatin1String("__"));
        if (mark < 0) {
            t.Frame += line;
            t.Frame += CrLf;
            continue;
        }
        qsizetype end = line.indexOf(QLatin1Char('_'), mark + 2);
        if (end < 0)
            end = line.size();
        const QString tag = line.mid(mark + 2, end - mark - 2).trimmed().toUpper();
        const QString text = line.left(mark).trimmed();
        if (tag == QLatin1String("BEGIN"))
            t.Begin = text;
        else if (tag == QLatin1String("END"))
            t.End = text;
        else if (tag == QLatin1String("APP"))
            t.App = text;
        else if (tag == QLatin1String("FORM"))
            t.Form = text;
        else if (tag == QLatin1String("CONTROL"))
            t.Control = text;
        else if (tag == QLatin1String("EVENT"))
            t.Event = text;
        else if (tag == QLatin1String("MENU"))
            t.Menu = text;
        else if (tag == QLatin1String("MENUVAR"))
            t.MenuVar = text;
        else if (tag == QLatin1String("ACTION"))
            t.Action = text;
        else if (tag == QLatin1String("ELSE")) {
            t.Else = text;
            t.HasElse = !text.isEmpty();
        }
    }
    t.Frame.chop(CrLf.size());
    return t;
}

QString CodeGenDecoder::DispatchBlock(const std::vector<EventRow> &rows,
                                      const LineTemplates &lines, const TemplateVariables &vars,
                                      const LabelFunction &label)
{
    if (rows.empty())
        return {};

    QString block;
    int level = 0;
    TemplateVariables v = vars;
    OpenLevel app, form, control, event;

    // A line template left empty, or one that needs a value the row lacks, gives no line.
    auto emit = [&](const QString &text) {
        if (text.isEmpty())
            return;
        static constexpr QStringView Blanks = u"        ";
        for (int left = level; left > 0; left -= int(Blanks.size()))
            block += Blanks.left(left);
        block += text;
        block += CrLf;
    };
    auto emitFilled = [&](const QString &text) {
        emit(Placeholders::SubstituteVariables(text, v));
    };
    auto begin = [&] {
        emit(lines.Begin);
        ++level;
    };
    auto closeTo = [&](int k) {
        while (level > k) {
            emit(lines.End);
            --level;
        }
    };

    QString upperApp, upperForm, upperControl, upperEvent;
    const EventRow *previous = nullptr;
    for (const EventRow &row : rows) {
        v.App = row.App;
        v.Form = row.Form;
        v.Control = row.Control;
        v.Event = row.Event;
        // Neighbouring rows mostly repeat their IDs: only a changed one is upper-cased again.
        if (!previous || row.App != previous->App)
            upperApp = row.App.toUpper();
        if (!previous || row.Form != previous->Form)
            upperForm = row.Form.toUpper();
        if (!previous || row.Control != previous->Control)
            upperControl = row.Control.toUpper();
        if (!previous || row.Event != previous->Event)
            upperEvent = row.Event.toUpper();
        previous = &row;

        if (app.Differs(upperApp)) {
            closeTo(1);
            if (!app.open)
                begin();
            emitFilled(lines.App);
            app = {true, upperApp};
            form = {};
            control = {};
            event = {};
        }
        if (form.Differs(upperForm)) {
            closeTo(2);
            if (!form.open)
                begin();
            emitFilled(lines.Form);
            form = {true, upperForm};
            control = {};
            event = {};
        }
        if (control.Differs(upperControl)) {
            closeTo(3);
            if (!control.open)
                begin();
            emitFilled(lines.Control);
            control = {true, upperControl};
            event = {};
        }
        if (event.Differs(upperEvent)) {
            closeTo(4);
            if (upperEvent.startsWith(MenuPrefix)) {
                if (!event.open) {
                    emit(lines.MenuVar);
                    begin();
                }
                v.Menu = MenuItemOf(row.Event);
                emitFilled(lines.Menu);
            } else {
                if (!event.open)
                    begin();
                v.Menu.clear();
                emitFilled(lines.Event);
            }
            event = {true, upperEvent};
        }
        v.Target = label(row);
        emitFilled(lines.Action);
    }

    if (lines.HasElse) {
        closeTo(1);
        block += QLatin1Char(' ') + lines.Else + CrLf;
        level = 0;
        emit(lines.End);
    } else {
        closeTo(0);
    }
    block.chop(CrLf.size());
    return block;
}

QString CodeGenDecoder::Decoder(const LineTemplates &lines, const QString &block,
                                const TemplateVariables &vars)
{
    TemplateVariables v = vars;
    v.Extra = block;
    return Placeholders::SubstituteVariables(lines.Frame, v, QStringLiteral("DECODE"));
}
