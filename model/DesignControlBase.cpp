#include "model/DesignControlBase.h"

#include "model/Vocabulary.h"

void DesignControlBase::Move(int left, int top, int width, int height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
}

bool DesignControlBase::HasFont() const
{
    using namespace Vocabulary;
    return !(m_kind == Type::Picture || m_kind == Type::Timer || m_kind == Type::Browser
             || IsFormBar(m_kind) || m_kind == Type::BorderFrame
             || m_kind == Type::SelectionSizer);
}

void DesignControlBase::SetGridSize(int rows, int columns)
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

void DesignControlBase::SetCellText(int row, int column, const QString &text)
{
    if (row < 1 || column < 1 || row > m_gridRows || column > m_gridColumns)
        return;
    m_cells[row - 1][column - 1] = text;
}

QString DesignControlBase::CellText(int row, int column) const
{
    if (row < 1 || column < 1 || row > m_gridRows || column > m_gridColumns)
        return {};
    return m_cells[row - 1][column - 1];
}
