// A surviving folder of 100 000 files: collected in order in moments, queued
// up to the restart list's end with one message for the rest, and recorded.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "core/reboot_delete_list.h"
#include "delete/deletion_fixture.h"
#include "delete/folder_removal.h"

namespace korvane {
namespace {

constexpr int kFiles = 100000;

class LargeFolder : public testing::DeletionFixture {
protected:
    std::string FileName(int i) const {
        char name[32];
        std::snprintf(name, sizeof name, "big/f%06d.exe", i);
        return Path(name);
    }
    void MakeFiles() {
        MakeFolder("big");
        for (int i = 0; i < kFiles; ++i) {
            const int file = ::open(FileName(i).c_str(), O_CREAT | O_WRONLY, 0644);
            ASSERT_GE(file, 0);
            ::close(file);
        }
    }
};

TEST_F(LargeFolder, HundredThousandFilesAreCollectedQueuedAndRecorded) {
    MakeFiles();
    FolderContents contents;
    CollectFolderContents(Context(), Path("big"), "*", contents);
    ASSERT_EQ(contents.files.size(), static_cast<std::size_t>(kFiles));
    EXPECT_TRUE(std::is_sorted(contents.files.begin(), contents.files.end()));
    EXPECT_EQ(contents.files.back(), FileName(kFiles - 1));

    // The folder survives its removal, so everything in it is queued, as far
    // as the list goes; the folder itself no longer fits, so the row cannot
    // say "reboot": it fails, and the end message says why.
    files.locked.insert(Path("big"));
    AddRows({Path("big")});
    Run();
    EXPECT_EQ(Status(0), "failed");
    ASSERT_EQ(Queued().size(), kRebootDeleteListCapacity);
    EXPECT_EQ(Queued().front(), FileName(0));
    EXPECT_EQ(Queued().back(), FileName(static_cast<int>(kRebootDeleteListCapacity) - 1));
    // What did not fit is told once for the files and once for the folder,
    // not once for each of the 67 000 paths.
    const auto overflows = std::count_if(ui.messages.begin(), ui.messages.end(), [](const MessageRequest& m) {
        return m.text == "Addtodelete: 6\r\nOverflow";
    });
    EXPECT_EQ(overflows, 2);
    const auto listed = std::count_if(ui.messages.begin(), ui.messages.end(), [this](const MessageRequest& m) {
        return m.text.find(Path("big") + " (the restart list is full)") != std::string::npos;
    });
    EXPECT_EQ(listed, 1);
    EXPECT_TRUE(Pending().empty());  // nothing of a failed row is promised for the restart
}

}  // namespace
}  // namespace korvane
