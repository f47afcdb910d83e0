#pragma once

#include "host/mvDocument.h"

// A local file (host type "file"). The file name part is the path, made absolute when the
// document is opened; a non-empty item ID names a file inside that path taken as a folder. Host
// name and account play no part. The display name is the path itself.
//
// The record lock is held on a hidden lock file beside the document (".<name>.lck"), so it
// survives the rename that replaces the file on every write.
class FileDocument final : public mvDocument
{
public:
    explicit FileDocument(const DocumentName &name);

    const QString &Path() const { return m_path; }

    QString DisplayName() const override;
    bool NamesItem() const override;
    bool Exists() const override;
    bool IsSpecialFile() const override;
    QString Read() const override;
    QByteArray ReadBytes() const override;

protected:
    void WriteText(const QString &text) override;
    void WriteStoredBytes(const QByteArray &bytes) override;

private:
    static QString LocalPath(const DocumentName &name);
    static QString LockPathFor(const QString &path);

    QString m_path;
};
