#include "host/FileDocument.h"

#include "host/HostErrors.h"
#include "host/ItemFile.h"
#include "host/OutputFile.h"
#include "support/GuiError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {
// Relative paths are taken from the current folder when the document is opened, so the name
// stays valid for the recent-file list. A trailing "/" stays: it marks a folder.
QString Absolute(const QString &path)
{
    if (path.isEmpty())
        return {};
    const QString clean = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    return path.endsWith(u'/') && !clean.endsWith(u'/') ? clean + u'/' : clean;
}
} // namespace

FileDocument::FileDocument(const DocumentName &name)
    : mvDocument(name, LockPathFor(LocalPath(name))), m_path(LocalPath(name))
{
    m_name.FileName = Absolute(m_name.FileName);
    const QFileInfo info(m_path);
    m_readOnly = info.isFile() && !info.isWritable();
}

QString FileDocument::LocalPath(const DocumentName &name)
{
    if (name.ItemID.isEmpty())
        return Absolute(name.FileName);
    return Absolute(name.FileName.isEmpty() ? name.ItemID : name.FileName + u'/' + name.ItemID);
}

QString FileDocument::LockPathFor(const QString &path)
{
    if (path.isEmpty() || path.endsWith(u'/'))
        return {};
    const QFileInfo info(path);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".lck");
}

QString FileDocument::DisplayName() const { return m_path.isEmpty() ? Name() : m_path; }

bool FileDocument::NamesItem() const
{
    return !m_path.isEmpty() && !m_path.endsWith(u'/') && !QFileInfo(m_path).isDir();
}

bool FileDocument::Exists() const { return NamesItem() && QFileInfo(m_path).isFile(); }

bool FileDocument::IsSpecialFile() const
{
    // Through links, as the file would be read: /dev/stdin leads to a pipe or a terminal.
    struct stat st;
    return !m_path.isEmpty() && ::stat(QFile::encodeName(m_path).constData(), &st) == 0
        && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
}

QString FileDocument::Read() const
{
    return ItemFile::Read(m_path, QStringLiteral("'%1'").arg(DisplayName()));
}

QByteArray FileDocument::ReadBytes() const
{
    return ItemFile::ReadBytes(m_path, QStringLiteral("'%1'").arg(DisplayName()));
}

void FileDocument::WriteText(const QString &text)
{
    WriteStoredBytes(ItemFile::Encode(text));
}

void FileDocument::WriteStoredBytes(const QByteArray &bytes)
{
    OutputFile::Write(m_path, bytes, QStringLiteral("'%1'").arg(DisplayName()));
}
