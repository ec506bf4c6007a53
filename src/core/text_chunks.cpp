#include "core/text_chunks.h"

#include <algorithm>

namespace korvane {

std::string& TextChunks::Room(std::size_t wanted) {
    if (chunks_.empty() || chunks_.back().capacity() - chunks_.back().size() < wanted) {
        chunks_.emplace_back();
        chunks_.back().reserve(wanted > kChunkSize ? wanted : kChunkSize);
    }
    return chunks_.back();
}

TextChunks& TextChunks::append(std::string_view piece) {
    if (!chunks_.empty()) {
        std::string& last = chunks_.back();
        const std::size_t fits = std::min(piece.size(), last.capacity() - last.size());
        last.append(piece.substr(0, fits));
        piece.remove_prefix(fits);
    }
    if (!piece.empty()) Room(piece.size()).append(piece);
    return *this;
}

std::string_view TextChunks::Store(std::string_view piece) {
    std::string& chunk = Room(piece.size());
    const std::size_t at = chunk.size();
    chunk.append(piece);
    return std::string_view(chunk).substr(at);
}

void TextChunks::ForEachPiece(const std::function<void(std::string_view)>& take) const {
    for (const std::string& chunk : chunks_) {
        if (!chunk.empty()) take(chunk);
    }
}

}  // namespace korvane
