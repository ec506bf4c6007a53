// A surviving folder whose tree is ten thousand levels deep: the collection
// keeps its own stack, so it neither overflows the call stack nor reaches
// outside the folder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <unistd.h>

#include "delete/deletion_fixture.h"
#include "delete/folder_removal.h"

namespace korvane {
namespace {

constexpr int kDepth = 10000;

// Builds and removes the chain root/d/d/.../d with a file at the bottom by
// stepping through it, since its whole path is longer than the system takes
// in one call.
class DeepChain {
public:
    DeepChain(const std::string& root, int depth) : root_(root), depth_(depth) {
        Walk([this] {
            for (int i = 0; i < depth_; ++i) {
                if (::mkdir("d", 0755) != 0 || ::chdir("d") != 0) return;
                ++made_;
            }
            const int leaf = ::open("leaf.exe", O_CREAT | O_WRONLY, 0644);
            if (leaf >= 0) ::close(leaf);
        });
    }
    ~DeepChain() {
        Walk([this] {
            int down = 0;
            while (down < made_ && ::chdir("d") == 0) ++down;
            ::unlink("leaf.exe");
            for (; down > 0; --down) {
                if (::chdir("..") != 0) return;
                ::rmdir("d");
            }
            ::rmdir("d");
        });
    }
    int Made() const { return made_; }

private:
    template <typename Steps>
    void Walk(Steps steps) {
        const int back = ::open(".", O_RDONLY | O_DIRECTORY);
        if (::chdir(root_.c_str()) == 0) steps();
        if (back >= 0) {
            (void)::fchdir(back);
            ::close(back);
        }
    }
    std::string root_;
    int depth_;
    int made_ = 0;
};

class DeepFolder : public testing::DeletionFixture {};

struct CollectionOnThread {
    DeletionContext* context;
    std::string folder;
    FolderContents contents;
};

// One tree serves both parts: making and removing ten thousand folders takes
// the disk a while.
TEST_F(DeepFolder, CollectionRunsOnASmallStackAndTheRunTouchesNothingElse) {
    MakeFolder("dir");
    MakeFile("dir/a.exe");
    MakeFile("beside.exe");
    DeepChain chain(Path("dir"), kDepth);
    ASSERT_EQ(chain.Made(), kDepth);

    // 128 KiB: a call per level would need several megabytes.
    DeletionContext context = Context();
    CollectionOnThread job{&context, Path("dir"), {}};
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 128 * 1024);
    pthread_t thread;
    ASSERT_EQ(pthread_create(
                  &thread, &attributes,
                  [](void* data) -> void* {
                      auto* job = static_cast<CollectionOnThread*>(data);
                      CollectFolderContents(*job->context, job->folder, "*", job->contents);
                      return nullptr;
                  },
                  &job),
              0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);

    // The search goes down as far as the system can name a folder, each level
    // before the one inside it; below that, where a folder can be listed but
    // not looked at, its one entry counts as a file, and deeper levels add
    // nothing.
    const std::vector<std::string>& folders = job.contents.folders;
    ASSERT_GT(folders.size(), 1000u);
    EXPECT_LE(folders.size(), static_cast<std::size_t>(kDepth));
    EXPECT_EQ(folders.front(), Path("dir/d"));
    for (std::size_t i = 1; i < folders.size(); ++i) ASSERT_EQ(folders[i], folders[i - 1] + "/d") << i;
    ASSERT_FALSE(job.contents.files.empty());
    EXPECT_LE(job.contents.files.size(), 2u);
    EXPECT_EQ(job.contents.files.front(), Path("dir/a.exe"));

    // The whole delete run on it: the folder goes now or is left for the
    // restart; nothing beside it is touched.
    AddRows({Path("dir")});
    Run();
    EXPECT_TRUE(Status(0) == "deleted" || Status(0) == "reboot") << Status(0);
    EXPECT_TRUE(Exists("beside.exe"));
    if (Status(0) == "reboot") {
        EXPECT_EQ(Queued().back(), Path("dir"));
    }
}

}  // namespace
}  // namespace korvane
