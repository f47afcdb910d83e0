#include "support/GuiError.h"

GuiError::GuiError(int number, QString description, QString source)
    : m_number(number), m_description(std::move(description)), m_source(std::move(source))
{
    if (m_description.isEmpty())
        m_description = StandardText(number);
    m_what = QStringLiteral("%1: %2").arg(number).arg(m_description).toStdString();
}

QString GuiError::StandardText(int number)
{
    Q_UNUSED(number);
    return {};
}
