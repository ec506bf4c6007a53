#include "core/sha256.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "core/whole_file.h"

namespace korvane {
namespace {

struct Vector {
    std::string input;
    const char* digest;
};

// The FIPS 180-4 examples and the usual extra vectors, around the block and
// padding boundaries (55, 56, 64 bytes) where a hand-made hash goes wrong.
TEST(Sha256, StandardTestVectors) {
    const Vector vectors[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrs"
         "mnopqrstnopqrstu",
         "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        {std::string(55, 'a'), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
        {std::string(56, 'a'), "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
        {std::string(64, 'a'), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
    };
    for (const Vector& v : vectors) {
        SCOPED_TRACE(v.input.size());
        EXPECT_EQ(Sha256Hex(v.input), v.digest);
    }
}

TEST(Sha256, PiecesGiveTheSameDigestAsTheWhole) {
    std::string input;
    for (int i = 0; i < 1000; ++i) input.push_back(static_cast<char>(i * 7));
    for (const std::size_t piece : {1u, 3u, 63u, 64u, 65u, 500u}) {
        Sha256 hash;
        for (std::size_t at = 0; at < input.size(); at += piece)
            hash.Update(std::string_view(input).substr(at, piece));
        EXPECT_EQ(hash.FinishHex(), Sha256Hex(input)) << piece;
    }
}

TEST(Sha256, OfAFileAndOfAMissingOne) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("korvane-sha256-" + std::to_string(std::random_device{}()) + ".bin"))
                                 .string();
    const std::string content(200000, '\xfe');
    ASSERT_FALSE(WriteWholeFile(path, content));
    std::string hex;
    std::uint64_t size = 0;
    EXPECT_FALSE(Sha256OfFile(path, hex, size));
    EXPECT_EQ(hex, Sha256Hex(content));
    EXPECT_EQ(size, content.size());
    std::filesystem::remove(path);
    EXPECT_TRUE(Sha256OfFile(path, hex, size));
    EXPECT_TRUE(hex.empty());
}

}  // namespace
}  // namespace korvane
