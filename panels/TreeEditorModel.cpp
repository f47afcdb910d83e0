#include "panels/TreeEditorModel.h"

#include "model/ListContent.h"
#include "model/TreeContent.h"
#include "support/GuiError.h"

#include <QHash>

#include <optional>

namespace {

constexpr QLatin1String LevelMessageTail("' is invalid and will be adjusted to a valid level. "
                                          "The level for subsequent items may also be adjusted.");

} // namespace

QStringList TreeEditorModel::Load(const QString &items)
{
    QStringList messages;
    m_entries.Clear();
    const QStringList stored = ListValue::SplitEntries(items);

    // Sibling scopes: the IDs seen under each open parent, one scope per level on the path.
    struct Scope {
        QSet<QString> Seen;
    };
    // Replacement IDs avoid every ID of the tree, so they never take a later sibling's; the
    // IDs are gathered at the first duplicate, which most trees never have.
    std::optional<UniqueIdMaker> ids;
    std::vector<Scope> scopes; // scopes[k] holds the children at level k + 1
    int previousLevel = 0;
    for (qsizetype n = 0; n < stored.size(); ++n) {
        QStringList parts = ListValue::SplitParts(stored[n]);
        for (QString &part : parts) {
            if (part.contains(QChar(0xF8FE)) || part.contains(QChar(0xF8FF)))
                part = LeveledEntries::WithoutMarks(part);
        }
        QString id = parts[IdPart].trimmed();
        if (id.isEmpty()) {
            messages << QStringLiteral("Tree item ID for index ") + QString::number(n + 1)
                            + QStringLiteral(" is missing. Item skipped!");
            continue;
        }
        while (parts.size() <= LevelPart)
            parts.append(QString());
        int level = 1;
        if (!ListValue::ParseInt(parts[LevelPart], 1, qint64(previousLevel) + 1, &level)) {
            int asked = 1;
            ListValue::ParseInt(parts[LevelPart], INT_MIN, INT_MAX, &asked);
            level = std::clamp(asked, 1, previousLevel + 1);
            messages << QStringLiteral("The level for item '") + parts.value(CaptionPart)
                            + LevelMessageTail;
            parts[LevelPart] = QString::number(level);
        }
        // The tree cannot store a state that is not a whole number: it falls back to none.
        const QString state = parts.value(StatePart);
        if (!state.trimmed().isEmpty() && !ListValue::ParseInt(state, INT_MIN, INT_MAX))
            parts[StatePart] = QString();
        // A backslash would split the node's path.
        if (id.contains(TreeContent::PathSeparator)) {
            id.replace(TreeContent::PathSeparator, QLatin1Char('_'));
            parts[IdPart] = id;
        }
        scopes.resize(size_t(level));
        Scope &scope = scopes[size_t(level - 1)];
        const QString key = id.toUpper();
        if (scope.Seen.contains(key)) {
            if (!ids) {
                ids.emplace();
                for (const QString &entry : stored)
                    ids->Reserve(ListValue::SplitParts(entry).constFirst().trimmed());
            }
            const QString newId = ids->Make(id);
            messages << QStringLiteral("Tree item ID '") + id
                            + QStringLiteral("' is duplicated. New ID is '") + newId
                            + QLatin1Char('\'');
            parts[IdPart] = newId;
            scope.Seen.insert(newId.toUpper());
        } else {
            scope.Seen.insert(key);
        }
        previousLevel = level;
        m_entries.Append({parts, level});
    }
    return messages;
}

QString TreeEditorModel::Validate(int *index) const
{
    // One pass: the sibling IDs of every open level are kept on a stack.
    std::vector<QSet<QString>> scopes;
    for (int i = 0; i < Count(); ++i) {
        const QString id = Id(i).trimmed();
        const int level = m_entries.Level(i);
        scopes.resize(size_t(level));
        QSet<QString> &siblings = scopes[size_t(level - 1)];
        const QString key = id.toUpper();
        if (id.isEmpty() || id.contains(TreeContent::PathSeparator) || siblings.contains(key)) {
            if (index)
                *index = i;
            return CheckId(i, id);
        }
        siblings.insert(key);
    }
    if (index)
        *index = -1;
    try {
        TreeContent check;
        check.SetItems(Store());
    } catch (const GuiError &error) {
        return error.Description();
    }
    return {};
}

QString TreeEditorModel::Key(int i) const
{
    QStringList path{Id(i)};
    for (int p = m_entries.Parent(i); p >= 0; p = m_entries.Parent(p))
        path.prepend(Id(p));
    return path.join(TreeContent::PathSeparator);
}

QString TreeEditorModel::Label(int i) const
{
    return Caption(i) + QStringLiteral(" (") + Id(i) + QLatin1Char(')');
}

QString TreeEditorModel::CheckId(int i, const QString &id) const
{
    const QString trimmed = LeveledEntries::WithoutMarks(id).trimmed();
    if (trimmed.isEmpty() || trimmed.contains(TreeContent::PathSeparator))
        return QStringLiteral("Please enter a valid node ID.");
    const QString key = trimmed.toUpper();
    for (int sibling : m_entries.Children(m_entries.Parent(i))) {
        if (sibling != i && Id(sibling).trimmed().toUpper() == key)
            return QLatin1Char('\'') + trimmed
                   + QStringLiteral("' already exists in this tree structure. Please enter an "
                                    "ID that is unique in this branch of the tree.");
    }
    return {};
}

int TreeEditorModel::State(int i) const
{
    int state = 0;
    ListValue::ParseInt(m_entries.Part(i, StatePart), INT_MIN, INT_MAX, &state);
    return state;
}

void TreeEditorModel::SetStateBit(int i, int bit, bool on)
{
    const int state = State(i);
    const int wanted = on ? (state | bit) : (state & ~bit);
    if (wanted != state)
        m_entries.SetPart(i, StatePart, QString::number(wanted));
}

void TreeEditorModel::SetSelected(int i, bool on)
{
    if (on) {
        for (int j = 0; j < Count(); ++j) {
            if (j != i)
                SetStateBit(j, StateSelected, false);
        }
    }
    SetStateBit(i, StateSelected, on);
}

QString TreeEditorModel::FreshId(int parent) const
{
    QSet<QString> used;
    for (int sibling : m_entries.Children(parent))
        used.insert(Id(sibling).trimmed().toUpper());
    for (int n = 1;; ++n) {
        const QString id = QStringLiteral("Node") + QString::number(n);
        if (!used.contains(id.toUpper()))
            return id;
    }
}

int TreeEditorModel::Add(int at, int level, const QString &caption, int parent)
{
    return m_entries.Insert(at, level, {FreshId(parent), QString(), caption});
}

int TreeEditorModel::NewRoot()
{
    return Add(Count(), 1, QStringLiteral("New root node"), -1);
}

int TreeEditorModel::NewSibling(int i)
{
    if (i < 0)
        return NewRoot();
    return Add(m_entries.SubtreeEnd(i), m_entries.Level(i), QStringLiteral("New sibling node"),
               m_entries.Parent(i));
}

int TreeEditorModel::NewChild(int i)
{
    if (i < 0)
        return NewRoot();
    return Add(m_entries.SubtreeEnd(i), m_entries.Level(i) + 1, QStringLiteral("New child node"),
               i);
}
