#include "code/iGuiRuntime.h"

#include "support/Marks.h"

QString GuiResult::RowsText(const QList<QStringList> &rows)
{
    QStringList out;
    out.reserve(rows.size());
    for (const QStringList &row : rows)
        out << row.join(Marks::ValueMark());
    return out.join(Marks::AttributeMark());
}

QString GuiResult::StatusText() const
{
    return RowsText(Status);
}

QString GuiResult::EventText() const
{
    return RowsText(Events);
}

QString GuiCommand::Make(const QStringList &fields)
{
    return fields.join(Marks::ValueMark());
}
