// Logs in the encodings the scanner and editors write, loaded through the
// real window: the list and the clipboard show readable names, the rows and
// the report file keep the log's bytes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTemporaryDir>

#include "app/application.h"
#include "app/log_check.h"
#include "core/whole_file.h"
#include "log/log_evaluation_controller.h"
#include "log/result_list_model.h"
#include "support/fake_security_system.h"
#include "support/utf16_bytes.h"

namespace korvane {
namespace {

class LogEncodingsWindow : public ::testing::Test {
protected:
    LogEncodingsWindow() {
        auto system = std::make_unique<testing::FakeSecuritySystem>();
        system->localeName = "English";
        system->programFolder = Path("");
        // The real clipboard; a log with objects opens no dialog.
        app_ = std::make_unique<Application>(std::move(system), nullptr, nullptr);
        app_->Start();
    }
    std::string Path(const std::string& name) const { return temp_.path().toStdString() + "/" + name; }
    void Load(const std::string& name, const std::string& bytes) {
        ASSERT_FALSE(WriteWholeFile(Path(name), bytes));
        app_->Window().findChild<LogEvaluationController*>()->OpenLogFile(Path(name));
    }
    ResultListModel& Model() { return app_->Window().Model(); }
    QString Shown(int row, int column) {
        return Model().data(Model().index(row, column), Qt::DisplayRole).toString();
    }

    QTemporaryDir temp_;
    std::unique_ptr<Application> app_;
};

TEST_F(LogEncodingsWindow, Windows1252NamesAreShownReadableAndKeptAsBytes) {
    const std::string path = "C:\\Programme\\M\xfcll\\\x80uro.exe";
    Load("mwav.log", "Scanning file " + path + " infected by \"W\xe4rm.A\"\r\n");
    ASSERT_EQ(Model().rowCount(), 1);
    EXPECT_EQ(Shown(0, 1), QString::fromUtf8("C:\\Programme\\Müll\\€uro.exe"));
    EXPECT_EQ(Shown(0, 2), QString::fromUtf8("Wärm.A"));
    EXPECT_EQ(Model().Row(0).Path, path);
    EXPECT_TRUE(QApplication::clipboard()->text().contains(
        QString::fromUtf8("1: C:\\Programme\\Müll\\€uro.exe => Wärm.A")));
    EXPECT_NE(ReadWholeFile(Path("escan_Result.txt")).find("1: " + path + " => W\xe4rm.A\r\n"),
              std::string::npos);
}

TEST_F(LogEncodingsWindow, Utf16LogsOfBothByteOrdersGiveTheirRows) {
    const std::u16string line = u"Scanning file C:\\M\u00fcll\\evil.exe infected by \"Trojan.Evil\"\r\n";
    for (const bool bigEndian : {false, true}) {
        const std::string bytes = testing::Utf16Bytes(line, bigEndian);
        Load(bigEndian ? "be.log" : "le.log", bytes);
        ASSERT_EQ(Model().rowCount(), 1) << bigEndian;
        EXPECT_EQ(Model().Row(0).Path, "C:\\M\xc3\xbcll\\evil.exe");
        EXPECT_EQ(Shown(0, 1), QString::fromUtf8("C:\\Müll\\evil.exe"));
        EXPECT_EQ(Shown(0, 2), QStringLiteral("Trojan.Evil"));
    }
}

}  // namespace
}  // namespace korvane
