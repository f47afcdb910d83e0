#include "app/DocumentOpener.h"

#include "app/DocumentStorage.h"
#include "app/ProcessState.h"
#include "app/iPrompter.h"
#include "host/iHostService.h"
#include "model/Vocabulary.h"
#include "support/ErrorReport.h"
#include "support/GuiError.h"

DocumentOpener::DocumentOpener(DocumentStorage &storage, ProcessState &state, iPrompter &prompter)
    : m_storage(storage), m_state(state), m_prompter(prompter)
{
}

QString DocumentOpener::BuildDocumentName(const QString &hostType, const QString &hostName,
                                          const QString &accountName, const QString &hostFileName,
                                          const QString &itemId)
{
    return m_state.Connection.BuildName(hostType, hostName, accountName, hostFileName, itemId);
}

iDocumentOpener::OpenResult DocumentOpener::OpenDocument(const QString &documentName)
{
    const DocumentStorage::OpenResult result = m_storage.OpenByName(documentName);
    return {result.Success, result.DisplayName, result.Partial};
}

void DocumentOpener::AddToRecentList(const QString &displayName)
{
    if (!displayName.isEmpty())
        m_state.Settings.RecentList.AddItem(displayName);
}

bool DocumentOpener::QueryHostService(const QString &documentName, int feature)
{
    m_service.reset();
    const std::unique_ptr<mvDocument> document = m_state.Connection.Open(documentName);
    if (document && document->Supports(feature))
        m_service = document->Service(feature);
    return m_service != nullptr;
}

void DocumentOpener::ReportError(const GuiError &error, const QString &procedureLabel)
{
    m_prompter.Report(ErrorReport::Compose(2, error.Number(), procedureLabel, 0, error.Description(),
                                           [](int code) { return Vocabulary::PropertyName(code); }));
}
