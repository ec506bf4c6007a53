#pragma once
// The set of paths already listed, for the duplicate test of a log: one flat
// open-addressing table of hashes and places in chunks that hold every path,
// so a look-up costs a hash and mostly one comparison, and a large log costs
// a few allocations, not one per path. Paths compare exactly.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_chunks.h"

namespace korvane {

class PathSet {
public:
    // Adds the path; true when it was not in the set yet.
    bool Insert(std::string_view path);
    bool Contains(std::string_view path) const;
    std::size_t size() const { return count_; }

private:
    struct Slot {
        std::uint64_t hash = 0;  // 0: the slot is free
        std::string_view path;
    };

    static std::uint64_t Hash(std::string_view path);
    // The slot holding the path, or the free slot where it belongs.
    std::size_t Find(std::string_view path, std::uint64_t hash) const;
    void Grow();

    std::vector<Slot> slots_;
    TextChunks paths_;
    std::size_t count_ = 0;
};

}  // namespace korvane
