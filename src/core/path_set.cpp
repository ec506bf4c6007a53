#include "core/path_set.h"

#include <cstring>

namespace korvane {

std::uint64_t PathSet::Hash(std::string_view path) {
    // Eight bytes at a time, each mixed in with a multiply; good enough to
    // spread paths that differ in a few digits.
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    std::uint64_t h = 0xCBF29CE484222325ull ^ (path.size() * kMultiplier);
    std::size_t at = 0;
    for (; at + 8 <= path.size(); at += 8) {
        std::uint64_t chunk = 0;
        std::memcpy(&chunk, path.data() + at, 8);
        h = (h ^ chunk) * kMultiplier;
        h ^= h >> 29;
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, path.data() + at, path.size() - at);
    h = (h ^ tail) * kMultiplier;
    // A final mix, so that paths differing only in a digit differ in the low
    // bits that pick the slot.
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 33;
    return h == 0 ? 1 : h;
}

std::size_t PathSet::Find(std::string_view path, std::uint64_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = static_cast<std::size_t>(hash) & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.hash == 0) return at;
        if (slot.hash == hash && slot.path == path) return at;
    }
}

void PathSet::Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 4096 : old.size() * 2, Slot{});
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.hash == 0) continue;
        std::size_t at = static_cast<std::size_t>(slot.hash) & mask;
        while (slots_[at].hash != 0) at = (at + 1) & mask;
        slots_[at] = slot;
    }
}

bool PathSet::Insert(std::string_view path) {
    // At most half full, so probe runs stay short.
    if ((count_ + 1) * 2 > slots_.size()) Grow();
    const std::uint64_t hash = Hash(path);
    Slot& slot = slots_[Find(path, hash)];
    if (slot.hash != 0) return false;
    slot = Slot{hash, paths_.Store(path)};
    ++count_;
    return true;
}

bool PathSet::Contains(std::string_view path) const {
    return !slots_.empty() && slots_[Find(path, Hash(path))].hash != 0;
}

}  // namespace korvane
