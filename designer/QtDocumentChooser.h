#pragma once

#include "designer/frmDocumentChooser.h"
#include "host/iDocumentChooser.h"

#include <QPointer>

class QWidget;
class mvConnection;

// The host connection's chooser in the designer: shows frmDocumentChooser modally over the
// owner the caller names, or over the main window when it names none.
class QtDocumentChooser final : public iDocumentChooser
{
public:
    QtDocumentChooser(const mvConnection &connection, QWidget *mainWindow = nullptr)
        : m_connection(connection), m_mainWindow(mainWindow)
    {
    }

    void SetMainWindow(QWidget *mainWindow) { m_mainWindow = mainWindow; }
    // Replaces Qt's file dialog for the local file choice (tests).
    void SetLocalFileDialog(frmDocumentChooser::LocalFileDialog dialog) { m_localDialog = std::move(dialog); }

    std::optional<QString> ChooseDocument(const QString &title, QObject *owner,
                                          const QString &startName) override;

private:
    const mvConnection &m_connection;
    QPointer<QWidget> m_mainWindow;
    frmDocumentChooser::LocalFileDialog m_localDialog;
};
