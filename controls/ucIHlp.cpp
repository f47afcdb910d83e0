#include "controls/ucIHlp.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>

namespace {

bool WebScheme(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

const char *const AbortReason = "corvaneAbortReason";

} // namespace

ucIHlp::ucIHlp(QObject *parent) : QObject(parent), m_network(new QNetworkAccessManager(this))
{
    m_network->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
}

ucIHlp *ucIHlp::Shared()
{
    static QPointer<ucIHlp> shared;
    if (!shared)
        shared = new ucIHlp(QCoreApplication::instance());
    return shared;
}

QImage ucIHlp::CheckDownloadCache(const QString &url)
{
    return PictureLoader::Kept(url.trimmed());
}

void ucIHlp::ClearDownloadCache()
{
    PictureLoader::ForgetShared();
}

void ucIHlp::DownloadImage(const QString &requested)
{
    const QString url = requested.trimmed();
    if (const QImage cached = CheckDownloadCache(url); !cached.isNull()) {
        QMetaObject::invokeMethod(
            this, [this, url, cached] { Q_EMIT Downloaded(url, cached); }, Qt::QueuedConnection);
        return;
    }
    if (m_pending.contains(url))
        return;
    const QUrl target(url, QUrl::StrictMode);
    if (!target.isValid() || !WebScheme(target) || target.host().isEmpty()) {
        QMetaObject::invokeMethod(
            this, [this, url] { Fail(url, QStringLiteral("not an http or https URL")); },
            Qt::QueuedConnection);
        m_pending.insert(url);
        return;
    }
    m_pending.insert(url);
    Start(url, target, 0);
}

void ucIHlp::StartRun(int milliseconds)
{
    m_runMs = milliseconds;
    m_runDeadline = milliseconds < 0 ? QDeadlineTimer(QDeadlineTimer::Forever)
                                     : QDeadlineTimer(milliseconds);
}

void ucIHlp::WaitForDownloads()
{
    if (m_pending.isEmpty())
        return;
    QEventLoop loop;
    auto check = [this, &loop] {
        if (m_pending.isEmpty())
            loop.quit();
    };
    // Every download ends by its own limit (and by the run's deadline), so the loop ends.
    const auto ok = connect(this, &ucIHlp::Downloaded, &loop, check, Qt::QueuedConnection);
    const auto failed = connect(this, &ucIHlp::Failed, &loop, check, Qt::QueuedConnection);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    disconnect(ok);
    disconnect(failed);
}

void ucIHlp::Start(const QString &url, const QUrl &target, int redirects)
{
    // Within a run, a download has what is left of the run's time, if that is less.
    int timeLimit = m_timeoutMs;
    QString timedOut = QStringLiteral("timed out after %1 ms").arg(m_timeoutMs);
    if (!m_runDeadline.isForever() && m_runDeadline.remainingTime() < timeLimit) {
        timeLimit = int(m_runDeadline.remainingTime());
        timedOut = QStringLiteral("timed out: the downloads of this run may take %1 ms in all")
                       .arg(m_runMs);
        if (timeLimit <= 0) {
            QMetaObject::invokeMethod(
                this, [this, url, timedOut] { Fail(url, timedOut); }, Qt::QueuedConnection);
            return;
        }
    }
    QNetworkRequest request(target);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(timeLimit);
    request.setAttribute(QNetworkRequest::User, timedOut);
    QNetworkReply *reply = m_network->get(request);
    QPointer<QNetworkReply> guard(reply);
    auto abortWith = [guard](const QString &reason) {
        if (guard && guard->isRunning()) {
            guard->setProperty(AbortReason, reason);
            guard->abort();
        }
    };
    // The transfer time-out only notices a silent server; a server that trickles is stopped
    // by the deadline for the whole download.
    auto *deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    // A coarse timer may fire a twentieth early: the run's deadline is kept to the millisecond.
    deadline->setTimerType(Qt::PreciseTimer);
    connect(deadline, &QTimer::timeout, reply, [abortWith, timedOut] { abortWith(timedOut); });
    deadline->start(timeLimit);
    const qint64 limit = m_maxBytes;
    connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, abortWith, limit] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > limit)
            abortWith(QStringLiteral("the picture is larger than %1 bytes").arg(limit));
    });
    connect(reply, &QNetworkReply::downloadProgress, reply, [abortWith, limit](qint64 received, qint64) {
        if (received > limit)
            abortWith(QStringLiteral("the picture is larger than %1 bytes").arg(limit));
    });
    connect(reply, &QNetworkReply::finished, this,
            [this, url, reply, redirects] { Finish(url, reply, redirects); });
}

void ucIHlp::Finish(const QString &url, QNetworkReply *reply, int redirects)
{
    reply->deleteLater();
    const QString aborted = reply->property(AbortReason).toString();
    if (!aborted.isEmpty())
        return Fail(url, aborted);
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 300 && status < 400) {
        const QUrl location = reply->url().resolved(
            reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl());
        if (!WebScheme(location))
            return Fail(url, QStringLiteral("redirect to %1 refused").arg(location.toString()));
        if (redirects >= MaxRedirects)
            return Fail(url, QStringLiteral("too many redirects"));
        return Start(url, location, redirects + 1);
    }
    if (reply->error() == QNetworkReply::OperationCanceledError
        || reply->error() == QNetworkReply::TimeoutError)
        return Fail(url, reply->request().attribute(QNetworkRequest::User).toString());
    if (reply->error() != QNetworkReply::NoError)
        return Fail(url, reply->errorString());
    const QByteArray bytes = reply->readAll();
    if (bytes.size() > m_maxBytes)
        return Fail(url, QStringLiteral("the picture is larger than %1 bytes").arg(m_maxBytes));
    // Downloads are kept for the run and count against the pictures' memory budget.
    const PictureLoader::Result picture = PictureLoader::KeepBytes(bytes, url);
    if (!picture.Ok())
        return Fail(url, picture.Error);
    m_pending.remove(url);
    Q_EMIT Downloaded(url, picture.Image);
}

void ucIHlp::Fail(const QString &url, const QString &reason)
{
    m_pending.remove(url);
    Q_EMIT Failed(url, QStringLiteral("DownloadImage failure: %1").arg(reason));
}

PictureLoader::Result ucIHlp::Fetch(const QString &requested)
{
    const QString url = requested.trimmed();
    if (const QImage cached = CheckDownloadCache(url); !cached.isNull())
        return {cached, {}};
    QEventLoop loop;
    PictureLoader::Result result;
    bool done = false;
    auto ok = connect(this, &ucIHlp::Downloaded, &loop, [&](const QString &u, const QImage &image) {
        if (u == url) {
            result.Image = image;
            done = true;
            loop.quit();
        }
    });
    auto failed = connect(this, &ucIHlp::Failed, &loop, [&](const QString &u, const QString &message) {
        if (u == url) {
            result.Error = message;
            done = true;
            loop.quit();
        }
    });
    DownloadImage(url);
    if (!done)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    disconnect(ok);
    disconnect(failed);
    return result;
}
