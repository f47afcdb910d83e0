#include "app/MemoryClipboard.h"

QString MemoryClipboard::Text() const
{
    return m_text;
}

void MemoryClipboard::SetText(const QString &text)
{
    m_text = text;
    ++m_writes;
}
