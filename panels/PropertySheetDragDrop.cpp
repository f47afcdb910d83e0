#include "panels/PropertySheetDragDrop.h"

#include "app/iPrompter.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "panels/PropertySheetModel.h"
#include "support/Marks.h"

#include <QSet>
#include <vector>

using namespace Vocabulary;


void PropertySheetDragDrop::Load(const QString &dragId, const QString &dropIds)
{
    m_dragId = m_loadedDragId = dragId;
    m_loadedDropIds = dropIds;
    m_dropIds = dropIds.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    m_source = !m_dragId.isEmpty();
    m_target = !m_dropIds.isEmpty();
}

namespace {

// Sets a side's tick; unticking a side that holds IDs asks first: Yes clears them, No keeps
// the tick.
template <typename Ids>
bool Tick(bool &side, Ids &ids, bool on, iPrompter &prompter, const QString &question)
{
    if (!on && side && !ids.isEmpty()) {
        if (prompter.Ask(question, iPrompter::Buttons::YesNo, MessageIcon::Question)
            != iPrompter::Answer::Yes)
            return true;
        ids.clear();
    }
    side = on;
    return on;
}

} // namespace

bool PropertySheetDragDrop::SetSource(bool on, iPrompter &prompter)
{
    return Tick(m_source, m_dragId, on, prompter,
                QStringLiteral("Are you sure you want to clear the Drag ID for this control?"));
}

bool PropertySheetDragDrop::SetTarget(bool on, iPrompter &prompter)
{
    return Tick(m_target, m_dropIds, on, prompter,
                QStringLiteral("Are you sure you want to clear the Drop IDs for this control?"));
}

bool PropertySheetDragDrop::UsesControlId(const QString &controlId) const
{
    return m_source && m_dragId.compare(controlId.trimmed(), Qt::CaseInsensitive) == 0
           && !m_dragId.isEmpty();
}

void PropertySheetDragDrop::SetUseControlId(bool on, const QString &controlId)
{
    if (on)
        m_dragId = controlId.trimmed();
    else if (UsesControlId(controlId))
        m_dragId.clear();
}

void PropertySheetDragDrop::AddDropId(const QString &id)
{
    const QString t = id.trimmed();
    if (t.isEmpty() || t.contains(QLatin1Char('|')))
        return;
    for (const QString &d : m_dropIds)
        if (d.compare(t, Qt::CaseInsensitive) == 0)
            return;
    m_dropIds.append(t);
    m_target = true;
}

void PropertySheetDragDrop::RemoveDropId(const QString &id)
{
    m_dropIds.removeIf([&](const QString &d) { return d.compare(id, Qt::CaseInsensitive) == 0; });
}

std::optional<QString> PropertySheetDragDrop::Problem() const
{
    const bool marks = m_dragId.contains(QChar(Marks::Segment))
                       || m_dragId.contains(QChar(Marks::Attribute));
    if (m_source && (m_dragId.contains(QLatin1Char('|')) || marks
                     || m_dragId.size() > PropertySheetModel::MaxTextLength))
        return QStringLiteral("A Drag ID may not contain \"|\" or marks.");
    return std::nullopt;
}

void PropertySheetDragDrop::Write(clsControl &item, bool hasDragId, bool hasDropIds) const
{
    if (hasDragId && m_dragId != m_loadedDragId)
        item.SetProperty(Prop::DragID, m_source ? m_dragId : QString());
    const QString drops = m_target ? m_dropIds.join(QLatin1Char('|')) : QString();
    if (hasDropIds && drops != m_loadedDropIds)
        item.SetProperty(Prop::DropIDs, drops);
}

QStringList PropertySheetDragDrop::ProjectDragIds(const clsControl &app, const clsControl *except)
{
    // One spelling per ID, whatever the letter case: the one that sorts first, so the list
    // does not depend on the order the objects are visited in.
    QHash<QString, QString> byKey;
    // Only the objects that hold a drag ID of their own are read, not the whole project.
    for (const clsControl *item : app.Items().DragSources()) {
        if (item == except || item->App() != &app || !item->Registered()
            || !IsKnownType(item->ObjType())
            || !SupportedProperties(WrapperKindOf(item->ObjType())).Has(Prop::DragID))
            continue;
        const QString drag = item->GetProperty(Prop::DragID);
        if (drag.isEmpty())
            continue;
        QString &kept = byKey[drag.toUpper()];
        if (kept.isEmpty() || drag < kept)
            kept = drag;
    }
    QStringList ids(byKey.cbegin(), byKey.cend());
    ids.sort(Qt::CaseInsensitive);
    return ids;
}
