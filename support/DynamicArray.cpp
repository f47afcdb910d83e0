#include "support/DynamicArray.h"

#include "support/Marks.h"

DynamicArray::DynamicArray(const QString &text, const QStringList &delimiters)
{
    Initialise(text, delimiters);
}

QStringList DynamicArray::ProjectDelimiters()
{
    return {Marks::AttributeMark(), Marks::ValueMark(), Marks::SubValueMark()};
}

QStringList DynamicArray::RecordDelimiters()
{
    return {Marks::ValueMark(), Marks::SubValueMark()};
}

QStringList DynamicArray::UndoDelimiters()
{
    return {Marks::SegmentMark(), Marks::AttributeMark(), Marks::ValueMark(), Marks::SubValueMark()};
}

QStringList DynamicArray::LineDelimiters()
{
    return {QStringLiteral("\r\n"), Marks::ValueMark(), Marks::SubValueMark()};
}

void DynamicArray::Initialise(const QString &text, const QStringList &delimiters)
{
    m_text = text;
    m_delims = delimiters;
    m_delims.removeAll(QString());
    m_hints.assign(m_delims.size(), Hint{});
}

void DynamicArray::SetDelimiter(int level, const QString &delimiter)
{
    if (level < 1 || delimiter.isEmpty())
        return;
    while (m_delims.size() < level)
        m_delims.append(QString(QChar(char16_t(0xF8F0 - m_delims.size())))); // placeholder level
    m_delims[level - 1] = delimiter;
    m_hints.assign(m_delims.size(), Hint{});
}

void DynamicArray::Clear()
{
    m_text.clear();
    m_hints.assign(m_delims.size(), Hint{});
}

void DynamicArray::Edited(qsizetype from)
{
    for (Hint &h : m_hints) {
        if (h.start >= from || h.parentStart >= from)
            h = Hint{};
    }
}

void DynamicArray::Splice(qsizetype start, qsizetype length, const QString &with)
{
    m_text.replace(start, length, with);
    Edited(start);
}

// Finds element `index` (1-based) of `level` inside the parent span, starting from the hint
// when the hint lies in the same parent at or before the wanted element.
DynamicArray::Found DynamicArray::FindElement(int level, Span parent, int index) const
{
    const QString &d = Delim(level);
    const QStringView text(m_text);
    Hint &hint = m_hints[level];

    int current = 1;
    qsizetype start = parent.start;
    if (hint.parentStart == parent.start && hint.index >= 1 && hint.index <= index
        && hint.start >= parent.start && hint.start <= parent.end) {
        current = hint.index;
        start = hint.start;
    }

    while (current < index) {
        const qsizetype next = text.indexOf(d, start);
        if (next < 0 || next + d.size() > parent.end) {
            Found f;
            f.span = {parent.end, parent.end};
            f.available = (parent.start == parent.end) ? 0 : current;
            hint = {parent.start, current, start};
            return f;
        }
        start = next + d.size();
        ++current;
    }
    hint = {parent.start, current, start};

    qsizetype end = text.indexOf(d, start);
    if (end < 0 || end + d.size() > parent.end)
        end = parent.end;
    Found f;
    // An empty parent holds no element; its first element reads as empty all the same.
    f.exists = !(parent.start == parent.end && index > 1);
    f.span = {start, end};
    f.available = (parent.start == parent.end) ? 0 : index;
    return f;
}

int DynamicArray::UsableDepth(const Positions &pos) const
{
    int depth = 0;
    while (depth < int(pos.size()) && depth < Levels() && pos[depth] != 0)
        ++depth;
    return depth;
}

bool DynamicArray::ResolveConst(const Positions &pos, int depth, Span &span) const
{
    span = {0, m_text.size()};
    for (int level = 0; level < depth; ++level) {
        if (pos[level] < 0)
            return false;
        const Found f = FindElement(level, span, pos[level]);
        if (!f.exists)
            return false;
        span = f.span;
    }
    return true;
}

bool DynamicArray::Resolve(const Positions &pos, int depth, bool create, Span &span, int &stoppedAt)
{
    span = {0, m_text.size()};
    for (int level = 0; level < depth; ++level) {
        const int wanted = pos[level];
        Found f;
        if (wanted < 0) {
            // A new element after the last one.
            if (!create) {
                stoppedAt = level;
                return false;
            }
            f.exists = false;
            f.span = {span.end, span.end};
            f.available = (span.start == span.end) ? 0 : Count(Positions(pos.begin(), pos.begin() + level));
            if (f.available == 0 && span.start == span.end) {
                f.exists = true; // the empty element itself becomes the first one
            }
        } else {
            f = FindElement(level, span, wanted);
        }
        if (!f.exists) {
            if (!create) {
                stoppedAt = level;
                return false;
            }
            // Pad with empty elements up to the wanted one.
            const int target = wanted < 0 ? f.available + 1 : wanted;
            const int missing = target - std::max(f.available, 1);
            QString pad;
            for (int i = 0; i < missing; ++i)
                pad += Delim(level);
            const qsizetype at = span.end;
            Splice(at, 0, pad);
            span = {at + pad.size(), at + pad.size()};
            for (int lower = level; lower < Levels(); ++lower)
                m_hints[lower] = Hint{};
            continue;
        }
        span = f.span;
    }
    stoppedAt = depth;
    return true;
}

QString DynamicArray::Extract(const Positions &pos) const
{
    const int depth = UsableDepth(pos);
    Span span;
    if (!ResolveConst(pos, depth, span))
        return {};
    return m_text.mid(span.start, span.end - span.start);
}

void DynamicArray::Replace(const Positions &pos, const QString &value)
{
    const int depth = UsableDepth(pos);
    Span span;
    int stopped = 0;
    Resolve(pos, depth, true, span, stopped);
    Splice(span.start, span.end - span.start, value);
}

void DynamicArray::Insert(const Positions &pos, const QString &value)
{
    const int depth = UsableDepth(pos);
    if (depth == 0) {
        Replace(pos, value);
        return;
    }
    Span parent;
    if (!ResolveConst(pos, depth - 1, parent) || pos[depth - 1] < 0) {
        Replace(pos, value);
        return;
    }
    const int level = depth - 1;
    const Found f = FindElement(level, parent, pos[level]);
    if (parent.start == parent.end) {
        // Inserting into an empty element: the value is the only element, padded when the
        // position lies further out.
        Replace(pos, value);
        return;
    }
    if (!f.exists || f.available < pos[level]) {
        Replace(pos, value);
        return;
    }
    Splice(f.span.start, 0, value + Delim(level));
}

void DynamicArray::Append(const QString &value, const Positions &pos)
{
    const int depth = std::min(UsableDepth(pos), Levels() - 1);
    if (depth < 0 || Levels() == 0) {
        m_text += value;
        return;
    }
    Span parent;
    int stopped = 0;
    Resolve(pos, depth, true, parent, stopped);
    if (parent.start == parent.end)
        Splice(parent.end, 0, value);
    else
        Splice(parent.end, 0, Delim(depth) + value);
}

void DynamicArray::Delete(const Positions &pos)
{
    const int depth = UsableDepth(pos);
    if (depth == 0) {
        if (!pos.empty() && pos[0] == 0)
            Clear();
        return;
    }
    Span parent;
    if (!ResolveConst(pos, depth - 1, parent) || pos[depth - 1] < 1)
        return;
    const int level = depth - 1;
    const Found f = FindElement(level, parent, pos[level]);
    if (!f.exists || parent.start == parent.end)
        return;
    const QString &d = Delim(level);
    if (f.span.end < parent.end) {
        // Not the last element: remove it with the delimiter after it.
        Splice(f.span.start, f.span.end - f.span.start + d.size(), QString());
    } else if (f.span.start > parent.start) {
        // The last of several: remove the delimiter before it.
        const qsizetype from = f.span.start - d.size();
        Splice(from, f.span.end - from, QString());
    } else {
        Splice(f.span.start, f.span.end - f.span.start, QString());
    }
}

int DynamicArray::Count(const Positions &pos) const
{
    const int depth = UsableDepth(pos);
    Span span;
    if (!ResolveConst(pos, depth, span) || span.start == span.end)
        return 0;
    if (depth >= Levels())
        return 1;
    const QString &d = Delim(depth);
    const QStringView text(m_text);
    int count = 1;
    qsizetype from = span.start;
    for (;;) {
        const qsizetype next = text.indexOf(d, from);
        if (next < 0 || next + d.size() > span.end)
            break;
        ++count;
        from = next + d.size();
    }
    return count;
}

bool DynamicArray::Locate(const QString &value, Positions &pos, LocateOption option) const
{
    int depth = UsableDepth(pos);
    pos.resize(depth);
    Span parent;
    if (depth >= Levels() || !ResolveConst(pos, depth, parent)) {
        pos.push_back(1);
        return false;
    }
    const QString &d = Delim(depth);
    const QStringView text(m_text);
    int index = 1;
    qsizetype start = parent.start;
    if (parent.start == parent.end) {
        pos.push_back(1);
        return false;
    }
    for (;;) {
        qsizetype end = text.indexOf(d, start);
        const bool last = end < 0 || end + d.size() > parent.end;
        if (last)
            end = parent.end;
        const QStringView element = text.mid(start, end - start);
        const bool match = option == StartsWith ? element.startsWith(value) : element == value;
        if (match) {
            pos.push_back(index);
            return true;
        }
        if (last)
            break;
        start = end + d.size();
        ++index;
    }
    pos.push_back(index + 1);
    return false;
}
