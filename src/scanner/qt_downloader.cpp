#include "scanner/qt_downloader.h"

#include <QCoreApplication>
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

}  // namespace

QNetworkAccessManager& SharedNetworkAccess() {
    // Owned by the application object, so it goes when the application does;
    // a later application gets a new one.
    static QPointer<QNetworkAccessManager> manager;
    if (manager.isNull()) manager = new QNetworkAccessManager(QCoreApplication::instance());
    return *manager;
}

bool QtDownloader::DownloadFile(const std::string& url, const std::string& target,
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

    const QUrl address(QString::fromStdString(url));
    if (!address.isValid() || address.scheme().isEmpty() || address.host().isEmpty()) return false;

    // Written beside the target and renamed over it only when complete.
    QSaveFile file(QString::fromLocal8Bit(target.c_str()));
    if (!file.open(QIODevice::WriteOnly)) return false;

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
    stall.setInterval(stallTimeout_);
    bool stalled = false;
    bool refused = false;  // a redirect we do not follow, or a write error
    bool headersSeen = false;
    qint64 received = 0;
    qint64 total = 0;

    QObject::connect(&stall, &QTimer::timeout, reply, [&] {
        stalled = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::socketStartedConnecting, reply,
                     [&] { notify(kDownloadConnecting, reply->url().host()); });
    QObject::connect(reply, &QNetworkReply::requestSent, reply, [&] {
        stall.start();
        notify(kDownloadSendingRequest, QString());
    });
    QObject::connect(reply, &QNetworkReply::redirected, reply, [&](const QUrl& next) {
        stall.start();
        if (next.scheme().compare(address.scheme(), Qt::CaseInsensitive) != 0) {
            refused = true;
            reply->abort();
            return;
        }
        notify(kDownloadRedirecting, next.toString());
        emit reply->redirectAllowed();
    });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [&] {
        stall.start();
        const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
        if (announced.isValid() && announced.toLongLong() > maximumSize_) {
            refused = true;
            reply->abort();
            return;
        }
        if (headersSeen) return;
        headersSeen = true;
        notify(kDownloadBeginData, reply->url().toString());
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
        stall.start();
        const QByteArray data = reply->readAll();
        // An answer without a length may still be endless.
        if (data.size() > maximumSize_ - file.size() || file.write(data) != data.size()) {
            refused = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [&](qint64 bytes, qint64 size) {
        stall.start();
        received = bytes;
        total = size;
        // A failed transfer ends with a last progress signal that received nothing.
        if (reply->error() != QNetworkReply::NoError) return;
        notify(kDownloadData, reply->url().toString(), bytes, size);
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);

    stall.start();
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    stall.stop();

    if (reply->isOpen()) {
        const QByteArray rest = reply->readAll();
        if (rest.size() > maximumSize_ - file.size() || (!rest.isEmpty() && file.write(rest) != rest.size()))
            refused = true;
    }

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    const bool complete = !length.isValid() || length.toLongLong() == file.size();
    const bool ok = !stalled && !refused && reply->error() == QNetworkReply::NoError && status >= 200 &&
                    status < 300 && complete;
    const QString finalUrl = reply->url().toString();
    reply->deleteLater();

    if (!ok) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) return false;
    notify(kDownloadEndData, finalUrl, received, total);
    return true;
}

}  // namespace korvane
