#include "designer/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

QString QtClipboard::Text() const
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text(QClipboard::Clipboard) : QString();
}

void QtClipboard::SetText(const QString &text)
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setText(text, QClipboard::Clipboard);
}
