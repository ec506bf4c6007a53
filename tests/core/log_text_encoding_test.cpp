#include <gtest/gtest.h>

#include "core/log_text_encoding.h"
#include "support/utf16_bytes.h"

namespace korvane {
namespace {

using namespace std::string_literals;

using testing::Utf16Bytes;

TEST(LogTextEncoding, Utf16WithEitherByteOrderBecomesUtf8) {
    const std::u16string log = u"Scanning file C:\\M\u00fcll\\\U0001F600.exe infected by \"V\"\r\n";
    const std::string expected = "Scanning file C:\\M\xC3\xBCll\\\xF0\x9F\x98\x80.exe infected by \"V\"\r\n";
    EXPECT_EQ(Utf16LogAsUtf8(Utf16Bytes(log, false)), expected);
    EXPECT_EQ(Utf16LogAsUtf8(Utf16Bytes(log, true)), expected);
}

TEST(LogTextEncoding, OnlyAByteOrderMarkMakesUtf16) {
    EXPECT_EQ(Utf16LogAsUtf8("Scanning file C:\\x"), std::nullopt);
    EXPECT_EQ(Utf16LogAsUtf8("\xFF"), std::nullopt);
    EXPECT_EQ(Utf16LogAsUtf8("\xFF\xFE"), "");
    // A lone surrogate, then an odd last byte.
    EXPECT_EQ(Utf16LogAsUtf8("\xFF\xFE\x00\xD8"
                             "a\x00"
                             "b"s),
              "\xEF\xBF\xBD"
              "a");
    EXPECT_EQ(Utf16LogAsUtf8("\xFE\xFF\x00\x00"s), "\0"s);
}

struct ShowCase {
    std::string bytes;
    std::string shown;
};

class ShownNames : public ::testing::TestWithParam<ShowCase> {};

TEST_P(ShownNames, InvalidBytesAreReadAsWindows1252) {
    EXPECT_EQ(Windows1252WhereNotUtf8(GetParam().bytes), GetParam().shown);
    EXPECT_EQ(IsValidUtf8(GetParam().bytes), GetParam().bytes == GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ShownNames,
    ::testing::Values(ShowCase{"C:\\plain.exe", "C:\\plain.exe"},
                      ShowCase{"M\xC3\xBCll", "M\xC3\xBCll"},                      // UTF-8 already
                      ShowCase{"M\xFCll\x80.exe", "M\xC3\xBCll\xE2\x82\xAC.exe"},  // ü and the euro sign
                      ShowCase{"\x81\x9F", "\xC2\x81\xC5\xB8"},
                      ShowCase{"\xC0\xAF", "\xC3\x80\xC2\xAF"},                  // overlong slash
                      ShowCase{"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},  // a surrogate
                      ShowCase{"\xE2\x82", "\xC3\xA2\xE2\x80\x9A"},              // cut short
                      ShowCase{"\xC3\xBC\xFC", "\xC3\xBC\xC3\xBC"}));            // mixed

}  // namespace
}  // namespace korvane
