#include "code/modCodeGen.h"

#include "code/CodeGenDecoder.h"
#include "code/Placeholders.h"
#include "code/TemplateFiles.h"
#include "code/iCodeCommandHost.h"
#include "support/Marks.h"

#include <QHash>
#include <QSet>

#include <array>
#include <functional>
#include <utility>

namespace {
using Marks::CrLf;

struct KeyName
{
    int code;
    const char *name;
};

// The keys that are not a letter or function key with modifiers; where a key has two
// spellings the short one comes first and is the one ShortcutKeyName gives.
constexpr std::array<KeyName, 35> OtherKeys{{
    {75, "CTRL+INS"}, {75, "CTRL+INSERT"},
    {76, "SHIFT+INS"}, {76, "SHIFT+INSERT"},
    {77, "DEL"}, {77, "DELETE"},
    {78, "SHIFT+DEL"}, {78, "SHIFT+DELETE"},
    {79, "ALT+BKSPC"},
    {80, "CTRL+DEL"}, {80, "CTRL+DELETE"},
    {81, "CTRL+SHIFT+DEL"}, {81, "CTRL+SHIFT+DELETE"},
    {82, "INS"}, {82, "INSERT"},
    {83, "CTRL+SHIFT+INS"}, {83, "CTRL+SHIFT+INSERT"},
    {84, "HOME"}, {85, "CTRL+HOME"}, {86, "SHIFT+HOME"}, {87, "CTRL+SHIFT+HOME"},
    {88, "END"}, {89, "CTRL+END"}, {90, "SHIFT+END"}, {91, "CTRL+SHIFT+END"},
    {92, "PGUP"}, {93, "CTRL+PGUP"}, {94, "SHIFT+PGUP"}, {95, "CTRL+SHIFT+PGUP"},
    {96, "PGDN"}, {97, "CTRL+PGDN"}, {98, "SHIFT+PGDN"}, {99, "CTRL+SHIFT+PGDN"},
    {100, "ESC"}, {101, "SHIFT+ESC"},
}};

// Function keys F1-F12 come in four blocks of twelve, one per modifier set.
constexpr std::array<std::pair<int, const char *>, 4> FunctionKeyBlocks{{
    {27, ""}, {39, "CTRL+"}, {51, "SHIFT+"}, {63, "CTRL+SHIFT+"},
}};

QString DialogWarning(const QString &templateName)
{
    return QStringLiteral("Warning: the ") + templateName
           + QStringLiteral(" code template only supports ")
           + QStringLiteral("the SDI application style and Dialog form style. Please update "
                            "your application and/or form styles ")
           + QStringLiteral("or choose a different code template.");
}
} // namespace

modCodeGen::modCodeGen(TemplateFiles &templates) : m_templates(templates) {}

void modCodeGen::SetProjectText(const QString &projectText)
{
    SetProject(EventList::FromProjectText(projectText));
}

void modCodeGen::SetProject(EventList project)
{
    m_project = std::move(project);
    m_codeStyle = m_project.CodeStyle();
    m_casing = m_project.Casing();
}

void modCodeGen::SetProjectLocation(const QString &fileName, const QString &itemId)
{
    m_projectFile = fileName;
    m_projectId = itemId;
}

TemplateVariables modCodeGen::ProjectVariables() const
{
    TemplateVariables v;
    v.ProjFile = m_projectFile;
    v.ProjId = m_projectId;
    v.App = m_project.ApplicationId();
    v.Form = m_project.MainFormId();
    v.Author = m_project.Author();
    v.Copyright = m_project.Copyright();
    v.Desc = m_project.Description();
    return v;
}

QString modCodeGen::Section(int n)
{
    return m_templates.GetCodeSection(n, m_codeStyle, m_casing);
}

bool modCodeGen::BuildEventList(Purpose purpose, std::vector<EventRow> &rows)
{
    m_warning.clear();
    rows.clear();
    if (purpose == Purpose::NewProgram) {
        const int row = m_templates.FindTemplate(m_codeStyle);
        if (row >= 0) {
            const TemplateInfo &info = m_templates.Templates()[size_t(row)];
            if (info.Mode == QLatin1String("dialog") && m_project.FirstNonDialogObject()) {
                m_warning = DialogWarning(info.Name);
                return false;
            }
        }
    }
    rows = m_project.Rows();
    return true;
}

QString modCodeGen::GenerateProgram()
{
    std::vector<EventRow> rows;
    if (!BuildEventList(Purpose::NewProgram, rows))
        return {};

    // Every handler label of the run is made after the same placeholder name: it is looked
    // up once.
    m_generating = true;
    struct EndOfRun
    {
        modCodeGen &generator;
        ~EndOfRun()
        {
            generator.m_generating = false;
            generator.m_labelName.reset();
        }
    } endOfRun{*this};

    const TemplateVariables vars = ProjectVariables();
    const QString bannerLine = Banner() + CrLf;
    QString out;
    auto appendPiece = [&](const QString &piece, const QString &separator) {
        out += piece;
        out += CrLf;
        out += separator;
    };
    for (int n = 1; n <= 5; ++n) {
        const QString text = Placeholders::SubstituteVariables(Section(n), vars);
        if (!text.isEmpty())
            appendPiece(text, bannerLine);
    }
    // The decoder calls each handler by the label that heads it: each label is made once.
    std::vector<QString> labels;
    appendPiece(EventDecoder(rows, labels), bannerLine);
    for (size_t i = 0; i < rows.size(); ++i)
        appendPiece(HandlerCode(rows[i], labels[i]), bannerLine);
    const QString banner = Banner();
    for (int n : {11, 12, 10})
        appendPiece(Placeholders::SubstituteVariables(Section(n), vars), banner);
    return out;
}

QString modCodeGen::BuildEventDecoder()
{
    return BuildEventDecoder(m_project.Rows());
}

QString modCodeGen::BuildEventDecoder(const std::vector<EventRow> &rows)
{
    std::vector<QString> labels;
    return EventDecoder(rows, labels);
}

QString modCodeGen::EventDecoder(const std::vector<EventRow> &rows, std::vector<QString> &labels)
{
    const CodeGenDecoder::LineTemplates lines =
        CodeGenDecoder::ParseSection(Section(TemplateSection::Decoder));
    const QString name = LabelPlaceholderName();
    labels = UniqueLabels(name, rows);
    const TemplateVariables vars = ProjectVariables();
    const QString block = CodeGenDecoder::DispatchBlock(
        rows, lines, vars, [&](const EventRow &row) {
            // The dispatch block walks these rows; a row from elsewhere gets its own label.
            const EventRow *const begin = rows.data();
            const EventRow *const end = begin + rows.size();
            if (!std::less<>()(&row, begin) && std::less<>()(&row, end))
                return labels[size_t(&row - begin)];
            return MakeEventHandlerLabel(name, row.App, row.Form, row.Control, row.Event);
        });
    return CodeGenDecoder::Decoder(lines, block, vars);
}

QString modCodeGen::LabelPlaceholderName()
{
    if (m_labelName)
        return *m_labelName;
    const QString section = Section(TemplateSection::Handler);
    QString pattern = section.left(section.indexOf(CrLf));
    const qsizetype colon = pattern.indexOf(QLatin1Char(':'));
    if (colon >= 0)
        pattern.truncate(colon);
    pattern = pattern.trimmed();
    QString name;
    const qsizetype open = pattern.indexOf(QLatin1String("%%"));
    const qsizetype close = open < 0 ? -1 : pattern.indexOf(QLatin1String("%%"), open + 2);
    if (close >= 0)
        name = pattern.mid(open + 2, close - open - 2);
    if (m_generating)
        m_labelName = name;
    return name;
}

QString modCodeGen::EventHandlerLabel(const QString &app, const QString &form,
                                      const QString &control, const QString &event)
{
    const QString name = LabelPlaceholderName();
    const QString label = MakeEventHandlerLabel(name, app, form, control, event);
    // Only a label some other row also makes can differ from the plain one.
    const std::vector<EventRow> &rows = m_project.Rows();
    const QString key = label.toUpper();
    bool shared = false;
    for (const EventRow &row : rows) {
        const bool same = row.App.compare(app, Qt::CaseInsensitive) == 0
            && row.Form.compare(form, Qt::CaseInsensitive) == 0
            && row.Control.compare(control, Qt::CaseInsensitive) == 0
            && row.Event.compare(event, Qt::CaseInsensitive) == 0;
        if (!same && MakeEventHandlerLabel(name, row.App, row.Form, row.Control, row.Event).toUpper() == key)
            shared = true;
    }
    if (!shared)
        return label;
    const std::vector<QString> labels = UniqueLabels(name, rows);
    for (size_t i = 0; i < rows.size(); ++i) {
        const EventRow &row = rows[i];
        if (row.App.compare(app, Qt::CaseInsensitive) == 0
            && row.Form.compare(form, Qt::CaseInsensitive) == 0
            && row.Control.compare(control, Qt::CaseInsensitive) == 0
            && row.Event.compare(event, Qt::CaseInsensitive) == 0)
            return labels[i];
    }
    return label;
}

std::vector<QString> modCodeGen::EventHandlerLabels(const std::vector<EventRow> &rows)
{
    return UniqueLabels(LabelPlaceholderName(), rows);
}

std::vector<QString> modCodeGen::UniqueLabels(const QString &placeholderName,
                                              const std::vector<EventRow> &rows)
{
    std::vector<QString> labels;
    labels.reserve(rows.size());
    QSet<QString> plain; // every label as its row makes it, upper case
    plain.reserve(qsizetype(rows.size()));
    for (const EventRow &row : rows) {
        labels.push_back(MakeEventHandlerLabel(placeholderName, row.App, row.Form, row.Control, row.Event));
        plain.insert(labels.back().toUpper());
    }
    if (qsizetype(rows.size()) == plain.size())
        return labels; // no clash: the labels as they always were

    const QChar separator = !placeholderName.isEmpty() && !placeholderName.back().isLetter()
        ? placeholderName.back()
        : QLatin1Char('.');
    QSet<QString> held;           // labels given so far, upper case
    QHash<QString, int> nextNumber; // per clashing label: the number to try next
    for (QString &label : labels) {
        const QString key = label.toUpper();
        if (!held.contains(key)) {
            held.insert(key);
            continue;
        }
        // A later row of a clash: a numbered label that neither a row's own label nor one
        // given already takes.
        auto next = nextNumber.find(key);
        if (next == nextNumber.end())
            next = nextNumber.insert(key, 2);
        int &n = next.value();
        for (;; ++n) {
            const QString candidate = label + separator + QString::number(n);
            const QString candidateKey = candidate.toUpper();
            if (!plain.contains(candidateKey) && !held.contains(candidateKey)) {
                label = candidate;
                held.insert(candidateKey);
                break;
            }
        }
    }
    return labels;
}

namespace {
// C1 control characters (128 to 159) are no part of a label: they would stand raw in code.
inline bool KeptInLabel(char16_t u)
{
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z')
           || (u >= 160 && u <= 250) || u == u'$' || u == u'.' || u == u'_';
}

void AppendLabelPart(QString &label, QStringView id)
{
    // IDs are nearly always made of kept characters alone: then they go in whole.
    const QChar *const end = id.data() + id.size();
    const QChar *c = id.data();
    while (c != end && KeptInLabel(c->unicode()))
        ++c;
    if (c == end) {
        label += id;
        return;
    }
    for (QChar k : id) {
        if (k.unicode() == u' ')
            label += QLatin1Char('.');
        else if (KeptInLabel(k.unicode()))
            label += k;
    }
}
} // namespace

QString modCodeGen::LabelPart(const QString &id)
{
    QString part;
    part.reserve(id.size());
    AppendLabelPart(part, id);
    return part;
}

QString modCodeGen::MakeEventHandlerLabel(const QString &placeholderName, const QString &app,
                                          const QString &form, const QString &control,
                                          const QString &event)
{
    QString label;
    label.reserve(app.size() + form.size() + control.size() + event.size() + 3);
    AppendLabelPart(label, app);
    if (!form.isEmpty()) {
        label += QLatin1Char('.');
        AppendLabelPart(label, form);
    }
    if (!control.isEmpty()) {
        label += QLatin1Char('.');
        AppendLabelPart(label, control);
    }
    label += QLatin1Char('.');
    const QLatin1String menuPrefix("MENU(");
    if (event.startsWith(menuPrefix, Qt::CaseInsensitive)) {
        QStringView id = QStringView(event).mid(menuPrefix.size());
        const qsizetype close = id.lastIndexOf(QLatin1Char(')'));
        if (close >= 0)
            id.truncate(close);
        AppendLabelPart(label, id);
    } else {
        label += event;
    }

    label = Placeholders::ApplyCasing(label, Placeholders::CasingOf(placeholderName));
    if (!placeholderName.isEmpty() && !placeholderName.back().isLetter())
        label.replace(QLatin1Char('.'), placeholderName.back());
    return label;
}

QString modCodeGen::EventHandlerCode(const QString &app, const QString &form,
                                     const QString &control, const QString &event)
{
    const EventRow row{app, form, control, event};
    return HandlerCode(row, EventHandlerLabel(app, form, control, event));
}

QString modCodeGen::HandlerCode(const EventRow &row, const QString &label)
{
    int section = TemplateSection::Handler;
    if (row.Event.compare(QLatin1String("CLOSE"), Qt::CaseInsensitive) == 0)
        section = row.Form.isEmpty() ? TemplateSection::AppClose : TemplateSection::FormClose;

    TemplateVariables vars = ProjectVariables();
    vars.App = row.App;
    vars.Form = row.Form;
    vars.Control = row.Control;
    vars.Event = row.Event;
    const QLatin1String menuPrefix("MENU(");
    if (row.Event.startsWith(menuPrefix, Qt::CaseInsensitive)) {
        vars.Menu = row.Event.mid(menuPrefix.size());
        const qsizetype close = vars.Menu.lastIndexOf(QLatin1Char(')'));
        if (close >= 0)
            vars.Menu.truncate(close);
    }
    vars.Target = label;
    return Placeholders::SubstituteVariables(Section(section), vars);
}

int modCodeGen::ShortcutKeyCode(const QString &name)
{
    const QString key = name.toUpper();
    if (key.size() == 6 && key.startsWith(QLatin1String("CTRL+")) && key[5] >= QLatin1Char('A')
        && key[5] <= QLatin1Char('Z'))
        return key[5].unicode() - u'A' + 1;
    for (const auto &[first, modifiers] : FunctionKeyBlocks) {
        const QString prefix = QLatin1String(modifiers) + QLatin1Char('F');
        if (!key.startsWith(prefix))
            continue;
        const QString digits = key.mid(prefix.size());
        bool ok = false;
        const int n = digits.toInt(&ok);
        // "F01" and "F+1" are not key names.
        if (ok && n >= 1 && n <= 12 && digits == QString::number(n))
            return first + n - 1;
    }
    for (const KeyName &k : OtherKeys) {
        if (key == QLatin1String(k.name))
            return k.code;
    }
    return 0;
}

QString modCodeGen::ShortcutKeyName(int code)
{
    if (code >= 1 && code <= 26)
        return QStringLiteral("CTRL+") + QChar(u'A' + code - 1);
    for (const auto &[first, modifiers] : FunctionKeyBlocks) {
        if (code >= first && code < first + 12)
            return QLatin1String(modifiers) + QLatin1Char('F') + QString::number(code - first + 1);
    }
    for (const KeyName &k : OtherKeys) {
        if (k.code == code)
            return QLatin1String(k.name);
    }
    return {};
}

QString modCodeGen::SaveRequiredText()
{
    return QStringLiteral("The code generator requires the project file name and item ID.")
           + CrLf
           + QStringLiteral("You must save the project file before you can edit program  code. ");
}

bool modCodeGen::EnsureProjectSaved(iCodeCommandHost &host)
{
    auto located = [&host] {
        return !host.ProjectFileName().isEmpty() && !host.ProjectItemId().isEmpty();
    };
    if (located())
        return true;
    if (!host.AskOkCancel(SaveRequiredText()))
        return false;
    // A save that ends without a file name and item ID (a local file, say) still leaves
    // the generator nothing to name the project by.
    return host.SaveProject() && located();
}

QString modCodeGen::Banner()
{
    const QString star = QStringLiteral("*");
    return star + CrLf + star + CrLf + QString(60, QLatin1Char('*')) + CrLf + star + CrLf + star;
}
