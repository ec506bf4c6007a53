#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for download tests: fixed answers per
// path on connections kept alive between requests, redirects, errors, and
// answers that stall, stop early, lie about their length or drip.
#include <QByteArray>
#include <QMap>
#include <QStringList>
#include <QTcpServer>

namespace korvane::testing {

struct CannedResponse {
    int status = 200;
    QByteArray body;
    QByteArray location;    // for redirects
    bool stall = false;     // send the headers and half the body, then nothing
    bool cutShort = false;  // announce the whole body, send half, close
    // The Content-Length to announce: kBodySize for the body's own, kNoLength
    // for none (the body then runs to the close), or any number.
    qint64 announcedLength = kBodySize;
    static constexpr qint64 kBodySize = -1;
    static constexpr qint64 kNoLength = -2;
    QByteArray contentType = "application/octet-stream";
    // Send the body one byte per dripMilliseconds instead of at once.
    int dripMilliseconds = 0;
};

class LoopbackServer : public QObject {
    Q_OBJECT
public:
    LoopbackServer();
    // host:port, for KORVANE_VENDOR_HOST.
    QString HostAndPort() const;
    QString Url(const QString& path) const;
    void Serve(const QString& path, CannedResponse response) { routes_[path] = std::move(response); }
    // Paths asked for, in order.
    QStringList requests;
    // Connections accepted; fewer than requests when connections were reused.
    int connections = 0;

private:
    void ReadRequests(class QTcpSocket* socket);
    // False when the connection ends with this answer.
    bool Answer(class QTcpSocket* socket, const QString& path);

    QTcpServer server_;
    QMap<QString, CannedResponse> routes_;
};

// A port on loopback where nothing listens.
quint16 ClosedLoopbackPort();

}  // namespace korvane::testing
