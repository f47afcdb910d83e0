#include "app/clsRecentList.h"

#include "support/GuiError.h"

void clsRecentList::SetListSize(int size)
{
    if (size < 0 || size > MaxSize)
        throw GuiError(GuiErrors::InvalidPropertyValue);
    m_size = size;
    if (m_items.size() > size)
        m_items.resize(size);
}

QString clsRecentList::ListItem(int index) const
{
    if (index < 1 || index > ListCount())
        throw GuiError(GuiErrors::InvalidPropertyIndex);
    return m_items[index - 1];
}

void clsRecentList::SetListItem(int index, const QString &text)
{
    if (index < 1 || index > ListCount())
        throw GuiError(GuiErrors::InvalidPropertyIndex);
    m_items[index - 1] = text;
}

qsizetype clsRecentList::Find(const QString &text) const
{
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        if (m_items[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void clsRecentList::AddItem(const QString &text)
{
    const qsizetype found = Find(text);
    if (found >= 0) {
        m_items.removeAt(found);
    } else {
        if (m_size == 0)
            return;
        if (m_items.size() >= m_size)
            m_items.removeLast();
    }
    m_items.prepend(text);
}

void clsRecentList::RemoveItem(const QString &text)
{
    const qsizetype found = Find(text);
    if (found >= 0)
        m_items.removeAt(found);
}
