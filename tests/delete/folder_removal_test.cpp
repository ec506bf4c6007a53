#include "delete/folder_removal.h"

#include <gtest/gtest.h>

#include "deletion_fixture.h"

namespace korvane {
namespace {

class FolderRemoval : public testing::DeletionFixture {
protected:
    void MakeTree() {
        MakeFile("dir/a.txt");
        MakeFile("dir/b.exe");
        MakeFile("dir/s/c.exe");
        MakeFile("dir/s/t/d.EXE");
        MakeFolder("dir/u");
    }
};

// Every file first, then the sub-folders deepest first: each folder is empty
// when its turn comes, so one restart removes the whole tree.
TEST_F(FolderRemoval, QueuesFilesThenSubFoldersDeepestFirstThenTheFolder) {
    MakeTree();
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"*.*",
         {"dir/a.txt", "dir/b.exe", "dir/s/c.exe", "dir/s/t/d.EXE", "dir/s/t", "dir/s", "dir/u", "dir"}},
        {"*.exe", {"dir/b.exe", "dir/s/c.exe", "dir/s/t/d.EXE", "dir/s/t", "dir/s", "dir/u", "dir"}},
        {"", {"dir/a.txt", "dir/b.exe", "dir/s/c.exe", "dir/s/t/d.EXE", "dir/s/t", "dir/s", "dir/u", "dir"}},
        {"*exe", {"dir/s/t", "dir/s", "dir/u", "dir"}},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        state.RebootDeleteList.assign(1, {});
        EXPECT_EQ(QueueSurvivingFolder(Context(), Path("dir"), text), FolderQueueing::Queued);
        std::vector<std::string> full;
        for (const std::string& relative : expected) full.push_back(Path(relative));
        EXPECT_EQ(Queued(), full);
    }
}

TEST_F(FolderRemoval, TrailingSeparatorGivesNoDoubledSeparator) {
    MakeTree();
    FolderContents contents;
    CollectFolderContents(Context(), Path("dir") + "/", "*", contents);
    ASSERT_FALSE(contents.files.empty());
    EXPECT_EQ(contents.files.front(), Path("dir/a.txt"));
    EXPECT_EQ(contents.folders.front(), Path("dir/s"));
    EXPECT_GT(eventRounds, 0);  // the window was kept responsive
}

TEST_F(FolderRemoval, EmptyFolderQueuesNothing) {
    MakeFolder("empty");
    EXPECT_EQ(QueueSurvivingFolder(Context(), Path("empty"), "*.*"), FolderQueueing::Empty);
    EXPECT_TRUE(Queued().empty());
}

// A link inside a surviving folder that points outside it is queued itself;
// nothing behind it is collected, and removing the folder leaves its target.
TEST_F(FolderRemoval, LinksAreEntriesNeverFollowed) {
    MakeFile("outside/precious.exe");
    MakeFile("dir/b.exe");
    std::filesystem::create_symlink(Path("outside"), Path("dir/link"));
    std::filesystem::create_symlink(Path("outside/precious.exe"), Path("dir/file-link.exe"));

    EXPECT_EQ(QueueSurvivingFolder(Context(), Path("dir"), "*.*"), FolderQueueing::Queued);
    EXPECT_EQ(Queued(), (std::vector<std::string>{Path("dir/b.exe"), Path("dir/file-link.exe"),
                                                  Path("dir/link"), Path("dir")}));

    rows.clear();
    AddRows({Path("dir")});
    Run();
    EXPECT_EQ(Status(0), "deleted");
    EXPECT_FALSE(Exists("dir"));
    EXPECT_TRUE(Exists("outside/precious.exe"));
}

TEST_F(FolderRemoval, ALinkRowIsRemovedAsALink) {
    MakeFile("outside/precious.exe");
    MakeFolder("x");
    std::filesystem::create_symlink(Path("outside"), Path("x/link"));
    AddRows({Path("x/link")});
    Run();
    EXPECT_EQ(Status(0), "deleted");
    EXPECT_FALSE(Exists("x/link"));
    EXPECT_TRUE(Exists("outside/precious.exe"));
}

}  // namespace
}  // namespace korvane
