#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <vector>

// A delimited text addressed by 1-based position lists, one position per level from the top
// level down. The delimiter list is highest level first; a delimiter may be longer than one
// character (a CR LF level makes lines the top-level elements).
//
// Sequential walks stay linear: every look-up remembers where it found the element at each
// level, and the next look-up of a later element under the same parent starts from there.
// Edits keep the hints that lie before the edited span.
class DynamicArray
{
public:
    using Positions = std::vector<int>;

    enum LocateOption {
        WholeElement = 0, // the element equals the value
        StartsWith = 1,   // the element begins with the value
    };

    DynamicArray() = default;
    DynamicArray(const QString &text, const QStringList &delimiters);

    // The common hierarchies.
    static QStringList ProjectDelimiters();  // AttributeMark, ValueMark, SubValueMark
    static QStringList RecordDelimiters();   // ValueMark, SubValueMark
    static QStringList UndoDelimiters();     // SegmentMark, AttributeMark, ValueMark, SubValueMark
    static QStringList LineDelimiters();     // CR LF, ValueMark, SubValueMark

    void Initialise(const QString &text, const QStringList &delimiters);
    void SetDelimiter(int level, const QString &delimiter); // level is 1-based
    const QStringList &Delimiters() const { return m_delims; }
    void Clear();

    // The element's text; empty when the position lies beyond the data. A position of 0 at
    // some level addresses the whole element of the level above.
    QString Extract(const Positions &pos) const;
    // The element becomes the value; missing elements and delimiters before it are created
    // empty. A position of -1 addresses a new element after the last.
    void Replace(const Positions &pos, const QString &value);
    // A new element at that position; later elements move up by one.
    void Insert(const Positions &pos, const QString &value);
    // A new last element under the addressed element (the top level for an empty list).
    void Append(const QString &value, const Positions &pos = {});
    // The element and its delimiter are removed; nothing happens beyond the data.
    void Delete(const Positions &pos);
    // Elements one level below the addressed element; 0 for an empty element.
    int Count(const Positions &pos = {}) const;
    // Looks for the value among the elements below the addressed element. When found the
    // position list is completed with the element's position and true is returned; when not,
    // the list is completed with the position after the last element.
    bool Locate(const QString &value, Positions &pos, LocateOption option = WholeElement) const;

    const QString &Text() const { return m_text; }
    bool IsEmpty() const { return m_text.isEmpty(); }

private:
    struct Span {
        qsizetype start = 0;
        qsizetype end = 0; // one past the last character
    };
    struct Found {
        bool exists = false;
        Span span;           // the element, or where the next one would start
        int available = 0;   // elements present in the parent (when !exists)
    };
    struct Hint {
        qsizetype parentStart = -1;
        int index = 0;
        qsizetype start = 0;
    };

    int Levels() const { return int(m_delims.size()); }
    const QString &Delim(int level) const { return m_delims[level]; }
    Found FindElement(int level, Span parent, int index) const;
    // Resolves the position list down to depth levels; creates missing elements when
    // create is set. Returns false when it stops short (then span is the deepest reached).
    bool Resolve(const Positions &pos, int depth, bool create, Span &span, int &stoppedAt);
    bool ResolveConst(const Positions &pos, int depth, Span &span) const;
    int UsableDepth(const Positions &pos) const;
    void Edited(qsizetype from);
    void Splice(qsizetype start, qsizetype length, const QString &with);

    QString m_text;
    QStringList m_delims;
    mutable std::vector<Hint> m_hints; // one per level
};
