#pragma once

#include "host/DocumentName.h"
#include "host/RecordLock.h"

#include <QString>
#include <memory>

class iHostService;

// A document reached through the host connection: an item in a file of a MultiValue host or a
// local file. The designer never touches the bytes itself; it asks the document to lock, read
// and write whole texts (records separated by CR LF, values by ValueMark, parts by SubValueMark).
//
// Errors are GuiError with the numbers of HostErrors and a description that names the document.
class mvDocument
{
public:
    virtual ~mvDocument();
    mvDocument(const mvDocument &) = delete;
    mvDocument &operator=(const mvDocument &) = delete;

    // The full document name and its parts.
    QString Name() const { return m_name.Build(); }
    const DocumentName &Parts() const { return m_name; }
    const QString &HostType() const { return m_name.HostType; }
    const QString &HostName() const { return m_name.HostName; }
    const QString &AccountName() const { return m_name.AccountName; }
    const QString &FileName() const { return m_name.FileName; }
    const QString &ItemID() const { return m_name.ItemID; }

    // The name shown in messages and kept in the recent-file list; it is itself a document
    // name that opens the same document again (see the providers for the form).
    virtual QString DisplayName() const = 0;
    // False when the name denotes a file or folder rather than an item.
    virtual bool NamesItem() const = 0;
    virtual bool Exists() const = 0;
    // True when something other than a file or folder stands at the name (a FIFO, a device,
    // a socket): no item to open, nor one to create there.
    virtual bool IsSpecialFile() const { return false; }

    // The record lock. Lock raises GuiError 70 when another document (of this or another
    // process) holds it, 52 when the name is no item, 76 when the host file is missing. The lock
    // is released by Unlock or when the document is destroyed; the kernel drops it when the
    // process dies.
    void Lock();
    void Unlock();
    bool IsLocked() const;

    // Set by the designer when the user accepts opening without the lock; also set from the
    // start for an existing item that cannot be written. A read-only document refuses Write.
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }

    virtual QString Read() const = 0;
    // Stores the whole text. Refused (GuiError 75) when the document is read-only and
    // (GuiError 70) when another document holds the record lock.
    void Write(const QString &text);
    // The stored bytes unchanged, and a write of bytes already in their stored form, with the
    // same checks as Write. Program code uses them so a text it did not change keeps its
    // bytes exactly (Latin-1, stray bytes, its line ends).
    virtual QByteArray ReadBytes() const = 0;
    void WriteBytes(const QByteArray &bytes);
    // Called after every successful write; nothing to flush here, the write is already durable.
    bool Finish();

    // Optional features (HostFeatures); Service gives the service object of a supported feature
    // and nullptr otherwise. The service object may outlive the document.
    virtual bool Supports(int feature) const;
    virtual std::shared_ptr<iHostService> Service(int feature) const;

protected:
    mvDocument(DocumentName name, QString lockPath);
    virtual void WriteText(const QString &text) = 0;
    virtual void WriteStoredBytes(const QByteArray &bytes) = 0;
    // Makes what the lock file needs (called before every Lock).
    virtual void PrepareLock() {}
    // Raises GuiError 52 unless the name denotes an item.
    void RequireItem() const;
    // Raises unless the document may be written now (name, read-only flag, foreign lock).
    void RequireWritable() const;

    DocumentName m_name;
    bool m_readOnly = false;

private:
    std::unique_ptr<RecordLock> m_lock;
};
