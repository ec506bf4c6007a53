#pragma once
// The bytes of a path that reached the program as Qt text: a dropped file's
// address or a dialog's answer. A name that is not valid in the system's
// encoding survives only where the bytes can still be had; where they
// cannot, the path is made one the delete run refuses, so that no neighbour
// whose name the decoded text happens to spell is ever touched.
#include <QString>
#include <QUrl>
#include <string>

namespace korvane {

// A local file's address: its percent-encoded path decoded byte for byte.
std::string LocalPathBytes(const QUrl& url);

// A path given as text (QFileDialog, QInputDialog): the file system's
// encoding of it, or, when that would not give back the name the system
// listed (a replacement character stands for bytes Qt could not decode), the
// text's bytes with a NUL byte appended: not a plain path.
std::string PathBytesOf(const QString& path);

}  // namespace korvane
