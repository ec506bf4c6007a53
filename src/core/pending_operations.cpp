#include "core/pending_operations.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unordered_set>

#include "core/whole_file.h"

namespace korvane {

namespace fs = std::filesystem;

std::string PendingOperationsFile() {
    const char* named = std::getenv(kPendingOperationsFileVariable);
    if (named != nullptr && *named != '\0') return named;
    return kDefaultPendingOperationsFile;
}

namespace {

// The check pair's source: not a path, so it never stands for an operation.
constexpr std::string_view kCheckSource = "#korvane-pending-check";

std::uint32_t Crc32(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// "<operations> <crc32 in hex>" over the pairs before the check pair.
std::string CheckText(std::size_t count, std::string_view pairs) {
    char crc[9];
    std::snprintf(crc, sizeof crc, "%08x", static_cast<unsigned>(Crc32(pairs)));
    return std::to_string(count) + " " + crc;
}

}  // namespace

std::string EncodePendingOperations(const std::vector<PendingOperation>& operations) {
    std::string text;
    for (const PendingOperation& operation : operations) {
        text += operation.source;
        text.push_back('\0');
        text += operation.target;
        text.push_back('\0');
        text += operation.sourceFolder;
        text.push_back('\0');
    }
    const std::string check = CheckText(operations.size(), text);
    text.append(kCheckSource).push_back('\0');
    text.append(check).push_back('\0');
    return text;
}

std::optional<std::vector<PendingOperation>> DecodePendingOperations(std::string_view text) {
    std::vector<PendingOperation> operations;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::string_view rest = text.substr(at);
        if (rest.starts_with(kCheckSource) && rest.size() > kCheckSource.size() &&
            rest[kCheckSource.size()] == '\0') {
            const std::string expected = CheckText(operations.size(), text.substr(0, at)) + '\0';
            if (rest.substr(kCheckSource.size() + 1) != expected) return std::nullopt;
            return operations;
        }
        const auto sourceEnd = text.find('\0', at);
        if (sourceEnd == std::string_view::npos) return std::nullopt;
        const auto targetEnd = text.find('\0', sourceEnd + 1);
        if (targetEnd == std::string_view::npos) return std::nullopt;
        const auto folderEnd = text.find('\0', targetEnd + 1);
        if (folderEnd == std::string_view::npos) return std::nullopt;
        PendingOperation operation{std::string(text.substr(at, sourceEnd - at)),
                                   std::string(text.substr(sourceEnd + 1, targetEnd - sourceEnd - 1)),
                                   std::string(text.substr(targetEnd + 1, folderEnd - targetEnd - 1))};
        if (operation.source.empty()) return std::nullopt;
        operations.push_back(std::move(operation));
        at = folderEnd + 1;
    }
    // No check pair: cut short, or not written by this program.
    return std::nullopt;
}

namespace {

// The list in file; a missing file is an empty list.
std::error_code ReadPendingList(const std::string& file, std::string& text,
                                std::vector<PendingOperation>& operations) {
    text.clear();
    operations.clear();
    std::error_code ec;
    if (!fs::exists(fs::path(file), ec)) return ec;
    if (const std::error_code read = ReadWholeFile(file, text)) return read;
    auto decoded = DecodePendingOperations(text);
    if (!decoded) return std::make_error_code(std::errc::illegal_byte_sequence);
    operations = std::move(*decoded);
    return {};
}

// Readable and writable by the owner alone, whatever the umask gave it.
std::error_code KeepPrivate(const std::string& file) {
    std::error_code ec;
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace, ec);
    return ec;
}

}  // namespace

std::error_code AppendPendingOperations(const std::string& file,
                                        const std::vector<PendingOperation>& operations) {
    std::string text;
    std::vector<PendingOperation> listed;
    if (const std::error_code read = ReadPendingList(file, text, listed)) return read;
    // Looked up, not compared with each listed one: a surviving folder of many
    // thousand files is recorded at once.
    const auto key = [](const PendingOperation& operation) {
        return operation.source + '\0' + operation.target;
    };
    std::unordered_set<std::string> known;
    for (const PendingOperation& old : listed) known.insert(key(old));
    bool changed = false;
    for (const PendingOperation& operation : operations) {
        if (!known.insert(key(operation)).second) continue;
        listed.push_back(operation);
        changed = true;
    }
    if (!changed && fs::exists(fs::path(file))) return {};
    std::error_code ec;
    const fs::path folder = fs::path(file).parent_path();
    if (!folder.empty() && !fs::exists(folder, ec)) {
        // Whoever may change the list decides what is deleted at boot.
        fs::create_directories(folder, ec);
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, ec);
    }
    if (const std::error_code written = WriteWholeFile(file, EncodePendingOperations(listed))) return written;
    return KeepPrivate(file);
}

std::error_code CarryOutPendingOperation(const PendingOperation& operation, bool& alreadyGone) {
    alreadyGone = false;
    std::error_code ec;
    const fs::path source(operation.source);
    const fs::file_status status = fs::symlink_status(source, ec);
    if (status.type() == fs::file_type::not_found) {
        alreadyGone = true;
        return {};
    }
    if (ec) return ec;
    if (operation.target.empty()) {
        // remove() never follows a link and refuses a folder that is not empty.
        fs::remove(source, ec);
        return ec;
    }
    const fs::path target(operation.target);
    fs::rename(source, target, ec);
    if (ec == std::errc::cross_device_link && status.type() == fs::file_type::regular) {
        ec.clear();
        fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec);
        if (!ec) fs::remove(source, ec);
    }
    return ec;
}

ApplyPendingResult ApplyPendingOperations(const std::string& file) {
    return ApplyPendingOperations(file, [](AppliedOperation& applied) {
        applied.error = CarryOutPendingOperation(applied.operation, applied.alreadyGone);
    });
}

ApplyPendingResult ApplyPendingOperations(const std::string& file, const PendingCarryOut& carryOut) {
    ApplyPendingResult result;
    std::string before;
    std::vector<PendingOperation> operations;
    result.fileError = ReadPendingList(file, before, operations);
    if (result.fileError || operations.empty()) return result;

    for (const PendingOperation& operation : operations) result.applied.push_back({operation, {}, false, {}});
    std::vector<std::size_t> open(operations.size());
    for (std::size_t i = 0; i < open.size(); ++i) open[i] = i;
    for (bool progress = true; progress && !open.empty();) {
        progress = false;
        std::vector<std::size_t> failed;
        for (const std::size_t i : open) {
            AppliedOperation& applied = result.applied[i];
            applied = {operations[i], {}, false, {}};
            carryOut(applied);
            if (applied.Done())
                progress = true;
            else if (applied.refused == PendingRefusal::None)
                failed.push_back(i);  // a refusal stays one: not tried again
        }
        open = std::move(failed);
    }
    std::vector<PendingOperation> kept;
    for (const AppliedOperation& applied : result.applied) {
        if (!applied.Done()) kept.push_back(applied.operation);
    }

    // Operations appended while these were carried out stay listed.
    std::string now;
    std::vector<PendingOperation> current;
    if (!ReadPendingList(file, now, current) && current.size() > operations.size() &&
        std::equal(operations.begin(), operations.end(), current.begin())) {
        kept.insert(kept.end(), current.begin() + static_cast<std::ptrdiff_t>(operations.size()),
                    current.end());
    }
    result.fileError = WriteWholeFile(file, EncodePendingOperations(kept));
    if (!result.fileError) KeepPrivate(file);
    return result;
}

}  // namespace korvane
