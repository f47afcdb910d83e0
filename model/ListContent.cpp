#include "model/ListContent.h"

#include "support/GuiError.h"
#include "support/Marks.h"
#include "support/NumberFormat.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace ListValue {

void InvalidValue()
{
    throw GuiError(GuiErrors::InvalidPropertyValue);
}

void CheckTwipsPerUnit(double twipsPerUnit)
{
    if (!std::isfinite(twipsPerUnit) || twipsPerUnit <= 0.0)
        InvalidValue();
}

QStringList SplitEntries(const QString &value)
{
    if (value.isEmpty())
        return {};
    return value.split(QChar(Marks::Value), Qt::KeepEmptyParts);
}

QString JoinEntries(const QStringList &entries)
{
    return entries.join(QChar(Marks::Value));
}

QStringList SplitParts(const QString &entry)
{
    return entry.split(QChar(Marks::SubValue), Qt::KeepEmptyParts);
}

QString JoinParts(const QStringList &parts)
{
    return parts.join(QChar(Marks::SubValue));
}

bool HasEntryMarks(const QString &text, bool orSubValue)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == Marks::Value || u == Marks::Attribute || u == Marks::Segment)
            return true;
        if (orSubValue && u == Marks::SubValue)
            return true;
    }
    return false;
}

void RejectRecordMarks(const QString &text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == Marks::Attribute || u == Marks::Segment)
            InvalidValue();
    }
}

void CheckIndex(qint64 index, qint64 count)
{
    if (index < 1 || index > count)
        InvalidValue();
}

bool ParseInt(const QString &text, qint64 minimum, qint64 maximum, int *result)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (!ok || v < minimum || v > maximum)
        return false;
    if (result)
        *result = int(v);
    return true;
}

bool ParseNumber(const QString &text, double *result)
{
    bool ok = false;
    const double v = NumberFormat::ParseInvariant(text, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    if (result)
        *result = v;
    return true;
}

bool ParseFlag(const QString &text, bool *result)
{
    const QString t = text.trimmed();
    bool value;
    if (t == u"1" || t == u"-1")
        value = true;
    else if (t == u"0")
        value = false;
    else
        return false;
    if (result)
        *result = value;
    return true;
}

bool IsDataTypeCode(int code)
{
    return code >= 0 && code <= 14;
}

QString DefaultColumnWidth(double twipsPerUnit)
{
    if (!(twipsPerUnit > 0.0))
        twipsPerUnit = 1.0;
    return NumberFormat::Format(NumberFormat::Round2(DefaultColumnWidthTwips / twipsPerUnit), 2);
}

QList<int> ColumnWidthsInTwips(const QStringList &entries, int columns, double twipsPerUnit)
{
    QList<int> widths;
    widths.reserve(columns);
    for (int c = 0; c < columns; ++c) {
        double w = 0.0;
        if (c < entries.size() && ParseNumber(entries[c], &w))
            widths.append(int(std::lround(std::clamp(w * twipsPerUnit, 0.0, double(INT_MAX)))));
        else
            widths.append(DefaultColumnWidthTwips);
    }
    return widths;
}

void SetColumnEntry(QStringList &list, const QString &value, int index, int columns,
                    const std::function<void(const QString &)> &checkEntry)
{
    RejectRecordMarks(value);
    if (index < 0)
        InvalidValue();
    if (index == 0) {
        QStringList entries = SplitEntries(value);
        for (const QString &entry : std::as_const(entries))
            checkEntry(entry);
        list = std::move(entries);
        return;
    }
    CheckIndex(index, columns);
    checkEntry(value);
    while (list.size() < index)
        list.append(QString());
    list[index - 1] = value;
}

QString GetColumnEntry(const QStringList &list, int index, int columns,
                       const std::function<QString()> &defaultValue)
{
    if (index < 0)
        InvalidValue();
    if (index == 0)
        return JoinEntries(list);
    CheckIndex(index, columns);
    const QString entry = list.value(index - 1);
    return entry.trimmed().isEmpty() ? defaultValue() : entry;
}

void CheckColumnEntry(int code, const QString &entry)
{
    if (HasEntryMarks(entry, code != ContentCodes::ColItems))
        InvalidValue();
    if (entry.trimmed().isEmpty())
        return;
    int number = 0;
    double width = 0.0;
    switch (code) {
    case ContentCodes::ColFieldType:
        if (!ParseInt(entry, GridFieldTypes::Label, GridFieldTypes::LabelButton))
            InvalidValue();
        break;
    case ContentCodes::ColDataType:
        if (!ParseInt(entry, 0, 14, &number) || !IsDataTypeCode(number))
            InvalidValue();
        break;
    case ContentCodes::ColAlign:
        if (!ParseInt(entry, 0, 2))
            InvalidValue();
        break;
    case ContentCodes::ColWidth:
        if (!ParseNumber(entry, &width) || width < 0.0 || width > 1e9)
            InvalidValue();
        break;
    case ContentCodes::ColSizable:
    case ContentCodes::ColTabStop:
    case ContentCodes::ReadOnly:
    case ContentCodes::Required:
        if (!ParseFlag(entry))
            InvalidValue();
        break;
    case ContentCodes::MaxLen:
        if (!ParseInt(entry, 0, INT_MAX))
            InvalidValue();
        break;
    default:
        break;
    }
}

} // namespace ListValue

using ListValue::CheckTwipsPerUnit;
using ListValue::InvalidValue;

ListContent::ListContent(double twipsPerUnit)
    : m_twipsPerUnit(twipsPerUnit)
{
    CheckTwipsPerUnit(twipsPerUnit);
}

void ListContent::SetTwipsPerUnit(double twipsPerUnit)
{
    CheckTwipsPerUnit(twipsPerUnit);
    m_twipsPerUnit = twipsPerUnit;
}

void ListContent::SetItems(const QString &value, int index1, int index2)
{
    ListValue::RejectRecordMarks(value);
    if (index1 < 0 || index2 < 0)
        InvalidValue();

    if (index1 == 0) {
        if (index2 != 0) // a column of no row
            InvalidValue();
        const QStringList entries = ListValue::SplitEntries(value);
        std::vector<QStringList> rows;
        rows.reserve(entries.size());
        for (const QString &entry : entries)
            rows.push_back(ListValue::SplitParts(entry));
        m_rows = std::move(rows);
        return;
    }

    ListValue::CheckIndex(index1, RowCount());
    QStringList &row = m_rows[size_t(index1 - 1)];
    if (index2 == 0) {
        if (ListValue::HasEntryMarks(value, false))
            InvalidValue();
        row = ListValue::SplitParts(value);
        return;
    }
    ListValue::CheckIndex(index2, std::max<qsizetype>(ColumnCount(), row.size()));
    if (ListValue::HasEntryMarks(value, true))
        InvalidValue();
    while (row.size() < index2)
        row.append(QString());
    row[index2 - 1] = value;
}

QString ListContent::GetItems(int index1, int index2) const
{
    if (index1 < 0 || index2 < 0 || (index1 == 0 && index2 != 0))
        InvalidValue();
    if (index1 == 0) {
        QString text;
        for (size_t i = 0; i < m_rows.size(); ++i) {
            if (i > 0)
                text += QChar(Marks::Value);
            text += ListValue::JoinParts(m_rows[i]);
        }
        return text;
    }
    ListValue::CheckIndex(index1, RowCount());
    const QStringList &row = m_rows[size_t(index1 - 1)];
    if (index2 == 0)
        return ListValue::JoinParts(row);
    ListValue::CheckIndex(index2, std::max<qsizetype>(ColumnCount(), row.size()));
    return row.value(index2 - 1);
}

void ListContent::InsertRow(int before, const QString &value)
{
    if (before != 0 && before != RowCount() + 1)
        ListValue::CheckIndex(before, RowCount());
    if (ListValue::HasEntryMarks(value, false))
        InvalidValue();
    const auto at = before == 0 ? m_rows.end() : m_rows.begin() + (before - 1);
    m_rows.insert(at, ListValue::SplitParts(value));
}

void ListContent::RemoveRow(int row)
{
    ListValue::CheckIndex(row, RowCount());
    m_rows.erase(m_rows.begin() + (row - 1));
}

void ListContent::Clear()
{
    m_rows.clear();
}

void ListContent::SetColumns(const QString &value)
{
    int columns = 0;
    if (!value.trimmed().isEmpty() && !ListValue::ParseInt(value, 0, ListValue::MaxColumns, &columns))
        InvalidValue();
    m_columns = columns;
}

bool ListContent::IsColumnProperty(int code)
{
    return code == ContentCodes::ColHeading || code == ContentCodes::ColDataType
        || code == ContentCodes::ColWidth || code == ContentCodes::ColAlign;
}

QStringList *ListContent::ColumnList(int code)
{
    return const_cast<QStringList *>(std::as_const(*this).ColumnList(code));
}

const QStringList *ListContent::ColumnList(int code) const
{
    switch (code) {
    case ContentCodes::ColHeading:
        return &m_headings;
    case ContentCodes::ColDataType:
        return &m_dataTypes;
    case ContentCodes::ColWidth:
        return &m_widths;
    case ContentCodes::ColAlign:
        return &m_aligns;
    default:
        throw GuiError(GuiErrors::NotSupported);
    }
}

void ListContent::SetColumnProperty(int code, const QString &value, int index1)
{
    ListValue::SetColumnEntry(*ColumnList(code), value, index1, ColumnCount(),
                              [code](const QString &entry) { ListValue::CheckColumnEntry(code, entry); });
}

QString ListContent::GetColumnProperty(int code, int index1) const
{
    return ListValue::GetColumnEntry(*ColumnList(code), index1, ColumnCount(),
                                     [this, code] { return ColumnDefault(code); });
}

QString ListContent::ColumnDefault(int code) const
{
    switch (code) {
    case ContentCodes::ColWidth:
        return ListValue::DefaultColumnWidth(m_twipsPerUnit);
    case ContentCodes::ColAlign:
    case ContentCodes::ColDataType:
        return QStringLiteral("0");
    default:
        return {};
    }
}

QStringList ListContent::DisplayRows() const
{
    QStringList lines;
    lines.reserve(qsizetype(m_rows.size()));
    for (const QStringList &row : m_rows)
        lines.append(row.join(QChar(u'\t')));
    return lines;
}

QString ListContent::DisplayRow(int row) const
{
    ListValue::CheckIndex(row, RowCount());
    return m_rows[size_t(row - 1)].join(QChar(u'\t'));
}

QStringList ListContent::DisplayHeadings() const
{
    QStringList headings = m_headings.mid(0, ColumnCount());
    while (headings.size() < ColumnCount())
        headings.append(QString());
    return headings;
}

QList<int> ListContent::DisplayWidths() const
{
    return ListValue::ColumnWidthsInTwips(m_widths, ColumnCount(), m_twipsPerUnit);
}
