#pragma once

#include "host/MvdbStore.h"
#include "host/mvDocument.h"

// An item in a file of the MultiValue store (host type "mvdb"). The display name is the
// document name with "*" for host and account, so it opens the same file and item on whatever
// host is current: "mvdb://*/*/BP/ORDERS".
class MvdbDocument final : public mvDocument
{
public:
    // `store` is copied: the document keeps the root it was opened with.
    MvdbDocument(const DocumentName &name, const MvdbStore &store);

    QString DisplayName() const override;
    bool NamesItem() const override;
    bool Exists() const override;
    bool IsSpecialFile() const override;
    QString Read() const override;
    QByteArray ReadBytes() const override;

    bool Supports(int feature) const override;
    std::shared_ptr<iHostService> Service(int feature) const override;

protected:
    void WriteText(const QString &text) override;
    void WriteStoredBytes(const QByteArray &bytes) override;
    void PrepareLock() override;

private:
    MvdbStore::Folder OpenFileFolder(const QString &what) const;

    MvdbStore m_store;
    QString m_itemPath;
};
