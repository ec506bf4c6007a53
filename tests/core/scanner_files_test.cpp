#include <gtest/gtest.h>

#include "core/archive_member_name.h"
#include "core/vendor_host.h"

namespace korvane {
namespace {

TEST(FlatMemberName, KeepsOnlyTheLastComponent) {
    EXPECT_EQ(FlatMemberName("bases/KAVUpd.exe"), "KAVUpd.exe");
    EXPECT_EQ(FlatMemberName("..\\..\\evil.exe"), "evil.exe");
    EXPECT_EQ(FlatMemberName("../x/../mwavscan.com"), "mwavscan.com");
    EXPECT_EQ(FlatMemberName("/etc/passwd"), "passwd");
    EXPECT_EQ(FlatMemberName("plain.txt"), "plain.txt");
    for (const char* refused : {"", ".", "..", "a/..", "a\\.", "folder/", "folder\\"}) {
        EXPECT_EQ(FlatMemberName(refused), "") << refused;
    }
}

TEST(ExtractedFileMode, DropsSpecialBitsAndWriteByOthers) {
    EXPECT_EQ(ExtractedFileMode(0100755), 0755u);
    EXPECT_EQ(ExtractedFileMode(04777), 0775u);
    EXPECT_EQ(ExtractedFileMode(02644), 0644u);
    EXPECT_EQ(ExtractedFileMode(01666), 0664u);
    EXPECT_EQ(ExtractedFileMode(0), 0644u);
}

TEST(VendorHost, VariableReplacesTheBuiltInHost) {
    EXPECT_EQ(VendorHost(nullptr), kVendorHost);
    EXPECT_EQ(VendorHost(""), kVendorHost);
    EXPECT_EQ(VendorHost("127.0.0.1:8080"), "127.0.0.1:8080");
    EXPECT_EQ(VendorPageAddress("h:1"), "http://h:1/antivirus/mwav.asp");
    EXPECT_EQ(StandardArchiveLink("h"), "http://h/download/tools/mwav.exe");
}

}  // namespace
}  // namespace korvane
