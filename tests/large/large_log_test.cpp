// Logs of hundreds of megabytes and a million lines, made by the test and
// given to the real program: it reads them in seconds and reports what is in
// them, nothing more.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <string>

#include "cli/korvane_run.h"
#include "core/whole_file.h"

namespace korvane {
namespace {

using Outcome = testing::KorvaneOutcome;

class LargeLog : public ::testing::Test {
protected:
    QString Path(const char* name) const { return temp.path() + QLatin1Char('/') + QLatin1String(name); }
    QTemporaryDir temp;
};

constexpr const char* kObjectLine = "Scanning file C:\\WINDOWS\\evil.exe infected by \"Trojan.Evil\"";

// 200 MB without a line break is no scanner log: reading stops after 64 MiB
// with one clear message and exit status 2, and no report is written, so
// neither the memory nor the output grows with the file.
TEST_F(LargeLog, TwoHundredMegabytesWithoutLineBreakIsNoLog) {
    constexpr std::size_t kSize = 200u << 20;
    const QString log = Path("one-line.log");
    {
        std::FILE* file = std::fopen(log.toLocal8Bit().constData(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs(kObjectLine, file);
        const std::string chunk(1 << 20, 'x');
        std::size_t written = std::string(kObjectLine).size();
        while (written < kSize) written += std::fwrite(chunk.data(), 1, chunk.size(), file);
        ASSERT_EQ(std::fclose(file), 0);
    }
    const QString reportFile = Path("report.txt");
    const Outcome report = testing::RunKorvane({"report", "--language", "en", log}, reportFile);
    EXPECT_EQ(report.status, 2) << report.err;
    EXPECT_EQ(report.err, "korvane report: No line end within 64 MiB: this is not a scanner log.\n");
    QFile written(reportFile);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.size(), 0);
    written.close();
    QFile::remove(log);
    QFile::remove(reportFile);
}

// A million lines, every tenth an object line, each path named five times.
TEST_F(LargeLog, MillionLineLogGivesEveryObjectOnce) {
    constexpr int kLines = 1000000;
    const QString log = Path("million.log");
    {
        std::FILE* file = std::fopen(log.toLocal8Bit().constData(), "wb");
        ASSERT_NE(file, nullptr);
        std::string block;
        for (int i = 0; i < kLines; ++i) {
            if (i % 10 == 0) {
                block +=
                    "Scanning file C:\\data\\f" + std::to_string(i % 200000) + ".exe infected by \"V\"\r\n";
            } else {
                block += "Scanning file C:\\data\\ok" + std::to_string(i) + ".dll OK\r\n";
            }
            if (block.size() > (1 << 20)) {
                std::fwrite(block.data(), 1, block.size(), file);
                block.clear();
            }
        }
        block += "Total Objects: 1000000\r\n";
        std::fwrite(block.data(), 1, block.size(), file);
        ASSERT_EQ(std::fclose(file), 0);
    }
    const QString entriesFile = Path("entries.txt");
    const Outcome entries = testing::RunKorvane({"entries", log}, entriesFile);
    EXPECT_EQ(entries.status, 0);
    const std::string listed = ReadWholeFile(entriesFile.toStdString());
    EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 20000);
    EXPECT_EQ(listed.substr(0, 27), "1\tC:\\data\\f0.exe\tV\t\n2\tC:\\da");
    EXPECT_NE(listed.find("\n20000\tC:\\data\\f199990.exe\tV\t\n"), std::string::npos);

    const QString reportFile = Path("report.txt");
    const Outcome report = testing::RunKorvane({"report", "--language", "en", log}, reportFile);
    EXPECT_EQ(report.status, 0);
    const std::string text = ReadWholeFile(reportFile.toStdString());
    EXPECT_NE(text.find("\r\n100000: Scanning file C:\\data\\f"), std::string::npos);
    EXPECT_NE(text.find("\r\n20000: C:\\data\\f199990.exe => V\r\n"), std::string::npos);
    EXPECT_NE(text.find("Total Objects: 1000000\r\n"), std::string::npos);
    QFile::remove(log);
}

}  // namespace
}  // namespace korvane
