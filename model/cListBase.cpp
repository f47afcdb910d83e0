#include "model/cListBase.h"

#include "model/clsControl.h"
#include "model/iDesignControl.h"
#include "support/GuiError.h"
#include "support/Marks.h"
#include "support/NumberFormat.h"

#include <cmath>

using namespace Vocabulary;

bool cListBase::IsListValued(int code) const
{
    switch (code) {
    case Prop::Items:
    case Prop::ColHeading:
    case Prop::ColWidth:
    case Prop::ColAlign:
    case Prop::ColDataType:
        return true;
    default:
        return false;
    }
}

QString cListBase::GetDefaultProperty(int code) const
{
    // Columns are one inch wide until set, in the application's unit.
    if (code == Prop::ColWidth && m_owner)
        return NumberFormat::Format(1440.0 / m_owner->ScaleX(), 2);
    return cWrapperBase::GetDefaultProperty(code);
}

void cListBase::ApplyList(int code, const QString &value)
{
    if (!m_control)
        return;
    const QStringList entries =
        value.isEmpty() ? QStringList() : value.split(QChar(Marks::Value));
    switch (code) {
    case Prop::Items: {
        QStringList rows;
        rows.reserve(entries.size());
        for (const QString &entry : entries) {
            QString row = entry;
            row.replace(QChar(Marks::SubValue), QLatin1Char('\t'));
            rows << row;
        }
        m_control->SetListRows(rows);
        break;
    }
    case Prop::ColHeading:
        m_control->SetColumnHeadings(entries);
        break;
    case Prop::ColWidth: {
        QList<int> widths;
        for (const QString &entry : entries)
            widths << int(std::lround(entry.toDouble() * (m_owner ? m_owner->ScaleX() : 1)));
        m_control->SetColumnWidths(widths);
        break;
    }
    default:
        break;
    }
}

void cListBase::Apply(int code, const QString &value)
{
    cWrapperBase::Apply(code, value);
    if (code == Prop::Columns && m_control)
        m_control->SetColumnCount(value.toInt());
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
    // empty or beyond); Remove: the row at position arg1.
    if (method != Method::Insert && method != Method::Remove)
        return cWrapperBase::InvokeMethod(method, arg1, arg2, arg3);
    RequireControl();
    const QString whole = Stored(Prop::Items);
    QStringList rows = whole.isEmpty() ? QStringList() : whole.split(QChar(Marks::Value));
    if (method == Method::Insert) {
        const int at = arg2.trimmed().isEmpty() ? int(rows.size()) + 1 : ParseInt(arg2, 1, INT32_MAX);
        rows.insert(qMin(at - 1, int(rows.size())), arg1);
    } else {
        const int at = ParseInt(arg1, 1, INT32_MAX);
        if (at > rows.size())
            throw GuiError(GuiErrors::InvalidPropertyValue);
        rows.removeAt(at - 1);
    }
    m_owner->SetProperty(Prop::Items, rows.join(QChar(Marks::Value)));
    return {};
}
