// ucIHlp: pictures downloaded from a tiny HTTP server on 127.0.0.1: success and the cache,
// a redirect followed to http but refused to file:, a silent server timed out, an oversized
// answer stopped, and a non-picture reported, each as "DownloadImage failure"; the downloads
// of a run side by side under one deadline.
#include "controls/ucIHlp.h"
#include "controls/ucImage.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Answers GET requests by path; "/silent" never answers.
class TinyServer : public QObject
{
public:
    TinyServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                socket->setParent(this);
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    m_buffer[socket] += socket->readAll();
                    if (!m_buffer[socket].contains("\r\n\r\n"))
                        return;
                    const QByteArray path = m_buffer[socket].split(' ').value(1);
                    ++m_requests[path];
                    Answer(socket, path);
                });
            }
        });
    }

    QString Url(const char *path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
    }
    int Requests(const QByteArray &path) const { return m_requests.value(path); }

private:
    void Answer(QTcpSocket *socket, const QByteArray &path)
    {
        auto send = [socket](const QByteArray &head, const QByteArray &body) {
            socket->write(head + "Content-Length: " + QByteArray::number(body.size())
                          + "\r\nConnection: close\r\n\r\n" + body);
            socket->disconnectFromHost();
        };
        if (path == "/ok.png" || path == "/other.png") {
            QImage image(6, 3, QImage::Format_RGB32);
            image.fill(Qt::green);
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
            send("HTTP/1.1 200 OK\r\nContent-Type: image/png\r\n", png);
        } else if (path == "/to-file") {
            send("HTTP/1.1 302 Found\r\nLocation: file:///etc/passwd\r\n", {});
        } else if (path == "/to-ok") {
            send("HTTP/1.1 301 Moved\r\nLocation: /other.png\r\n", {});
        } else if (path == "/loop") {
            send("HTTP/1.1 302 Found\r\nLocation: /loop\r\n", {});
        } else if (path == "/big") {
            send("HTTP/1.1 200 OK\r\n", QByteArray(200000, 'x'));
        } else if (path == "/trickle") {
            // A byte now and then: never silent long enough for a transfer time-out.
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n");
            auto *drip = new QTimer(socket);
            QObject::connect(drip, &QTimer::timeout, socket, [socket] { socket->write("x"); });
            drip->start(50);
        } else if (path == "/stream") {
            // No length announced: only the bytes received tell.
            socket->write("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + QByteArray(200000, 'y'));
            socket->disconnectFromHost();
        } else if (path == "/text") {
            send("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n", "hello");
        } else if (path == "/missing") {
            send("HTTP/1.1 404 Not Found\r\n", "no");
        }
        // "/silent": the request is read and never answered.
    }

    QTcpServer m_server;
    QHash<QTcpSocket *, QByteArray> m_buffer;
    QHash<QByteArray, int> m_requests;
};

} // namespace

TEST(ucIHlp, DownloadsCachesAndFollowsWebRedirects)
{
    ucIHlp::ClearDownloadCache();
    TinyServer server;
    ucIHlp helper;
    helper.SetTimeout(3000);
    const QString url = server.Url("/ok.png");
    EXPECT_TRUE(ucIHlp::CheckDownloadCache(url).isNull());
    const PictureLoader::Result first = helper.Fetch(url);
    ASSERT_TRUE(first.Ok()) << first.Error.toStdString();
    EXPECT_EQ(first.Image.size(), QSize(6, 3));
    EXPECT_FALSE(ucIHlp::CheckDownloadCache(url).isNull());
    EXPECT_TRUE(helper.Fetch(url).Ok());
    EXPECT_EQ(server.Requests("/ok.png"), 1);

    const PictureLoader::Result moved = helper.Fetch(server.Url("/to-ok"));
    ASSERT_TRUE(moved.Ok()) << moved.Error.toStdString();
    EXPECT_EQ(server.Requests("/other.png"), 1);

    // The asynchronous form reports through its signal.
    ucIHlp::ClearDownloadCache();
    QString done;
    QObject::connect(&helper, &ucIHlp::Downloaded, [&](const QString &u, const QImage &) { done = u; });
    helper.DownloadImage(url);
    QTest::qWaitFor([&] { return !done.isEmpty(); }, 3000);
    EXPECT_EQ(done, url);
}

TEST(ucIHlp, FailuresAreReportedAsDownloadImageFailure)
{
    ucIHlp::ClearDownloadCache();
    TinyServer server;
    ucIHlp helper;
    helper.SetTimeout(400);
    helper.SetMaxBytes(50000);
    struct Case { const char *path; const char *reason; };
    const Case cases[] = {
        {"/to-file", "redirect to file:"},
        {"/loop", "too many redirects"},
        {"/silent", "timed out"},
        {"/trickle", "timed out"},
        {"/big", "larger than 50000 bytes"},
        {"/stream", "larger than 50000 bytes"},
        {"/text", "not a picture"},
        {"/missing", "Not Found"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        QElapsedTimer clock;
        clock.start();
        const PictureLoader::Result result = helper.Fetch(server.Url(c.path));
        EXPECT_LT(clock.elapsed(), 2500);
        EXPECT_FALSE(result.Ok());
        EXPECT_TRUE(result.Error.startsWith(QLatin1String("DownloadImage failure: ")))
            << result.Error.toStdString();
        EXPECT_TRUE(result.Error.contains(QLatin1String(c.reason), Qt::CaseInsensitive))
            << result.Error.toStdString();
        EXPECT_TRUE(ucIHlp::CheckDownloadCache(server.Url(c.path)).isNull());
    }
    for (const char *url : {"ftp://127.0.0.1/a.png", "file:///etc/passwd", "http://"}) {
        const PictureLoader::Result result = helper.Fetch(QString::fromLatin1(url));
        EXPECT_FALSE(result.Ok());
        EXPECT_TRUE(result.Error.contains(QLatin1String("not an http or https URL")))
            << result.Error.toStdString();
    }
}

TEST(ucIHlp, PictureControlsShareOneDownloadPerUrl)
{
    ucIHlp::ClearDownloadCache();
    TinyServer server;
    ucImage first, second, failing;
    first.SetFilename(server.Url("/ok.png"));
    second.SetFilename(server.Url("/ok.png"));
    failing.SetFilename(server.Url("/to-file"));
    QTest::qWaitFor([&] {
        return !first.Picture().isNull() && !second.Picture().isNull() && !failing.LoadError().isEmpty();
    }, 5000);
    EXPECT_EQ(first.ImageWidth(), 6);
    EXPECT_EQ(second.ImageWidth(), 6);
    EXPECT_EQ(server.Requests("/ok.png"), 1);
    EXPECT_TRUE(failing.Picture().isNull());
    EXPECT_TRUE(failing.LoadError().startsWith(QLatin1String("DownloadImage failure: ")))
        << failing.LoadError().toStdString();
}

TEST(ucIHlp, APictureControlCanWaitForItsDownload)
{
    ucIHlp::ClearDownloadCache();
    TinyServer server;
    ucImage image;
    image.SetWaitForDownloads(true);
    image.SetFilename(server.Url("/ok.png"));
    ucIHlp::Shared()->WaitForDownloads();
    EXPECT_EQ(image.ImageWidth(), 6);
    image.SetFilename(server.Url("/missing"));
    ucIHlp::Shared()->WaitForDownloads();
    EXPECT_TRUE(image.Picture().isNull());
    EXPECT_TRUE(image.LoadError().startsWith(QLatin1String("DownloadImage failure: ")));
}

TEST(ucIHlp, ARunsDownloadsGoSideBySideUnderOneDeadline)
{
    // Sixty pictures on a server that never answers cost the run's deadline once, not sixty
    // time limits one after another; each control then shows why it has no picture.
    ucIHlp::ClearDownloadCache();
    TinyServer server;
    ucIHlp &helper = *ucIHlp::Shared();
    helper.StartRun(1500);
    const QDeadlineTimer runEnd(1500);
    std::vector<std::unique_ptr<ucImage>> images;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 60; ++i) {
        images.push_back(std::make_unique<ucImage>());
        images.back()->SetWaitForDownloads(true);
        images.back()->SetFilename(server.Url(QByteArray("/silent?" + QByteArray::number(i)).constData()));
    }
    helper.WaitForDownloads();
    EXPECT_LT(clock.elapsed(), 10000);
    for (const auto &image : images) {
        EXPECT_TRUE(image->Picture().isNull());
        EXPECT_TRUE(image->LoadError().contains("downloads of this run may take 1500 ms"))
            << image->LoadError().toStdString();
    }
    // A picture asked for after the deadline fails at once.
    while (!runEnd.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    clock.restart();
    const PictureLoader::Result late = helper.Fetch(server.Url("/ok.png"));
    EXPECT_FALSE(late.Ok());
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(server.Requests("/ok.png"), 0);
    helper.StartRun(-1);
    EXPECT_TRUE(helper.Fetch(server.Url("/ok.png")).Ok());
}
