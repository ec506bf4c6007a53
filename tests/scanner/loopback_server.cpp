#include "scanner/loopback_server.h"

#include <QTcpSocket>

namespace korvane::testing {

LoopbackServer::LoopbackServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            socket->setParent(this);
            auto* request = new QByteArray;
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
                request->append(socket->readAll());
                if (!request->contains("\r\n\r\n")) return;
                const QList<QByteArray> firstLine = request->left(request->indexOf("\r\n")).split(' ');
                socket->setProperty("path",
                                    firstLine.size() > 1 ? QString::fromLatin1(firstLine[1]) : QString());
                delete request;
                disconnect(socket, &QTcpSocket::readyRead, nullptr, nullptr);
                Answer(socket);
            });
        }
    });
}

QString LoopbackServer::HostAndPort() const {
    return QStringLiteral("127.0.0.1:%1").arg(server_.serverPort());
}

QString LoopbackServer::Url(const QString& path) const {
    return QStringLiteral("http://") + HostAndPort() + path;
}

void LoopbackServer::Answer(QTcpSocket* socket) {
    const QString path = socket->property("path").toString();
    requests << path;
    const auto found = routes_.constFind(path);
    const CannedResponse response =
        found != routes_.constEnd() ? *found : CannedResponse{404,   "not here", {},
                                                              false, false,      CannedResponse::kBodySize};
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " Canned\r\n";
    if (!response.location.isEmpty()) head += "Location: " + response.location + "\r\n";
    head += "Content-Type: application/octet-stream\r\n";
    if (response.announcedLength != CannedResponse::kNoLength) {
        const qint64 length = response.announcedLength == CannedResponse::kBodySize
                                  ? response.body.size()
                                  : response.announcedLength;
        head += "Content-Length: " + QByteArray::number(length) + "\r\n";
    }
    head += "Connection: close\r\n\r\n";
    if (response.stall || response.cutShort) {
        socket->write(head + response.body.left(response.body.size() / 2));
        socket->flush();
        if (response.cutShort) socket->disconnectFromHost();
        return;  // a stalled answer keeps the connection open and silent
    }
    socket->write(head + response.body);
    socket->disconnectFromHost();
}

quint16 ClosedLoopbackPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

}  // namespace korvane::testing
