#include "host/mvDocument.h"

#include "host/HostErrors.h"
#include "host/iHostService.h"
#include "support/GuiError.h"

mvDocument::mvDocument(DocumentName name, QString lockPath)
    : m_name(std::move(name)), m_lock(std::make_unique<RecordLock>(std::move(lockPath)))
{
}

mvDocument::~mvDocument() = default;

void mvDocument::RequireItem() const
{
    if (!NamesItem())
        throw GuiError(HostErrors::BadFileName,
                       QStringLiteral("'%1' is a file or folder, not an item").arg(DisplayName()));
}

void mvDocument::Lock()
{
    RequireItem();
    if (!m_lock->IsHeld())
        PrepareLock();
    m_lock->Acquire(QStringLiteral("'%1'").arg(DisplayName()));
}

void mvDocument::Unlock() { m_lock->Release(); }

bool mvDocument::IsLocked() const { return m_lock->IsHeld(); }

void mvDocument::Write(const QString &text)
{
    RequireWritable();
    WriteText(text);
}

void mvDocument::WriteBytes(const QByteArray &bytes)
{
    RequireWritable();
    WriteStoredBytes(bytes);
}

void mvDocument::RequireWritable() const
{
    const QString what = QStringLiteral("'%1'").arg(DisplayName());
    RequireItem();
    if (m_readOnly)
        throw GuiError(HostErrors::AccessError,
                       QStringLiteral("%1 is open in read-only mode").arg(what));
    // Without our own lock we still must not overwrite an item someone else has locked.
    if (m_lock->IsHeldElsewhere())
        throw GuiError(HostErrors::ItemLocked,
                       QStringLiteral("%1 is locked by another user").arg(what));
}

bool mvDocument::Finish() { return true; }

bool mvDocument::Supports(int feature) const
{
    Q_UNUSED(feature);
    return false;
}

std::shared_ptr<iHostService> mvDocument::Service(int feature) const
{
    Q_UNUSED(feature);
    return nullptr;
}
