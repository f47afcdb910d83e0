#include "panels/TabListModel.h"

#include "panels/LeveledEntries.h"

#include <QSet>
#include <algorithm>

void TabListModel::Load(std::vector<Tab> tabs)
{
    for (Tab &tab : tabs)
        tab.StoredId = tab.Id;
    m_stored = tabs;
    m_tabs = std::move(tabs);
}

QString TabListModel::Position(int i) const
{
    return QStringLiteral("Tab ") + QString::number(i + 1) + QStringLiteral(" of ")
           + QString::number(Count());
}

void TabListModel::SetCaption(int i, const QString &text)
{
    m_tabs[size_t(i)].Caption = LeveledEntries::WithoutMarks(text);
}

void TabListModel::SetIcon(int i, const QString &text)
{
    m_tabs[size_t(i)].Icon = LeveledEntries::WithoutMarks(text);
}

void TabListModel::SetHint(int i, const QString &text)
{
    m_tabs[size_t(i)].Hint = LeveledEntries::WithoutMarks(text);
}

QString TabListModel::CheckId(int i, const QString &id, const Taken &takenElsewhere) const
{
    return CheckIdAgainst(i, id, takenElsewhere ? takenElsewhere : m_taken);
}

QString TabListModel::CheckIdAgainst(int i, const QString &id, const Taken &takenElsewhere) const
{
    const QString trimmed = id.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(QLatin1Char('*'))
        || LeveledEntries::WithoutMarks(trimmed) != trimmed)
        return QStringLiteral("Please enter a valid tab ID.");
    const QString key = trimmed.toUpper();
    bool used = false;
    for (int j = 0; j < Count(); ++j) {
        if (j != i && m_tabs[size_t(j)].Id.toUpper() == key)
            used = true;
    }
    // A panel of this group being renamed or deleted frees its ID; any other item keeps it.
    if (!used && takenElsewhere && takenElsewhere(trimmed)) {
        bool ownedByGroup = false;
        for (const Tab &stored : m_stored) {
            if (stored.StoredId.toUpper() == key)
                ownedByGroup = true;
        }
        used = !ownedByGroup;
    }
    if (!used)
        return {};
    return QStringLiteral("Tab ID ") + trimmed + QStringLiteral(" is already used in this ")
           + QStringLiteral("group") + QStringLiteral(".") + QLatin1Char('\n')
           + QStringLiteral("Please select a different ID.");
}

void TabListModel::SetId(int i, const QString &id)
{
    m_tabs[size_t(i)].Id = id.trimmed();
}

QString TabListModel::FreshId() const
{
    QSet<QString> used;
    for (const Tab &tab : m_tabs)
        used.insert(tab.Id.toUpper());
    for (const Tab &tab : m_stored)
        used.insert(tab.StoredId.toUpper());
    for (int n = 1;; ++n) {
        const QString id = QStringLiteral("Tab") + QString::number(n);
        if (!used.contains(id.toUpper()) && !(m_taken && m_taken(id)))
            return id;
    }
}

int TabListModel::Insert(int before)
{
    before = std::clamp(before, 0, Count());
    Tab tab;
    tab.Id = FreshId();
    tab.Caption = QStringLiteral("Tab");
    m_tabs.insert(m_tabs.begin() + before, tab);
    return before;
}

void TabListModel::SetCount(int count)
{
    while (Count() < count) {
        const int i = Add();
        m_tabs[size_t(i)].Caption = QStringLiteral("Tab") + QString::number(i + 1);
    }
}

QString TabListModel::DeleteQuestion(int i) const
{
    const Tab &tab = m_tabs[size_t(i)];
    if (!tab.HoldsControls)
        return {};
    return QStringLiteral("The ") + tab.Caption + QStringLiteral(" tab contains one or more controls.")
           + QLatin1Char('\n') + QStringLiteral("Are you sure you want to delete this tab?");
}

void TabListModel::Delete(int i)
{
    m_tabs.erase(m_tabs.begin() + i);
}

int TabListModel::MoveUp(int i)
{
    if (i <= 0 || i >= Count())
        return -1;
    std::swap(m_tabs[size_t(i)], m_tabs[size_t(i - 1)]);
    return i - 1;
}

int TabListModel::MoveDown(int i)
{
    if (i < 0 || i + 1 >= Count())
        return -1;
    std::swap(m_tabs[size_t(i)], m_tabs[size_t(i + 1)]);
    return i + 1;
}

QString TabListModel::Validate(const Taken &takenElsewhere, int *index) const
{
    const Taken &taken = takenElsewhere ? takenElsewhere : m_taken;
    for (int i = 0; i < Count(); ++i) {
        const Tab &tab = m_tabs[size_t(i)];
        // Only a new or changed ID has to be checked against the rest of the form.
        const bool fresh = tab.StoredId.isEmpty() || tab.StoredId.toUpper() != tab.Id.toUpper();
        const QString message = CheckIdAgainst(i, tab.Id, fresh ? taken : Taken{});
        if (!message.isEmpty()) {
            if (index)
                *index = i;
            return message;
        }
    }
    if (index)
        *index = -1;
    return {};
}

const TabListModel::Tab *TabListModel::Stored(const QString &storedId) const
{
    for (const Tab &tab : m_stored) {
        if (tab.StoredId == storedId)
            return &tab;
    }
    return nullptr;
}

TabListModel::Plan TabListModel::MakePlan() const
{
    Plan plan;
    QSet<QString> kept;
    std::vector<QString> keptOrder;
    for (int i = 0; i < Count(); ++i) {
        const Tab &tab = m_tabs[size_t(i)];
        if (tab.StoredId.isEmpty()) {
            plan.Added.push_back(i);
            continue;
        }
        kept.insert(tab.StoredId);
        keptOrder.push_back(tab.StoredId);
        if (tab.Id != tab.StoredId)
            plan.Renamed.emplace_back(tab.StoredId, tab.Id);
        const Tab *stored = Stored(tab.StoredId);
        if (stored
            && (stored->Caption != tab.Caption || stored->Icon != tab.Icon
                || stored->Hint != tab.Hint || stored->Enabled != tab.Enabled
                || stored->Visible != tab.Visible))
            plan.Changed.push_back(i);
    }
    std::vector<QString> storedOrder;
    for (const Tab &tab : m_stored) {
        if (kept.contains(tab.StoredId))
            storedOrder.push_back(tab.StoredId);
        else
            plan.Removed.push_back(tab.StoredId);
    }
    plan.Reordered = storedOrder != keptOrder || !plan.Added.empty();
    // New tabs at the end of an otherwise unchanged strip need no reordering.
    if (!plan.Added.empty() && storedOrder == keptOrder) {
        bool atEnd = true;
        for (size_t k = 0; k < plan.Added.size(); ++k)
            atEnd = atEnd && plan.Added[k] == int(keptOrder.size() + k);
        plan.Reordered = !atEnd;
    }
    return plan;
}
