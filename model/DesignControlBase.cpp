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

namespace {
// Cells are keyed by their 0-based row and column; only cells with text are kept, so a large
// empty grid costs nothing.
constexpr qint64 CellKeyBase = qint64(1) << 32;
qint64 CellKey(int row, int column)
{
    return qint64(row - 1) * CellKeyBase + (column - 1);
}
} // namespace

void DesignControlBase::SetGridSize(int rows, int columns)
{
    m_gridRows = qMax(0, rows);
    m_gridColumns = qMax(0, columns);
    for (auto it = m_cells.begin(); it != m_cells.end();) {
        if (it.key() / CellKeyBase >= m_gridRows || it.key() % CellKeyBase >= m_gridColumns)
            it = m_cells.erase(it);
        else
            ++it;
    }
}

void DesignControlBase::SetCellText(int row, int column, const QString &text)
{
    if (row < 1 || column < 1 || row > m_gridRows || column > m_gridColumns)
        return;
    if (text.isEmpty())
        m_cells.remove(CellKey(row, column));
    else
        m_cells.insert(CellKey(row, column), text);
}

QString DesignControlBase::CellText(int row, int column) const
{
    if (row < 1 || column < 1 || row > m_gridRows || column > m_gridColumns)
        return {};
    return m_cells.value(CellKey(row, column));
}
