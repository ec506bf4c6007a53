#include "scanner/test_archive.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <algorithm>

namespace korvane::testing {

namespace {

quint32 Le32(const QByteArray& b, qsizetype at) {
    return static_cast<quint32>(static_cast<quint8>(b[at])) |
           static_cast<quint32>(static_cast<quint8>(b[at + 1])) << 8 |
           static_cast<quint32>(static_cast<quint8>(b[at + 2])) << 16 |
           static_cast<quint32>(static_cast<quint8>(b[at + 3])) << 24;
}
quint16 Le16(const QByteArray& b, qsizetype at) {
    return static_cast<quint16>(static_cast<quint8>(b[at]) | static_cast<quint8>(b[at + 1]) << 8);
}
void Put32(QByteArray& b, qsizetype at, quint32 v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
void Put16(QByteArray& b, qsizetype at, quint16 v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8);
}

struct ZipParts {
    QByteArray locals;
    QByteArray directory;
    quint16 count = 0;
};

ZipParts Split(const QByteArray& zip) {
    const qsizetype end = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
    EXPECT_GE(end, 0);
    ZipParts parts;
    parts.count = Le16(zip, end + 10);
    const quint32 size = Le32(zip, end + 12);
    const quint32 offset = Le32(zip, end + 16);
    parts.locals = zip.left(offset);
    parts.directory = zip.mid(offset, size);
    return parts;
}

// One archive with the members of a followed by those of b.
QByteArray Merge(const QByteArray& a, const QByteArray& b) {
    ZipParts first = Split(a);
    ZipParts second = Split(b);
    const auto shift = static_cast<quint32>(first.locals.size());
    for (qsizetype at = 0; at < second.directory.size();) {
        Put32(second.directory, at + 42, Le32(second.directory, at + 42) + shift);
        at += 46 + Le16(second.directory, at + 28) + Le16(second.directory, at + 30) +
              Le16(second.directory, at + 32);
    }
    QByteArray out = first.locals + second.locals + first.directory + second.directory;
    QByteArray end(22, '\0');
    Put32(end, 0, 0x06054b50);
    Put16(end, 8, static_cast<quint16>(first.count + second.count));
    Put16(end, 10, static_cast<quint16>(first.count + second.count));
    Put32(end, 12, static_cast<quint32>(first.directory.size() + second.directory.size()));
    Put32(end, 16, static_cast<quint32>(first.locals.size() + second.locals.size()));
    return out + end;
}

// The writer encrypts all members or none; mixed archives are merged from runs.
QByteArray MakeUniformZip(const std::vector<Member>& members, bool encrypted) {
    std::vector<char> buffer(1 << 20);
    size_t used = 0;
    struct archive* a = archive_write_new();
    archive_write_set_format_zip(a);
    archive_write_set_format_option(a, "zip", "compression", "store");
    if (encrypted) {
        EXPECT_EQ(archive_write_set_format_option(a, "zip", "encryption", "zipcrypt"), ARCHIVE_OK)
            << archive_error_string(a);
        archive_write_set_passphrase(a, kTestPassword);
    }
    EXPECT_EQ(archive_write_open_memory(a, buffer.data(), buffer.size(), &used), ARCHIVE_OK);
    for (const Member& m : members) {
        struct archive_entry* e = archive_entry_new();
        archive_entry_set_pathname_utf8(e, m.name.c_str());
        switch (m.kind) {
            case Member::File:
                archive_entry_set_filetype(e, AE_IFREG);
                archive_entry_set_size(e, static_cast<la_int64_t>(m.content.size()));
                break;
            case Member::Folder:
                archive_entry_set_filetype(e, AE_IFDIR);
                break;
            case Member::Link:
                archive_entry_set_filetype(e, AE_IFLNK);
                archive_entry_set_symlink(e, m.linkTarget.c_str());
                break;
        }
        archive_entry_set_perm(e, m.mode);
        EXPECT_EQ(archive_write_header(a, e), ARCHIVE_OK) << archive_error_string(a);
        if (m.kind == Member::File && !m.content.empty()) {
            EXPECT_EQ(archive_write_data(a, m.content.data(), m.content.size()),
                      static_cast<la_ssize_t>(m.content.size()));
        }
        archive_entry_free(e);
    }
    EXPECT_EQ(archive_write_close(a), ARCHIVE_OK) << archive_error_string(a);
    archive_write_free(a);
    return QByteArray(buffer.data(), static_cast<qsizetype>(used));
}

}  // namespace

QByteArray MakeZip(const std::vector<Member>& members) {
    QByteArray zip;
    for (std::size_t start = 0; start < members.size();) {
        std::size_t end = start;
        while (end < members.size() && members[end].encrypted == members[start].encrypted) ++end;
        const QByteArray run = MakeUniformZip({members.begin() + static_cast<std::ptrdiff_t>(start),
                                               members.begin() + static_cast<std::ptrdiff_t>(end)},
                                              members[start].encrypted);
        zip = zip.isEmpty() ? run : Merge(zip, run);
        start = end;
    }
    return zip.isEmpty() ? MakeUniformZip({}, false) : zip;
}

QByteArray MakeBomb(const std::string& name, std::size_t size) {
    std::vector<char> buffer(1 << 20);
    size_t used = 0;
    struct archive* a = archive_write_new();
    archive_write_set_format_zip(a);
    archive_write_set_format_option(a, "zip", "compression", "deflate");
    EXPECT_EQ(archive_write_open_memory(a, buffer.data(), buffer.size(), &used), ARCHIVE_OK);
    struct archive_entry* e = archive_entry_new();
    archive_entry_set_pathname_utf8(e, name.c_str());
    archive_entry_set_filetype(e, AE_IFREG);
    archive_entry_set_size(e, static_cast<la_int64_t>(size));
    archive_entry_set_perm(e, 0644);
    EXPECT_EQ(archive_write_header(a, e), ARCHIVE_OK) << archive_error_string(a);
    const std::vector<char> zeros(1 << 16, '\0');
    for (std::size_t left = size; left > 0;) {
        const std::size_t n = std::min(left, zeros.size());
        archive_write_data(a, zeros.data(), n);
        left -= n;
    }
    archive_entry_free(e);
    EXPECT_EQ(archive_write_close(a), ARCHIVE_OK) << archive_error_string(a);
    archive_write_free(a);
    return QByteArray(buffer.data(), static_cast<qsizetype>(used));
}

QByteArray WithProgramStub(const QByteArray& zip) {
    QByteArray stub = "MZ";
    stub += QByteArray(4094, '\x90');
    return stub + zip;
}

std::string RecordingScript(const std::string& record) {
    return "#!/bin/sh\n{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > '" + record +
           "'\nexit 0\n";
}

void WriteFileBytes(const std::string& path, const QByteArray& bytes, unsigned mode) {
    QFile file(QString::fromLocal8Bit(path.c_str()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path;
    ASSERT_EQ(file.write(bytes), bytes.size());
    file.close();
    ::chmod(path.c_str(), mode);
}

QByteArray ReadFileBytes(const std::string& path) {
    QFile file(QString::fromLocal8Bit(path.c_str()));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

}  // namespace korvane::testing
