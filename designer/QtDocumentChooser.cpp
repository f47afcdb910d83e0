#include "designer/QtDocumentChooser.h"

#include <QWidget>

std::optional<QString> QtDocumentChooser::ChooseDocument(const QString &title, QObject *owner,
                                                         const QString &startName)
{
    QWidget *parent = qobject_cast<QWidget *>(owner);
    if (!parent)
        parent = m_mainWindow.data();
    if (parent)
        parent = parent->window();
    frmDocumentChooser dialog(m_connection, title, startName, parent);
    if (m_localDialog)
        dialog.SetLocalFileDialog(m_localDialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.ChosenName();
}
