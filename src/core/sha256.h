#pragma once
// SHA-256 (FIPS 180-4) over bytes, so a backup can be checked before it is
// put back. Our own small implementation: the core builds for Windows too,
// where neither Qt nor a crypto library is at hand.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

namespace korvane {

class Sha256 {
public:
    Sha256();
    void Update(std::string_view bytes);
    // The digest; the object must not be updated afterwards.
    std::array<std::uint8_t, 32> Finish();
    // The digest as 64 lower-case hex digits.
    std::string FinishHex();

private:
    void Block(const std::uint8_t* block);

    std::array<std::uint32_t, 8> state_;
    std::array<std::uint8_t, 64> buffer_{};
    std::size_t buffered_ = 0;
    std::uint64_t length_ = 0;  // bytes seen
};

std::string Sha256Hex(std::string_view bytes);

// The digest of a whole file, read in pieces; size is the number of bytes read.
std::error_code Sha256OfFile(const std::string& path, std::string& hex, std::uint64_t& size);

}  // namespace korvane
