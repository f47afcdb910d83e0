#include "app/PictureNames.h"

#include <QFileInfo>
#include <QStringList>

namespace {
const QLatin1StringView FilePrefix("FILE://");

QString Slashes(QString name)
{
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return name;
}

// "FILE://" in any case and with either slash; a third slash before a Linux path stays.
QString WithoutFilePrefix(const QString &name)
{
    if (name.size() >= FilePrefix.size() && name.left(FilePrefix.size()).compare(FilePrefix, Qt::CaseInsensitive) == 0) {
        QString rest = name.mid(FilePrefix.size());
        // "file:///home/x" names "/home/x"; "file:///C:/x" names "C:/x".
        if (rest.size() >= 3 && rest.at(0) == QLatin1Char('/') && rest.at(2) == QLatin1Char(':'))
            rest.remove(0, 1);
        return rest;
    }
    return name;
}

bool IsAbsolute(const QString &name)
{
    return name.startsWith(QLatin1Char('/')) || (name.size() >= 2 && name.at(1) == QLatin1Char(':'));
}

QString WithSlash(const QString &folder)
{
    return folder.isEmpty() || folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

bool StartsWithUrl(const QString &name)
{
    return name.startsWith(QLatin1String("HTTP://"), Qt::CaseInsensitive)
        || name.startsWith(QLatin1String("HTTPS://"), Qt::CaseInsensitive)
        || name.startsWith(QLatin1String("FTP://"), Qt::CaseInsensitive);
}
} // namespace

namespace PictureNames {

QString Resolve(const QString &name, const QString &imagesFolder, const FileExists &exists,
                const DownloadCache &download)
{
    const FileExists isFile = exists ? exists : [](const QString &path) { return QFileInfo(path).isFile(); };
    const QString images = WithSlash(Slashes(imagesFolder));
    const QString plain = WithoutFilePrefix(Slashes(name));
    if (plain.isEmpty())
        return plain;
    if (StartsWithUrl(plain)) {
        const QString local = download ? download(plain) : QString();
        return local.isEmpty() ? plain : local;
    }
    if (!IsAbsolute(plain))
        return images + plain;
    if (isFile(plain))
        return plain;
    // A name from another machine: look for its tail among our images.
    QStringList parts = plain.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    while (parts.size() > 1) {
        parts.removeFirst();
        const QString candidate = images + parts.join(QLatin1Char('/'));
        if (isFile(candidate))
            return candidate;
    }
    return plain;
}

QString MakeRelative(const QString &name, const QString &baseFolder)
{
    const QString plain = WithoutFilePrefix(Slashes(name));
    const QString base = WithSlash(Slashes(baseFolder));
    if (!base.isEmpty() && plain.size() > base.size() && plain.startsWith(base, Qt::CaseInsensitive))
        return plain.mid(base.size());
    return plain;
}

QString MakeAbsolute(const QString &name, const QString &baseFolder)
{
    const QString plain = WithoutFilePrefix(Slashes(name));
    if (plain.isEmpty() || IsAbsolute(plain) || StartsWithUrl(plain) || baseFolder.isEmpty())
        return Slashes(name);
    return WithSlash(Slashes(baseFolder)) + plain;
}

} // namespace PictureNames
