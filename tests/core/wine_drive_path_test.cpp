#include <gtest/gtest.h>

#include <set>

#include "core/text_util.h"
#include "core/wine_drive_path.h"

namespace korvane {
namespace {

using Kind = WineMappingKind;

const std::vector<WineDrive> kDrives = {
    {'c', "/home/anna/.wine/drive_c"}, {'Z', "/"}, {'d', "/media/usb/"}, {'e', ""}};

struct MappingCase {
    const char* logPath;
    Kind kind;
    const char* path;
};

class WineMapping : public ::testing::TestWithParam<MappingCase> {};

TEST_P(WineMapping, MapsThroughTheDrives) {
    const MappingCase& c = GetParam();
    EXPECT_EQ(MapWineDrivePath(c.logPath, kDrives), (WinePathMapping{c.kind, c.path})) << c.logPath;
}

INSTANTIATE_TEST_SUITE_P(
    Table, WineMapping,
    ::testing::Values(
        // A drive linked to "/" gives no doubled slash.
        MappingCase{R"(Z:\home\anna\Downloads\x.exe)", Kind::Mapped, "/home/anna/Downloads/x.exe"},
        MappingCase{R"(z:\home\anna\x.exe)", Kind::Mapped, "/home/anna/x.exe"},
        MappingCase{R"(C:\users\anna\Temp\a b.dll)", Kind::Mapped,
                    "/home/anna/.wine/drive_c/users/anna/Temp/a b.dll"},
        MappingCase{R"(D:\setup.exe)", Kind::Mapped, "/media/usb/setup.exe"},
        MappingCase{"Z:/home//anna\\x.exe", Kind::Mapped, "/home/anna/x.exe"},
        MappingCase{R"(Z:\)", Kind::Mapped, "/"},
        MappingCase{R"(C:\folder\)", Kind::Mapped, "/home/anna/.wine/drive_c/folder"},
        MappingCase{R"(Q:\nothing\here.exe)", Kind::NoSuchDrive, ""},
        MappingCase{R"(E:\empty\link.exe)", Kind::NoSuchDrive, ""},
        MappingCase{R"(Z:\home\anna\..\..\etc\passwd)", Kind::RelativeComponent, ""},
        MappingCase{R"(C:\.\windows\x.exe)", Kind::RelativeComponent, ""},
        MappingCase{R"(Z:\home\..)", Kind::RelativeComponent, ""},
        MappingCase{R"(Z:\home\anna\..hidden\x..exe)", Kind::Mapped, "/home/anna/..hidden/x..exe"},
        MappingCase{"C:windows", Kind::NotAbsolute, ""},
        MappingCase{"/home/anna/x.exe", Kind::NotADrivePath, "/home/anna/x.exe"},
        MappingCase{"relative\\x.exe", Kind::NotADrivePath, "relative\\x.exe"},
        MappingCase{"1:\\x", Kind::NotADrivePath, "1:\\x"}));

// Names on disk: the exact name wins, otherwise the one that matches ignoring case.
TEST(WineMapping, FindsNamesOnDiskIgnoringCase) {
    const std::set<std::string> onDisk = {"/pfx/drive_c/windows", "/pfx/drive_c/windows/system32",
                                          "/pfx/drive_c/windows/system32/evil.dll", "/pfx/drive_c/Same",
                                          "/pfx/drive_c/same"};
    const WineNameLookup lookup = [&](const std::string& folder, const std::string& name) -> std::string {
        if (onDisk.count(folder + "/" + name) != 0) return name;
        for (const std::string& path : onDisk) {
            const std::size_t slash = path.rfind('/');
            if (path.substr(0, slash) == folder &&
                AsciiLowerCopy(path.substr(slash + 1)) == AsciiLowerCopy(name))
                return path.substr(slash + 1);
        }
        return {};
    };
    const std::vector<WineDrive> drives = {{'C', "/pfx/drive_c"}};
    EXPECT_EQ(MapWineDrivePath(R"(c:\WINDOWS\System32\EVIL.DLL)", drives, lookup).path,
              "/pfx/drive_c/windows/system32/evil.dll");
    EXPECT_EQ(MapWineDrivePath(R"(C:\same)", drives, lookup).path, "/pfx/drive_c/same");
    // Past the first missing name the rest stays as written.
    EXPECT_EQ(MapWineDrivePath(R"(C:\Windows\Gone\System32)", drives, lookup).path,
              "/pfx/drive_c/windows/Gone/System32");
}

}  // namespace
}  // namespace korvane
