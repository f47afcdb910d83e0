#include "app/EditCommands.h"

#include "app/DefaultIds.h"
#include "app/ErrorBoundary.h"
#include "app/ProjectLoader.h"
#include "app/ProjectWriter.h"
#include "app/UndoBuffer.h"
#include "app/clsDesigner.h"
#include "app/iClipboard.h"
#include "app/iCreateMode.h"
#include "app/iPrompter.h"
#include "app/iUndoState.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "model/iFormFuncs.h"
#include "support/ErrorReport.h"
#include "support/GuiError.h"
#include "support/Marks.h"
#include "support/NumberFormat.h"
#include "support/TextReplace.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <exception>
#include <unordered_set>
#include <vector>

using namespace Vocabulary;

namespace {
const QChar AM(Marks::Attribute);
const QChar VM(Marks::Value);
const QChar SVM(Marks::SubValue);
const QChar Star(QLatin1Char('*'));
using Marks::CrLf;

bool ToInt(const QString &text, int &value)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (ok)
        value = v;
    return ok;
}

bool HoldsMark(const QString &text)
{
    for (QChar c : text)
        if (Marks::IsMark(c))
            return true;
    return false;
}

QString PathKey(const QString &app, const QString &form)
{
    return (app + Star + form).toUpper();
}

// Whether an object of type pasted as the first object of a text may go into target.
bool Fits(int type, int target)
{
    if (IsForm(type))
        return IsApplication(target);
    if (type == Type::Menu)
        return IsForm(target) || target == Type::AppMdi;
    if (type == Type::Popup || type == Type::Toolbar)
        return IsForm(target);
    if (type == Type::Tab)
        return target == Type::Tabgroup;
    if (IsControl(type) || type == Type::Statusbar)
        return IsForm(target) || target == Type::Picture || target == Type::Frame
            || target == Type::Tabgroup || target == Type::Tab;
    return false;
}

// A project text split into records and fields, checked to be one whole object (with what
// lies below it) as Copy writes it.
struct PasteText
{
    std::vector<QStringList> Records;
    std::vector<int> Creates; // indexes of the create records, the first object first
    int Version = 14;
    int Scale = 0;
    int RootType = -2;
    QString RootPath;
    QString SourceForm; // "app*form" of the objects' paths
    QStringList OwnIds; // upper-cased own IDs of every object
    // The create records of the objects not below another, the first object first: several
    // when controls of one form were copied together.
    std::vector<int> Roots;
    bool LastIsRoot = false;

    bool RootIsForm() const { return IsForm(RootType); }
    QString RootOwn() const { return RootPath.section(Star, -1); }

    bool Parse(const QString &text)
    {
        const QStringList lines = text.split(AM);
        if (lines.size() < 4)
            return false;
        Records.reserve(std::size_t(lines.size()));
        for (const QString &line : lines)
            Records.push_back(line.split(VM));
        if (Records[0].value(0).trimmed().toUpper() != QLatin1String("TEMPLATE"))
            return false;
        const QStringList &header = Records[1];
        if (header.value(0) != QLatin1String("0"))
            return false;
        bool ok = false;
        const double version = NumberFormat::ParseInvariant(header.value(1), &ok);
        if (!ok || std::round(version * 10) < 10 || std::round(version * 10) > 14)
            return false;
        Version = int(std::round(version * 10));
        if (!header.value(2).trimmed().isEmpty() && !ToInt(header.value(2), Scale))
            return false;
        if (!IsScaleUnit(Scale))
            return false;

        // The closing record must be there: a truncated text is not pasted.
        int last = int(Records.size()) - 1;
        while (last > 1 && Records[std::size_t(last)].join(QString()).trimmed().isEmpty())
            --last;
        const QStringList &closing = Records[std::size_t(last)];
        const double end = NumberFormat::ParseInvariant(closing.value(1), &ok);
        if (last < 3 || closing.value(0) != QLatin1String("0") || !ok || end >= 0)
            return false;

        QSet<QString> paths;
        for (int r = 2; r < last; ++r) {
            const QStringList &rec = Records[std::size_t(r)];
            if (rec.size() == 1 && rec[0].trimmed().isEmpty())
                continue;
            int function = -1;
            if (!ToInt(rec.value(0), function))
                return false;
            if (function == 2) {
                if (!CheckCreate(rec, paths))
                    return false;
                Creates.push_back(r);
                if (LastIsRoot)
                    Roots.push_back(r);
            } else if (function == 4 || function == 6) {
                // Records of an object outside the text would change objects that are not
                // pasted.
                if (Creates.empty())
                    return false;
                const QString id = rec.value(1);
                if (!id.isEmpty() && !paths.contains(id.toUpper()))
                    return false;
            } else {
                return false;
            }
        }
        return !Creates.empty();
    }

    bool CheckCreate(const QStringList &rec, QSet<QString> &paths)
    {
        const QString path = rec.value(1);
        const QString parent = rec.value(2);
        int type = -2;
        if (!ToInt(rec.value(3), type) || HoldsMark(path) || HoldsMark(parent))
            return false;
        const QStringList parts = path.split(Star);
        if (parts.last().isEmpty() || parts.first().isEmpty() || paths.contains(path.toUpper()))
            return false;
        LastIsRoot = Creates.empty();
        if (Creates.empty()) {
            if (IsForm(type)) {
                if (parts.size() != 2)
                    return false;
                SourceForm = path.toUpper();
            } else if (IsControl(type) || IsFormBar(type)) {
                if (parts.size() != 3 || (parts[1].isEmpty() && !IsFormBar(type)))
                    return false;
                SourceForm = PathKey(parts[0], parts[1]);
            } else {
                return false;
            }
            RootType = type;
            RootPath = path;
        } else {
            // Everything after the first object lies below it, in the same form.
            if (!(IsControl(type) || IsFormBar(type)) || parts.size() != 3
                || PathKey(parts[0], parts[1]) != SourceForm)
                return false;
            const bool known = OwnIds.contains(parent.toUpper());
            if (RootIsForm() ? !(parent.isEmpty() || known) : !known) {
                // Another control of the same form beside the first: a copy of several.
                if (RootIsForm() || !IsControl(RootType) || !IsControl(type))
                    return false;
                LastIsRoot = true;
            }
        }
        paths.insert(path.toUpper());
        OwnIds << parts.last().toUpper();
        return true;
    }
};
} // namespace

EditCommands::EditCommands(clsDesigner &designer, UndoBuffer &undo, iClipboard &clipboard)
    : m_designer(designer), m_undo(undo), m_clipboard(&clipboard)
{
}

clsControl *EditCommands::ActiveForm() const
{
    if (m_activeForm)
        return m_activeForm();
    const clsControl *item = Selected();
    if (!item)
        return nullptr;
    return IsForm(item->ObjType()) ? const_cast<clsControl *>(item) : item->Form();
}

clsControl *EditCommands::CurrentApp() const
{
    const ProjectState *project = m_designer.CurrentProject();
    return project ? project->App : nullptr;
}

clsControl *EditCommands::Selected() const
{
    clsControl *item = m_designer.CurrentItem();
    if (!item || item->ObjType() == Type::Root)
        return nullptr;
    // Only a registered item is acted on.
    return m_designer.Items().Find(item->FullID()) == item ? item : nullptr;
}

void EditCommands::Refresh()
{
    if (iUndoState *state = m_undo.StateListener())
        state->CommandsChanged();
}

// ---- Adding objects ---------------------------------------------------------------------

QString EditCommands::DefaultId(const QString &typeName, const QSet<QString> &avoidUpper) const
{
    return DefaultIds::ForType(m_designer.Items(), typeName, CurrentApp(), ActiveForm(),
                               avoidUpper);
}

bool EditCommands::CreateNewItem(const QString &typeName, QString *createdId)
{
    iPrompter &prompter = m_designer.Prompter();
    return ErrorBoundary::Value(prompter, QString::fromLatin1(CreateLabel), [&] {
        const int type = DefaultIds::TypeOfName(typeName);
        if (type == -2 || type == Type::Root)
            throw GuiError(GuiErrors::InvalidArgument);
        const QString name = DefaultIds::CanonicalTypeName(typeName);
        clsControl *parent = nullptr;
        if (IsForm(type)) {
            parent = CurrentApp();
            if (!parent) {
                prompter.ShowMessage(QStringLiteral("You must create an application object "
                                                    "before creating a form."),
                                     MessageIcon::Exclamation);
                return false;
            }
        } else if (IsFormBar(type)) {
            parent = ActiveForm();
            if (!parent) {
                prompter.ShowMessage(QStringLiteral("You must activate a form before adding a "
                                                    "menu, tool bar or status bar."),
                                     MessageIcon::Exclamation);
                return false;
            }
        } else if (IsControl(type)) {
            parent = ActiveForm();
            if (!parent) {
                prompter.ShowMessage(QStringLiteral("You must activate a form before adding a "
                                                    "control."),
                                     MessageIcon::Exclamation);
                return false;
            }
        }
        if (!m_createMode)
            return false;
        const iCreateMode::Outcome outcome =
            m_createMode->CreateItem(name, type, DefaultId(name), parent);
        clsControl *created = outcome.Created ? m_designer.Items().Find(outcome.FullID) : nullptr;
        // The sheet may already have selected a part of the new object (a new tab group
        // shows its first tab); that selection stays.
        const clsControl *current = m_designer.CurrentItem();
        if (created && !(current && current->Parent() == created))
            m_designer.SelectItem(created);
        Refresh();
        if (createdId)
            *createdId = created ? created->FullID() : QString();
        return created != nullptr;
    });
}

// ---- Clipboard text ---------------------------------------------------------------------

QString EditCommands::ToClipboardText(const QString &projectText)
{
    QString text = ReplacedEach(projectText, AM, u"\r\n");
    text.replace(VM, QLatin1Char('\t'));
    text.replace(SVM, QChar(Marks::Clip));
    return text;
}

QString EditCommands::FromClipboardText(const QString &clipboardText)
{
    QString text = ReplacedEach(clipboardText, u"\r\n", QStringView(&AM, 1));
    // Other programs may end lines with LF alone.
    text.replace(QLatin1Char('\n'), AM);
    text.replace(QLatin1Char('\t'), VM);
    text.replace(QChar(Marks::Clip), SVM);
    return text;
}

// ---- Copy, Cut, Delete ------------------------------------------------------------------

QList<clsControl *> EditCommands::SelectedTops() const
{
    const QList<clsControl *> &selection = m_designer.Selection();
    if (selection.size() < 2)
        return {};
    QList<clsControl *> registered;
    for (clsControl *item : selection)
        if (item && IsControl(item->ObjType()) && m_designer.Items().Find(item->FullID()) == item)
            registered << item;
    return UndoRecords::TopsOf(registered);
}

bool EditCommands::Copy()
{
    const QList<clsControl *> tops = SelectedTops();
    clsControl *item = Selected();
    if (tops.size() < 2 && !item)
        return false;
    const QString text = tops.size() > 1 ? UndoRecords::CombinedText(m_designer, tops)
                                         : m_designer.GetTemplate(item->FullID(), QString(), 0);
    if (text.isEmpty())
        return false;
    PutOnClipboard(text);
    Refresh();
    return true;
}

void EditCommands::PutOnClipboard(const QString &projectText)
{
    const QString clip = ToClipboardText(projectText);
    m_clipboard->SetText(clip);
    m_lastClipText = clip;
    m_lastProjectText = projectText;
}

bool EditCommands::Cut()
{
    return RemoveSelected(UndoBuffer::Cut);
}

bool EditCommands::Delete()
{
    return RemoveSelected(UndoBuffer::Delete);
}

bool EditCommands::RemoveSelected(int kind)
{
    const QList<clsControl *> tops = SelectedTops();
    if (tops.size() > 1)
        return RemoveSeveral(tops, kind);
    clsControl *item = Selected();
    // An application is closed with its project (File menu), not deleted.
    if (!item || !item->Parent() || IsApplication(item->ObjType()))
        return false;
    const QString path = item->FullID();
    const QString parentPath = item->Parent()->FullID();
    const QString text = m_designer.GetTemplate(path, QString(), 0);
    if (text.isEmpty())
        return false;
    // The removed text must fit in one undo record, or the object could not be brought back.
    if (text.contains(QChar(Marks::Segment))) {
        m_designer.ReportError(GuiErrors::InvalidPropValue, QString(), QString::fromLatin1(EditLabel));
        return false;
    }
    if (kind == UndoBuffer::Cut)
        PutOnClipboard(text);
    const QString order = UndoRecords::ChildOrder(*item->Parent());
    m_designer.RemoveControl(path);
    if (m_designer.Items().Contains(path))
        return false;
    AddUndoRecord(kind, parentPath, text, order);
    Refresh();
    return true;
}

bool EditCommands::RemoveSeveral(const QList<clsControl *> &tops, int kind)
{
    const std::optional<UndoRecords::Removal> removal = UndoRecords::RemovalOf(m_designer, tops);
    if (!removal) {
        m_designer.ReportError(GuiErrors::InvalidPropValue, QString(), QString::fromLatin1(EditLabel));
        return false;
    }
    if (kind == UndoBuffer::Cut)
        PutOnClipboard(removal->Text);
    QStringList paths;
    for (const clsControl *top : tops)
        paths << top->FullID();
    // The selection goes with them; the remaining ones need not take it over in turn.
    m_designer.SetCurrentItem(nullptr);
    for (const QString &path : std::as_const(paths))
        m_designer.RemoveControl(path);
    bool removed = false;
    for (const QString &path : std::as_const(paths))
        removed = removed || !m_designer.Items().Contains(path);
    if (!removed)
        return false;
    AddUndoRecord(kind, removal->First, removal->Text, removal->Extra);
    Refresh();
    return true;
}

// ---- Paste ------------------------------------------------------------------------------

bool EditCommands::Paste()
{
    const QString clip = m_clipboard->Text();
    if (clip.isEmpty())
        return false;
    const QString text = !m_lastClipText.isEmpty() && clip == m_lastClipText
        ? m_lastProjectText
        : FromClipboardText(clip);
    if (text.section(AM, 0, 0).section(VM, 0, 0).trimmed().toUpper() != QLatin1String("TEMPLATE"))
        return false;
    clsControl *target = Selected();
    if (!target)
        return false;
    QStringList created;
    const bool inserted = ErrorBoundary::Value(m_designer.Prompter(), QString::fromLatin1(EditLabel), [&] {
        return Insert(text, *target, &created) == Insertion::Inserted;
    });
    if (!inserted)
        return false;
    AddUndoRecord(UndoBuffer::Paste, QString(), created.join(VM));
    if (created.size() > 1) {
        // Several pasted together stay selected together, ready to be dragged into place.
        QList<clsControl *> pasted;
        for (const QString &path : std::as_const(created))
            if (clsControl *item = m_designer.Items().Find(path))
                pasted << item;
        m_designer.SelectItems(pasted, pasted.isEmpty() ? nullptr : pasted.back());
    }
    Refresh();
    return true;
}

bool EditCommands::InsertText(const QString &projectText, clsControl &target, QStringList *created)
{
    return Insert(projectText, target, created) == Insertion::Inserted;
}

void EditCommands::OffsetRoots(std::vector<QStringList> &records, const std::vector<int> &roots,
                               const clsControl &target)
{
    const double toX = target.ScaleX();
    const double toY = target.ScaleY();
    if (toX <= 0 || toY <= 0)
        return;
    QPoint grid = Arrangement::GridOf(target);
    if (grid.x() < 1 || grid.y() < 1)
        grid = QPoint(120, 120);
    QSet<std::pair<int, int>> taken;
    for (const auto &entry : target.Children())
        taken.insert({entry.Value->TwipLeft(), entry.Value->TwipTop()});
    struct Place { int Record; std::optional<long long> Left, Top; };
    QList<Place> places;
    for (int r : roots) {
        const QStringList &rec = records[std::size_t(r)];
        Place p{r, {}, {}};
        bool ok = false;
        const double left = NumberFormat::ParseInvariant(rec.value(4), &ok);
        if (ok && left != double(AutoPosition))
            p.Left = std::llround(left * toX);
        const double top = NumberFormat::ParseInvariant(rec.value(5), &ok);
        if (ok && top != double(AutoPosition))
            p.Top = std::llround(top * toY);
        places << p;
    }
    int step = 1;
    for (; step < 1000; ++step) {
        const bool lands = std::any_of(places.cbegin(), places.cend(), [&](const Place &p) {
            return taken.contains({int(p.Left.value_or(0) + (long long)step * grid.x()),
                                   int(p.Top.value_or(0) + (long long)step * grid.y())});
        });
        if (!lands)
            break;
    }
    for (const Place &p : std::as_const(places)) {
        QStringList &rec = records[std::size_t(p.Record)];
        if (p.Left)
            rec[4] = NumberFormat::Format(double(*p.Left + (long long)step * grid.x()) / toX, 6);
        if (p.Top)
            rec[5] = NumberFormat::Format(double(*p.Top + (long long)step * grid.y()) / toY, 6);
    }
}

EditCommands::Insertion EditCommands::Insert(const QString &projectText, clsControl &target,
                                             QStringList *created, bool keepRootParents)
{
    clsItems &items = m_designer.Items();
    PasteText paste;
    if (target.ObjType() == Type::Root || !target.App() || !paste.Parse(projectText))
        return Insertion::Refused;
    // Every object of a copy of several must fit where it goes (a tab panel only into a tab
    // group); Undo puts objects of several containers back into their own, on target's form.
    const bool intoOwnParents = keepRootParents && paste.Roots.size() > 1;
    const clsControl *ownForm = IsForm(target.ObjType()) ? &target : target.Form();
    for (int r : paste.Roots) {
        const QStringList &rec = paste.Records[std::size_t(r)];
        const clsControl *parent = &target;
        if (intoOwnParents)
            parent = !ownForm ? nullptr
                : rec.value(2).isEmpty() ? ownForm
                : items.Find(ownForm->FullID() + Star + rec.value(2));
        if (!parent || !Fits(rec.value(3).toInt(), parent->ObjType()))
            return Insertion::Refused;
    }

    // Where the objects go: the application (for a form) or the form, with "APP*" standing
    // for the application's own bars.
    const int targetType = target.ObjType();
    const bool rootIsForm = paste.RootIsForm();
    QString destApp;
    QString destForm;
    if (rootIsForm) {
        destApp = target.ID();
    } else if (IsApplication(targetType)) {
        destApp = target.ID();
    } else {
        const clsControl *form = IsForm(targetType) ? &target : target.Form();
        if (!form)
            return Insertion::Refused;
        const QStringList parts = form->FullID().split(Star);
        destApp = parts.value(0);
        destForm = parts.value(1);
    }
    const QString oldOwn = paste.RootOwn();
    QString newOwn = oldOwn;
    const QString prefix = rootIsForm ? destApp + Star : destApp + Star + destForm + Star;
    QSet<QString> avoid(paste.OwnIds.begin(), paste.OwnIds.end());
    // Forms and the application's own bars share the application's child list.
    const bool intoApp = rootIsForm || IsApplication(targetType);
    if (intoApp)
        for (const auto &entry : target.Children())
            avoid.insert(entry.Key);
    const bool several = paste.Roots.size() > 1;
    // The own ID each object not below another takes (upper-cased old own ID: new own ID).
    QHash<QString, QString> renamed;
    if (several) {
        QList<int> clashing;
        for (int r : paste.Roots)
            if (items.Contains(prefix + paste.Records[std::size_t(r)].value(1).section(Star, -1)))
                clashing << r;
        if (!clashing.isEmpty()) {
            const QString first = paste.Records[std::size_t(clashing.front())].value(1).section(Star, -1);
            const QString text = QStringLiteral("A control with ID \"%1\" already exists in form \"%2\"\nContinue?")
                                     .arg(first, destForm);
            if (m_designer.Prompter().Ask(text, iPrompter::Buttons::YesNo, MessageIcon::Exclamation)
                != iPrompter::Answer::Yes)
                return Insertion::Declined;
        }
        for (int r : paste.Roots) {
            const QStringList &rec = paste.Records[std::size_t(r)];
            const QString own = rec.value(1).section(Star, -1);
            QString now = own;
            if (clashing.contains(r)) {
                now = DefaultIds::Next(items, TypeKeyword(rec.value(3).toInt(), true), prefix, false, avoid);
                avoid.insert(now.toUpper());
            }
            renamed.insert(own.toUpper(), now);
        }
    } else if (items.Contains(prefix + oldOwn) || (intoApp && target.Child(oldOwn))) {
        const QString text = rootIsForm
            ? QStringLiteral("A form with ID \"%1\" already exists in application \"%2\"\nContinue?")
                  .arg(oldOwn, destApp)
            : QStringLiteral("A control with ID \"%1\" already exists in form \"%2\"\nContinue?")
                  .arg(oldOwn, destForm.isEmpty() ? destApp : destForm);
        if (m_designer.Prompter().Ask(text, iPrompter::Buttons::YesNo, MessageIcon::Exclamation)
            != iPrompter::Answer::Yes)
            return Insertion::Declined;
        newOwn = DefaultIds::Next(items, TypeKeyword(paste.RootType, true), prefix,
                                  IsFormBar(paste.RootType), avoid);
    }

    // Every path of the text moves to its new place, the first object under its new ID.
    const QString oldOwnUpper = oldOwn.toUpper();
    if (!several)
        renamed.insert(oldOwnUpper, newOwn);
    auto mapPath = [&](const QString &path) {
        QStringList parts = path.split(Star);
        if (parts.size() < 2)
            return path;
        if (rootIsForm) {
            parts[0] = destApp;
            parts[1] = newOwn;
        } else {
            parts[0] = destApp;
            parts[1] = destForm;
            if (parts.size() == 3)
                parts[2] = renamed.value(parts[2].toUpper(), parts[2]);
        }
        return parts.join(Star);
    };

    // Positions and sizes go from the text's unit to the target application's through twips.
    const double fromX = TwipsPerUnitX(paste.Scale);
    const double fromY = TwipsPerUnitY(paste.Scale);
    const double toX = target.ScaleX();
    const double toY = target.ScaleY();
    const bool convert = std::abs(fromX - toX) > 1e-9 || std::abs(fromY - toY) > 1e-9;
    auto convertField = [&](QString &field, double from, double to) {
        bool ok = false;
        const double value = NumberFormat::ParseInvariant(field, &ok);
        if (!ok || value == double(AutoPosition) || to <= 0)
            return;
        field = NumberFormat::Format(value * from / to, 6);
    };

    std::vector<QStringList> &records = paste.Records;
    QString scaleText;
    try {
        scaleText = target.App()->GetProperty(Prop::Scale);
    } catch (const GuiError &) {
    }
    if (!scaleText.isEmpty())
        records[1] = QStringList{records[1].value(0), records[1].value(1), scaleText};
    for (std::size_t r = 2; r < records.size(); ++r) {
        QStringList &rec = records[r];
        if (rec.size() < 2)
            continue;
        const QString function = rec[0].trimmed();
        if (function == QLatin1String("2")) {
            const bool root = std::find(paste.Roots.begin(), paste.Roots.end(), int(r)) != paste.Roots.end();
            rec[1] = mapPath(rec[1]);
            while (rec.size() < 9)
                rec << QString();
            // Bars belong to the form itself, also when pasted onto one of its containers.
            // Objects of several containers brought back by Undo go back into theirs.
            if (root && !(several && keepRootParents))
                rec[2] = IsControl(paste.RootType) && IsControl(targetType) ? target.ID() : QString();
            else if (!root && !rootIsForm)
                rec[2] = renamed.value(rec[2].toUpper(), rec[2]);
            if (convert) {
                convertField(rec[4], fromX, toX);
                convertField(rec[5], fromY, toY);
                convertField(rec[6], fromX, toX);
                convertField(rec[7], fromY, toY);
            }
        } else if ((function == QLatin1String("4") || function == QLatin1String("6"))
                   && !rec[1].isEmpty()) {
            rec[1] = mapPath(rec[1]);
        }
    }
    // Several objects pasted onto the form they came from move off the originals together
    // by grid steps, until none lands exactly where an object of the container already is.
    if (several && !keepRootParents && PathKey(destApp, destForm) == paste.SourceForm)
        OffsetRoots(paste.Records, paste.Roots, target);
    QStringList lines;
    lines.reserve(qsizetype(records.size()));
    for (const QStringList &rec : records)
        lines << rec.join(VM);
    const QString text = lines.join(AM);

    // Load, and take back everything the load created when it did not finish.
    const std::vector<clsControl *> before = items.InOrder();
    const std::unordered_set<const clsControl *> existing(before.begin(), before.end());
    std::vector<std::pair<ProjectState *, bool>> changed;
    for (ProjectState *project : m_designer.Projects())
        changed.emplace_back(project, project->Changed);
    clsControl *current = m_designer.CurrentItem();

    m_designer.SetTemplate(text);
    const ProjectLoader::Result &load = m_designer.LastLoad();

    std::vector<clsControl *> made;
    std::unordered_set<const clsControl *> madeSet;
    for (clsControl *item : items.InOrder())
        if (!existing.count(item)) {
            made.push_back(item);
            madeSet.insert(item);
        }
    std::vector<clsControl *> tops;
    for (clsControl *item : made)
        if (!madeSet.count(item->Parent()))
            tops.push_back(item);

    if (!load.Valid || load.Stopped || made.empty()) {
        for (clsControl *item : tops) {
            try {
                item->DeleteItem();
            } catch (const std::exception &) {
                // DeleteItem unregisters the item whatever its wrapper reports.
            }
        }
        for (const auto &[project, wasChanged] : changed)
            m_designer.SetChanged(*project, wasChanged);
        m_designer.SetCurrentItem(current);
        return Insertion::Failed;
    }
    if (created) {
        created->clear();
        for (clsControl *item : tops)
            created->append(item->FullID());
    }
    return Insertion::Inserted;
}

// ---- Undo -------------------------------------------------------------------------------

void EditCommands::AddUndoRecord(int kind, const QString &first, const QString &second,
                                 const QString &extra)
{
    if (m_undo.Add(kind, first, second, extra))
        m_redo.Clear();
}

bool EditCommands::MoveItem(clsControl &item, const QString &left, const QString &top,
                            const QString &width, const QString &height)
{
    const QString path = item.FullID();
    const QString former = UndoBuffer::GeometryText(item);
    if (!ErrorBoundary::Run(m_designer.Prompter(), QString::fromLatin1(EditLabel),
                            [&] { item.Move(left, top, width, height); }))
        return false;
    const bool sized = !width.trimmed().isEmpty() || !height.trimmed().isEmpty();
    m_designer.MarkChanged(&item);
    AddUndoRecord(sized ? UndoBuffer::Size : UndoBuffer::Move, path, former);
    Refresh();
    return true;
}

bool EditCommands::MoveItemTwips(clsControl &item, std::optional<int> left,
                                 std::optional<int> top, std::optional<int> width,
                                 std::optional<int> height)
{
    const QString path = item.FullID();
    const QString former = UndoBuffer::GeometryText(item);
    if (!ErrorBoundary::Run(m_designer.Prompter(), QString::fromLatin1(EditLabel),
                            [&] { item.MoveTwips(left, top, width, height); }))
        return false;
    m_designer.MarkChanged(&item);
    AddUndoRecord(width || height ? UndoBuffer::Size : UndoBuffer::Move, path, former);
    Refresh();
    return true;
}

// ---- Laying out several objects ------------------------------------------------------

bool EditCommands::CanLayOut(const clsControl &item)
{
    const int type = item.ObjType();
    return IsControl(type) && type != Type::Timer && type != Type::Tab;
}

Arrangement::Box EditCommands::BoxOf(const clsControl &item)
{
    return {item.AutoLeft() ? 0 : item.TwipLeft(), item.AutoTop() ? 0 : item.TwipTop(),
            item.TwipWidth(), item.TwipHeight()};
}

Arrangement::Area EditCommands::AreaOf(const clsControl &item)
{
    return item.Parent() ? ClientAreaOf(*item.Parent()) : Arrangement::Area{};
}

Arrangement::Area EditCommands::ClientAreaOf(const clsControl &container)
{
    Arrangement::Area area{container.TwipWidth(), container.TwipHeight(), 0};
    if (IsForm(container.ObjType())) {
        // The form's client area less what its docked bars take.
        if (const iFormFuncs *form = container.DesignForm()) {
            area.Width -= form->InsetLeft() + form->InsetRight();
            area.Height -= form->InsetTop() + form->InsetBottom();
        }
    } else if (container.ObjType() == Type::Tab && container.Parent()) {
        // A tab panel covers its tab group.
        area.Width = container.Parent()->TwipWidth();
        area.Height = container.Parent()->TwipHeight();
    }
    return area;
}

void EditCommands::BeginOrderPass()
{
    if (m_orderPass.Depth++ == 0)
        m_orderPass.Before.clear();
}

int EditCommands::TabPlace(const clsControl &item)
{
    const clsControl *parent = item.Parent();
    if (!parent || !IsControl(item.ObjType()) || item.ObjType() == Type::Tab)
        return 0;
    int place = 0;
    for (const auto &entry : parent->Children()) {
        if (IsControl(entry.Value->ObjType()))
            ++place;
        if (entry.Value == &item)
            return place;
    }
    return 0;
}

bool EditCommands::SetTabPlace(clsControl &item, int place)
{
    clsControl *parent = item.Parent();
    if (!parent || !IsControl(item.ObjType()) || place < 1
        || m_designer.Items().Find(item.FullID()) != &item)
        return false;
    // The controls among the children take the places; bars keep theirs.
    QStringList order;
    QStringList controls;
    for (const auto &entry : parent->Children()) {
        if (entry.Value == &item)
            continue;
        order << entry.Value->ID();
        if (IsControl(entry.Value->ObjType()))
            controls << entry.Value->ID();
    }
    if (place <= controls.size())
        order.insert(order.indexOf(controls[place - 1]), item.ID());
    else if (!controls.isEmpty())
        order.insert(order.indexOf(controls.last()) + 1, item.ID());
    else
        order.append(item.ID());
    const QString before = UndoRecords::ChildOrder(*parent);
    const QString wanted = order.join(VM);
    if (wanted == before)
        return true;
    BeginOrderPass();
    const QString path = parent->FullID();
    const bool seen = std::any_of(m_orderPass.Before.cbegin(), m_orderPass.Before.cend(),
                                  [&](const UndoRecords::Entry &e) { return e.Path == path; });
    if (!seen)
        m_orderPass.Before.append({path, before});
    UndoRecords::RestoreChildOrder(*parent, wanted);
    m_designer.MarkChanged(parent);
    EndOrderPass();
    return true;
}

void EditCommands::EndOrderPass()
{
    if (m_orderPass.Depth == 0 || --m_orderPass.Depth > 0)
        return;
    QList<UndoRecords::Entry> entries;
    for (const UndoRecords::Entry &entry : std::as_const(m_orderPass.Before)) {
        const clsControl *parent = Find(entry.Path);
        // A pass that came back to where it started has nothing to undo.
        if (parent && UndoRecords::ChildOrder(*parent) != entry.Datum)
            entries.append(entry);
    }
    m_orderPass.Before.clear();
    if (entries.isEmpty())
        return;
    AddGroupRecord(UndoBuffer::Order, entries);
    Refresh();
}

void EditCommands::AddGroupRecord(int kind, const QList<UndoRecords::Entry> &entries)
{
    if (entries.isEmpty())
        return;
    const UndoBuffer::Record record = UndoRecords::GroupRecord(kind, entries);
    AddUndoRecord(record.Kind, record.First, record.Second);
}

bool EditCommands::MoveItemsTwips(const QList<std::pair<clsControl *, QPoint>> &topLefts)
{
    if (topLefts.size() == 1 && topLefts.front().first)
        return MoveItemTwips(*topLefts.front().first, topLefts.front().second.x(),
                             topLefts.front().second.y(), std::nullopt, std::nullopt);
    QList<UndoRecords::Entry> entries;
    ErrorBoundary::Run(m_designer.Prompter(), QString::fromLatin1(EditLabel), [&] {
        for (const auto &[item, topLeft] : topLefts) {
            if (!item || m_designer.Items().Find(item->FullID()) != item)
                continue;
            const Arrangement::Box box = BoxOf(*item);
            if (box.Left == topLeft.x() && box.Top == topLeft.y() && !item->AutoLeft()
                && !item->AutoTop())
                continue;
            const QString former = UndoBuffer::GeometryText(*item);
            item->MoveTwips(topLeft.x(), topLeft.y(), std::nullopt, std::nullopt);
            entries.append({item->FullID(), former});
            m_designer.MarkChanged(item);
        }
    });
    if (entries.isEmpty())
        return false;
    AddGroupRecord(UndoBuffer::Move, entries);
    Refresh();
    return true;
}

bool EditCommands::ContinuesNudge(int kind, const QStringList &paths) const
{
    if (m_nudge.Kind != kind || m_nudge.Paths != paths || m_undo.IsEmpty())
        return false;
    const UndoBuffer::Record newest = m_undo.Newest();
    if (newest.Kind != m_nudge.Made.Kind || newest.First != m_nudge.Made.First
        || newest.Second != m_nudge.Made.Second)
        return false;
    // Nothing else has moved them since.
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const clsControl *item = m_designer.Items().Find(paths[i]);
        if (!item || UndoBuffer::GeometryText(*item) != m_nudge.After.value(i))
            return false;
    }
    return true;
}

bool EditCommands::Nudge(const QList<clsControl *> &items, clsControl &primary, int dxTwips,
                         int dyTwips, bool resize)
{
    QList<clsControl *> list;
    for (clsControl *item : items)
        if (item && CanLayOut(*item) && m_designer.Items().Find(item->FullID()) == item
            && !list.contains(item))
            list.append(item);
    if (!CanLayOut(primary) || m_designer.Items().Find(primary.FullID()) != &primary)
        return false;
    if (!list.contains(&primary))
        list.append(&primary);
    if (resize)
        list = {&primary};

    QList<Arrangement::Box> boxes;
    QList<Arrangement::Area> areas;
    for (const clsControl *item : std::as_const(list)) {
        boxes.append(BoxOf(*item));
        areas.append(AreaOf(*item));
    }
    QList<Arrangement::Box> after = boxes;
    if (resize) {
        after.front() = Arrangement::GrowBy(boxes.front(), areas.front(), dxTwips, dyTwips);
    } else {
        const QPoint d = Arrangement::GroupMove(boxes, areas, list.indexOf(&primary), dxTwips,
                                                dyTwips);
        for (Arrangement::Box &box : after) {
            box.Left += d.x();
            box.Top += d.y();
        }
    }
    if (after == boxes)
        return false;

    const int kind = resize ? UndoBuffer::Size : UndoBuffer::Move;
    QStringList paths;
    for (const clsControl *item : std::as_const(list))
        paths << item->FullID();
    const bool continues = ContinuesNudge(kind, paths);
    QList<UndoRecords::Entry> entries;
    ErrorBoundary::Run(m_designer.Prompter(), QString::fromLatin1(EditLabel), [&] {
        for (qsizetype i = 0; i < list.size(); ++i) {
            entries.append({paths[i], UndoBuffer::GeometryText(*list[i])});
            if (resize)
                list[i]->MoveTwips(std::nullopt, std::nullopt, after[i].Width, after[i].Height);
            else
                list[i]->MoveTwips(after[i].Left, after[i].Top, std::nullopt, std::nullopt);
            m_designer.MarkChanged(list[i]);
        }
    });
    if (continues) {
        // The run's record keeps where the items were before its first step.
        m_redo.Clear();
    } else {
        AddGroupRecord(kind, entries);
        m_nudge.Kind = kind;
        m_nudge.Paths = paths;
        m_nudge.Made = m_undo.Newest();
    }
    m_nudge.After.clear();
    for (const clsControl *item : std::as_const(list))
        m_nudge.After << UndoBuffer::GeometryText(*item);
    Refresh();
    return true;
}

namespace {
bool IsOrderCommand(ArrangeCommand command)
{
    return Arrangement::KindOf(command) == Arrangement::ArrangeKind::Order;
}

int RecordKind(ArrangeCommand command)
{
    switch (Arrangement::KindOf(command)) {
    case Arrangement::ArrangeKind::Size:
        return UndoBuffer::Size;
    case Arrangement::ArrangeKind::Spacing:
        return UndoBuffer::Spacing;
    case Arrangement::ArrangeKind::Order:
        return UndoBuffer::Order;
    default:
        return UndoBuffer::Align;
    }
}
} // namespace

bool EditCommands::CanArrange(ArrangeCommand command, const QList<clsControl *> &items) const
{
    return (ArrangeableCommands(items) >> int(command) & 1u) != 0;
}

quint32 EditCommands::ArrangeableCommands(const QList<clsControl *> &items) const
{
    // The items the order commands take (controls) and those the others lay out, each
    // counted once; a set whose items lie on two forms takes no command.
    struct Taken
    {
        const clsControl *Form = nullptr;
        qsizetype Count = 0;
        bool OneForm = true;
    } order, layout;
    const auto take = [](Taken &taken, const clsControl &item) {
        if (taken.Form && item.Form() != taken.Form)
            taken.OneForm = false;
        taken.Form = item.Form();
        ++taken.Count;
    };
    for (const clsControl *item : items) {
        if (!item || m_designer.Items().Find(item->FullID()) != item)
            return 0;
        if (IsControl(item->ObjType()))
            take(order, *item);
        if (CanLayOut(*item))
            take(layout, *item);
    }
    quint32 commands = 0;
    for (int i = 0; i <= int(ArrangeCommand::SendToBack); ++i) {
        const auto command = ArrangeCommand(i);
        const Taken &taken = IsOrderCommand(command) ? order : layout;
        if (taken.OneForm && Arrangement::Accepts(command, taken.Count))
            commands |= 1u << i;
    }
    return commands;
}

bool EditCommands::Arrange(ArrangeCommand command, const QList<clsControl *> &items,
                           clsControl &primary, int gridXTwips, int gridYTwips)
{
    if (!CanArrange(command, items))
        return false;
    QList<UndoRecords::Entry> entries;
    if (IsOrderCommand(command)) {
        // The selected children of each parent go to the end (front) or the start (back) of
        // its children, keeping their own order.
        QList<clsControl *> parents;
        QSet<const clsControl *> chosen;
        for (clsControl *item : items)
            if (IsControl(item->ObjType()) && item->Parent()) {
                chosen.insert(item);
                if (!parents.contains(item->Parent()))
                    parents.append(item->Parent());
            }
        for (clsControl *parent : std::as_const(parents)) {
            QStringList picked;
            QStringList others;
            for (const auto &entry : parent->Children())
                (chosen.contains(entry.Value) ? picked : others) << entry.Value->ID();
            const QStringList wanted = command == ArrangeCommand::BringToFront
                ? others + picked : picked + others;
            const QString before = UndoRecords::ChildOrder(*parent);
            if (wanted.join(VM) == before)
                continue;
            UndoRecords::RestoreChildOrder(*parent, wanted.join(VM));
            entries.append({parent->FullID(), before});
            m_designer.MarkChanged(parent);
        }
    } else {
        QList<clsControl *> list;
        for (clsControl *item : items)
            if (CanLayOut(*item) && !list.contains(item))
                list.append(item);
        qsizetype primaryIndex = list.indexOf(&primary);
        if (primaryIndex < 0)
            primaryIndex = list.size() - 1;
        QList<Arrangement::Box> boxes;
        QList<Arrangement::Area> areas;
        QHash<const clsControl *, int> keys;
        for (const clsControl *item : std::as_const(list)) {
            boxes.append(BoxOf(*item));
            Arrangement::Area area = AreaOf(*item);
            area.Key = keys.value(item->Parent(), int(keys.size()));
            keys.insert(item->Parent(), area.Key);
            areas.append(area);
        }
        const QList<Arrangement::Box> after =
            Arrangement::Arrange(command, boxes, areas, primaryIndex, gridXTwips, gridYTwips);
        ErrorBoundary::Run(m_designer.Prompter(), QString::fromLatin1(EditLabel), [&] {
            for (qsizetype i = 0; i < list.size(); ++i) {
                const Arrangement::Box &was = boxes[i];
                const Arrangement::Box &now = after[i];
                if (now == was)
                    continue;
                const auto changed = [](int a, int b) { return a == b ? std::nullopt : std::optional<int>(b); };
                entries.append({list[i]->FullID(), UndoBuffer::GeometryText(*list[i])});
                list[i]->MoveTwips(changed(was.Left, now.Left), changed(was.Top, now.Top),
                                   changed(was.Width, now.Width), changed(was.Height, now.Height));
                m_designer.MarkChanged(list[i]);
            }
        });
    }
    if (entries.isEmpty())
        return false;
    AddGroupRecord(RecordKind(command), entries);
    Refresh();
    return true;
}

bool EditCommands::RenameItem(clsControl &item, const QString &newId)
{
    const QString former = item.ID();
    if (newId == former)
        return true;
    if (!item.RenameItem(newId))
        return false;
    m_designer.MarkChanged(&item);
    AddUndoRecord(UndoBuffer::Rename, item.FullID(), former);
    Refresh();
    return true;
}

bool EditCommands::RepositionItem(clsControl &item, const QString &targetId, bool after)
{
    clsControl *parent = item.Parent();
    if (!parent)
        return false;
    const QString order = UndoRecords::ChildOrder(*parent);
    if (!item.RepositionItem(targetId, after))
        return false;
    m_designer.MarkChanged(&item);
    if (UndoRecords::ChildOrder(*parent) != order)
        AddUndoRecord(UndoBuffer::Reposition, parent->FullID(), order);
    Refresh();
    return true;
}

void EditCommands::BeginPropertiesChange(clsControl &item)
{
    if (m_change.Depth++ > 0)
        return;
    m_change.Item = &item;
    m_change.Path = item.FullID();
    // A tab group's tab panels come and go with the sheet's Tabs page: the whole group is kept.
    if (item.ObjType() == Type::Tabgroup && item.Parent()) {
        m_change.Before = m_designer.GetTemplate(m_change.Path, QString(), 0);
        m_change.Order = UndoRecords::ChildOrder(*item.Parent());
    } else {
        m_change.Before = ProjectWriter::OwnRecords(item);
        m_change.Order.clear();
    }
}

void EditCommands::EndPropertiesChange()
{
    if (m_change.Depth == 0 || --m_change.Depth > 0)
        return;
    clsControl *item = m_change.Item;
    m_change.Item = nullptr;
    if (!item || m_designer.Items().Find(m_change.Path) != item)
        return;
    const bool whole = m_change.Before.startsWith(QLatin1String("TEMPLATE"));
    const QString after = whole ? m_designer.GetTemplate(m_change.Path, QString(), 0)
                                : ProjectWriter::OwnRecords(*item);
    // A whole text begins with the time it was written.
    const auto body = [](const QString &text) { return text.section(AM, 1); };
    if (whole ? body(after) != body(m_change.Before) : after != m_change.Before)
        AddUndoRecord(UndoBuffer::Properties, m_change.Path, m_change.Before, m_change.Order);
    Refresh();
}

clsControl *EditCommands::Find(const QString &path)
{
    clsControl *item = path.isEmpty() ? nullptr : m_designer.Items().Find(path);
    return item && item->ObjType() != Type::Root ? item : nullptr;
}

void EditCommands::ReportSkipped(int number, const QString &path)
{
    m_designer.Prompter().Report(ErrorReport::Compose(
        2, number, path.isEmpty() ? QString::fromLatin1(UndoLabel) : path, 0, QString(),
        [](int code) { return PropertyName(code); }));
}

iUndoWorld::Insertion EditCommands::InsertBack(const QString &projectText, clsControl &parent,
                                               QStringList &created)
{
    switch (Insert(projectText, parent, &created, true)) {
    case Insertion::Inserted:
        return iUndoWorld::Insertion::Inserted;
    case Insertion::Refused:
        return iUndoWorld::Insertion::Refused;
    default:
        return iUndoWorld::Insertion::Failed;
    }
}

bool EditCommands::Undo()
{
    return PutBack(m_undo, m_redo);
}

bool EditCommands::Redo()
{
    return PutBack(m_redo, m_undo);
}

bool EditCommands::PutBack(UndoBuffer &from, UndoBuffer &to)
{
    if (from.IsEmpty())
        return false;
    const UndoBuffer::Record record = from.Newest();
    const iUndoKind *kind = iUndoKind::Of(record.Kind);
    const iUndoKind::Outcome outcome = !kind ? iUndoKind::Outcome{}
        : ErrorBoundary::Value(m_designer.Prompter(), QString::fromLatin1(UndoLabel), [&] {
              return kind->PutBack(*this, record);
          });
    from.DropNewest();
    if (outcome.Reverse)
        to.Add(*outcome.Reverse);
    Refresh();
    return outcome.Done;
}
