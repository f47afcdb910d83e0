// Writing bytes that are already in their stored form: they reach the file unchanged, whatever
// their encoding, and the text write still stores UTF-8.
#include "host/ItemFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
} // namespace

TEST(ItemFileBytes, BytesAreWrittenAsGivenAndTextAsUtf8)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.bas");
    // A Latin-1 program: the bytes are not UTF-8 and must not be "repaired" on the way.
    const QByteArray latin1("PRINT \"caf\xe9\"\r\n", 15);
    ItemFile::WriteBytes(path, latin1, "'out.bas'");
    EXPECT_EQ(Contents(path), latin1);

    ItemFile::Write(path, QString::fromUtf8("PRINT \"caf\xc3\xa9\""), "'out.bas'");
    EXPECT_EQ(Contents(path), QByteArray("PRINT \"caf\xc3\xa9\""));
}
