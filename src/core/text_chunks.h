#pragma once
// Text that grows in chunks that never move: a large report section or the
// set of all paths of a log grows without being copied each time it doubles,
// and a stored piece stays where it is.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

class TextChunks {
public:
    static constexpr std::size_t kChunkSize = std::size_t{1} << 20;

    // Appends the piece; it may be split across two chunks.
    TextChunks& append(std::string_view piece);
    // Appends the piece in one place and returns where it now stands.
    std::string_view Store(std::string_view piece);
    bool empty() const { return chunks_.empty(); }
    // Hands the text over in order, chunk by chunk.
    void ForEachPiece(const std::function<void(std::string_view)>& take) const;
    void clear() { chunks_.clear(); }

private:
    std::string& Room(std::size_t wanted);
    std::vector<std::string> chunks_;
};

}  // namespace korvane
