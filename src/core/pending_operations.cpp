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
        PendingOperation operation{std::string(text.substr(at, sourceEnd - at)),
                                   std::string(text.substr(sourceEnd + 1, targetEnd - sourceEnd - 1))};
        if (operation.source.empty()) return std::nullopt;
        operations.push_back(std::move(operation));
        at = targetEnd + 1;
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
    if (!folder.empty()) fs::create_directories(folder, ec);
    return WriteWholeFile(file, EncodePendingOperations(listed));
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

ApplyPendingResult ApplyPendingOperations(const std::string& file, const PendingBackupMove& moveToBackup) {
    ApplyPendingResult result;
    std::string before;
    std::vector<PendingOperation> operations;
    result.fileError = ReadPendingList(file, before, operations);
    if (result.fileError || operations.empty()) return result;

    std::vector<PendingOperation> kept;
    for (const PendingOperation& operation : operations) {
        AppliedOperation applied{operation, {}, false};
        applied.error = operation.target.empty() || !moveToBackup
                            ? CarryOutPendingOperation(operation, applied.alreadyGone)
                            : moveToBackup(operation, applied.alreadyGone);
        if (applied.error) kept.push_back(operation);
        result.applied.push_back(std::move(applied));
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
    return result;
}

}  // namespace korvane
