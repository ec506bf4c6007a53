// A folder with another file system mounted inside it: removal and the
// restart list stop at the mount point, and the row is refused with the
// reason. Mounting needs root; without it the tests say so and skip.
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "delete/folder_removal.h"
#include "deletion_fixture.h"

namespace korvane {
namespace {

class MountPoint : public testing::DeletionFixture {
protected:
    void TearDown() override {
        for (auto it = mounted_.rbegin(); it != mounted_.rend(); ++it) ::umount2(it->c_str(), MNT_DETACH);
    }
    // A tmpfs and a bind mount of a folder of the same file system inside
    // "victim", each holding a file that must survive.
    bool MountInsideVictim() {
        if (::geteuid() != 0) {
            skipReason_ = "mounting a tmpfs and a bind mount needs root";
            return false;
        }
        MakeFile("victim/plain.exe");
        MakeFile("victim/sub/inner.exe");
        MakeFolder("victim/sub/tmpfs");
        MakeFolder("victim/bind");
        MakeFile("outside/precious.txt");
        if (::mount("korvane-test", Path("victim/sub/tmpfs").c_str(), "tmpfs", 0, "size=1m") != 0) {
            skipReason_ = std::string("cannot mount a tmpfs here: ") + std::strerror(errno);
            return false;
        }
        mounted_.push_back(Path("victim/sub/tmpfs"));
        if (::mount(Path("outside").c_str(), Path("victim/bind").c_str(), nullptr, MS_BIND, nullptr) != 0) {
            skipReason_ = std::string("cannot bind-mount here: ") + std::strerror(errno);
            return false;
        }
        mounted_.push_back(Path("victim/bind"));
        MakeFile("victim/sub/tmpfs/on-tmpfs.txt");
        return true;
    }
    std::string skipReason_;
    std::vector<std::string> mounted_;
};

TEST_F(MountPoint, RemovalLeavesMountedFileSystemsAlone) {
    if (!MountInsideVictim()) GTEST_SKIP() << skipReason_;
    AddRows({Path("victim")});
    DeleteOptions options;
    options.reboot = true;
    const DeleteRunResult result = Run(options);
    EXPECT_EQ(Status(0), "failed");
    EXPECT_TRUE(Exists("victim/sub/tmpfs/on-tmpfs.txt"));
    EXPECT_TRUE(Exists("victim/bind/precious.txt"));
    EXPECT_TRUE(Exists("outside/precious.txt"));
    EXPECT_FALSE(Exists("victim/plain.exe"));  // the rest of the folder went
    EXPECT_FALSE(Exists("victim/sub/inner.exe"));
    EXPECT_FALSE(result.restartNeeded);
    EXPECT_TRUE(system.restartRequests.empty());
    EXPECT_TRUE(Queued().empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find(Path("victim") + " (mount point inside)"), std::string::npos);
}

TEST_F(MountPoint, RestartListLeavesMountedFileSystemsAlone) {
    if (!MountInsideVictim()) GTEST_SKIP() << skipReason_;
    FolderContents contents;
    CollectFolderContents(Context(), Path("victim"), "*", contents);
    EXPECT_EQ(contents.mountPoints, 2u);
    for (const std::string& path : contents.files) EXPECT_EQ(path.find("tmpfs/"), std::string::npos) << path;
    EXPECT_EQ(std::count(contents.folders.begin(), contents.folders.end(), Path("victim/bind")), 0);

    AddRows({Path("victim")});
    DeleteOptions options;
    options.allOnReboot = true;
    Run(options);
    EXPECT_EQ(Status(0), "failed");
    EXPECT_TRUE(Queued().empty());
    EXPECT_TRUE(Pending().empty());
    EXPECT_TRUE(Exists("victim/plain.exe"));
}

// A mount point itself, named by a row, is a root: refused as protected.
TEST_F(MountPoint, AMountPointRowIsProtected) {
    if (!MountInsideVictim()) GTEST_SKIP() << skipReason_;
    AddRows({Path("victim/sub/tmpfs"), Path("victim/bind")});
    Run();
    EXPECT_EQ(Status(0), "failed");
    EXPECT_EQ(Status(1), "failed");
    EXPECT_TRUE(Exists("victim/sub/tmpfs/on-tmpfs.txt"));
    EXPECT_TRUE(Exists("outside/precious.txt"));
}

}  // namespace
}  // namespace korvane
