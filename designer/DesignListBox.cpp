#include "designer/DesignListBox.h"

#include "controls/ListBox.h"

DesignListBox::DesignListBox(QWidget *parent) : DrawnFrame(parent) {}

void DesignListBox::SetRows(const QStringList &rows)
{
    Set(m_rows, rows);
}

void DesignListBox::SetColumns(int count)
{
    Set(m_columns, count);
}

void DesignListBox::SetHeadings(const QStringList &headings)
{
    Set(m_headings, headings);
}

void DesignListBox::SetColumnWidths(const QList<int> &pixels)
{
    // A width not given leaves the column as it was.
    QList<int> widths = m_widths;
    if (widths.size() < pixels.size())
        widths.resize(pixels.size());
    for (int c = 0; c < pixels.size(); ++c)
        if (pixels.at(c) > 0)
            widths[c] = pixels.at(c);
    Set(m_widths, widths);
}

void DesignListBox::SetMultiSelect(bool on)
{
    Set(m_multiSelect, on);
}

void DesignListBox::SetCheckBoxes(bool on)
{
    Set(m_checkBoxes, on);
}

void DesignListBox::SetPlaceholder(const QString &text)
{
    Set(m_placeholder, text);
}

std::unique_ptr<QAbstractScrollArea> DesignListBox::MakeDrawer() const
{
    return std::make_unique<ListBox>();
}

void DesignListBox::SetUp(QAbstractScrollArea &drawer) const
{
    auto &drawn = static_cast<ListBox &>(drawer);
    drawn.SetColumns(m_columns);
    if (!m_headings.isEmpty())
        drawn.SetHeadings(m_headings);
    drawn.SetCheckBoxes(m_checkBoxes);
    drawn.SetRows(m_rows);
    drawn.SetColumnWidths(m_widths);
    drawn.SetMultiSelect(m_multiSelect);
    drawn.SetPlaceholder(m_placeholder);
}

ListBox &DesignListBox::Drawn() const
{
    return static_cast<ListBox &>(Drawer());
}
