#include "host/mvConnection.h"

#include "host/FileDocument.h"
#include "host/MvdbDocument.h"
#include "host/iDocumentChooser.h"
#include "support/Marks.h"

mvConnection::mvConnection() = default;
mvConnection::~mvConnection() = default;

QString mvConnection::BuildName(const QString &hostType, const QString &hostName,
                                const QString &account, const QString &fileName,
                                const QString &itemId) const
{
    return DocumentName::Build(hostType, hostName, account, fileName, itemId);
}

bool mvConnection::SplitName(const QString &name, DocumentName &parts) const
{
    return DocumentName::Split(name, parts);
}

void mvConnection::SetCurrentHost(const QString &hostName, const QString &account)
{
    m_currentHost = hostName;
    m_currentAccount = account;
}

std::unique_ptr<mvDocument> mvConnection::Open(const QString &name) const
{
    DocumentName parts;
    if (!DocumentName::Split(name, parts))
        return nullptr;
    if (parts.IsLocalFile()) {
        if (parts.FileName.isEmpty() && parts.ItemID.isEmpty())
            return nullptr;
        parts.HostType = DocumentName::FileType;
        return std::make_unique<FileDocument>(parts);
    }
    if (parts.HostType.compare(DocumentName::MvdbType, Qt::CaseInsensitive) != 0)
        return nullptr;
    parts.HostType = DocumentName::MvdbType;
    if (parts.HostName == DocumentName::AnyHost)
        parts.HostName = m_currentHost;
    if (parts.AccountName == DocumentName::AnyHost)
        parts.AccountName = m_currentAccount;
    for (const QString *part : {&parts.HostName, &parts.AccountName, &parts.FileName, &parts.ItemID})
        for (const QChar c : *part)
            if (Marks::IsMark(c))
                return nullptr;
    return std::make_unique<MvdbDocument>(parts, m_store);
}

std::unique_ptr<mvDocument> mvConnection::Chooser(const QString &title, QObject *owner,
                                                  const mvDocument *start) const
{
    return Chooser(title, owner, start ? start->Name() : QString());
}

std::unique_ptr<mvDocument> mvConnection::Chooser(const QString &title, QObject *owner,
                                                  const QString &startName) const
{
    if (!m_chooser)
        return nullptr;
    const std::optional<QString> chosen = m_chooser->ChooseDocument(title, owner, startName);
    return chosen ? Open(*chosen) : nullptr;
}
