#include "panels/ListPropsModel.h"

#include "panels/LeveledEntries.h"
#include "model/ListContent.h"
#include "model/Vocabulary.h"
#include "support/Marks.h"
#include "support/NumberFormat.h"

#include <algorithm>

namespace {

constexpr int ListColumnCodes[] = {ListPropsModel::ColHeading, ListPropsModel::ColDataType,
                                   ListPropsModel::ColWidth, ListPropsModel::ColAlign};
constexpr int GridColumnCodes[] = {
    ListPropsModel::ColHeading, ListPropsModel::ColFieldType, ListPropsModel::ColDataType,
    ListPropsModel::ColItems,   ListPropsModel::ColWidth,     ListPropsModel::ColAlign,
    ListPropsModel::ColSizable, ListPropsModel::ColHint,      ListPropsModel::ColTabStop,
    ListPropsModel::MaxLen,     ListPropsModel::Required,     ListPropsModel::ReadOnly};
constexpr int ListScalarCodes[] = {ListPropsModel::Columns, ListPropsModel::GridLines,
                                   ListPropsModel::DataCol, ListPropsModel::MaxDrop,
                                   ListPropsModel::IconSize};
constexpr int GridScalarCodes[] = {ListPropsModel::Columns,    ListPropsModel::Rows,
                                   ListPropsModel::FixedCols,  ListPropsModel::GridLines,
                                   ListPropsModel::Row,        ListPropsModel::AutoExtend,
                                   ListPropsModel::HeadingRow};

int Count(const QString &text)
{
    int n = 0;
    ListValue::ParseInt(text, 0, ListValue::MaxRows, &n);
    return n;
}

} // namespace

std::vector<int> ListPropsModel::ColumnCodes() const
{
    if (IsGrid())
        return {std::begin(GridColumnCodes), std::end(GridColumnCodes)};
    return {std::begin(ListColumnCodes), std::end(ListColumnCodes)};
}

void ListPropsModel::LoadProps(int ctlType, const Values &values)
{
    m_type = ctlType;
    m_loaded = values;
    m_rows.clear();
    m_columnLists.clear();
    m_scalars.clear();
    auto stored = [&values](int code) {
        const auto it = values.find(code);
        return it == values.end() ? QString() : it->second;
    };
    const QStringList rows = ListValue::SplitEntries(stored(IsGrid() ? Value : Items));
    m_rows.reserve(size_t(rows.size()));
    for (const QString &row : rows)
        m_rows.push_back(ListValue::SplitParts(row));
    for (int code : ColumnCodes())
        m_columnLists[code] = ListValue::SplitEntries(stored(code));
    m_icons.clear();
    for (const QString &row : ListValue::SplitEntries(stored(Icon)))
        m_icons.push_back(ListValue::SplitParts(row));
    m_showIcons = HasIcons();
    const auto scalars = IsGrid() ? std::vector<int>(std::begin(GridScalarCodes), std::end(GridScalarCodes))
                                  : std::vector<int>(std::begin(ListScalarCodes), std::end(ListScalarCodes));
    for (int code : scalars)
        m_scalars[code] = stored(code);
}

ListPropsModel::Values ListPropsModel::Store() const
{
    Values values;
    auto put = [&](int code, const QString &text) {
        if (!text.isEmpty() || m_loaded.count(code))
            values[code] = text;
    };
    QStringList rows;
    rows.reserve(qsizetype(m_rows.size()));
    for (const QStringList &row : m_rows)
        rows << ListValue::JoinParts(row);
    put(IsGrid() ? Value : Items, ListValue::JoinEntries(rows));
    for (const auto &[code, list] : m_columnLists)
        put(code, ListValue::JoinEntries(list));
    QStringList icons;
    icons.reserve(qsizetype(m_icons.size()));
    for (const QStringList &row : m_icons)
        icons << ListValue::JoinParts(row);
    // A list whose icon column is switched off keeps no icons.
    const bool dropIcons = !IsGrid() && !m_showIcons && HasIcons();
    put(Icon, dropIcons ? QString() : ListValue::JoinEntries(icons));
    for (const auto &[code, text] : m_scalars)
        put(code, text);
    return values;
}

ListPropsModel::Values ListPropsModel::Changes() const
{
    Values changes;
    for (const auto &[code, text] : Store()) {
        const auto it = m_loaded.find(code);
        if (it == m_loaded.end() ? !text.isEmpty() : it->second != text)
            changes[code] = text;
    }
    return changes;
}

int ListPropsModel::DefaultRow() const
{
    return IsGrid() ? Count(Scalar(Row)) : 0;
}

void ListPropsModel::SetDefaultRow(int row)
{
    // Untouched, the stored text stays as it was ("0" and empty both mean none).
    row = std::max(0, row);
    if (!IsGrid() || row == DefaultRow())
        return;
    // None is "0" where a row was stored, so the stored value is replaced, not left behind.
    const auto loaded = m_loaded.find(Row);
    const bool stored = loaded != m_loaded.end() && !loaded->second.isEmpty();
    SetScalar(Row, row ? QString::number(row) : stored ? QStringLiteral("0") : QString());
}

int ListPropsModel::ColumnCount() const
{
    const int n = Count(Scalar(Columns));
    return IsGrid() ? n : std::max(n, 1);
}

QString ListPropsModel::Cell(int row, int column) const
{
    if (row < 0 || size_t(row) >= m_rows.size())
        return {};
    return m_rows[size_t(row)].value(column);
}

void ListPropsModel::SetCell(int row, int column, const QString &text)
{
    const QString clean = LeveledEntries::WithoutMarks(text);
    if (row < 0 || column < 0 || Cell(row, column) == clean)
        return;
    while (m_rows.size() <= size_t(row))
        m_rows.push_back({QString()});
    QStringList &parts = m_rows[size_t(row)];
    while (parts.size() <= column)
        parts.append(QString());
    parts[column] = clean;
    SyncRowCount();
}

const QStringList *ListPropsModel::FindList(int code) const
{
    const auto it = m_columnLists.find(code);
    return it == m_columnLists.end() ? nullptr : &it->second;
}

QStringList &ListPropsModel::List(int code)
{
    return m_columnLists[code];
}

bool ListPropsModel::IsGridWide(int code) const
{
    return IsGrid() && GridContent::IsGridWideOrPerColumn(code);
}

QString ListPropsModel::ColumnValue(int code, int column) const
{
    const QStringList *list = FindList(code);
    if (!list)
        return {};
    if (IsGridWide(code) && list->size() == 1 && column >= 0)
        return list->front();
    return list->value(column);
}

void ListPropsModel::CompactGridWide(QStringList &list) const
{
    if (list.isEmpty())
        return;
    const int columns = ColumnCount();
    while (list.size() < columns)
        list.append(QString());
    auto none = [](const QString &v) { return v.isEmpty() || v == QLatin1String("0"); };
    bool same = true;
    for (const QString &entry : std::as_const(list))
        same = same && (entry == list.front() || (none(entry) && none(list.front())));
    if (same) {
        // One value for every column; nothing where no column has one.
        list = none(list.front()) ? QStringList() : QStringList{list.front()};
        return;
    }
    // Two entries at least, so that the first does not read as every column's.
    while (list.size() > 2 && list.back().isEmpty())
        list.removeLast();
}

void ListPropsModel::SetColumnValue(int code, int column, const QString &text)
{
    // A column's drop-down entries keep their subvalue marks; nothing else holds marks.
    QString clean;
    for (QChar c : text) {
        if (!Marks::IsMark(c) || (code == ColItems && c.unicode() == Marks::SubValue))
            clean.append(c);
    }
    if (column < 0 || ColumnValue(code, column) == clean || !FindList(code))
        return;
    QStringList &list = List(code);
    if (IsGridWide(code) && list.size() == 1) {
        // The other columns keep the value they shared.
        while (list.size() < std::max(ColumnCount(), column + 1))
            list.append(list.front());
    }
    while (list.size() <= column)
        list.append(QString());
    list[column] = clean;
    if (IsGridWide(code))
        CompactGridWide(list);
}

QString ListPropsModel::ColumnValues(int code) const
{
    const QStringList *list = FindList(code);
    return list ? ListValue::JoinEntries(*list) : QString();
}

QString ListPropsModel::Scalar(int code) const
{
    const auto it = m_scalars.find(code);
    return it == m_scalars.end() ? QString() : it->second;
}

void ListPropsModel::SetScalar(int code, const QString &text)
{
    const auto it = m_scalars.find(code);
    if (it != m_scalars.end() && it->second != text)
        it->second = LeveledEntries::WithoutMarks(text);
}

QString ListPropsModel::MaxDropText() const
{
    int n = 0;
    return ListValue::ParseInt(Scalar(MaxDrop), 1, INT_MAX, &n) ? QString::number(n)
                                                                 : QStringLiteral("auto");
}

bool ListPropsModel::SetMaxDropText(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.compare(QLatin1String("auto"), Qt::CaseInsensitive) == 0) {
        if (MaxDropText() != QLatin1String("auto"))
            SetScalar(MaxDrop, QString());
        return true;
    }
    int n = 0;
    if (!ListValue::ParseInt(t, 1, 10000, &n))
        return false;
    if (MaxDropText() != t)
        SetScalar(MaxDrop, QString::number(n));
    return true;
}

int ListPropsModel::DataColumn() const
{
    int n = 0;
    ListValue::ParseInt(Scalar(DataCol), 1, INT_MAX, &n);
    return n;
}

void ListPropsModel::SyncRowCount()
{
    if (IsGrid() && int(m_rows.size()) > Count(Scalar(Rows)))
        SetScalar(Rows, QString::number(m_rows.size()));
}

void ListPropsModel::SetColumnCount(int count)
{
    if (count != Count(Scalar(Columns)) || (!IsGrid() && count > 1))
        SetScalar(Columns, QString::number(count));
}

int ListPropsModel::InsertRow(int before)
{
    const int rows = IsGrid() ? std::max(RowCount(), Count(Scalar(Rows))) : RowCount();
    before = std::clamp(before, 0, rows);
    if (size_t(before) <= m_rows.size())
        m_rows.insert(m_rows.begin() + before, QStringList{QString()});
    ShiftIconRows(before, true);
    if (IsGrid())
        SetScalar(Rows, QString::number(rows + 1));
    // The default row stays on its row.
    if (DefaultRow() > before)
        SetDefaultRow(DefaultRow() + 1);
    return before;
}

void ListPropsModel::DeleteRow(int row)
{
    const int rows = IsGrid() ? std::max(RowCount(), Count(Scalar(Rows))) : RowCount();
    if (row < 0 || row >= rows)
        return;
    if (size_t(row) < m_rows.size())
        m_rows.erase(m_rows.begin() + row);
    ShiftIconRows(row, false);
    if (IsGrid())
        SetScalar(Rows, QString::number(rows - 1));
    // A deleted default row leaves none; later ones move up with their rows.
    if (DefaultRow() == row + 1)
        SetDefaultRow(0);
    else if (DefaultRow() > row + 1)
        SetDefaultRow(DefaultRow() - 1);
}

int ListPropsModel::InsertColumn(int before)
{
    const int columns = ColumnCount();
    before = std::clamp(before, 0, IsGrid() || Count(Scalar(Columns)) > 1 ? columns : 1);
    for (QStringList &row : m_rows) {
        if (row.size() > before)
            row.insert(before, QString());
    }
    for (QStringList &row : m_icons) {
        if (row.size() > before)
            row.insert(before, QString());
    }
    for (auto &[code, list] : m_columnLists) {
        // A value every column shares covers the new one too.
        if (IsGridWide(code) && list.size() == 1)
            continue;
        if (list.size() > before)
            list.insert(before, QString());
    }
    // A single-column list that gains a column has two.
    SetColumnCount(IsGrid() || Count(Scalar(Columns)) > 1 ? columns + 1 : 2);
    return before;
}

void ListPropsModel::DeleteColumn(int column)
{
    const int columns = ColumnCount();
    if (column < 0 || column >= columns || (!IsGrid() && columns <= 1))
        return;
    for (auto *rows : {&m_rows, &m_icons}) {
        for (QStringList &row : *rows) {
            if (row.size() > column && row.size() > 1)
                row.removeAt(column);
            else if (row.size() > column)
                row[column].clear();
        }
    }
    for (auto &[code, list] : m_columnLists) {
        if (IsGridWide(code) && list.size() == 1)
            continue;
        if (list.size() > column)
            list.removeAt(column);
    }
    SetColumnCount(columns - 1);
    for (auto &[code, list] : m_columnLists) {
        if (IsGridWide(code) && list.size() > 1)
            CompactGridWide(list);
    }
}

int ListPropsModel::Paste(int row, int column, const QString &text)
{
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (normal.endsWith(QLatin1Char('\n')))
        normal.chop(1);
    if (normal.isEmpty() && text.isEmpty())
        return 0;
    const QStringList lines = normal.split(QLatin1Char('\n'));
    int written = 0;
    int widest = 0;
    for (qsizetype l = 0; l < lines.size(); ++l) {
        const QStringList cells = lines[l].split(QLatin1Char('\t'));
        widest = std::max(widest, int(cells.size()));
        for (qsizetype c = 0; c < cells.size(); ++c) {
            SetCell(row + int(l), column + int(c), cells[c]);
            ++written;
        }
    }
    if (column + widest > ColumnCount())
        SetColumnCount(column + widest);
    if (IsGrid() && row + int(lines.size()) > Count(Scalar(Rows)))
        SetScalar(Rows, QString::number(row + lines.size()));
    return written;
}

GridDropDown ListPropsModel::DropDown(int column) const
{
    return GridDropDown::Parse(ColumnValue(ColItems, column));
}

void ListPropsModel::SetDropDown(int column, const GridDropDown &list)
{
    const GridDropDown current = DropDown(column);
    GridDropDown clean;
    clean.DataColumn = std::max(list.DataColumn, 0);
    for (const QString &heading : list.Headings)
        clean.Headings << LeveledEntries::WithoutMarks(heading).remove(QLatin1Char('|'));
    for (const QString &row : list.Rows)
        clean.Rows << LeveledEntries::WithoutMarks(row);
    // Compared as lists, so an untouched entry keeps its stored spelling.
    QStringList headings = clean.Headings, was = current.Headings;
    while (!headings.isEmpty() && headings.back().isEmpty())
        headings.removeLast();
    while (!was.isEmpty() && was.back().isEmpty())
        was.removeLast();
    if (clean.Rows == current.Rows && headings == was
        && clean.EffectiveDataColumn() == current.EffectiveDataColumn())
        return;
    SetColumnValue(ColItems, column, clean.Format());
}

void ListPropsModel::SetDropDownItems(int column, const QStringList &items)
{
    GridDropDown list = DropDown(column);
    list.Rows = items;
    SetDropDown(column, list);
}

bool ListPropsModel::ShowHeadings() const
{
    return !IsGrid() || Scalar(HeadingRow) != QLatin1String("0");
}

bool ListPropsModel::AddsNewLines() const
{
    return m_type == 28 && Scalar(AutoExtend) != QLatin1String("0");
}

void ListPropsModel::SetSwitch(int code, bool on)
{
    // Off is "0"; on is nothing stored, or "1" where a value was stored.
    const auto loaded = m_loaded.find(code);
    const bool stored = loaded != m_loaded.end() && !loaded->second.isEmpty();
    SetScalar(code, on ? (stored ? QStringLiteral("1") : QString()) : QStringLiteral("0"));
}

void ListPropsModel::SetShowHeadings(bool on)
{
    if (IsGrid() && on != ShowHeadings())
        SetSwitch(HeadingRow, on);
}

void ListPropsModel::SetAddsNewLines(bool on)
{
    if (m_type == 28 && on != AddsNewLines())
        SetSwitch(AutoExtend, on);
}

void ListPropsModel::ShiftIconRows(int at, bool insert)
{
    // Icons follow their rows; a table without icons stays without them.
    if (size_t(at) >= m_icons.size())
        return;
    if (insert)
        m_icons.insert(m_icons.begin() + at, QStringList{QString()});
    else
        m_icons.erase(m_icons.begin() + at);
}

QString ListPropsModel::CellIcon(int row, int column) const
{
    if (row < 0 || size_t(row) >= m_icons.size())
        return {};
    return m_icons[size_t(row)].value(column);
}

void ListPropsModel::SetCellIcon(int row, int column, const QString &file)
{
    const QString clean = LeveledEntries::WithoutMarks(file.trimmed());
    if (row < 0 || column < 0 || CellIcon(row, column) == clean)
        return;
    while (m_icons.size() <= size_t(row))
        m_icons.push_back({QString()});
    QStringList &parts = m_icons[size_t(row)];
    while (parts.size() <= column)
        parts.append(QString());
    parts[column] = clean;
    // Trailing empties add nothing; dropping them keeps a cleared table an empty value.
    while (!m_icons.empty()) {
        QStringList &last = m_icons.back();
        while (last.size() > 1 && last.back().isEmpty())
            last.removeLast();
        if (last.size() == 1 && last.front().isEmpty())
            m_icons.pop_back();
        else
            break;
    }
    if (!clean.isEmpty())
        m_showIcons = true;
}

bool ListPropsModel::HasIcons() const
{
    for (const QStringList &row : m_icons)
        for (const QString &icon : row)
            if (!icon.isEmpty())
                return true;
    return false;
}

QString ListPropsModel::DefaultWidthText() const
{
    // A new column is 1000 twips wide, shown in the unit to three decimals (0.694 inches).
    const double perUnit = Vocabulary::TwipsPerUnitX(m_scaleMode);
    const double width = 1000.0 / (perUnit > 0 ? perUnit : 1.0);
    return NumberFormat::Format(width, 3);
}
