#include "main/LocalFileChooser.h"

#include "host/DocumentName.h"

#include <QFileDialog>
#include <QFileInfo>

std::optional<QString> LocalFileChooser::ChooseDocument(const QString &title, QObject *owner,
                                                        const QString &startName)
{
    QWidget *parent = qobject_cast<QWidget *>(owner);
    if (!parent)
        parent = m_owner;
    // Only a local path is a place to start; a host item's name means nothing to the dialog.
    QString start;
    DocumentName parts;
    if (DocumentName::Split(startName, parts) && parts.IsLocalFile())
        start = parts.FileName.isEmpty() ? startName : parts.FileName;
    if (!start.isEmpty() && QFileInfo(start).isDir())
        start = QFileInfo(start).absoluteFilePath();
    const QString filter = QString::fromLatin1(Filter);
    const QString path = title == QLatin1String("Open")
                             ? QFileDialog::getOpenFileName(parent, title, start, filter)
                             : QFileDialog::getSaveFileName(parent, title, start, filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}
