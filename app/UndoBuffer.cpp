#include "app/UndoBuffer.h"

#include "app/iUndoState.h"
#include "model/clsControl.h"
#include "support/DynamicArray.h"
#include "support/Marks.h"
#include "support/NumberFormat.h"

#include <QStringBuilder>
#include <QStringList>
#include <algorithm>

namespace {
constexpr int GeometryDecimals = 9;

QString Coordinate(bool isAuto, int twips, double factor)
{
    if (isAuto)
        return QStringLiteral("-100000000");
    return NumberFormat::Format(factor > 0 ? double(twips) / factor : double(twips),
                                GeometryDecimals);
}
} // namespace

UndoBuffer::UndoBuffer(DynamicArray &buffer)
    : m_buffer(buffer), m_shownCaption(QStringLiteral("Undo"))
{
    if (m_buffer.Delimiters().size() != DynamicArray::UndoDelimiters().size())
        m_buffer.Initialise(m_buffer.Text(), DynamicArray::UndoDelimiters());
}

UndoBuffer::UndoBuffer(Role role)
    : m_own(std::make_unique<DynamicArray>(QString(), DynamicArray::UndoDelimiters())),
      m_buffer(*m_own), m_role(role),
      m_shownCaption(role == Role::Redo ? QStringLiteral("Redo") : QStringLiteral("Undo"))
{
}

UndoBuffer::~UndoBuffer() = default;

void UndoBuffer::SetCapacity(int records)
{
    m_capacity = std::clamp(records, int(MinCapacity), int(MaxCapacity));
    if (Count() <= m_capacity)
        return;
    while (Count() > m_capacity)
        DropAt(Count());
    Publish();
}

void UndoBuffer::DropAt(int n)
{
    m_buffer.Delete({n});
    if (n - 1 < m_extras.size())
        m_extras.removeAt(n - 1);
}

void UndoBuffer::SetStateListener(iUndoState *listener)
{
    m_listener = listener;
    Publish();
}

bool UndoBuffer::Add(int kind, const QString &first, const QString &second, const QString &extra)
{
    const QChar segment(Marks::Segment);
    if (Caption(kind).isEmpty() || first.contains(segment) || second.contains(segment))
        return false;
    while (Count() >= m_capacity)
        DropAt(Count());
    // Records put into the array by someone else have no extra datum.
    while (m_extras.size() < Count())
        m_extras.append(QString());
    m_extras.insert(0, extra);
    const QString record = QString::number(kind) + QChar(Marks::Attribute) + first
        + QChar(Marks::Attribute) + second;
    if (m_buffer.IsEmpty())
        m_buffer.Replace({1}, record);
    else
        m_buffer.Insert({1}, record);
    Publish();
    return true;
}

int UndoBuffer::Count() const
{
    return m_buffer.Count();
}

bool UndoBuffer::IsEmpty() const
{
    return m_buffer.IsEmpty();
}

UndoBuffer::Record UndoBuffer::At(int n) const
{
    Record record;
    // Beyond the buffer the segment is empty, which reads as the empty record.
    QString segment = n >= 1 ? m_buffer.Extract({n}) : QString();
    const QChar am(Marks::Attribute);
    const qsizetype firstEnd = segment.indexOf(am);
    const QString kindText = firstEnd < 0 ? segment : segment.left(firstEnd);
    bool ok = false;
    record.Kind = kindText.toInt(&ok);
    if (!ok)
        record.Kind = 0;
    if (firstEnd < 0)
        return record;
    const qsizetype secondEnd = segment.indexOf(am, firstEnd + 1);
    if (secondEnd < 0) {
        record.First = segment.mid(firstEnd + 1);
        return record;
    }
    record.First = segment.mid(firstEnd + 1, secondEnd - firstEnd - 1);
    // The second datum (it may hold a whole menu or grid) is what is left of the segment.
    segment.remove(0, secondEnd + 1);
    record.Second = std::move(segment);
    record.Extra = m_extras.value(n - 1);
    return record;
}

void UndoBuffer::DropNewest()
{
    if (IsEmpty())
        return;
    DropAt(1);
    Publish();
}

void UndoBuffer::DropRecordsOf(const QString &appId)
{
    // A record names its object by full ID: the object itself (move, size, rename,
    // properties), the parent of what was deleted, cut or reordered, or, for a paste, the
    // list of what was pasted.
    const auto application = [](const Record &record) {
        const QString path = record.First.isEmpty()
            ? record.Second.section(QChar(Marks::Value), 0, 0)
            : record.First;
        return path.section(QLatin1Char('*'), 0, 0);
    };
    bool dropped = false;
    for (int n = Count(); n >= 1; --n) {
        if (application(At(n)).compare(appId, Qt::CaseInsensitive) == 0) {
            DropAt(n);
            dropped = true;
        }
    }
    if (dropped)
        Publish();
}

void UndoBuffer::Clear()
{
    m_buffer.Clear();
    m_extras.clear();
    if (m_buffer.Delimiters().size() != DynamicArray::UndoDelimiters().size())
        m_buffer.Initialise(QString(), DynamicArray::UndoDelimiters());
    Publish();
}

QString UndoBuffer::Caption(int kind)
{
    switch (kind) {
    case Properties:
        return QStringLiteral("Undo properties");
    case Reposition:
        return QStringLiteral("Undo reposition");
    case Align:
        return QStringLiteral("Undo align");
    case Spacing:
        return QStringLiteral("Undo spacing");
    case Order:
        return QStringLiteral("Undo order");
    default:
        if (kind < Move || kind > Paste)
            return {};
        return QString::fromLatin1(CaptionList).section(QLatin1Char(','), kind - 1, kind - 1);
    }
}

QString UndoBuffer::Caption(int kind, Role role)
{
    const QString caption = Caption(kind);
    if (role == Role::Undo || caption.isEmpty())
        return caption;
    return QStringLiteral("Redo") + caption.mid(4);
}

int UndoBuffer::NewestKind() const
{
    // The kind alone: the newest record may hold a whole menu or grid.
    bool ok = false;
    const int kind = m_buffer.Extract({1, 1}).toInt(&ok);
    return ok ? kind : 0;
}

QString UndoBuffer::CurrentCaption() const
{
    const QString caption = Caption(NewestKind(), m_role);
    return caption.isEmpty() ? m_shownCaption : caption;
}

void UndoBuffer::Publish()
{
    m_shownCaption = CurrentCaption();
    if (!m_listener)
        return;
    if (m_role == Role::Redo)
        m_listener->SetRedoState(m_shownCaption, CanUndo());
    else
        m_listener->SetUndoState(m_shownCaption, CanUndo());
}

QString UndoBuffer::GeometryText(const clsControl &item)
{
    const QChar vm(Marks::Value);
    const double scaleX = item.ScaleX(), scaleY = item.ScaleY();
    // Built in one piece: a drag of many controls and its Undo make one for each.
    return QString(Coordinate(item.AutoLeft(), item.TwipLeft(), scaleX) % vm
                   % Coordinate(item.AutoTop(), item.TwipTop(), scaleY) % vm
                   % Coordinate(false, item.TwipWidth(), scaleX) % vm
                   % Coordinate(false, item.TwipHeight(), scaleY));
}
