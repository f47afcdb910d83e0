#include "model/GridContent.h"

#include "support/GuiError.h"
#include "support/Marks.h"

#include <climits>
#include <cmath>

using ListValue::CheckTwipsPerUnit;
using ListValue::InvalidValue;

namespace {
// Count properties read an empty value as 0.
int ParseCount(const QString &value, int maximum)
{
    int count = 0;
    if (!value.trimmed().isEmpty() && !ListValue::ParseInt(value, 0, maximum, &count))
        InvalidValue();
    return count;
}

constexpr int ColumnCodes[] = {
    ContentCodes::ColHeading, ContentCodes::ColFieldType, ContentCodes::ColDataType,
    ContentCodes::ColItems,   ContentCodes::ColWidth,     ContentCodes::ColAlign,
    ContentCodes::ColSizable, ContentCodes::ColHint,      ContentCodes::ColTabStop,
    ContentCodes::ReadOnly,   ContentCodes::Required,     ContentCodes::MaxLen,
};
} // namespace

// --- clsGridColProps ---------------------------------------------------------------------

bool clsGridColProps::IsReadOnly() const
{
    switch (FieldType) {
    case GridFieldTypes::TextBox:
    case GridFieldTypes::CheckBox:
    case GridFieldTypes::DropDownList:
    case GridFieldTypes::DropDownCombo:
        return ReadOnly;
    default: // the label kinds
        return true;
    }
}

bool clsGridColProps::CanCut() const
{
    return !IsReadOnly()
        && (FieldType == GridFieldTypes::TextBox || FieldType == GridFieldTypes::DropDownCombo);
}

bool clsGridColProps::CanPasteValue(const QString &value, const QStringList &listValues,
                                    int dataColumn) const
{
    if (IsReadOnly() || ListValue::HasEntryMarks(value, true))
        return false;
    switch (FieldType) {
    case GridFieldTypes::CheckBox: {
        static const QStringList booleans = {
            QStringLiteral("0"),   QStringLiteral("1"),        QStringLiteral("-1"),
            QStringLiteral("T"),   QStringLiteral("F"),        QStringLiteral("Y"),
            QStringLiteral("N"),   QStringLiteral("TRUE"),     QStringLiteral("FALSE"),
            QStringLiteral("YES"), QStringLiteral("NO"),       QStringLiteral("ON"),
            QStringLiteral("OFF"), QStringLiteral("ACTIVE"),   QStringLiteral("INACTIVE"),
        };
        const QString v = value.trimmed().toUpper();
        return v.isEmpty() || booleans.contains(v);
    }
    case GridFieldTypes::DropDownList: {
        if (value.isEmpty())
            return true;
        const int field = std::max(dataColumn, 1) - 1;
        for (const QString &entry : listValues) {
            if (entry.compare(value, Qt::CaseInsensitive) == 0
                || entry.section(u'|', field, field).compare(value, Qt::CaseInsensitive) == 0)
                return true;
        }
        return false;
    }
    default:
        return true;
    }
}

// --- GridDropDown ------------------------------------------------------------------------

GridDropDown GridDropDown::Parse(const QString &entry)
{
    GridDropDown list;
    if (entry.isEmpty())
        return list;
    list.Rows = ListValue::SplitParts(entry);
    const QString &first = list.Rows.front();
    if (first.section(u'|', 0, 0).compare(Keyword, Qt::CaseInsensitive) == 0) {
        const QStringList fields = first.split(u'|');
        ListValue::ParseInt(fields.value(1), 1, ListValue::MaxColumns, &list.DataColumn);
        list.Headings = fields.mid(2);
        list.Rows.removeFirst();
    }
    return list;
}

QString GridDropDown::Format() const
{
    QStringList headings = Headings;
    while (!headings.isEmpty() && headings.back().isEmpty())
        headings.removeLast();
    QStringList rows = Rows;
    if (DataColumn > 1 || !headings.isEmpty()) {
        QString head = QString(Keyword) + u'|' + (DataColumn > 1 ? QString::number(DataColumn) : QString());
        for (const QString &heading : std::as_const(headings))
            head += u'|' + heading;
        rows.prepend(head);
    }
    return ListValue::JoinParts(rows);
}

QString GridDropDown::DataValue(const QString &row) const
{
    const int field = EffectiveDataColumn() - 1;
    return row.section(u'|', field, field);
}

// --- GridContent -------------------------------------------------------------------------

GridContent::GridContent(bool editable, double twipsPerUnit)
    : m_editable(editable), m_twipsPerUnit(twipsPerUnit)
{
    CheckTwipsPerUnit(twipsPerUnit);
    for (int code : ColumnCodes)
        m_columnSettings.push_back({code, {}});
}

void GridContent::SetTwipsPerUnit(double twipsPerUnit)
{
    CheckTwipsPerUnit(twipsPerUnit);
    m_twipsPerUnit = twipsPerUnit;
}

void GridContent::CheckSize(qint64 columns, qint64 rows)
{
    if (columns < 0 || columns > ListValue::MaxColumns || rows < 0 || rows > ListValue::MaxRows
        || columns * rows > ListValue::MaxCells)
        InvalidValue();
}

void GridContent::Resize(int columns, int rows)
{
    if (columns < m_columns) {
        for (Row &row : m_rows) {
            if (row.Cells.size() > columns)
                row.Cells.resize(columns);
            if (row.CellProps.size() > size_t(columns))
                row.CellProps.resize(size_t(columns));
        }
        for (ColumnSetting &setting : m_columnSettings) {
            // A single value of a grid-wide code stays: it is not the first column's.
            if (IsGridWideOrPerColumn(setting.Code) && setting.Entries.size() == 1)
                continue;
            if (setting.Entries.size() > columns)
                setting.Entries.resize(columns);
        }
    }
    m_rows.resize(size_t(rows));
    m_columns = columns;
    m_rowCount = rows;
}

void GridContent::SetColumns(const QString &value)
{
    const int columns = ParseCount(value, ListValue::MaxColumns);
    CheckSize(columns, m_rowCount);
    Resize(columns, m_rowCount);
}

void GridContent::SetRows(const QString &value)
{
    const int rows = ParseCount(value, ListValue::MaxRows);
    CheckSize(m_columns, rows);
    Resize(m_columns, rows);
}

void GridContent::SetValue(const QString &value, int index1, int index2)
{
    ListValue::RejectRecordMarks(value);
    if (index1 < 0 || index2 < 0)
        InvalidValue();

    if (index1 == 0 && index2 == 0) {
        const QStringList entries = ListValue::SplitEntries(value);
        std::vector<QStringList> cells;
        cells.reserve(size_t(entries.size()));
        qsizetype widest = 0;
        for (const QString &entry : entries) {
            cells.push_back(ListValue::SplitParts(entry));
            widest = std::max(widest, cells.back().size());
        }
        const qint64 columns = std::max<qint64>(m_columns, widest);
        const qint64 rows = std::max<qint64>(m_rowCount, qint64(cells.size()));
        CheckSize(columns, rows);
        Resize(int(columns), int(rows));
        for (size_t r = 0; r < m_rows.size(); ++r)
            m_rows[r].Cells = r < cells.size() ? std::move(cells[r]) : QStringList();
        return;
    }

    if (index2 == 0) { // one column, one entry per row
        ListValue::CheckIndex(index1, m_columns);
        const QStringList entries = ListValue::SplitEntries(value);
        if (entries.size() > m_rowCount)
            InvalidValue();
        for (const QString &entry : entries) {
            if (ListValue::HasEntryMarks(entry, true))
                InvalidValue();
        }
        for (int r = 0; r < m_rowCount; ++r) {
            QStringList &rowCells = m_rows[size_t(r)].Cells;
            const QString cell = entries.value(r);
            if (cell.isEmpty() && rowCells.size() < index1)
                continue;
            while (rowCells.size() < index1)
                rowCells.append(QString());
            rowCells[index1 - 1] = cell;
        }
        return;
    }

    ListValue::CheckIndex(index2, m_rowCount);
    QStringList &rowCells = m_rows[size_t(index2 - 1)].Cells;
    if (index1 == 0) { // one row, one part per column
        if (ListValue::HasEntryMarks(value, false))
            InvalidValue();
        QStringList parts = value.isEmpty() ? QStringList() : ListValue::SplitParts(value);
        if (parts.size() > m_columns)
            InvalidValue();
        rowCells = std::move(parts);
        return;
    }

    ListValue::CheckIndex(index1, m_columns);
    if (ListValue::HasEntryMarks(value, true))
        InvalidValue();
    while (rowCells.size() < index1)
        rowCells.append(QString());
    rowCells[index1 - 1] = value;
}

QString GridContent::RowText(const Row &row) const
{
    QString text;
    for (int c = 0; c < m_columns; ++c) {
        if (c > 0)
            text += QChar(Marks::SubValue);
        if (c < row.Cells.size())
            text += row.Cells[c];
    }
    return text;
}

QString GridContent::GetValue(int index1, int index2) const
{
    if (index1 < 0 || index2 < 0)
        InvalidValue();
    if (index1 == 0 && index2 == 0) {
        if (m_columns == 0)
            return {};
        QString text;
        for (size_t r = 0; r < m_rows.size(); ++r) {
            if (r > 0)
                text += QChar(Marks::Value);
            text += RowText(m_rows[r]);
        }
        return text;
    }
    if (index2 == 0) {
        ListValue::CheckIndex(index1, m_columns);
        QString text;
        for (int r = 1; r <= m_rowCount; ++r) {
            if (r > 1)
                text += QChar(Marks::Value);
            text += Cell(index1, r);
        }
        return text;
    }
    ListValue::CheckIndex(index2, m_rowCount);
    if (index1 == 0)
        return RowText(m_rows[size_t(index2 - 1)]);
    ListValue::CheckIndex(index1, m_columns);
    return Cell(index1, index2);
}

QString GridContent::Cell(int column, int row) const
{
    if (column < 1 || column > m_columns || row < 1 || row > m_rowCount)
        return {};
    return m_rows[size_t(row - 1)].Cells.value(column - 1);
}

void GridContent::InsertRow(int before, const QString &value)
{
    if (before != 0 && before != m_rowCount + 1)
        ListValue::CheckIndex(before, m_rowCount);
    ListValue::RejectRecordMarks(value);
    if (ListValue::HasEntryMarks(value, false))
        InvalidValue();
    QStringList parts = value.isEmpty() ? QStringList() : ListValue::SplitParts(value);
    if (parts.size() > m_columns)
        InvalidValue();
    CheckSize(m_columns, qint64(m_rowCount) + 1);
    Row row;
    row.Cells = std::move(parts);
    const auto at = before == 0 ? m_rows.end() : m_rows.begin() + (before - 1);
    m_rows.insert(at, std::move(row));
    ++m_rowCount;
}

void GridContent::RemoveRow(int row)
{
    ListValue::CheckIndex(row, m_rowCount);
    m_rows.erase(m_rows.begin() + (row - 1));
    --m_rowCount;
}

void GridContent::ClearCells()
{
    for (Row &row : m_rows)
        row.Cells.clear();
}

bool GridContent::IsColumnProperty(int code)
{
    for (int c : ColumnCodes) {
        if (c == code)
            return true;
    }
    return false;
}

QStringList *GridContent::ColumnList(int code)
{
    return const_cast<QStringList *>(std::as_const(*this).ColumnList(code));
}

const QStringList *GridContent::ColumnList(int code) const
{
    for (const ColumnSetting &setting : m_columnSettings) {
        if (setting.Code == code)
            return &setting.Entries;
    }
    throw GuiError(GuiErrors::NotSupported);
}

bool GridContent::IsGridWideOrPerColumn(int code)
{
    return code == ContentCodes::ReadOnly || code == ContentCodes::Required
           || code == ContentCodes::MaxLen;
}

void GridContent::SetColumnProperty(int code, const QString &value, int index1)
{
    QStringList &list = *ColumnList(code);
    if (index1 > 0 && IsGridWideOrPerColumn(code) && list.size() == 1 && m_columns > 1) {
        // One column of a grid-wide value: every other column keeps that value.
        ListValue::CheckIndex(index1, m_columns);
        ListValue::CheckColumnEntry(code, value);
        QStringList expanded;
        for (int c = 0; c < m_columns; ++c)
            expanded << list.front();
        expanded[index1 - 1] = value;
        list = std::move(expanded);
        return;
    }
    ListValue::SetColumnEntry(list, value, index1, m_columns,
                              [code](const QString &entry) { ListValue::CheckColumnEntry(code, entry); });
}

QString GridContent::GetColumnProperty(int code, int index1) const
{
    const QStringList &list = *ColumnList(code);
    if (index1 > 0 && IsGridWideOrPerColumn(code) && list.size() == 1) {
        ListValue::CheckIndex(index1, m_columns);
        return list.front().trimmed().isEmpty() ? ColumnDefault(code) : list.front();
    }
    return ListValue::GetColumnEntry(list, index1, m_columns,
                                     [this, code] { return ColumnDefault(code); });
}

QString GridContent::ColumnDefault(int code) const
{
    switch (code) {
    case ContentCodes::ColFieldType:
    case ContentCodes::ColSizable:
    case ContentCodes::ColTabStop:
        return QStringLiteral("1");
    case ContentCodes::ColDataType:
    case ContentCodes::ColAlign:
    case ContentCodes::ReadOnly:
    case ContentCodes::Required:
    case ContentCodes::MaxLen:
        return QStringLiteral("0");
    case ContentCodes::ColWidth:
        return ListValue::DefaultColumnWidth(m_twipsPerUnit);
    default:
        return {};
    }
}

QStringList GridContent::ColumnItems(int column) const
{
    return ColumnDropDown(column).Rows;
}

GridDropDown GridContent::ColumnDropDown(int column) const
{
    return GridDropDown::Parse(GetColumnProperty(ContentCodes::ColItems, column));
}

QStringList GridContent::DisplayHeadings() const
{
    QStringList headings = ColumnList(ContentCodes::ColHeading)->mid(0, m_columns);
    while (headings.size() < m_columns)
        headings.append(QString());
    return headings;
}

QList<int> GridContent::DisplayWidths() const
{
    return ListValue::ColumnWidthsInTwips(*ColumnList(ContentCodes::ColWidth), m_columns,
                                          m_twipsPerUnit);
}

clsGridColProps GridContent::ColProps(int column) const
{
    clsGridColProps props;
    ListValue::ParseInt(GetColumnProperty(ContentCodes::ColFieldType, column), 0, 7,
                        &props.FieldType);
    ListValue::ParseFlag(GetColumnProperty(ContentCodes::ReadOnly, column), &props.ReadOnly);
    ListValue::ParseFlag(GetColumnProperty(ContentCodes::ColTabStop, column), &props.TabStop);
    return props;
}

clsGridRowProps GridContent::RowProps(int row) const
{
    ListValue::CheckIndex(row, m_rowCount);
    return m_rows[size_t(row - 1)].Props;
}

void GridContent::SetRowProps(int row, const clsGridRowProps &props)
{
    ListValue::CheckIndex(row, m_rowCount);
    m_rows[size_t(row - 1)].Props = props;
}

clsGridCellProps GridContent::CellProps(int column, int row) const
{
    ListValue::CheckIndex(column, m_columns);
    ListValue::CheckIndex(row, m_rowCount);
    const std::vector<clsGridCellProps> &cells = m_rows[size_t(row - 1)].CellProps;
    return size_t(column) <= cells.size() ? cells[size_t(column - 1)] : clsGridCellProps();
}

void GridContent::SetCellProps(int column, int row, const clsGridCellProps &props)
{
    ListValue::CheckIndex(column, m_columns);
    ListValue::CheckIndex(row, m_rowCount);
    std::vector<clsGridCellProps> &cells = m_rows[size_t(row - 1)].CellProps;
    if (cells.size() < size_t(column))
        cells.resize(size_t(column));
    cells[size_t(column - 1)] = props;
}
