// Files read by a name the program did not choose: regular files within the limit are read
// whole; FIFOs, devices, folders and files beyond the limit are refused at once, without
// waiting on a writer or reading without end.
#include "FileBytes.h"
#include "support/RegularFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

TEST(RegularFile, ReadsRegularFilesWithinTheLimitAndRefusesTheRest)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("table.txt");
    PutFileBytes(path, QByteArray(1000, 'x'));
    RegularFile::Result read = RegularFile::Read(path, 1000);
    EXPECT_TRUE(read.Ok);
    EXPECT_EQ(read.Bytes.size(), 1000);
    read = RegularFile::Read(path, 999);
    EXPECT_FALSE(read.Ok);
    EXPECT_TRUE(read.Reason.contains("larger"));

    read = RegularFile::Read(dir.filePath("missing"), 1000);
    EXPECT_FALSE(read.Ok);
    EXPECT_EQ(read.Errno, ENOENT);

    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString zero = dir.filePath("zero");
    ASSERT_EQ(::symlink("/dev/zero", QFile::encodeName(zero).constData()), 0);
    QElapsedTimer timer;
    timer.start();
    for (const QString &refused : {fifo, zero, QString("/dev/zero"), dir.path()}) {
        read = RegularFile::Read(refused, 1 << 20);
        EXPECT_FALSE(read.Ok) << refused.toStdString();
        EXPECT_EQ(read.Errno, 0);
        EXPECT_TRUE(read.Bytes.isEmpty());
    }
    EXPECT_LT(timer.elapsed(), 5000); // nothing waited for a writer

    // At a folder, a link is refused when links are not to be followed.
    const int dirFd = ::open(QFile::encodeName(dir.path()).constData(), O_RDONLY | O_DIRECTORY);
    EXPECT_TRUE(RegularFile::ReadAt(dirFd, "table.txt", 1000, false).Ok);
    EXPECT_EQ(RegularFile::ReadAt(dirFd, "zero", 1000, false).Errno, ELOOP);
    ::close(dirFd);
}
