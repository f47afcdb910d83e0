#pragma once

#include <QString>

class DynamicArray;
class clsControl;
class iUndoState;

// The undo records of the Edit commands, kept in the process's shared undo buffer: a dynamic
// array of four levels (SegmentMark, AttributeMark, ValueMark, SubValueMark) with one record
// per segment, the newest first, at most MaxRecords of them. A record's attribute 1 is its
// kind, attribute 2 the first datum and attribute 3 the second. The second datum of a
// deletion is a project text, whose own records continue over the attributes after 2, so the
// second datum is read as everything after attribute 2.
class UndoBuffer
{
public:
    enum Kind { Move = 1, Size = 2, Rename = 3, Delete = 4, Cut = 5, Paste = 6 };
    static constexpr int MaxRecords = 20;
    static constexpr const char *CaptionList =
        "Undo move,Undo size,Undo rename,Undo delete,Undo cut,Undo paste";

    struct Record
    {
        int Kind = 0;
        QString First;
        QString Second;
    };

    // Works on the given array (normally Process().UndoBuffer); an array without delimiters
    // is given the four undo levels.
    explicit UndoBuffer(DynamicArray &buffer);
    UndoBuffer(const UndoBuffer &) = delete;
    UndoBuffer &operator=(const UndoBuffer &) = delete;

    // The command state goes to this listener on every change (none: nobody is told).
    void SetStateListener(iUndoState *listener);
    iUndoState *StateListener() const { return m_listener; }

    // Inserts a record as the newest, dropping the oldest while the buffer is full. A kind
    // outside 1-6, or a datum holding a SegmentMark (it would split the record), adds
    // nothing and gives false.
    bool Add(int kind, const QString &first, const QString &second);
    int Count() const;
    bool IsEmpty() const { return Count() == 0; }
    // Record n, 1 being the newest; an empty record (kind 0) beyond the buffer.
    Record At(int n) const;
    Record Newest() const { return At(1); }
    void DropNewest();
    // Drops every record of the application with that ID (any case): once its project is
    // closed they could only end in "object missing" reports, or reach a project opened
    // later under the same ID.
    void DropRecordsOf(const QString &appId);
    void Clear();

    // "Undo move" ... "Undo paste" by kind; empty for any other kind.
    static QString Caption(int kind);
    // The caption the Undo entry shows now.
    QString CurrentCaption() const;
    bool CanUndo() const { return !IsEmpty(); }
    // Tells the listener the current caption and state.
    void Publish();

    // The item's rectangle as a move or size record keeps it: left, top, width and height in
    // the application's unit joined by ValueMark, with a point as decimal separator and
    // enough decimals to give back the same twips; an "auto" position as -100000000.
    static QString GeometryText(const clsControl &item);

private:
    DynamicArray &m_buffer;
    iUndoState *m_listener = nullptr;
    QString m_shownCaption;
};
