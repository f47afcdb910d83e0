#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class DynamicArray;
class clsControl;
class iUndoState;

// The undo records of the Edit commands, kept in the process's shared undo buffer: a dynamic
// array of four levels (SegmentMark, AttributeMark, ValueMark, SubValueMark) with one record
// per segment, the newest first, at most Capacity() of them. A record's attribute 1 is its
// kind, attribute 2 the first datum and attribute 3 the second. The second datum of a
// deletion is a project text, whose own records continue over the attributes after 2, so the
// second datum is read as everything after attribute 2.
//
// Beside each record the buffer keeps an extra datum outside the array (where a removed object
// stood among its siblings), so the array holds exactly the three attributes it always had.
// The same class keeps the records Undo has taken back, for Redo, in an array of its own.
class UndoBuffer
{
public:
    enum Kind { Move = 1, Size = 2, Rename = 3, Delete = 4, Cut = 5, Paste = 6,
                Properties = 7, Reposition = 8, Align = 9, Spacing = 10, Order = 11 };
    enum class Role { Undo, Redo };
    static constexpr int MaxRecords = 20;
    static constexpr int MinCapacity = 20;
    static constexpr int MaxCapacity = 1000;
    static constexpr const char *CaptionList =
        "Undo move,Undo size,Undo rename,Undo delete,Undo cut,Undo paste";

    struct Record
    {
        int Kind = 0;
        QString First;
        QString Second;
        QString Extra;
    };

    // Works on the given array (normally Process().UndoBuffer); an array without delimiters
    // is given the four undo levels.
    explicit UndoBuffer(DynamicArray &buffer);
    // Keeps its records in an array of its own (the Redo records).
    explicit UndoBuffer(Role role);
    ~UndoBuffer();
    UndoBuffer(const UndoBuffer &) = delete;
    UndoBuffer &operator=(const UndoBuffer &) = delete;

    // The command state goes to this listener on every change (none: nobody is told).
    void SetStateListener(iUndoState *listener);
    iUndoState *StateListener() const { return m_listener; }

    // How many records are kept (20 to 1,000); fewer records than before drops the oldest.
    void SetCapacity(int records);
    int Capacity() const { return m_capacity; }

    // Inserts a record as the newest, dropping the oldest while the buffer is full. A kind
    // outside 1-11, or a datum holding a SegmentMark (it would split the record), adds
    // nothing and gives false.
    bool Add(int kind, const QString &first, const QString &second, const QString &extra = {});
    bool Add(const Record &record) { return Add(record.Kind, record.First, record.Second, record.Extra); }
    int Count() const;
    bool IsEmpty() const;
    // Record n, 1 being the newest; an empty record (kind 0) beyond the buffer.
    Record At(int n) const;
    Record Newest() const { return At(1); }
    void DropNewest();
    // Drops every record of the application with that ID (any case): once its project is
    // closed they could only end in "object missing" reports, or reach a project opened
    // later under the same ID.
    void DropRecordsOf(const QString &appId);
    void Clear();

    // "Undo move" ... "Undo paste", "Undo properties", "Undo reposition", "Undo align",
    // "Undo spacing", "Undo order" by kind; empty for
    // any other kind. The Redo records' captions read "Redo move" ...
    static QString Caption(int kind);
    static QString Caption(int kind, Role role);
    // The caption the Undo (or Redo) entry shows now.
    QString CurrentCaption() const;
    bool CanUndo() const { return !IsEmpty(); }
    Role Kept() const { return m_role; }
    // Tells the listener the current caption and state.
    void Publish();

    // The item's rectangle as a move or size record keeps it: left, top, width and height in
    // the application's unit joined by ValueMark, with a point as decimal separator and
    // enough decimals to give back the same twips; an "auto" position as -100000000.
    static QString GeometryText(const clsControl &item);

private:
    void DropAt(int n);
    int NewestKind() const;

    std::unique_ptr<DynamicArray> m_own;
    DynamicArray &m_buffer;
    Role m_role = Role::Undo;
    int m_capacity = MaxRecords;
    // The extra datum of record n at n - 1: kept beside the array, in the same order.
    QStringList m_extras;
    iUndoState *m_listener = nullptr;
    QString m_shownCaption;
};
