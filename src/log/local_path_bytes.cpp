#include "log/local_path_bytes.h"

#include <QByteArray>
#include <QFile>

namespace korvane {

namespace {
std::string Unusable(const QByteArray& bytes) {
    return bytes.toStdString() + '\0';
}
}  // namespace

std::string PathBytesOf(const QString& path) {
    const QByteArray bytes = QFile::encodeName(path);
    if (path.contains(QChar::ReplacementCharacter) || QFile::decodeName(bytes) != path)
        return Unusable(bytes);
    return bytes.toStdString();
}

std::string LocalPathBytes(const QUrl& url) {
#ifdef Q_OS_WIN
    return PathBytesOf(url.toLocalFile());
#else
    // The address carries the name's bytes percent-encoded; decoding the
    // text instead would turn each odd byte into U+FFFD.
    const QByteArray encoded = url.path(QUrl::FullyEncoded).toLatin1();
    return QByteArray::fromPercentEncoding(encoded).toStdString();
#endif
}

}  // namespace korvane
