// Logs that are no scanner logs, or are damaged, huge or oddly encoded, given
// to the real program as files: it answers with a clear message or the
// entries it can read, and never crashes or hangs.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <random>
#include <string>

#include "cli/korvane_run.h"
#include "core/whole_file.h"
#include "support/utf16_bytes.h"

namespace korvane {
namespace {

using Outcome = testing::KorvaneOutcome;

class BadLogInput : public ::testing::Test {
protected:
    static Outcome Korvane(const QStringList& arguments) { return testing::RunKorvane(arguments); }

    QString Write(const char* name, const std::string& bytes) {
        const std::string path = temp.path().toStdString() + "/" + name;
        EXPECT_FALSE(WriteWholeFile(path, bytes));
        return QString::fromStdString(path);
    }

    QTemporaryDir temp;
};

constexpr const char* kObjectLine = "Scanning file C:\\WINDOWS\\evil.exe infected by \"Trojan.Evil\"";

TEST_F(BadLogInput, BinaryFileWithoutFileWordIsNoLog) {
    std::string bytes;
    std::mt19937 random(7);
    while (bytes.size() < (1 << 20)) {
        const char c = static_cast<char>(random() & 0xFF);
        // Keep the text free of the word the loaders look for.
        if (c == 'f' || c == 'F') continue;
        bytes.push_back(c);
    }
    const QString log = Write("random.bin", bytes);
    const Outcome report = Korvane({"report", "--language", "en", log});
    EXPECT_EQ(report.status, 1);
    EXPECT_EQ(report.err, "no file-informations available\n");
    EXPECT_EQ(report.out, "");
    const Outcome entries = Korvane({"entries", log});
    EXPECT_EQ(entries.status, 0);
    EXPECT_EQ(entries.out, "");
}

TEST_F(BadLogInput, ObjectLineAmidBinaryBytesIsFoundAndNothingElse) {
    std::string bytes;
    for (int round = 0; round < 64; ++round) {
        for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
    }
    // Binary junk that holds the words but not in an object line's order.
    using namespace std::string_literals;
    bytes +=
        "infected \r\ntagged as not-a-virus:\r\n\x01\xff"
        "file \x00\x80 infected\r\n"s;
    bytes += std::string("\r\n") + kObjectLine + "\r\n";
    bytes += bytes.substr(0, 4096);
    const QString log = Write("mixed.bin", bytes);
    const Outcome entries = Korvane({"entries", log});
    EXPECT_EQ(entries.status, 0);
    EXPECT_EQ(entries.out, "1\tC:\\WINDOWS\\evil.exe\tTrojan.Evil\t\n");
    const Outcome report = Korvane({"report", "--language", "en", log});
    EXPECT_EQ(report.status, 0) << report.err;
    EXPECT_NE(report.out.find("1: C:\\WINDOWS\\evil.exe => Trojan.Evil\r\n"), std::string::npos);
}

TEST_F(BadLogInput, FileOfNulBytesIsNoLog) {
    const QString log = Write("nul.log", std::string(1 << 20, '\0'));
    const Outcome report = Korvane({"report", "--language", "en", log});
    EXPECT_EQ(report.status, 1);
    EXPECT_EQ(report.err, "no file-informations available\n");
    EXPECT_EQ(report.out, "");
    EXPECT_EQ(Korvane({"entries", log}).out, "");
}

TEST_F(BadLogInput, Utf16LogWithEitherByteOrderIsConvertedBeforeParsing) {
    // Saved as UTF-16 by an editor: every second byte is zero, so without the
    // conversion no word of the scanner's language would be there as bytes.
    const std::u16string line = u"Scanning file C:\\M\u00fcll\\evil.exe infected by \"Trojan.Evil\"\r\n";
    for (const bool bigEndian : {false, true}) {
        const std::string bytes = testing::Utf16Bytes(line, bigEndian);
        const QString log = Write(bigEndian ? "utf16be.log" : "utf16le.log", bytes);
        EXPECT_EQ(Korvane({"entries", log}).out, "1\tC:\\M\xc3\xbcll\\evil.exe\tTrojan.Evil\t\n")
            << bigEndian;
        const Outcome report = Korvane({"report", "--language", "de", log});
        EXPECT_EQ(report.status, 0);
        EXPECT_NE(report.out.find("1: C:\\M\xc3\xbcll\\evil.exe => Trojan.Evil\r\n"), std::string::npos);
    }
}

TEST_F(BadLogInput, PathBytesThatAreNoUtf8PassThroughUnchanged) {
    // Latin-1 umlauts, a lone continuation byte and an overlong sequence.
    const std::string path = "C:\\Programme\\M\xfcll\\\x80\xc0\xaf\xff.exe";
    const QString log = Write("latin1.log", "Scanning file " + path + " infected by \"W\xe4rm\"\r\n");
    const Outcome entries = Korvane({"entries", log});
    EXPECT_EQ(entries.status, 0);
    EXPECT_EQ(entries.out, "1\t" + path + "\tW\xe4rm\t\n");
    const Outcome report = Korvane({"report", "--language", "en", log});
    EXPECT_EQ(report.status, 0);
    EXPECT_NE(report.out.find("1: " + path + " => W\xe4rm\r\n"), std::string::npos);
}

// Endless bytes without a line end: a clear error, not a program that grows
// until the system stops it.
TEST_F(BadLogInput, DeviceWithoutLineEndsIsAnError) {
    if (!QFile::exists(QStringLiteral("/dev/zero"))) GTEST_SKIP() << "no /dev/zero on this system";
    for (const char* command : {"report", "entries", "clean"}) {
        QStringList arguments = {command, QStringLiteral("/dev/zero")};
        if (std::string(command) == "clean") arguments.insert(1, QStringLiteral("--dry-run"));
        const Outcome run = Korvane(arguments);
        EXPECT_EQ(run.status, 2) << command;
        EXPECT_NE(run.err.find("No line end within 64 MiB: this is not a scanner log."), std::string::npos)
            << command << ": " << run.err;
        EXPECT_EQ(run.out, "") << command;
    }
}

// A line over the limit is left out and counted; the lines around it count.
TEST_F(BadLogInput, LineOverTheLimitIsSkippedWithAWarning) {
    const std::string log = std::string(kObjectLine) + "\r\n" + "Scanning file C:\\" +
                            std::string(3 << 20, 'x') +
                            ".exe infected by \"Huge\"\r\nScanning file C:\\b.exe infected by \"B\"\r\n";
    const QString file = Write("long-line.log", log);
    const Outcome entries = Korvane({"entries", file});
    EXPECT_EQ(entries.status, 3);
    // The fourth column is empty: these drive paths map nowhere here.
    EXPECT_EQ(entries.out, "1\tC:\\WINDOWS\\evil.exe\tTrojan.Evil\t\n2\tC:\\b.exe\tB\t\n");
    EXPECT_NE(entries.err.find("Lines over 1 MiB skipped: 1"), std::string::npos) << entries.err;
    const Outcome report = Korvane({"report", "--language", "en", file});
    EXPECT_EQ(report.status, 3);
    EXPECT_NE(report.out.find("2: C:\\b.exe => B\r\n"), std::string::npos);
    EXPECT_EQ(report.out.find("xxxx"), std::string::npos);
}

// A log whose name is no UTF-8 (a Windows name copied over): read under that
// very name, not under the neighbour that the decoded name would give.
TEST_F(BadLogInput, LogFileNameBytesAreKept) {
    const std::string folder = temp.path().toStdString();
    ASSERT_FALSE(WriteWholeFile(folder + "/log\xff.txt", std::string(kObjectLine) + "\r\n"));
    ASSERT_FALSE(
        WriteWholeFile(folder + "/log\xef\xbf\xbd.txt", "Scanning file C:\\other.exe infected by \"X\"\r\n"));
    QProcess shell;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("WINEPREFIX"), temp.path() + QStringLiteral("/no-wine"));
    shell.setProcessEnvironment(environment);
    shell.setWorkingDirectory(temp.path());
    shell.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"), QStringLiteral("exec \"$0\" entries \"$(printf 'log\\377.txt')\""),
                 QStringLiteral(KORVANE_EXECUTABLE)});
    ASSERT_TRUE(shell.waitForFinished(60000));
    EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
    EXPECT_EQ(shell.readAllStandardOutput().toStdString(), "1\tC:\\WINDOWS\\evil.exe\tTrojan.Evil\t\n");
}

}  // namespace
}  // namespace korvane
