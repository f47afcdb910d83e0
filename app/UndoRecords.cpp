#include "app/UndoRecords.h"

#include "app/ProjectLoader.h"
#include "app/ProjectWriter.h"
#include "app/clsDesigner.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include <QHash>
#include <QSet>
#include <algorithm>

using namespace Vocabulary;

namespace {
const QChar AM(Marks::Attribute);
const QChar VM(Marks::Value);
const QChar SVM(Marks::SubValue);

using Record = UndoBuffer::Record;
using Outcome = iUndoKind::Outcome;

// A whole project text (a deletion's), not a list of paths or an object's own records.
bool IsProjectText(const QString &datum)
{
    return datum.section(AM, 0, 0).section(VM, 0, 0).trimmed().toUpper() == QLatin1String("TEMPLATE");
}

// The code and the value of one of an object's property records: its third field, and what
// follows its fifth (marks and all).
std::pair<int, QStringView> CodeAndValue(QStringView record)
{
    const ProjectLoader::Fields fields = ProjectLoader::SplitRecord(record, 5);
    return {fields.Get(3).toInt(), fields.Rest};
}

// Loads an object's text into parent and puts parent's children back into the order they had
// (an empty order leaves the object last).
bool InsertInPlace(iUndoWorld &world, clsControl &parent, const QString &text, const QString &order,
                   QStringList &created)
{
    switch (world.InsertBack(text, parent, created)) {
    case iUndoWorld::Insertion::Inserted:
        break;
    case iUndoWorld::Insertion::Refused:
        // The parent can no longer hold the object (its type has changed).
        world.ReportSkipped(GuiErrors::InvalidFormOrParent, parent.FullID());
        return false;
    default:
        return false;
    }
    if (!order.isEmpty())
        UndoRecords::RestoreChildOrder(parent, order);
    return true;
}

// Move, size, align and spacing: the rectangles of one object or several.
class GeometryKind final : public iUndoKind
{
public:
    Outcome PutBack(iUndoWorld &world, const Record &record) const override
    {
        QList<UndoRecords::Entry> reverse;
        for (const UndoRecords::Entry &entry : UndoRecords::GroupEntries(record)) {
            clsControl *item = world.FindOrReport(entry.Path);
            if (!item)
                continue;
            const QList<QStringView> rect = QStringView(entry.Datum).split(VM);
            if (rect.size() != 4)
                continue;
            const QString now = UndoBuffer::GeometryText(*item);
            reverse.append({entry.Path, now});
            // A size that stays is not given again: the control is only moved, not laid out anew.
            const QList<QStringView> current = QStringView(now).split(VM);
            const bool sameSize = current.size() == 4 && current[2] == rect[2] && current[3] == rect[3];
            item->Move(ProjectLoader::PositionText(rect[0].toString()),
                       ProjectLoader::PositionText(rect[1].toString()),
                       sameSize ? QString() : rect[2].toString(),
                       sameSize ? QString() : rect[3].toString());
            world.Designer().MarkChanged(item);
        }
        if (reverse.isEmpty())
            return {};
        return {true, UndoRecords::GroupRecord(record.Kind, reverse)};
    }
};

// Rename: the item's ID.
class RenameKind final : public iUndoKind
{
public:
    Outcome PutBack(iUndoWorld &world, const Record &record) const override
    {
        clsControl *item = world.FindOrReport(record.First);
        if (!item)
            return {};
        const QString former = item->ID();
        if (!item->RenameItem(record.Second)) {
            // Another object has taken the ID meanwhile.
            world.ReportSkipped(GuiErrors::DuplicateId, record.First);
            return {};
        }
        world.Designer().MarkChanged(item);
        return {true, Record{Rename, item->FullID(), former, {}}};
    }

    static constexpr int Rename = UndoBuffer::Rename;
};

// Delete, cut and paste: objects that go and come back. A record in one of two forms: the
// project text of what went with its parent's path (a deletion; the extra datum is where it
// stood among its siblings), or the paths of what came (a paste). Putting one back gives the
// other.
class RemovalKind final : public iUndoKind
{
public:
    Outcome PutBack(iUndoWorld &world, const Record &record) const override
    {
        return IsProjectText(record.Second) ? BringBack(world, record) : Remove(world, record);
    }

private:
    static Outcome BringBack(iUndoWorld &world, const Record &record)
    {
        clsControl *parent = world.FindOrReport(record.First);
        if (!parent)
            return {};
        QStringList created;
        // Objects of several parents: each parent's order comes back after the load.
        const bool grouped = record.Extra.contains(AM);
        if (!InsertInPlace(world, *parent, record.Second, grouped ? QString() : record.Extra, created))
            return {};
        if (grouped)
            UndoRecords::RestoreOrders(world, record.Extra);
        return {true, Record{record.Kind, record.First, created.join(VM), {}}};
    }

    static Outcome Remove(iUndoWorld &world, const Record &record)
    {
        const QStringList paths = record.Second.split(VM, Qt::SkipEmptyParts);
        clsDesigner &designer = world.Designer();
        clsControl *current = designer.CurrentItem();
        const QString currentPath = current ? current->FullID() : QString();
        std::optional<Record> reverse;
        bool removed = false;
        if (paths.size() > 1) {
            // Several objects of one form (a paste of a selection): one record brings them
            // all back.
            QList<clsControl *> found;
            for (const QString &path : paths)
                if (clsControl *item = world.Find(path); item && item->Parent()
                    && !IsApplication(item->ObjType()))
                    found << item;
            if (const auto removal = UndoRecords::RemovalOf(designer, UndoRecords::TopsOf(found)))
                reverse = Record{record.Kind, removal->First, removal->Text, removal->Extra};
        }
        for (qsizetype i = paths.size() - 1; i >= 0; --i) {
            clsControl *item = world.Find(paths[i]);
            if (!item || !item->Parent() || IsApplication(item->ObjType()))
                continue;
            // One object's text makes one record; what a paste of several brings cannot be
            // done again in one.
            if (paths.size() == 1) {
                const QString text = designer.GetTemplate(item->FullID(), QString(), 0);
                if (!text.isEmpty() && !text.contains(QChar(Marks::Segment)))
                    reverse = Record{record.Kind, item->Parent()->FullID(), text,
                                     UndoRecords::ChildOrder(*item->Parent())};
            }
            designer.RemoveControl(item->FullID());
            removed = true;
        }
        // The selection stays where it was unless it went with the removed objects.
        if (current && designer.Items().Find(currentPath) == current)
            designer.SetCurrentItem(current);
        if (!removed) {
            world.ReportSkipped(GuiErrors::InvalidObjectId, paths.value(0));
            return {};
        }
        return {true, reverse};
    }
};

// Properties: what the property sheet wrote. The record keeps the object's own records as they
// were (its create record and its non-default properties, in the order they became so); for
// an object whose children the sheet makes and removes (a tab group and its tab panels), the
// project text of the object with everything below it, which comes back in its place.
class PropertiesKind final : public iUndoKind
{
public:
    Outcome PutBack(iUndoWorld &world, const Record &record) const override
    {
        clsControl *item = world.FindOrReport(record.First);
        if (!item)
            return {};
        if (IsProjectText(record.Second))
            return Replace(world, *item, record);
        Record reverse{record.Kind, record.First, ProjectWriter::OwnRecords(*item), {}};
        // Read in place: a menu's or a grid's record is large, and only a value that differs
        // from the object's is copied out, to be set.
        const QList<QStringView> records = QStringView(record.Second).split(AM);
        const QStringList create = records.value(0).toString().split(VM);
        if (create.size() < 9 || create[0] != QLatin1String("2"))
            return {};
        // The type first: a new type brings its own defaults.
        bool ok = false;
        const int type = create[3].toInt(&ok);
        if (ok && type != item->ObjType())
            item->ChangeType(type);
        QList<int> codes;
        QList<QStringView> values;
        for (qsizetype r = 1; r < records.size(); ++r) {
            const auto [code, value] = CodeAndValue(records[r]);
            codes << code;
            values << value;
        }
        // What is set now and was not then goes back to its default...
        const QList<int> now = item->NonDefault();
        for (int code : now)
            if (!codes.contains(code) && code != Vocabulary::Prop::EventMask) {
                QString empty;
                QString none;
                item->SetProperty(code, 0, 0, empty, none);
            }
        // ... and what was set then takes its value again, in its order. What the object has
        // now is read from its records just written, not asked again: a large menu or grid
        // would be written out once more for the comparison.
        QHash<int, QStringView> current;
        const QList<QStringView> nowRecords = QStringView(reverse.Second).split(AM);
        for (qsizetype r = 1; r < nowRecords.size(); ++r) {
            const auto [code, value] = CodeAndValue(nowRecords[r]);
            current.insert(code, value);
        }
        for (qsizetype i = 0; i < codes.size(); ++i)
            if (const auto it = current.constFind(codes[i]); it == current.cend() || *it != values[i])
                item->SetOwnProperty(codes[i], values[i].toString());
        for (int code : codes) {
            item->MarkNonDefault(code, false);
            item->MarkNonDefault(code, true);
        }
        if (!create[8].isEmpty() && QString::number(item->EventMask()) != create[8])
            item->SetProperty(Vocabulary::Prop::EventMask, create[8]);
        item->Move(ProjectLoader::PositionText(create[4]), ProjectLoader::PositionText(create[5]),
                   create[6], create[7]);
        world.Designer().MarkChanged(item);
        return {true, reverse};
    }

private:
    static Outcome Replace(iUndoWorld &world, clsControl &item, const Record &record)
    {
        clsControl *parent = item.Parent();
        if (!parent)
            return {};
        clsDesigner &designer = world.Designer();
        const QString text = designer.GetTemplate(item.FullID(), QString(), 0);
        const QString order = UndoRecords::ChildOrder(*parent);
        designer.RemoveControl(item.FullID());
        QStringList created;
        if (!InsertInPlace(world, *parent, record.Second, record.Extra, created) || created.isEmpty())
            return {};
        return {true, Record{record.Kind, created.first(), text, order}};
    }
};

// Reposition and order: the order of the children of one parent or several.
class OrderKind final : public iUndoKind
{
public:
    Outcome PutBack(iUndoWorld &world, const Record &record) const override
    {
        QList<UndoRecords::Entry> reverse;
        for (const UndoRecords::Entry &entry : UndoRecords::GroupEntries(record)) {
            clsControl *parent = world.FindOrReport(entry.Path);
            if (!parent)
                continue;
            reverse.append({entry.Path, UndoRecords::ChildOrder(*parent)});
            UndoRecords::RestoreChildOrder(*parent, entry.Datum);
            world.Designer().MarkChanged(parent);
        }
        if (reverse.isEmpty())
            return {};
        return {true, UndoRecords::GroupRecord(record.Kind, reverse)};
    }
};
} // namespace

clsControl *iUndoWorld::FindOrReport(const QString &path)
{
    clsControl *item = Find(path);
    if (!item)
        ReportSkipped(GuiErrors::InvalidObjectId, path);
    return item;
}

const iUndoKind *iUndoKind::Of(int kind)
{
    static const GeometryKind geometry;
    static const RenameKind rename;
    static const RemovalKind removal;
    static const OrderKind order;
    static const PropertiesKind properties;
    switch (kind) {
    case UndoBuffer::Move:
    case UndoBuffer::Size:
    case UndoBuffer::Align:
    case UndoBuffer::Spacing:
        return &geometry;
    case UndoBuffer::Rename:
        return &rename;
    case UndoBuffer::Delete:
    case UndoBuffer::Cut:
    case UndoBuffer::Paste:
        return &removal;
    case UndoBuffer::Reposition:
    case UndoBuffer::Order:
        return &order;
    case UndoBuffer::Properties:
        return &properties;
    default:
        return nullptr;
    }
}

namespace UndoRecords {
QString ChildOrder(const clsControl &parent)
{
    QStringList ids;
    for (const auto &entry : parent.Children())
        ids << entry.Value->ID();
    return ids.join(VM);
}

void RestoreChildOrder(clsControl &parent, const QString &order)
{
    // The children as they stand, upper-cased as the child list keys them; only a child out
    // of its place is moved, since each move renumbers the z-order.
    QStringList now;
    for (const auto &entry : parent.Children())
        now << entry.Key;
    qsizetype place = 0;
    for (const QString &id : order.split(VM, Qt::SkipEmptyParts)) {
        clsControl *child = parent.Child(id);
        if (!child)
            continue;
        const QString key = id.toUpper();
        if (now.value(place) != key) {
            if (place == 0)
                child->RepositionItem(now.first(), false);
            else
                child->RepositionItem(now[place - 1], true);
            now.removeOne(key);
            now.insert(place, key);
        }
        ++place;
    }
}

UndoBuffer::Record GroupRecord(int kind, const QList<Entry> &entries)
{
    if (entries.size() == 1)
        return {kind, entries.front().Path, entries.front().Datum, {}};
    QStringList paths;
    QStringList data;
    for (const Entry &entry : entries) {
        paths << entry.Path;
        data << QString(entry.Datum).replace(VM, SVM);
    }
    return {kind, paths.join(VM), data.join(VM), {}};
}

QList<Entry> GroupEntries(const UndoBuffer::Record &record)
{
    if (!record.First.contains(VM))
        return {{record.First, record.Second}};
    const QStringList paths = record.First.split(VM);
    const QStringList data = record.Second.split(VM);
    QList<Entry> entries;
    for (qsizetype i = 0; i < paths.size(); ++i)
        entries.append({paths[i], QString(data.value(i)).replace(SVM, VM)});
    return entries;
}

QList<clsControl *> TopsOf(const QList<clsControl *> &items)
{
    QSet<const clsControl *> chosen;
    for (const clsControl *item : items)
        if (item)
            chosen.insert(item);
    QList<clsControl *> tops;
    for (clsControl *item : items) {
        if (!item || tops.contains(item))
            continue;
        bool below = false;
        for (const clsControl *up = item->Parent(); up && !below; up = up->Parent())
            below = chosen.contains(up);
        if (!below)
            tops << item;
    }
    // The tree's order: a parent's children in their order, depth first.
    QHash<const clsControl *, qsizetype> rank;
    if (!tops.isEmpty()) {
        const clsControl *root = tops.front();
        while (root->Parent())
            root = root->Parent();
        qsizetype n = 0;
        const auto walk = [&](auto &&self, const clsControl &parent) -> void {
            for (const auto &entry : parent.Children()) {
                rank.insert(entry.Value, n++);
                self(self, *entry.Value);
            }
        };
        const clsControl *scope = tops.front()->Form() ? tops.front()->Form() : root;
        walk(walk, *scope);
    }
    std::stable_sort(tops.begin(), tops.end(), [&](const clsControl *a, const clsControl *b) {
        return rank.value(a, -1) < rank.value(b, -1);
    });
    return tops;
}

QString CombinedText(clsDesigner &designer, const QList<clsControl *> &tops)
{
    QStringList lines;
    QString closing;
    for (const clsControl *top : tops) {
        const QString text = designer.GetTemplate(top->FullID(), QString(), 0);
        QStringList records = text.split(AM);
        // The closing record, and any empty records before it, end each text.
        while (!records.isEmpty() && records.last().trimmed().isEmpty())
            records.removeLast();
        if (records.size() < 4)
            return {};
        closing = records.takeLast();
        if (lines.isEmpty())
            lines = records;
        else
            lines += records.mid(2);
    }
    if (lines.isEmpty())
        return {};
    lines << closing;
    return lines.join(AM);
}

std::optional<Removal> RemovalOf(clsDesigner &designer, const QList<clsControl *> &tops)
{
    if (tops.isEmpty())
        return std::nullopt;
    Removal removal;
    removal.Text = CombinedText(designer, tops);
    if (removal.Text.isEmpty() || removal.Text.contains(QChar(Marks::Segment)))
        return std::nullopt;
    QList<clsControl *> parents;
    for (clsControl *top : tops)
        if (!parents.contains(top->Parent()))
            parents << top->Parent();
    if (parents.size() == 1) {
        removal.First = parents.front()->FullID();
        removal.Extra = ChildOrder(*parents.front());
        return removal;
    }
    const clsControl *form = tops.front()->Form();
    if (!form)
        return std::nullopt;
    removal.First = form->FullID();
    QList<Entry> orders;
    for (const clsControl *parent : std::as_const(parents))
        orders.append({parent->FullID(), ChildOrder(*parent)});
    const UndoBuffer::Record group = GroupRecord(0, orders);
    removal.Extra = group.First + AM + group.Second;
    return removal;
}

bool RestoreOrders(iUndoWorld &world, const QString &extra)
{
    if (!extra.contains(AM))
        return false;
    UndoBuffer::Record group;
    group.First = extra.section(AM, 0, 0);
    group.Second = extra.section(AM, 1);
    for (const Entry &entry : GroupEntries(group))
        if (clsControl *parent = world.Find(entry.Path))
            RestoreChildOrder(*parent, entry.Datum);
    return true;
}
} // namespace UndoRecords
