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
// Drops a row's empty cells at its end (a row keeps none); true when no cell is left.
bool TrimmedAway(std::vector<QString> &cells)
{
    while (!cells.empty() && cells.back().isEmpty())
        cells.pop_back();
    return cells.empty();
}
} // namespace

void DesignControlBase::SetGridSize(int rows, int columns)
{
    m_gridRows = qMax(0, rows);
    m_gridColumns = qMax(0, columns);
    for (auto it = m_cellRows.begin(); it != m_cellRows.end();) {
        if (it->second.size() > size_t(m_gridColumns))
            it->second.resize(size_t(m_gridColumns));
        if (it->first >= m_gridRows || TrimmedAway(it->second))
            it = m_cellRows.erase(it);
        else
            ++it;
    }
}

void DesignControlBase::SetCellText(int row, int column, const QString &text)
{
    if (row < 1 || column < 1 || row > m_gridRows || column > m_gridColumns)
        return;
    const size_t at = size_t(column - 1);
    if (text.isEmpty()) {
        const auto it = m_cellRows.find(row - 1);
        if (it == m_cellRows.end() || at >= it->second.size())
            return;
        it->second[at] = QString();
        if (TrimmedAway(it->second))
            m_cellRows.erase(it);
        return;
    }
    std::vector<QString> &cells = m_cellRows[row - 1];
    if (at >= cells.size())
        cells.resize(at + 1);
    cells[at] = text;
}

QString DesignControlBase::CellText(int row, int column) const
{
    if (row < 1 || column < 1 || row > m_gridRows || column > m_gridColumns)
        return {};
    const auto it = m_cellRows.find(row - 1);
    const size_t at = size_t(column - 1);
    return it != m_cellRows.end() && at < it->second.size() ? it->second[at] : QString();
}
