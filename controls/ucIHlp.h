#pragma once

#include "controls/PictureLoader.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>

class QNetworkAccessManager;
class QNetworkReply;

// Downloads pictures named by http and https URLs. Every download has a time limit and a
// size limit, follows redirects only to http and https, and lands in a cache kept for the
// run, so a picture named by many controls is fetched once.
class ucIHlp : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultTimeoutMs = 15000;
    static constexpr int DefaultRunTimeoutMs = 30000;
    static constexpr qint64 DefaultMaxBytes = qint64(16) * 1024 * 1024;
    static constexpr int MaxRedirects = 5;

    explicit ucIHlp(QObject *parent = nullptr);
    // The helper the picture controls share, so a form of many pictures opens one set of
    // connections; it lives as long as the application.
    static ucIHlp *Shared();

    void SetTimeout(int milliseconds) { m_timeoutMs = milliseconds; }
    void SetMaxBytes(qint64 bytes) { m_maxBytes = bytes; }
    // One deadline for every download from now on (a command-line run): they all end by
    // then, and what has not arrived fails with the reason. Without it, each download only
    // has its own time limit. A negative time ends the run's deadline.
    void StartRun(int milliseconds);
    // Waits until every download started has arrived or failed: at most until the run's
    // deadline, or each download's own limit without one.
    void WaitForDownloads();

    // The cached picture of a URL; a null image when it has not been downloaded.
    static QImage CheckDownloadCache(const QString &url);
    static void ClearDownloadCache();

    // Starts reading the picture; Downloaded or Failed follows (also for a cached picture,
    // from the event loop). A second request for a URL being read joins the first.
    void DownloadImage(const QString &url);
    // Reads the picture and waits for it: for callers without an event loop of their own.
    PictureLoader::Result Fetch(const QString &url);

Q_SIGNALS:
    void Downloaded(const QString &url, const QImage &image);
    // `message` is "DownloadImage failure: " and the reason.
    void Failed(const QString &url, const QString &message);

private:
    void Start(const QString &url, const QUrl &target, int redirects);
    void Finish(const QString &url, QNetworkReply *reply, int redirects);
    void Fail(const QString &url, const QString &reason);

    QNetworkAccessManager *m_network;
    int m_timeoutMs = DefaultTimeoutMs;
    qint64 m_maxBytes = DefaultMaxBytes;
    QSet<QString> m_pending;
    QDeadlineTimer m_runDeadline{QDeadlineTimer::Forever};
    int m_runMs = 0;
};
