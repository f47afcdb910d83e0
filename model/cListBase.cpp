#include "model/cListBase.h"

#include "model/clsControl.h"
#include "model/iDesignControl.h"
#include "support/GuiError.h"

using namespace Vocabulary;

// The factor follows the application, whose unit may change at any time.
ListContent &cListBase::Synced() const
{
    m_content.SetTwipsPerUnit(ScaleFactorX());
    return m_content;
}

const ListContent &cListBase::Content() const
{
    return Synced();
}

bool cListBase::IsListValued(int code) const
{
    return code == Prop::Items || code == Prop::Columns || ListContent::IsColumnProperty(code);
}

QString cListBase::GetDefaultProperty(int code) const
{
    switch (code) {
    case Prop::Columns:
        return QStringLiteral("0");
    case Prop::ColWidth: // the width of a column that has none of its own
        return Synced().ColumnDefault(code);
    default:
        return cWrapperBase::GetDefaultProperty(code);
    }
}

QString cListBase::ContentDefault(int code) const
{
    return code == Prop::Columns ? QStringLiteral("0") : QString();
}

bool cListBase::IsContentDefault(int code) const
{
    if (code == Prop::Items)
        return m_content.RowCount() == 0;
    if (code == Prop::Columns)
        return m_content.GetColumns() == QLatin1String("0");
    return m_content.GetColumnProperty(code).isEmpty();
}

QString cListBase::GetListEntry(int code, int index1, int index2, const QString &) const
{
    const ListContent &content = Synced();
    if (code == Prop::Items)
        return content.GetItems(index1, index2);
    if (code == Prop::Columns)
        return content.GetColumns();
    if (index2 != 0) // columns have no second index
        throw GuiError(GuiErrors::InvalidPropertyValue);
    return content.GetColumnProperty(code, index1);
}

void cListBase::SetListEntry(int code, int index1, int index2, const QString &value,
                             const QString &)
{
    ListContent &content = Synced();
    if (code == Prop::Items) {
        content.SetItems(value, index1, index2);
    } else if (code == Prop::Columns) {
        content.SetColumns(value);
    } else {
        if (index2 != 0)
            throw GuiError(GuiErrors::InvalidPropertyValue);
        content.SetColumnProperty(code, value, index1);
    }
}

void cListBase::ApplyList(int code)
{
    if (!m_control)
        return;
    const ListContent &content = Synced();
    switch (code) {
    case Prop::Items:
        m_control->SetListRows(content.DisplayRows());
        break;
    case Prop::Columns:
        m_control->SetColumnCount(content.GetColumns().toInt());
        m_control->SetColumnHeadings(content.DisplayHeadings());
        m_control->SetColumnWidths(content.DisplayWidths());
        break;
    case Prop::ColHeading:
        m_control->SetColumnHeadings(content.DisplayHeadings());
        break;
    case Prop::ColWidth:
        m_control->SetColumnWidths(content.DisplayWidths());
        break;
    default: // alignments and data types are not shown at design time
        break;
    }
}

void cListBase::ScaleChanged()
{
    ApplyList(Prop::ColWidth);
}

quint32 cListBase::SupportedMethods() const
{
    return cWrapperBase::SupportedMethods() | (1u << Method::Reset) | (1u << Method::Clear)
           | (1u << Method::Insert) | (1u << Method::Remove);
}

QString cListBase::InvokeMethod(int method, const QString &arg1, const QString &arg2,
                                const QString &arg3)
{
    // Insert: the row's text (arg1) before the 1-based position arg2 (at the end when
    // empty); Remove: the row at position arg1; Clear: every row and the selected value.
    switch (method) {
    case Method::Insert:
    case Method::Remove:
    case Method::Clear:
        break;
    default:
        return cWrapperBase::InvokeMethod(method, arg1, arg2, arg3);
    }
    RequireControl();
    if (method == Method::Insert) {
        const int before = arg2.trimmed().isEmpty() ? 0 : ParseInt(arg2, 1, INT32_MAX);
        m_content.InsertRow(before, arg1);
    } else if (method == Method::Remove) {
        m_content.RemoveRow(ParseInt(arg1, 1, INT32_MAX));
    } else {
        m_content.Clear();
        cWrapperBase::InvokeMethod(method, arg1, arg2, arg3);
    }
    ContentChanged(Prop::Items);
    return {};
}
