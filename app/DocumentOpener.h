#pragma once

#include "app/iDocumentOpener.h"

#include <memory>

class DocumentStorage;
class ProcessState;
class iHostService;
class iPrompter;

// The command line's way into document storage and the host connection.
class DocumentOpener : public iDocumentOpener
{
public:
    DocumentOpener(DocumentStorage &storage, ProcessState &state, iPrompter &prompter);

    QString BuildDocumentName(const QString &hostType, const QString &hostName,
                              const QString &accountName, const QString &hostFileName,
                              const QString &itemId) override;
    OpenResult OpenDocument(const QString &documentName) override;
    void AddToRecentList(const QString &displayName) override;
    bool QueryHostService(const QString &documentName, int feature) override;
    void ReportError(const GuiError &error, const QString &procedureLabel) override;

    // The host's service object kept for the property sheet; nullptr when there is none.
    const std::shared_ptr<iHostService> &HostService() const { return m_service; }

private:
    DocumentStorage &m_storage;
    ProcessState &m_state;
    iPrompter &m_prompter;
    std::shared_ptr<iHostService> m_service;
};
