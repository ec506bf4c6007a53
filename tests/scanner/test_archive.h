#pragma once
// ZIP archives made in the test with libarchive's writer, optionally behind a
// program stub as a self-extracting archive has.
#include <QByteArray>
#include <string>
#include <vector>

namespace korvane::testing {

struct Member {
    std::string name;
    std::string content;
    unsigned mode = 0644;
    bool encrypted = false;
    enum Kind { File, Folder, Link } kind = File;
    std::string linkTarget = {};
};

inline constexpr const char* kTestPassword = "s3cret";

// Stored (uncompressed), so a test can damage a member's bytes.
QByteArray MakeZip(const std::vector<Member>& members);
QByteArray WithProgramStub(const QByteArray& zip);
// One deflated member of size zero bytes: a small archive that unpacks huge.
QByteArray MakeBomb(const std::string& name, std::size_t size);

// A shell script that records its working folder and arguments, one a line,
// in record (a path), then exits 0.
std::string RecordingScript(const std::string& record);

// Writes bytes to path; fails the test when it cannot.
void WriteFileBytes(const std::string& path, const QByteArray& bytes, unsigned mode = 0644);
QByteArray ReadFileBytes(const std::string& path);

}  // namespace korvane::testing
