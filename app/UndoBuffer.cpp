#include "app/UndoBuffer.h"

#include "app/iUndoState.h"
#include "model/clsControl.h"
#include "support/DynamicArray.h"
#include "support/Marks.h"
#include "support/NumberFormat.h"

#include <QStringList>

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

void UndoBuffer::SetStateListener(iUndoState *listener)
{
    m_listener = listener;
    Publish();
}

bool UndoBuffer::Add(int kind, const QString &first, const QString &second)
{
    const QChar segment(Marks::Segment);
    if (Caption(kind).isEmpty() || first.contains(segment) || second.contains(segment))
        return false;
    while (Count() >= MaxRecords)
        m_buffer.Delete({Count()});
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

UndoBuffer::Record UndoBuffer::At(int n) const
{
    Record record;
    if (n < 1 || n > Count())
        return record;
    const QString segment = m_buffer.Extract({n});
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
    record.Second = segment.mid(secondEnd + 1);
    return record;
}

void UndoBuffer::DropNewest()
{
    if (IsEmpty())
        return;
    m_buffer.Delete({1});
    Publish();
}

void UndoBuffer::DropRecordsOf(const QString &appId)
{
    // A record names its object by full ID: the object itself (move, size, rename), the
    // parent of what was deleted or cut, or, for a paste, the list of what was pasted.
    const auto application = [](const Record &record) {
        const QString path = record.Kind == Paste
            ? record.Second.section(QChar(Marks::Value), 0, 0)
            : record.First;
        return path.section(QLatin1Char('*'), 0, 0);
    };
    bool dropped = false;
    for (int n = Count(); n >= 1; --n) {
        if (application(At(n)).compare(appId, Qt::CaseInsensitive) == 0) {
            m_buffer.Delete({n});
            dropped = true;
        }
    }
    if (dropped)
        Publish();
}

void UndoBuffer::Clear()
{
    m_buffer.Clear();
    if (m_buffer.Delimiters().size() != DynamicArray::UndoDelimiters().size())
        m_buffer.Initialise(QString(), DynamicArray::UndoDelimiters());
    Publish();
}

QString UndoBuffer::Caption(int kind)
{
    if (kind < Move || kind > Paste)
        return {};
    return QString::fromLatin1(CaptionList).section(QLatin1Char(','), kind - 1, kind - 1);
}

QString UndoBuffer::CurrentCaption() const
{
    const QString caption = Caption(Newest().Kind);
    return caption.isEmpty() ? m_shownCaption : caption;
}

void UndoBuffer::Publish()
{
    m_shownCaption = CurrentCaption();
    if (m_listener)
        m_listener->SetUndoState(m_shownCaption, CanUndo());
}

QString UndoBuffer::GeometryText(const clsControl &item)
{
    const QChar vm(Marks::Value);
    return Coordinate(item.AutoLeft(), item.TwipLeft(), item.ScaleX()) + vm
        + Coordinate(item.AutoTop(), item.TwipTop(), item.ScaleY()) + vm
        + Coordinate(false, item.TwipWidth(), item.ScaleX()) + vm
        + Coordinate(false, item.TwipHeight(), item.ScaleY());
}
