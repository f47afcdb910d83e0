#include "code/CodeGenDecoder.h"

#include "code/Placeholders.h"

#include <optional>

namespace {
const QString CrLf = QStringLiteral("\r\n");
const QString MenuPrefix = QStringLiteral("MENU(");

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
    // What is open at each level, upper-cased; nullopt when nothing is.
    std::optional<QString> app, form, control, event;

    // A line template left empty, or one that needs a value the row lacks, gives no line.
    auto emit = [&](const QString &text) {
        if (text.isEmpty())
            return;
        block += QString(level, QLatin1Char(' '));
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

    for (const EventRow &row : rows) {
        v.App = row.App;
        v.Form = row.Form;
        v.Control = row.Control;
        v.Event = row.Event;
        const QString upperApp = row.App.toUpper();
        const QString upperForm = row.Form.toUpper();
        const QString upperControl = row.Control.toUpper();
        const QString upperEvent = row.Event.toUpper();

        if (app != upperApp) {
            closeTo(1);
            if (!app)
                begin();
            emitFilled(lines.App);
            app = upperApp;
            form.reset();
            control.reset();
            event.reset();
        }
        if (form != upperForm) {
            closeTo(2);
            if (!form)
                begin();
            emitFilled(lines.Form);
            form = upperForm;
            control.reset();
            event.reset();
        }
        if (control != upperControl) {
            closeTo(3);
            if (!control)
                begin();
            emitFilled(lines.Control);
            control = upperControl;
            event.reset();
        }
        if (event != upperEvent) {
            closeTo(4);
            if (upperEvent.startsWith(MenuPrefix)) {
                if (!event) {
                    emit(lines.MenuVar);
                    begin();
                }
                v.Menu = MenuItemOf(row.Event);
                emitFilled(lines.Menu);
            } else {
                if (!event)
                    begin();
                v.Menu.clear();
                emitFilled(lines.Event);
            }
            event = upperEvent;
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
