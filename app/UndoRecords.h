#pragma once

#include "app/UndoBuffer.h"

#include <QList>
#include <QStringList>
#include <optional>

class clsControl;
class clsDesigner;

// What undo records act on: the designer's objects and the Edit commands' own insertion, so
// an object comes back exactly as Paste would bring it.
class iUndoWorld
{
public:
    virtual ~iUndoWorld() = default;
    virtual clsDesigner &Designer() = 0;
    // The registered object with that full ID; nullptr for none (and for the root).
    virtual clsControl *Find(const QString &path) = 0;
    // Reports an undo or redo that could not be carried out (missing object, duplicate ID).
    virtual void ReportSkipped(int number, const QString &path) = 0;
    // The object a record names; when it is gone, the user is told and nullptr comes back.
    clsControl *FindOrReport(const QString &path);
    enum class Insertion { Inserted, Refused, Failed };
    // Loads a project text of one object (with what lies below it) into parent; gives the
    // paths of the top-level objects made.
    virtual Insertion InsertBack(const QString &projectText, clsControl &parent,
                                 QStringList &created) = 0;
};

// One kind of undo record: what it keeps and how it is put back. Putting a record back gives
// the record that puts back what it replaced, so the same kinds serve Undo and Redo: Undo
// puts an undo record back and keeps the answer for Redo, Redo the other way round.
class iUndoKind
{
public:
    virtual ~iUndoKind() = default;
    struct Outcome
    {
        bool Done = false;
        // The record that reverses what was done; none when it cannot be reversed.
        std::optional<UndoBuffer::Record> Reverse;
    };
    virtual Outcome PutBack(iUndoWorld &world, const UndoBuffer::Record &record) const = 0;

    // The kind that keeps records of that number; nullptr for an unknown number.
    static const iUndoKind *Of(int kind);
};

namespace UndoRecords {
// The IDs of parent's children in their order (also the z-order and the run-time tab order),
// joined by ValueMark: what a reposition record keeps, and what a removal keeps beside its
// record so the object comes back where it stood.
QString ChildOrder(const clsControl &parent);
// Puts parent's children into that order; IDs no longer there are passed over and children
// not named keep their places after the named ones.
void RestoreChildOrder(clsControl &parent, const QString &order);

// One object's part of a record of several: its full ID and what is kept for it (a
// rectangle, a child order), which may hold value marks.
struct Entry
{
    QString Path;
    QString Datum;
};
// A record of one object is laid out as that kind always was (the path first, the datum
// second); of several, the paths joined by ValueMark first and the data in the same order
// second, each with its value marks lowered to SubValueMarks.
UndoBuffer::Record GroupRecord(int kind, const QList<Entry> &entries);
QList<Entry> GroupEntries(const UndoBuffer::Record &record);

// The objects among items that no other of them contains, in the order of the item tree.
QList<clsControl *> TopsOf(const QList<clsControl *> &items);
// One project text of several objects of one form, each with what lies below it: the
// first one's header records, every object's own records in turn, one closing record.
// Empty when an object's text cannot be had.
QString CombinedText(clsDesigner &designer, const QList<clsControl *> &tops);
// What a removal of several objects keeps so they come back where they stood: the project
// text of all of them and, when they share a parent, that parent's path and child order, as
// a removal of one object keeps them; else their form's path, and the paths of their
// parents with each one's child order (GroupRecord's layout, joined by an AttributeMark).
struct Removal
{
    QString First;
    QString Text;
    QString Extra;
};
std::optional<Removal> RemovalOf(clsDesigner &designer, const QList<clsControl *> &tops);
// Puts back the child orders a removal of objects of several parents kept; false when the
// extra datum is a single order.
bool RestoreOrders(iUndoWorld &world, const QString &extra);
} // namespace UndoRecords
