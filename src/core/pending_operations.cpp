#include "core/pending_operations.h"

#include <cstdlib>
#include <filesystem>

#include "core/whole_file.h"

namespace korvane {

namespace fs = std::filesystem;

std::string PendingOperationsFile() {
    const char* named = std::getenv(kPendingOperationsFileVariable);
    if (named != nullptr && *named != '\0') return named;
    return kDefaultPendingOperationsFile;
}

std::string EncodePendingOperations(const std::vector<PendingOperation>& operations) {
    std::string text;
    for (const PendingOperation& operation : operations) {
        text += operation.source;
        text.push_back('\0');
        text += operation.target;
        text.push_back('\0');
    }
    return text;
}

std::optional<std::vector<PendingOperation>> DecodePendingOperations(std::string_view text) {
    std::vector<PendingOperation> operations;
    std::size_t at = 0;
    while (at < text.size()) {
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
    return operations;
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
    bool changed = false;
    for (const PendingOperation& operation : operations) {
        bool known = false;
        for (const PendingOperation& old : listed) known = known || old == operation;
        if (known) continue;
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

ApplyPendingResult ApplyPendingOperations(const std::string& file) {
    ApplyPendingResult result;
    std::string before;
    std::vector<PendingOperation> operations;
    result.fileError = ReadPendingList(file, before, operations);
    if (result.fileError || operations.empty()) return result;

    std::vector<PendingOperation> kept;
    for (const PendingOperation& operation : operations) {
        AppliedOperation applied{operation, {}, false};
        applied.error = CarryOutPendingOperation(operation, applied.alreadyGone);
        if (applied.error) kept.push_back(operation);
        result.applied.push_back(std::move(applied));
    }

    // Operations appended while these were carried out stay listed.
    std::string now;
    std::vector<PendingOperation> current;
    if (!ReadPendingList(file, now, current) && now.size() > before.size() &&
        now.compare(0, before.size(), before) == 0) {
        if (auto appended = DecodePendingOperations(std::string_view(now).substr(before.size()))) {
            kept.insert(kept.end(), appended->begin(), appended->end());
        }
    }
    result.fileError = WriteWholeFile(file, EncodePendingOperations(kept));
    return result;
}

}  // namespace korvane
