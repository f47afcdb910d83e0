#include "model/cGridWrapper.h"
#include "model/clsControl.h"
#include "model/iDesignControl.h"
#include "support/GuiError.h"
#include "support/Marks.h"
#include "support/NumberFormat.h"

using namespace Vocabulary;

namespace {
using DefaultFrom = cWrapperBase::DefaultFrom;
constexpr cWrapperBase::DefaultRule Rules[] = {
    {Prop::TabStop, DefaultFrom::Fixed, "1"}, {Prop::Border, DefaultFrom::Fixed, "2"},
    {Prop::BackColor, DefaultFrom::Fixed, "&H80000005"}, {Prop::ForeColor, DefaultFrom::Form},
    {Prop::GridLines, DefaultFrom::Fixed, "3"}, {Prop::ColFieldType, DefaultFrom::Fixed, "1"},
    {Prop::DragMode, DefaultFrom::Fixed, "0"}, {Prop::FocusStyle, DefaultFrom::Fixed, "3"},
};
} // namespace

cGridWrapper::cGridWrapper() : cWrapperBase(WrapperKind::Grid) {}

std::span<const cWrapperBase::DefaultRule> cGridWrapper::Defaults() const
{
    return Rules;
}

namespace {
QStringList Rows(const QString &value)
{
    return value.isEmpty() ? QStringList() : value.split(QChar(Marks::Value));
}
} // namespace

QString cGridWrapper::GetDefaultProperty(int code) const
{
    if (code == Prop::ColWidth && m_owner)
        return NumberFormat::Format(1440.0 / m_owner->ScaleX(), 2);
    return cWrapperBase::GetDefaultProperty(code);
}

bool cGridWrapper::IsListValued(int code) const
{
    switch (code) {
    case Prop::Value:
    case Prop::ColHeading:
    case Prop::ColFieldType:
    case Prop::ColDataType:
    case Prop::ColItems:
    case Prop::ColWidth:
    case Prop::ColAlign:
    case Prop::ColSizable:
    case Prop::ColHint:
    case Prop::ColTabStop:
        return true;
    default:
        return false;
    }
}

QString cGridWrapper::GetListEntry(int code, int index1, int index2, const QString &itemId) const
{
    if (code != Prop::Value)
        return cWrapperBase::GetListEntry(code, index1, index2, itemId);
    const QStringList rows = Rows(Stored(Prop::Value));
    auto cells = [](const QString &row) { return row.split(QChar(Marks::SubValue)); };
    if (index2 != 0 && (index2 < 1 || index2 > rows.size()))
        throw GuiError(GuiErrors::InvalidPropertyValue);
    if (index1 == 0) // a whole row
        return rows.at(index2 - 1);
    if (index1 < 0)
        throw GuiError(GuiErrors::InvalidPropertyValue);
    if (index2 != 0)
        return cells(rows.at(index2 - 1)).value(index1 - 1);
    QStringList column; // a whole column, one entry per row
    for (const QString &row : rows)
        column << cells(row).value(index1 - 1);
    return column.join(QChar(Marks::Value));
}

QString cGridWrapper::SetListEntry(int code, int index1, int index2, const QString &value,
                                   const QString &itemId)
{
    if (code != Prop::Value)
        return cWrapperBase::SetListEntry(code, index1, index2, value, itemId);
    QStringList rows = Rows(Stored(Prop::Value));
    if (index1 < 0 || index2 < 0 || index2 > rows.size() || (index2 == 0 && rows.isEmpty()))
        throw GuiError(GuiErrors::InvalidPropertyValue);
    if (index1 == 0) {
        rows[index2 - 1] = value;
    } else if (index2 != 0) {
        QStringList cells = rows[index2 - 1].split(QChar(Marks::SubValue));
        while (cells.size() < index1)
            cells << QString();
        cells[index1 - 1] = value;
        rows[index2 - 1] = cells.join(QChar(Marks::SubValue));
    } else {
        const QStringList column = value.split(QChar(Marks::Value));
        for (int r = 0; r < rows.size(); ++r) {
            QStringList cells = rows[r].split(QChar(Marks::SubValue));
            while (cells.size() < index1)
                cells << QString();
            cells[index1 - 1] = column.value(r);
            rows[r] = cells.join(QChar(Marks::SubValue));
        }
    }
    return rows.join(QChar(Marks::Value));
}

void cGridWrapper::ApplyVariant(int type)
{
    m_control->SetGridEditable(type == Type::GridEditable);
}

void cGridWrapper::ShowCells()
{
    if (!m_control)
        return;
    const QStringList rows = Rows(Stored(Prop::Value));
    int columns = StoredInt(Prop::Columns);
    for (const QString &row : rows)
        columns = qMax(columns, int(row.count(QChar(Marks::SubValue))) + 1);
    const int rowCount = qMax(StoredInt(Prop::Rows), int(rows.size()));
    m_control->SetGridSize(rowCount, columns);
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList cells = rows[r].split(QChar(Marks::SubValue));
        for (int c = 0; c < cells.size(); ++c)
            m_control->SetCellText(r + 1, c + 1, cells[c]);
    }
}

void cGridWrapper::ApplyList(int code, const QString &value)
{
    if (code == Prop::Value)
        ShowCells();
    else if (code == Prop::ColHeading && m_control)
        m_control->SetColumnHeadings(Rows(value));
}

void cGridWrapper::Apply(int code, const QString &value)
{
    cWrapperBase::Apply(code, value);
    if (code == Prop::Rows || code == Prop::Columns)
        ShowCells();
}

quint32 cGridWrapper::SupportedMethods() const
{
    return cWrapperBase::SupportedMethods() | (1u << Method::Reset) | (1u << Method::Clear)
           | (1u << Method::Insert) | (1u << Method::Remove);
}
