#pragma once
// Takes a fuzz input apart into the fields a target needs: fixed-size
// numbers from the front, and texts separated by a chosen byte, so the seed
// files stay readable.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <string>
#include <string_view>

namespace korvane::fuzz {

class FuzzBytes {
public:
    FuzzBytes(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    // The next byte, 0 when none is left.
    std::uint8_t Byte() {
        if (rest_.empty()) return 0;
        const auto value = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return value;
    }

    // Four bytes, least significant first; missing bytes count as 0.
    std::uint32_t Uint32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(Byte()) << (8 * i);
        return value;
    }

    // Text up to the next separator (which is consumed) or the end.
    std::string Text(char separator) {
        const std::size_t end = rest_.find(separator);
        std::string text(rest_.substr(0, end));
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        return text;
    }

    std::string_view Rest() const { return rest_; }

private:
    std::string_view rest_;
};

// A broken property: abort, so libFuzzer keeps the input and the replay fails.
inline void Require(bool property, const char* what) {
    if (property) return;
    std::fprintf(stderr, "broken property: %s\n", what);
    std::abort();
}

// One temporary folder for the whole run (named after stem), removed at exit.
// Its name lives in plain storage, which outlasts every destructor that exit runs.
inline const std::filesystem::path& WorkFolder(const char* stem) {
    static char name[4096];
    static const std::filesystem::path folder = [stem] {
        const std::string pattern =
            (std::filesystem::temp_directory_path() / (std::string(stem) + ".XXXXXX")).string();
        Require(pattern.size() < sizeof name, "temporary folder name too long");
        pattern.copy(name, pattern.size());
        Require(::mkdtemp(name) != nullptr, "cannot make a temporary folder");
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(std::filesystem::path(name), ignored);
        });
        return std::filesystem::path(name);
    }();
    return folder;
}

}  // namespace korvane::fuzz
