#include "scanner/loopback_server.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

namespace korvane::testing {

LoopbackServer::LoopbackServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            ++connections;
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { ReadRequests(socket); });
        }
    });
}

QString LoopbackServer::HostAndPort() const {
    return QStringLiteral("127.0.0.1:%1").arg(server_.serverPort());
}

QString LoopbackServer::Url(const QString& path) const {
    return QStringLiteral("http://") + HostAndPort() + path;
}

void LoopbackServer::ReadRequests(QTcpSocket* socket) {
    // Requests without a body, one after another on the same connection.
    QByteArray pending = socket->property("pending").toByteArray() + socket->readAll();
    for (qsizetype end; (end = pending.indexOf("\r\n\r\n")) >= 0;) {
        const QByteArray request = pending.left(end);
        pending.remove(0, end + 4);
        const QList<QByteArray> firstLine = request.left(request.indexOf("\r\n")).split(' ');
        const QString path = firstLine.size() > 1 ? QString::fromLatin1(firstLine[1]) : QString();
        if (!Answer(socket, path)) {
            disconnect(socket, &QTcpSocket::readyRead, nullptr, nullptr);
            return;
        }
    }
    socket->setProperty("pending", pending);
}

bool LoopbackServer::Answer(QTcpSocket* socket, const QString& path) {
    requests << path;
    const auto found = routes_.constFind(path);
    CannedResponse response;
    if (found != routes_.constEnd()) {
        response = *found;
    } else {
        response.status = 404;
        response.body = "not here";
    }
    const bool keepAlive = response.announcedLength != CannedResponse::kNoLength && !response.stall &&
                           !response.cutShort && response.dripMilliseconds == 0;
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " Canned\r\n";
    if (!response.location.isEmpty()) head += "Location: " + response.location + "\r\n";
    head += "Content-Type: " + response.contentType + "\r\n";
    if (response.announcedLength != CannedResponse::kNoLength) {
        const qint64 length = response.announcedLength == CannedResponse::kBodySize
                                  ? response.body.size()
                                  : response.announcedLength;
        head += "Content-Length: " + QByteArray::number(length) + "\r\n";
    }
    head += keepAlive ? "Connection: keep-alive\r\n\r\n" : "Connection: close\r\n\r\n";
    if (response.stall || response.cutShort) {
        socket->write(head + response.body.left(response.body.size() / 2));
        socket->flush();
        if (response.cutShort) socket->disconnectFromHost();
        return false;  // a stalled answer keeps the connection open and silent
    }
    if (response.dripMilliseconds > 0) {
        socket->write(head);
        auto* drip = new QTimer(socket);
        QPointer<QTcpSocket> guarded(socket);
        auto sent = std::make_shared<qsizetype>(0);
        connect(drip, &QTimer::timeout, socket, [guarded, drip, sent, body = response.body] {
            if (!guarded || guarded->state() != QAbstractSocket::ConnectedState) return drip->stop();
            if (*sent >= body.size()) {
                drip->stop();
                guarded->disconnectFromHost();
                return;
            }
            guarded->write(body.mid((*sent)++, 1));
        });
        drip->start(response.dripMilliseconds);
        return false;
    }
    socket->write(head + response.body);
    if (!keepAlive) socket->disconnectFromHost();
    return keepAlive;
}

quint16 ClosedLoopbackPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

}  // namespace korvane::testing
