#include "panels/ProjectTreeModel.h"

#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "support/GuiError.h"
#include "support/Marks.h"

using namespace Vocabulary;

namespace {
QString Quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// The full ID the item would carry with another own ID.
QString RenamedFullId(const clsControl &item, const QString &newId)
{
    if (IsApplication(item.ObjType()))
        return newId;
    QStringList fields = item.FullID().split(QLatin1Char('*'));
    fields.last() = newId;
    return fields.join(QLatin1Char('*'));
}

bool IsValidId(const QString &id)
{
    if (id.isEmpty() || id.size() > ProjectTreeModel::MaxIdLength)
        return false;
    // A blank, "*" or a mark inside an ID would split it when the project is written.
    for (QChar c : id)
        if (c.isSpace() || c == QLatin1Char('*') || c.unicode() < 32
            || (c.unicode() >= Marks::SubValue && c.unicode() <= Marks::Segment))
            return false;
    return true;
}
} // namespace

std::optional<QString> ProjectTreeModel::RenameRefusal(const clsControl &item, const QString &newId)
{
    if (!IsValidId(newId))
        return GuiError::StandardText(GuiErrors::InvalidIdForObject);
    if (newId.toUpper() == item.ID().toUpper())
        return std::nullopt;
    const clsControl *parent = item.Parent();
    const bool taken = (parent && parent->Child(newId))
                       || item.Items().Contains(RenamedFullId(item, newId));
    if (!taken)
        return std::nullopt;
    const int type = item.ObjType();
    if (IsForm(type) && item.App())
        return QStringLiteral("A form with ID ") + Quoted(newId)
               + QStringLiteral(" already exists in application ") + Quoted(item.App()->ID());
    if ((IsControl(type) || IsFormBar(type)) && item.Form())
        return QStringLiteral("A control with ID ") + Quoted(newId)
               + QStringLiteral(" already exists in form ") + Quoted(item.Form()->ID());
    if (IsFormBar(type) && item.App())
        return QStringLiteral("A control with ID ") + Quoted(newId)
               + QStringLiteral(" already exists in application ") + Quoted(item.App()->ID());
    return GuiError::StandardText(GuiErrors::DuplicateId);
}

bool ProjectTreeModel::CanDrag(const clsControl &item)
{
    const int type = item.ObjType();
    return type >= 5 && type <= 78;
}

ProjectTreeModel::Drop ProjectTreeModel::DropOn(const clsControl &dragged, const clsControl &target)
{
    Drop drop;
    const clsControl *parent = dragged.Parent();
    if (&target == &dragged || !parent || !CanDrag(dragged))
        return drop;
    const auto &siblings = parent->Children();
    const QString own = dragged.ID().toUpper();
    if (&target == parent) {
        // Onto its own container: to the front.
        if (siblings.IndexOf(own) <= 0)
            return drop;
        drop.What = Drop::Kind::Move;
        drop.Target = siblings.begin()->Value->ID();
        return drop;
    }
    if (target.Parent() == parent) {
        drop.What = Drop::Kind::Move;
        drop.Target = target.ID();
        drop.After = siblings.IndexOf(own) < siblings.IndexOf(target.ID().toUpper());
        return drop;
    }
    drop.What = Drop::Kind::Refused;
    drop.Message = Quoted(dragged.ID()) + QStringLiteral(" can only be moved among the objects of ")
                   + Quoted(parent->ID());
    return drop;
}
