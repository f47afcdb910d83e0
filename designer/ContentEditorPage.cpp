#include "designer/ContentEditorPage.h"

#include "app/iPrompter.h"

void ContentEditorPage::ShowRepairs(const QStringList &messages)
{
    constexpr int Shown = 10;
    for (int i = 0; i < messages.size() && i < Shown; ++i)
        m_prompter.ShowMessage(messages[i], MessageIcon::Exclamation);
    if (messages.size() > Shown)
        m_prompter.ShowMessage(QString::number(messages.size() - Shown)
                                   + QStringLiteral(" more items were repaired the same way."),
                               MessageIcon::Exclamation);
}
