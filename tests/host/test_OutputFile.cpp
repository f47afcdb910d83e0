// The one rule for writing a named output: files and new names are replaced whole through a
// temporary file (through a link, its target), devices and FIFOs are written straight through
// and never replaced, folders, block devices, sockets and read-only files are refused.
#include "../FileBytes.h"
#include "../ErrorOf.h"
#include "host/HostErrors.h"
#include "host/ItemFile.h"
#include "host/OutputFile.h"
#include "support/GuiError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <fcntl.h>
#include <unistd.h>

namespace {
mode_t Mode(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}
} // namespace

TEST(OutputFile, FilesAndLinksAreReplacedWholeKeepingTheLink)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("out.txt");
    OutputFile::Write(file, "new", "'out'");
    EXPECT_EQ(FileBytes(file), "new");

    const QString link = dir.filePath("link.txt");
    ASSERT_EQ(::symlink("out.txt", QFile::encodeName(link).constData()), 0);
    OutputFile::Write(link, "through the link", "'link'");
    EXPECT_TRUE(S_ISLNK(Mode(link)));
    EXPECT_EQ(FileBytes(file), "through the link");

    // A dangling link names the file to create.
    const QString dangling = dir.filePath("dangling");
    ASSERT_EQ(::symlink("made.txt", QFile::encodeName(dangling).constData()), 0);
    OutputFile::Write(dangling, "made", "'dangling'");
    EXPECT_TRUE(S_ISLNK(Mode(dangling)));
    EXPECT_EQ(FileBytes(dir.filePath("made.txt")), "made");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files | QDir::System).size(), 4);
}

TEST(OutputFile, DevicesAndFifosAreWrittenStraightThrough)
{
    QTemporaryDir dir;
    // /dev/null stays the device; a link to it too.
    OutputFile::Write("/dev/null", "gone", "'/dev/null'");
    EXPECT_TRUE(S_ISCHR(Mode("/dev/null")));
    const QString link = dir.filePath("null");
    ASSERT_EQ(::symlink("/dev/null", QFile::encodeName(link).constData()), 0);
    OutputFile::Write(link, "gone", "'null'");
    EXPECT_TRUE(S_ISLNK(Mode(link)));

    // A full device reports the failure.
    EXPECT_EQ(ErrorOf([] { OutputFile::Write("/dev/full", "x", "'/dev/full'"); }), HostErrors::AccessError);

    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QByteArray received;
    std::thread reader([&] {
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_RDONLY);
        char buffer[256];
        ssize_t n;
        while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
            received.append(buffer, n);
        ::close(fd);
    });
    OutputFile::Write(fifo, "through the pipe", "'fifo'");
    reader.join();
    EXPECT_EQ(received, "through the pipe");
    EXPECT_TRUE(S_ISFIFO(Mode(fifo)));
}

TEST(OutputFile, FoldersSocketsBlockDevicesAndReadOnlyFilesAreRefused)
{
    QTemporaryDir dir;
    EXPECT_EQ(ErrorOf([&] { OutputFile::Write(dir.path(), "x", "'dir'"); }), HostErrors::AccessError);

    const QString socketPath = dir.filePath("sock");
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(socketPath).constData(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    EXPECT_EQ(ErrorOf([&] { OutputFile::Write(socketPath, "x", "'sock'"); }), HostErrors::AccessError);
    EXPECT_TRUE(S_ISSOCK(Mode(socketPath)));
    ::close(fd);

    for (const char *block : {"/dev/loop0", "/dev/sda", "/dev/vda", "/dev/nvme0n1"}) {
        if (S_ISBLK(Mode(block))) {
            EXPECT_EQ(ErrorOf([&] { OutputFile::Write(block, "x", "'block'"); }), HostErrors::AccessError);
            break;
        }
    }

    if (::geteuid() != 0) { // permissions do not stop root
        const QString file = dir.filePath("readonly.txt");
        OutputFile::Write(file, "kept", "'readonly'");
        ::chmod(QFile::encodeName(file).constData(), 0444);
        EXPECT_TRUE(Raised([&] { OutputFile::Write(file, "lost", "'readonly'"); }).Description().contains("read-only"));
        EXPECT_EQ(FileBytes(file), "kept");
    }
}
