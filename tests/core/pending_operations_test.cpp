// The pending-operations file stands in for the system's own list on POSIX systems.
#ifndef _WIN32
#include "core/pending_operations.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/whole_file.h"
#include "support/disk_full.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "korvane-pending-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void Touch(const std::string& path, const std::string& content = "x") {
    ASSERT_FALSE(WriteWholeFile(path, content));
}

TEST(PendingOperations, EncodingKeepsEveryByteOfAPath) {
    const std::vector<PendingOperation> operations = {
        {"/tmp/a\nb", ""}, {"/tmp/caf\xe9.exe", "/backup/caf\xe9.exe.bkp"}, {"/tmp/ trailing ", ""}};
    const std::string text = EncodePendingOperations(operations);
    EXPECT_EQ(text.substr(0, 10), std::string("/tmp/a\nb\0\0", 10));
    EXPECT_EQ(DecodePendingOperations(text), operations);
    EXPECT_EQ(DecodePendingOperations(EncodePendingOperations({})), std::vector<PendingOperation>{});
    EXPECT_FALSE(DecodePendingOperations(""));                          // not even the check
    EXPECT_FALSE(DecodePendingOperations(std::string("/tmp/a\0", 7)));  // half a pair
    EXPECT_FALSE(DecodePendingOperations("no terminator"));
}

// Every shorter file, and every file with one byte changed, is refused whole.
TEST(PendingOperations, ListCutShortOrDamagedAnywhereIsRefused) {
    const std::string text = EncodePendingOperations(
        {{"/home/u/tool.exe", ""}, {"/home/u/b.exe", "/home/u/KRBackup/b.exe.bkp"}, {"/home/u/dir", ""}});
    for (std::size_t length = 0; length < text.size(); ++length) {
        EXPECT_FALSE(DecodePendingOperations(text.substr(0, length))) << length;
    }
    for (std::size_t at = 0; at < text.size(); ++at) {
        for (const char replacement : {'\0', 'x', '/', static_cast<char>(text[at] ^ 0x20)}) {
            if (replacement == text[at]) continue;
            std::string damaged = text;
            damaged[at] = replacement;
            EXPECT_FALSE(DecodePendingOperations(damaged)) << at << " " << int(replacement);
        }
    }
    EXPECT_FALSE(DecodePendingOperations(text + text));
    EXPECT_FALSE(DecodePendingOperations(text + "/extra\0\0"));
}

TEST(PendingOperations, AppendingAddsOnlyNewOperationsAndCreatesTheFolder) {
    TempFolder temp;
    const std::string file = temp / "state/pending";
    ASSERT_FALSE(AppendPendingOperations(file, {{"/x/one", ""}, {"/x/two", "/b/two.bkp"}}));
    ASSERT_FALSE(AppendPendingOperations(file, {{"/x/two", "/b/two.bkp"}, {"/x/three", ""}}));
    EXPECT_EQ(DecodePendingOperations(ReadWholeFile(file)),
              (std::vector<PendingOperation>{{"/x/one", ""}, {"/x/two", "/b/two.bkp"}, {"/x/three", ""}}));
}

TEST(PendingOperations, AListThatDoesNotDecodeIsNeitherExtendedNorApplied) {
    TempFolder temp;
    const std::string file = temp / "pending";
    Touch(temp / "victim");
    Touch(file, "garbage without pairs");
    EXPECT_TRUE(AppendPendingOperations(file, {{temp / "victim", ""}}));
    const ApplyPendingResult result = ApplyPendingOperations(file);
    EXPECT_TRUE(result.fileError);
    EXPECT_TRUE(fs::exists(temp / "victim"));
    EXPECT_EQ(ReadWholeFile(file), "garbage without pairs");
}

TEST(PendingOperations, ApplyCarriesOutInOrderAndKeepsOnlyFailures) {
    TempFolder temp;
    const std::string file = temp / "pending";
    const std::string odd = temp / "new\nline\xff.exe";
    Touch(odd);
    Touch(temp / "tool.exe", "infected");
    fs::create_directory(temp / "backup");
    Touch(temp / "backup/tool.exe.bkp", "older backup");
    fs::create_directory(temp / "empty");
    fs::create_directory(temp / "full");
    Touch(temp / "full/keep.txt");
    fs::create_directory(temp / "outside");
    Touch(temp / "outside/precious");
    fs::create_symlink(temp / "outside", temp / "link");

    const std::vector<PendingOperation> operations = {
        {odd, ""},
        {temp / "tool.exe", temp / "backup/tool.exe.bkp"},  // replaces the older backup
        {temp / "empty", ""},
        {temp / "full", ""},  // not empty: fails and stays listed
        {temp / "link", ""},  // the link goes, never what it points to
        {temp / "already-gone", ""},
    };
    ASSERT_FALSE(AppendPendingOperations(file, operations));
    const ApplyPendingResult result = ApplyPendingOperations(file);
    ASSERT_FALSE(result.fileError);
    ASSERT_EQ(result.applied.size(), operations.size());
    for (std::size_t i = 0; i < operations.size(); ++i) EXPECT_EQ(result.applied[i].operation, operations[i]);
    EXPECT_FALSE(result.applied[0].error);
    EXPECT_FALSE(result.applied[1].error);
    EXPECT_FALSE(result.applied[2].error);
    EXPECT_TRUE(result.applied[3].error);
    EXPECT_FALSE(result.applied[4].error);
    EXPECT_TRUE(result.applied[5].alreadyGone);

    EXPECT_FALSE(fs::exists(odd));
    EXPECT_FALSE(fs::exists(temp / "tool.exe"));
    EXPECT_EQ(ReadWholeFile(temp / "backup/tool.exe.bkp"), "infected");
    EXPECT_FALSE(fs::exists(temp / "empty"));
    EXPECT_TRUE(fs::exists(temp / "full/keep.txt"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(temp / "link")));
    EXPECT_TRUE(fs::exists(temp / "outside/precious"));
    EXPECT_EQ(DecodePendingOperations(ReadWholeFile(file)),
              (std::vector<PendingOperation>{{temp / "full", ""}}));
}

// The list cannot be written back: the older list stays whole, so what failed
// is not lost (what was done is found gone next time).
TEST(PendingOperations, ListThatCannotBeWrittenBackStaysAsItWas) {
    TempFolder temp;
    const std::string file = temp / "pending";
    Touch(temp / "done.exe");
    fs::create_directory(temp / "full");
    Touch(temp / "full/keep.txt");  // not empty: its removal fails and must stay listed
    ASSERT_FALSE(AppendPendingOperations(file, {{temp / "done.exe", ""}, {temp / "full", ""}}));
    const std::string older = ReadWholeFile(file);
    ApplyPendingResult result;
    {
        testing::DiskFullAfter full(8);
        ASSERT_TRUE(full.Active());
        result = ApplyPendingOperations(file);
    }
    EXPECT_TRUE(result.fileError);
    EXPECT_FALSE(fs::exists(temp / "done.exe"));
    EXPECT_EQ(ReadWholeFile(file), older);
}

// A pass that gets something done is followed by another for what failed:
// a folder listed before what is in it still goes at the same boot. A refusal
// is not tried again, and stays listed like a failure.
TEST(PendingOperations, PassesRepeatWhileTheyGetSomethingDone) {
    TempFolder temp;
    const std::string file = temp / "pending";
    fs::create_directories(temp / "a/b/c");
    Touch(temp / "a/b/c/x.exe");
    const std::vector<PendingOperation> operations = {{temp / "a", ""},
                                                      {temp / "a/b", ""},
                                                      {temp / "a/b/c", ""},
                                                      {temp / "a/b/c/x.exe", ""},
                                                      {temp / "no", ""}};
    ASSERT_FALSE(AppendPendingOperations(file, operations));
    int calls = 0;
    const ApplyPendingResult result = ApplyPendingOperations(file, [&calls](AppliedOperation& applied) {
        ++calls;
        if (applied.operation.source.ends_with("/no")) {
            applied.refused = PendingRefusal::ProtectedTarget;
            return;
        }
        applied.error = CarryOutPendingOperation(applied.operation, applied.alreadyGone);
    });
    ASSERT_FALSE(result.fileError);
    EXPECT_FALSE(fs::exists(temp / "a"));
    ASSERT_EQ(result.applied.size(), operations.size());
    for (std::size_t i = 0; i < 4; ++i) EXPECT_TRUE(result.applied[i].Done()) << i;
    EXPECT_EQ(result.applied[4].refused, PendingRefusal::ProtectedTarget);
    EXPECT_EQ(calls, 4 + 3 + 2 + 1 + 1);  // four passes, one more each time; the refusal once
    EXPECT_EQ(DecodePendingOperations(ReadWholeFile(file)),
              (std::vector<PendingOperation>{{temp / "no", ""}}));
    // The list is readable and writable by its owner alone.
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST(PendingOperations, MissingListIsEmpty) {
    TempFolder temp;
    const ApplyPendingResult result = ApplyPendingOperations(temp / "none");
    EXPECT_FALSE(result.fileError);
    EXPECT_TRUE(result.applied.empty());
    EXPECT_FALSE(fs::exists(temp / "none"));
}

TEST(PendingOperations, FileNameComesFromTheEnvironment) {
    ::setenv(kPendingOperationsFileVariable, "/some/where/list", 1);
    EXPECT_EQ(PendingOperationsFile(), "/some/where/list");
    ::unsetenv(kPendingOperationsFileVariable);
    EXPECT_EQ(PendingOperationsFile(), kDefaultPendingOperationsFile);
}

}  // namespace
}  // namespace korvane
#endif
