#include "model/cGridWrapper.h"
#include "model/clsControl.h"
#include "model/iDesignControl.h"
#include "support/GuiError.h"

using namespace Vocabulary;

namespace {
using DefaultFrom = cWrapperBase::DefaultFrom;
constexpr cWrapperBase::DefaultRule Rules[] = {
    {Prop::TabStop, DefaultFrom::Fixed, "1"}, {Prop::Border, DefaultFrom::Fixed, "2"},
    {Prop::BackColor, DefaultFrom::Fixed, "&H80000005"}, {Prop::ForeColor, DefaultFrom::Form},
    {Prop::GridLines, DefaultFrom::Fixed, "3"}, {Prop::ColFieldType, DefaultFrom::Fixed, "1"},
    {Prop::DragMode, DefaultFrom::Fixed, "0"}, {Prop::FocusStyle, DefaultFrom::Fixed, "3"},
    {Prop::Columns, DefaultFrom::Fixed, "0"}, {Prop::Rows, DefaultFrom::Fixed, "0"},
    {Prop::AutoExtend, DefaultFrom::Fixed, "1"}, {Prop::HeadingRow, DefaultFrom::Fixed, "1"},
};

// ReadOnly, Required and MaxLen keep the forms their scalar values always had: "-1", "true"
// and "false" become "1" and "0", a length its plain number. Empty entries stay empty.
QString NormaliseEntry(int code, const QString &entry)
{
    if (entry.trimmed().isEmpty())
        return entry;
    int length = 0;
    if (code == Prop::MaxLen) {
        if (!ListValue::ParseInt(entry, 0, INT32_MAX, &length))
            ListValue::InvalidValue();
        return QString::number(length);
    }
    const QString v = entry.trimmed().toLower();
    if (v == QLatin1String("0") || v == QLatin1String("false"))
        return QStringLiteral("0");
    if (v == QLatin1String("1") || v == QLatin1String("-1") || v == QLatin1String("true"))
        return QStringLiteral("1");
    ListValue::InvalidValue();
}

QString NormaliseEntries(int code, const QString &value, bool whole)
{
    if (!GridContent::IsGridWideOrPerColumn(code))
        return value;
    if (!whole)
        return NormaliseEntry(code, value);
    QStringList entries = ListValue::SplitEntries(value);
    for (QString &entry : entries)
        entry = NormaliseEntry(code, entry);
    return ListValue::JoinEntries(entries);
}
} // namespace

cGridWrapper::cGridWrapper() : cWrapperBase(WrapperKind::Grid) {}

std::span<const cWrapperBase::DefaultRule> cGridWrapper::Defaults() const
{
    return Rules;
}

GridContent &cGridWrapper::Synced() const
{
    m_content.SetTwipsPerUnit(ScaleFactorX());
    return m_content;
}

const GridContent &cGridWrapper::Content() const
{
    return Synced();
}

clsGridColProps cGridWrapper::ColProps(int column) const
{
    return m_content.ColProps(column);
}

bool cGridWrapper::Required() const
{
    // The grid needs input when any of its columns does.
    for (const QString &entry : ListValue::SplitEntries(m_content.GetColumnProperty(Prop::Required)))
        if (entry == QLatin1String("1"))
            return true;
    return false;
}

void cGridWrapper::Apply(int code, const QString &value)
{
    switch (code) {
    case Prop::AutoExtend:
        m_content.SetAutoExtend(value != QLatin1String("0"));
        ShowCells();
        break;
    case Prop::HeadingRow:
        if (m_control)
            m_control->SetHeadingRowVisible(value != QLatin1String("0"));
        break;
    default:
        cWrapperBase::Apply(code, value);
        break;
    }
}

QString cGridWrapper::GetDefaultProperty(int code) const
{
    if (code == Prop::ColWidth) // the width of a column that has none of its own
        return Synced().ColumnDefault(code);
    return cWrapperBase::GetDefaultProperty(code);
}

bool cGridWrapper::IsListValued(int code) const
{
    return code == Prop::Value || code == Prop::Columns || code == Prop::Rows
           || GridContent::IsColumnProperty(code);
}

QString cGridWrapper::ContentDefault(int code) const
{
    switch (code) {
    case Prop::Value: return GetDefaultProperty(Prop::Value);
    case Prop::Columns:
    case Prop::Rows: return QStringLiteral("0");
    default: return {}; // no column has a setting of its own
    }
}

bool cGridWrapper::IsContentDefault(int code) const
{
    switch (code) {
    case Prop::Columns: return m_content.ColumnCount() == 0;
    case Prop::Rows: return m_content.RowCount() == 0;
    case Prop::Value: return m_content.GetValue() == GetDefaultProperty(Prop::Value);
    default:
        if (GridContent::IsGridWideOrPerColumn(code)) {
            // "0" in every column is what nothing stored means.
            for (const QString &entry : ListValue::SplitEntries(m_content.GetColumnProperty(code)))
                if (!entry.isEmpty() && entry != QLatin1String("0"))
                    return false;
            return true;
        }
        return m_content.GetColumnProperty(code).isEmpty();
    }
}

QString cGridWrapper::GetListEntry(int code, int index1, int index2, const QString &) const
{
    const GridContent &content = Synced();
    switch (code) {
    case Prop::Value: return content.GetValue(index1, index2);
    case Prop::Columns: return content.GetColumns();
    case Prop::Rows: return content.GetRows();
    default:
        if (index2 != 0) // columns have no second index
            throw GuiError(GuiErrors::InvalidPropertyValue);
        return content.GetColumnProperty(code, index1);
    }
}

void cGridWrapper::SetListEntry(int code, int index1, int index2, const QString &value,
                                const QString &)
{
    GridContent &content = Synced();
    m_changed.reset();
    switch (code) {
    case Prop::Value:
        content.SetValue(value, index1, index2);
        if (index1 != 0 || index2 != 0) // the counts stay: only these cells changed
            m_changed = Range{index1, index2};
        break;
    case Prop::Columns: content.SetColumns(value); break;
    case Prop::Rows: content.SetRows(value); break;
    default:
        if (index2 != 0)
            throw GuiError(GuiErrors::InvalidPropertyValue);
        ListValue::RejectRecordMarks(value);
        content.SetColumnProperty(code, NormaliseEntries(code, value, index1 == 0), index1);
        break;
    }
}

void cGridWrapper::ApplyVariant(int type)
{
    m_content.SetEditable(type == Type::GridEditable);
    m_control->SetGridEditable(type == Type::GridEditable);
    ShowCells();
}

void cGridWrapper::ShowCells()
{
    if (!m_control)
        return;
    const GridContent &content = m_content;
    m_control->SetGridSize(content.DisplayRowCount(), content.ColumnCount());
    for (int r = 1; r <= content.RowCount(); ++r)
        for (int c = 1; c <= content.ColumnCount(); ++c)
            m_control->SetCellText(r, c, content.Cell(c, r));
    // The input row of the editable grid starts empty.
    for (int c = 1; c <= content.ColumnCount() && content.IsEditable(); ++c)
        m_control->SetCellText(content.DisplayRowCount(), c, QString());
}

void cGridWrapper::ShowColumns()
{
    if (!m_control)
        return;
    const GridContent &content = Synced();
    m_control->SetColumnHeadings(content.DisplayHeadings());
    m_control->SetColumnWidths(content.DisplayWidths());
}

void cGridWrapper::ApplyList(int code)
{
    switch (code) {
    case Prop::Value:
        if (m_changed && m_control) {
            const Range range = *m_changed;
            m_changed.reset();
            const int firstRow = range.Row ? range.Row : 1;
            const int lastRow = range.Row ? range.Row : m_content.RowCount();
            const int firstColumn = range.Column ? range.Column : 1;
            const int lastColumn = range.Column ? range.Column : m_content.ColumnCount();
            for (int r = firstRow; r <= lastRow; ++r)
                for (int c = firstColumn; c <= lastColumn; ++c)
                    m_control->SetCellText(r, c, m_content.Cell(c, r));
            break;
        }
        [[fallthrough]];
    case Prop::Columns:
    case Prop::Rows:
        m_changed.reset();
        ShowCells();
        ShowColumns();
        // A table larger than the counts grows them; a shrunk count drops columns' settings.
        if (m_owner) {
            m_owner->MarkNonDefault(Prop::Columns, m_content.ColumnCount() != 0);
            m_owner->MarkNonDefault(Prop::Rows, m_content.RowCount() != 0);
        }
        break;
    case Prop::ColHeading:
    case Prop::ColWidth:
        ShowColumns();
        break;
    default:
        break;
    }
}

void cGridWrapper::ScaleChanged()
{
    ShowColumns();
}

quint32 cGridWrapper::SupportedMethods() const
{
    return cWrapperBase::SupportedMethods() | (1u << Method::Reset) | (1u << Method::Clear)
           | (1u << Method::Insert) | (1u << Method::Remove);
}

QString cGridWrapper::InvokeMethod(int method, const QString &arg1, const QString &arg2,
                                   const QString &arg3)
{
    // Insert: a row whose cells are the parts of arg1, before the 1-based row arg2 (at the
    // end when empty); Remove: the row arg1; Clear: every cell, the counts stay.
    switch (method) {
    case Method::Insert: {
        RequireControl();
        const int before = arg2.trimmed().isEmpty() ? 0 : ParseInt(arg2, 1, INT32_MAX);
        m_content.InsertRow(before, arg1);
        break;
    }
    case Method::Remove:
        RequireControl();
        m_content.RemoveRow(ParseInt(arg1, 1, INT32_MAX));
        break;
    case Method::Clear:
        RequireControl();
        m_content.ClearCells();
        break;
    default:
        return cWrapperBase::InvokeMethod(method, arg1, arg2, arg3);
    }
    ContentChanged(Prop::Value);
    return {};
}
