#include "scanner/qt_downloader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

namespace korvane {

namespace {

std::uint32_t Count32(qint64 value) {
    // The progress display works with 32-bit counts; an unknown size is 0.
    return value < 0 ? 0u : static_cast<std::uint32_t>(value);
}

bool IsWebScheme(const QString& scheme) {
    return scheme.compare(QLatin1String("http"), Qt::CaseInsensitive) == 0 ||
           scheme.compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
}

// The length the latest answer announces; -1 when it announces none. After a
// redirect on a connection kept alive, Qt joins the redirect's header with
// the file's ("40, 200000"): the last value is the file's.
qint64 AnnouncedLength(const QNetworkReply& reply) {
    const QByteArray raw = reply.rawHeader("Content-Length");
    if (raw.isEmpty()) return -1;
    bool ok = false;
    const qint64 length = raw.mid(raw.lastIndexOf(',') + 1).trimmed().toLongLong(&ok);
    return ok && length >= 0 ? length : -1;
}

std::int64_t Seconds(std::chrono::milliseconds time) {
    return std::chrono::duration_cast<std::chrono::seconds>(time + std::chrono::milliseconds(999)).count();
}

}  // namespace

QNetworkAccessManager& SharedNetworkAccess() {
    // Owned by the application object, so it goes when the application does;
    // a later application gets a new one.
    static QPointer<QNetworkAccessManager> manager;
    if (manager.isNull()) manager = new QNetworkAccessManager(QCoreApplication::instance());
    return *manager;
}

QtDownloader::QtDownloader(std::chrono::milliseconds stallTimeout, qint64 maximumSize) {
    limits_.stallTimeout = stallTimeout;
    limits_.downloadMaximumBytes = maximumSize;
}

QtDownloader::QtDownloader(const ScannerLimits& limits) : limits_(limits) {}

void QtDownloader::Cancel() {
    if (cancel_) cancel_();
}

DownloadResult QtDownloader::DownloadFile(const std::string& url, const std::string& target,
                                          const ProgressSink& progress) {
    const auto notify = [&](int code, const QString& text, qint64 received = 0, qint64 total = 0) {
        if (!progress) return;
        DownloadNotification n;
        n.code = code;
        n.text = text.toStdString();
        n.progress = Count32(received);
        n.maximum = Count32(total);
        progress(n);
    };

    DownloadResult result;
    const QUrl address(QString::fromStdString(url));
    if (!address.isValid() || !IsWebScheme(address.scheme()) || address.host().isEmpty()) {
        result.failure = DownloadFailure::BadAddress;
        result.detail = url;
        return result;
    }
    const qint64 maximumSize = limits_.downloadMaximumBytes;

    // Written beside the target and renamed over it only when complete.
    QSaveFile file(QString::fromLocal8Bit(target.c_str()));
    if (!file.open(QIODevice::WriteOnly)) {
        result.failure = DownloadFailure::WriteFailed;
        return result;
    }

    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaximumRedirects);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);

    notify(kDownloadFinding, address.host());
    QNetworkReply* reply = SharedNetworkAccess().get(request);

    QEventLoop loop;
    QTimer stall;
    stall.setSingleShot(true);
    stall.setInterval(limits_.stallTimeout);
    QTimer deadline;
    deadline.setSingleShot(true);
    QTimer rateCheck;
    rateCheck.setInterval(
        std::max<std::chrono::milliseconds>(limits_.minimumRateAfter / 4, std::chrono::milliseconds(50)));
    QElapsedTimer clock;
    clock.start();
    bool headersSeen = false;
    qint64 received = 0;
    qint64 total = 0;
    // The length the final answer announces: a redirect's own length, read
    // on a connection kept alive, says nothing about the file.
    qint64 announced = -1;

    const auto fail = [&](DownloadFailure why, std::int64_t limit = 0) {
        if (result.failure != DownloadFailure::None) return;
        result.failure = why;
        result.limit = limit;
        reply->abort();
    };

    QObject::connect(&stall, &QTimer::timeout, reply,
                     [&] { fail(DownloadFailure::NoData, Seconds(limits_.stallTimeout)); });
    QObject::connect(&deadline, &QTimer::timeout, reply,
                     [&] { fail(DownloadFailure::Deadline, Seconds(limits_.downloadDeadline)); });
    QObject::connect(&rateCheck, &QTimer::timeout, reply, [&] {
        const qint64 elapsed = clock.elapsed();
        if (elapsed < limits_.minimumRateAfter.count()) return;
        if (file.size() * 1000 < limits_.minimumBytesPerSecond * elapsed)
            fail(DownloadFailure::TooSlow, limits_.minimumBytesPerSecond);
    });
    cancel_ = [&] { fail(DownloadFailure::Cancelled); };
    QObject::connect(reply, &QNetworkReply::socketStartedConnecting, reply,
                     [&] { notify(kDownloadConnecting, reply->url().host()); });
    QObject::connect(reply, &QNetworkReply::requestSent, reply, [&] {
        stall.start();
        notify(kDownloadSendingRequest, QString());
    });
    QObject::connect(reply, &QNetworkReply::redirected, reply, [&](const QUrl& next) {
        stall.start();
        // http may lead to https, never the other way round or elsewhere.
        const QString from = reply->url().scheme().toLower();
        const QString to = next.scheme().toLower();
        if (!IsWebScheme(to) || (from == QLatin1String("https") && to != QLatin1String("https"))) {
            fail(DownloadFailure::RedirectRefused);
            return;
        }
        announced = -1;
        notify(kDownloadRedirecting, next.toString());
        emit reply->redirectAllowed();
    });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [&] {
        stall.start();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status >= 300 && status < 400) return;
        announced = AnnouncedLength(*reply);
        if (announced > maximumSize) {
            fail(DownloadFailure::TooLarge);
            return;
        }
        if (headersSeen) return;
        headersSeen = true;
        notify(kDownloadBeginData, reply->url().toString());
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
        stall.start();
        const QByteArray data = reply->readAll();
        // A redirect's own body, read off a connection kept alive, is not the file.
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status >= 300 && status < 400) return;
        // An answer without a length may still be endless.
        if (data.size() > maximumSize - file.size()) {
            fail(DownloadFailure::TooLarge);
        } else if (file.write(data) != data.size()) {
            fail(DownloadFailure::WriteFailed);
        }
    });
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [&](qint64 bytes, qint64 size) {
        stall.start();
        received = bytes;
        total = size;
        // A failed transfer ends with a last progress signal that received nothing.
        if (reply->error() != QNetworkReply::NoError || result.failure != DownloadFailure::None) return;
        notify(kDownloadData, reply->url().toString(), bytes, size);
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);

    stall.start();
    deadline.start(limits_.downloadDeadline);
    if (limits_.minimumBytesPerSecond > 0) rateCheck.start();
    if (!reply->isFinished()) loop.exec();
    stall.stop();
    deadline.stop();
    rateCheck.stop();
    cancel_ = nullptr;

    if (result.failure == DownloadFailure::None && reply->isOpen()) {
        const QByteArray rest = reply->readAll();
        if (rest.size() > maximumSize - file.size()) {
            result.failure = DownloadFailure::TooLarge;
        } else if (!rest.isEmpty() && file.write(rest) != rest.size()) {
            result.failure = DownloadFailure::WriteFailed;
        }
    }

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (result.failure == DownloadFailure::None) {
        if (reply->error() != QNetworkReply::NoError) {
            if (status >= 400) {
                result.failure = DownloadFailure::HttpStatus;
                result.httpStatus = status;
            } else {
                result.failure = DownloadFailure::Network;
                result.detail = reply->errorString().toStdString();
            }
        } else if (status < 200 || status >= 300) {
            result.failure = DownloadFailure::HttpStatus;
            result.httpStatus = status;
        } else if (announced >= 0 && announced != file.size()) {
            result.failure = DownloadFailure::Incomplete;
        }
    }
    const QString finalUrl = reply->url().toString();
    reply->deleteLater();

    if (!result.Ok()) {
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.failure = DownloadFailure::WriteFailed;
        return result;
    }
    notify(kDownloadEndData, finalUrl, received, total);
    return result;
}

}  // namespace korvane
