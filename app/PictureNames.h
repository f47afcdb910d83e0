#pragma once

#include <QString>
#include <functional>

// The names of picture, icon and logo files as projects carry them. Names written on either
// system are read alike: "\" and "/" are the same separator, a "FILE://" prefix is dropped
// (any case), and a drive letter ("C:") marks an absolute name. Results use "/".
namespace PictureNames {

using FileExists = std::function<bool(const QString &path)>;
// A local copy of an "http://" or "ftp://" picture, or "" when there is none.
using DownloadCache = std::function<QString(const QString &url)>;

// The file to load for a picture name: a URL through the download cache; a relative name
// from the images folder; an absolute name when it exists; otherwise the leading folders are
// stripped one at a time and each rest is looked for in the images folder. When nothing
// exists the name comes back unchanged (separators made "/").
QString Resolve(const QString &name, const QString &imagesFolder,
                const FileExists &exists = {}, const DownloadCache &download = {});

// The name relative to the base folder when it lies inside it (compared without regard to
// case), else the name without its "FILE://" prefix.
QString MakeRelative(const QString &name, const QString &baseFolder);

// A relative name taken from the base folder; an absolute name, or any name without a base,
// unchanged.
QString MakeAbsolute(const QString &name, const QString &baseFolder);

} // namespace PictureNames
