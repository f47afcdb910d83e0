#include "model/PlainControl.h"

#include "model/PlainForm.h"
#include "model/Vocabulary.h"

PlainControl::PlainControl(PlainForm *form, int kind, int index)
    : m_form(form), m_kind(kind), m_index(index)
{
}

int PlainControl::ZIndex() const
{
    return m_form ? m_form->ZIndexOf(this) : -1;
}

void PlainControl::Move(int left, int top, int width, int height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    ++m_moveCount;
}

void PlainControl::BringToFront()
{
    if (m_form)
        m_form->BringToFront(this);
}

bool PlainControl::HasFont() const
{
    using namespace Vocabulary;
    return !(m_kind == Type::Picture || m_kind == Type::Timer || m_kind == Type::Browser
             || IsFormBar(m_kind) || m_kind == Type::BorderFrame
             || m_kind == Type::SelectionSizer);
}

void PlainControl::SetGridSize(int rows, int columns)
{
    m_gridRows = qMax(0, rows);
    m_gridColumns = qMax(0, columns);
    m_cells.resize(m_gridRows);
    for (QStringList &row : m_cells) {
        while (row.size() < m_gridColumns)
            row.append(QString());
        while (row.size() > m_gridColumns)
            row.removeLast();
    }
}

void PlainControl::SetCellText(int row, int column, const QString &text)
{
    if (row < 1 || column < 1 || row > m_gridRows || column > m_gridColumns)
        return;
    m_cells[row - 1][column - 1] = text;
}

QString PlainControl::CellText(int row, int column) const
{
    if (row < 1 || column < 1 || row > m_gridRows || column > m_gridColumns)
        return {};
    return m_cells[row - 1][column - 1];
}
