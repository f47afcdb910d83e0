#include "panels/BarEditorModel.h"

#include "panels/ShortcutList.h"
#include "model/BarContent.h"
#include "model/ListContent.h"
#include "support/GuiError.h"

namespace {

constexpr QLatin1String Separator("-");

QString StripAccessKeys(const QString &caption)
{
    QString result;
    result.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&'))
                result.append(caption[++i]);
            continue;
        }
        result.append(caption[i]);
    }
    return result;
}

} // namespace

BarEditorModel::BarEditorModel(int barType) : m_type(barType) {}

QString BarEditorModel::EntryWord() const
{
    if (m_type == 77)
        return QStringLiteral("tool");
    if (m_type == 78)
        return QStringLiteral("panel");
    return QStringLiteral("menu");
}

QString BarEditorModel::BarWord() const
{
    return m_type == 77 ? QStringLiteral("toolbar") : QStringLiteral("menu");
}

QString BarEditorModel::BarTitle() const
{
    if (m_type == 77)
        return QStringLiteral("Tool bar");
    if (m_type == 78)
        return QStringLiteral("Status bar");
    return QStringLiteral("Menu");
}

QStringList BarEditorModel::Load(const QString &items)
{
    QStringList messages;
    m_entries.Clear();
    const QStringList stored = ListValue::SplitEntries(items);

    UniqueIdMaker ids;
    for (const QString &entry : stored) {
        const QString id = ListValue::SplitParts(entry).constFirst().trimmed();
        if (!id.isEmpty() && id != Separator)
            ids.Reserve(LeveledEntries::WithoutMarks(id));
    }
    QSet<QString> seen;
    int previousLevel = 0; // the first entry must be at level 1
    for (qsizetype n = 0; n < stored.size(); ++n) {
        QStringList parts = ListValue::SplitParts(stored[n]);
        // Record marks inside a part would split the stored record: they go.
        for (QString &part : parts) {
            if (part.contains(QChar(0xF8FE)) || part.contains(QChar(0xF8FF)))
                part = LeveledEntries::WithoutMarks(part);
        }
        const QString id = parts[IdPart].trimmed();
        if (id.isEmpty()) {
            messages << QStringLiteral("ID for index ") + QString::number(n + 1)
                            + QStringLiteral(" is missing. Item skipped!");
            continue;
        }
        LeveledEntries::Entry entry{parts, 1};
        if (IsMenu()) {
            const QString text = parts.value(LevelPart).trimmed();
            int level = 1;
            bool valid = text.isEmpty()
                         || ListValue::ParseInt(text, 1, qint64(previousLevel) + 1, &level);
            if (!valid) {
                int asked = 1;
                ListValue::ParseInt(text, INT_MIN, INT_MAX, &asked);
                level = std::clamp(asked, 1, previousLevel + 1);
                messages << QStringLiteral("The menu level for item '") + parts.value(CaptionPart)
                                + QStringLiteral("' is invalid and will")
                                + QStringLiteral(" be adjusted to a valid level. The level for "
                                                 "subsequent items may also")
                                + QStringLiteral(" be adjusted.");
                entry.Parts[LevelPart] = QString::number(level);
            }
            entry.Level = level;
            previousLevel = level;
        }
        if (id != Separator) {
            const QString key = id.toUpper();
            if (seen.contains(key)) {
                const QString newId = ids.Make(id);
                messages << BarTitle() + QStringLiteral(" item ID '") + id
                                + QStringLiteral("' is duplicated. New ID is '") + newId
                                + QLatin1Char('\'');
                entry.Parts[IdPart] = newId;
                seen.insert(newId.toUpper());
            } else {
                seen.insert(key);
            }
        }
        m_entries.Append(std::move(entry));
    }
    return messages;
}

QString BarEditorModel::Validate(int *index) const
{
    // One pass with a set: the bar may hold tens of thousands of entries.
    QHash<QString, int> seen;
    for (int i = 0; i < Count(); ++i) {
        if (index)
            *index = i;
        if (IsSeparator(i))
            continue;
        const QString id = Id(i).trimmed();
        if (id.isEmpty())
            return CheckId(i, id);
        const auto it = seen.constFind(id.toUpper());
        if (it != seen.constEnd())
            return CheckId(i, id);
        seen.insert(id.toUpper(), i);
    }
    // Whatever the fields hold, the value must be one the bar itself takes.
    try {
        BarContent check(m_type);
        check.SetItems(Store());
    } catch (const GuiError &error) {
        if (index)
            *index = -1;
        return error.Description();
    }
    if (index)
        *index = -1;
    return {};
}

bool BarEditorModel::IsSeparator(int i) const
{
    return Id(i).trimmed() == Separator;
}

QString BarEditorModel::Key(int i) const
{
    return Id(i).toUpper() + QLatin1Char('~');
}

QString BarEditorModel::Label(int i) const
{
    if (IsSeparator(i))
        return QStringLiteral("――――");
    const QString caption = StripAccessKeys(Caption(i));
    return caption.isEmpty() ? Id(i) : caption;
}

int BarEditorModel::ShortcutCode(int i) const
{
    int code = 0;
    ListValue::ParseInt(m_entries.Part(i, ShortcutPart), 0, 1000, &code);
    return code;
}

void BarEditorModel::SetShortcutCode(int i, int code)
{
    if (code == ShortcutCode(i))
        return;
    m_entries.SetPart(i, ShortcutPart, code == 0 ? QString() : QString::number(code));
}

bool BarEditorModel::Flag(int i, int part, bool byDefault) const
{
    bool on = byDefault;
    const QString text = m_entries.Part(i, part);
    if (!text.trimmed().isEmpty())
        ListValue::ParseFlag(text, &on);
    return on;
}

void BarEditorModel::SetFlag(int i, int part, bool on, bool byDefault)
{
    if (Flag(i, part, byDefault) == on)
        return;
    m_entries.SetPart(i, part, on ? QStringLiteral("1") : QStringLiteral("0"));
}

bool BarEditorModel::Enabled(int i) const { return Flag(i, EnabledPart, true); }
bool BarEditorModel::Visible(int i) const { return Flag(i, VisiblePart, true); }
bool BarEditorModel::CausesValidation(int i) const { return Flag(i, ValidationPart, false); }

QString BarEditorModel::Width(int i) const
{
    const QString text = m_entries.Part(i, WidthPart).trimmed();
    return text.isEmpty() ? QStringLiteral("0") : text;
}

void BarEditorModel::SetWidth(int i, const QString &width)
{
    QString text = width.trimmed();
    if (text.compare(QLatin1String("Auto"), Qt::CaseInsensitive) == 0)
        text = QStringLiteral("0");
    else if (text.compare(QLatin1String("Spring"), Qt::CaseInsensitive) == 0)
        text = QStringLiteral("-1");
    if (!ListValue::ParseNumber(text))
        return; // the field keeps showing the stored width
    double stored = 0, wanted = 0;
    ListValue::ParseNumber(Width(i), &stored);
    ListValue::ParseNumber(text, &wanted);
    if (stored != wanted)
        m_entries.SetPart(i, WidthPart, text);
}

int BarEditorModel::Align(int i) const
{
    int align = 0;
    ListValue::ParseInt(m_entries.Part(i, AlignPart), 0, 2, &align);
    return align;
}

void BarEditorModel::SetAlign(int i, int align)
{
    if (align < 0 || align > 2 || align == Align(i))
        return;
    m_entries.SetPart(i, AlignPart, QString::number(align));
}

bool BarEditorModel::BeginGroup(int i) const
{
    if (i <= 0 || IsSeparator(i))
        return false;
    return IsSeparator(i - 1) && m_entries.Level(i - 1) == m_entries.Level(i);
}

int BarEditorModel::SetBeginGroup(int i, bool on)
{
    if (BeginGroup(i) == on || IsSeparator(i))
        return i;
    if (on) {
        m_entries.Insert(i, m_entries.Level(i), {Separator});
        return i + 1;
    }
    m_entries.RemoveSubtree(i - 1);
    return i - 1;
}

int BarEditorModel::FindId(const QString &id, int except) const
{
    const QString key = id.trimmed().toUpper();
    for (int j = 0; j < Count(); ++j) {
        if (j != except && !IsSeparator(j) && Id(j).trimmed().toUpper() == key)
            return j;
    }
    return -1;
}

QString BarEditorModel::CheckId(int i, const QString &id, bool fromLabel) const
{
    const QString trimmed = LeveledEntries::WithoutMarks(id).trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("Please enter a valid ") + EntryWord() + QStringLiteral(" ID.");
    if (trimmed == Separator)
        return {};
    if (FindId(trimmed, i) < 0)
        return {};
    if (fromLabel)
        return QStringLiteral("Item '") + trimmed + QStringLiteral("' already exists in this ")
               + BarWord() + QStringLiteral(". Please enter a unique ID.");
    return QLatin1Char('\'') + trimmed + QStringLiteral("' already exists in this ") + BarWord()
           + QStringLiteral(" Please enter a unique ID.");
}

int BarEditorModel::NewItem(int after)
{
    const int level = after < 0 ? 1 : m_entries.Level(after);
    const int at = after < 0 ? Count() : m_entries.SubtreeEnd(after);
    return m_entries.Insert(at, level, {QString()});
}

int BarEditorModel::NewSubItem(int parent)
{
    if (!IsMenu() || parent < 0)
        return NewItem(parent);
    return m_entries.Insert(m_entries.SubtreeEnd(parent), m_entries.Level(parent) + 1, {QString()});
}
