#include "scanner/archive_extraction.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <memory>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "core/archive_member_name.h"

namespace korvane {

namespace {

struct PasswordState {
    const PasswordPrompt* prompt = nullptr;
    bool cancelled = false;
    int asked = 0;
    std::deque<std::string> answers;  // libarchive copies them; kept for the call's lifetime anyway
};

const char* AnswerPassword(struct archive*, void* data) {
    auto* state = static_cast<PasswordState*>(data);
    if (state->cancelled || state->prompt == nullptr || !*state->prompt) return nullptr;
    if (state->asked >= kMaximumPasswordQuestions) {
        state->cancelled = true;
        return nullptr;
    }
    ++state->asked;
    std::string answer = (*state->prompt)();
    if (answer.empty()) {
        state->cancelled = true;
        return nullptr;
    }
    state->answers.push_back(std::move(answer));
    return state->answers.back().c_str();
}

std::string ErrorText(struct archive* a) {
    const char* text = archive_error_string(a);
    return text != nullptr ? text : "unknown error";
}

void Report(ExtractOutcome& outcome, int result, const std::string& line) {
    if (result > outcome.result) outcome.result = result;
    outcome.messages += line + "\n";
}

enum class WriteOutcome { Written, Failed, NoRoom };

// A name beside the target that no other member, run or process writes to:
// a file left by a run that was killed never blocks a later one.
std::string TemporaryNameFor(const std::string& target) {
    static unsigned counter = 0;
    static const auto run = std::chrono::steady_clock::now().time_since_epoch().count();
#ifdef _WIN32
    const long process = 0;
#else
    const long process = static_cast<long>(::getpid());
#endif
    return target + ".part-" + std::to_string(process) + "-" + std::to_string(run) + "-" +
           std::to_string(++counter);
}

// Reads the current member into target through a temporary file, writing at
// most room bytes. The name stays the member's bytes: Qt's file classes would
// turn bytes that are not UTF-8 into replacement characters and write the
// file under another name. The rename replaces a link in the target's place
// instead of writing through it.
WriteOutcome WriteMember(struct archive* a, const std::string& target, std::uint32_t mode,
                         std::uintmax_t room, std::string& error) {
    const std::string temporary = TemporaryNameFor(target);
    errno = 0;
    // "x": never reuse or follow anything that already has the temporary name.
    std::FILE* file = std::fopen(temporary.c_str(), "wbx");
    if (file == nullptr) {
        error = std::generic_category().message(errno != 0 ? errno : EIO);
        return WriteOutcome::Failed;
    }
    auto discard = [&](std::string why, WriteOutcome outcome) {
        std::fclose(file);
        std::remove(temporary.c_str());
        error = std::move(why);
        return outcome;
    };
    char buffer[64 * 1024];
    std::uintmax_t written = 0;
    for (;;) {
        const la_ssize_t read = archive_read_data(a, buffer, sizeof buffer);
        if (read == 0) break;
        // Includes a checksum mismatch, which libarchive reports at the end.
        if (read < 0) return discard(ErrorText(a), WriteOutcome::Failed);
        // A member may expand to more than its header claimed.
        if (static_cast<std::uintmax_t>(read) > room - written) {
            return discard(
                "more than the " + std::to_string(room) + " bytes of free disk space or unpacking limit",
                WriteOutcome::NoRoom);
        }
        written += static_cast<std::uintmax_t>(read);
        if (std::fwrite(buffer, 1, static_cast<std::size_t>(read), file) != static_cast<std::size_t>(read)) {
            return discard(std::generic_category().message(errno != 0 ? errno : ENOSPC),
                           WriteOutcome::Failed);
        }
    }
    if (std::fflush(file) != 0) {
        return discard(std::generic_category().message(errno != 0 ? errno : ENOSPC), WriteOutcome::Failed);
    }
    if (std::fclose(file) != 0) {
        std::remove(temporary.c_str());
        error = std::generic_category().message(errno != 0 ? errno : ENOSPC);
        return WriteOutcome::Failed;
    }
    std::error_code renamed;
    std::filesystem::rename(std::filesystem::path(temporary), std::filesystem::path(target), renamed);
    if (renamed) {
        std::remove(temporary.c_str());
        error = renamed.message();
        return WriteOutcome::Failed;
    }
#ifndef _WIN32
    ::chmod(target.c_str(), static_cast<mode_t>(ExtractedFileMode(mode)));
#else
    (void)mode;
#endif
    return WriteOutcome::Written;
}

std::uintmax_t MemberBytes(const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(std::filesystem::path(path), error);
    return error ? 0 : size;
}

using Reader = std::unique_ptr<struct archive, int (*)(struct archive*)>;

Reader OpenReader() {
    Reader reader(archive_read_new(), archive_read_free);
    // The seekable reader finds the ZIP directory at the end of the file, so
    // a program stub in front of the data does not matter.
    archive_read_support_format_zip_seekable(reader.get());
    return reader;
}

// The total the limits allow, free space aside: that is measured per member.
std::uintmax_t Budget(const std::string& archivePath, const ExtractLimits& limits) {
    std::uintmax_t budget = limits.maximumTotal;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(std::filesystem::path(archivePath), error);
    if (limits.maximumRatio > 0 && !error && size <= UINTMAX_MAX / limits.maximumRatio)
        budget = std::min(budget, size * limits.maximumRatio);
    return budget;
}

}  // namespace

std::uintmax_t FreeDiskSpace(const std::string& folder) {
    std::error_code error;
    const std::filesystem::space_info space = std::filesystem::space(std::filesystem::path(folder), error);
    // Unknown: let the writes find out.
    if (error || space.available == static_cast<std::uintmax_t>(-1)) return UINTMAX_MAX;
    return space.available;
}

bool IsReadableArchive(const std::string& archivePath, std::string& error) {
    Reader reader = OpenReader();
    if (archive_read_open_filename(reader.get(), archivePath.c_str(), 64 * 1024) != ARCHIVE_OK) {
        error = ErrorText(reader.get());
        return false;
    }
    bool anyFile = false;
    for (;;) {
        struct archive_entry* entry = nullptr;
        const int header = archive_read_next_header(reader.get(), &entry);
        if (header == ARCHIVE_EOF) break;
        if (header < ARCHIVE_WARN) {
            error = ErrorText(reader.get());
            return false;
        }
        if (archive_entry_filetype(entry) == AE_IFREG) anyFile = true;
    }
    if (!anyFile) error = "the archive holds no file";
    return anyFile;
}

ExtractOutcome ExtractArchiveFlat(const std::string& archivePath, const std::string& folder, char separator,
                                  const PasswordPrompt& promptPassword, const FreeSpaceProbe& freeSpace,
                                  const ExtractLimits& limits) {
    ExtractOutcome outcome;
    Reader reader = OpenReader();
    PasswordState passwords;
    passwords.prompt = &promptPassword;
    archive_read_set_passphrase_callback(reader.get(), &passwords, AnswerPassword);
    if (archive_read_open_filename(reader.get(), archivePath.c_str(), 64 * 1024) != ARCHIVE_OK) {
        Report(outcome, kExtractNoArchive, archivePath + ": " + ErrorText(reader.get()));
        return outcome;
    }
    std::string base = folder;
    if (!base.empty() && base.back() != separator) base.push_back(separator);
    const std::uintmax_t budget = Budget(archivePath, limits);
    std::uintmax_t used = 0;

    bool anyMember = false;
    for (;;) {
        struct archive_entry* entry = nullptr;
        const int header = archive_read_next_header(reader.get(), &entry);
        if (header == ARCHIVE_EOF) {
            // A damaged directory can look like an empty one; neither unpacks anything.
            if (!anyMember) Report(outcome, kExtractWarning, archivePath + ": the archive holds no member");
            break;
        }
        anyMember = true;
        if (header == ARCHIVE_FATAL) {
            Report(outcome, kExtractNoArchive, archivePath + ": " + ErrorText(reader.get()));
            break;
        }
        const char* stored = archive_entry_pathname(entry);
        const std::string storedName = stored != nullptr ? stored : "";
        if (header == ARCHIVE_WARN) {
            Report(outcome, kExtractWarning, storedName + ": " + ErrorText(reader.get()));
        } else if (header != ARCHIVE_OK) {
            Report(outcome, kExtractError, storedName + ": " + ErrorText(reader.get()));
            continue;
        }
        if (stored == nullptr) {
            Report(outcome, kExtractWarning, "skipping a member whose name cannot be read");
            continue;
        }
        // Folders, links and devices are not written; the scanner needs files only.
        if (archive_entry_filetype(entry) != AE_IFREG) continue;
        const std::string name = FlatMemberName(storedName);
        if (name.empty()) continue;
#ifdef _WIN32
        if (!IsUsableWindowsFileName(name)) {
            Report(outcome, kExtractWarning, "skipping: " + storedName + "  not a usable file name");
            continue;
        }
#endif
        if (archive_entry_is_encrypted(entry) && passwords.cancelled) {
            Report(outcome, kExtractWarning, "skipping: " + storedName + "  no password given");
            continue;
        }
        std::uintmax_t free = freeSpace ? freeSpace(folder) : UINTMAX_MAX;
        if (free != UINTMAX_MAX) free = free > limits.freeSpaceMargin ? free - limits.freeSpaceMargin : 0;
        const std::uintmax_t room = std::min(free, budget - used);
        if (archive_entry_size_is_set(entry) && archive_entry_size(entry) >= 0 &&
            static_cast<std::uintmax_t>(archive_entry_size(entry)) > room) {
            Report(outcome, kExtractError,
                   storedName + ": needs " + std::to_string(archive_entry_size(entry)) + " bytes, only " +
                       std::to_string(room) + " bytes " +
                       (room == free ? "of disk space are free" : "are left of the unpacking limit"));
            break;
        }
        std::string error;
        const WriteOutcome written = WriteMember(
            reader.get(), base + name, static_cast<std::uint32_t>(archive_entry_perm(entry)), room, error);
        used += written == WriteOutcome::Written ? MemberBytes(base + name) : 0;
        if (written == WriteOutcome::NoRoom) {
            Report(outcome, kExtractError, storedName + ": " + error);
            break;
        }
        if (written == WriteOutcome::Failed) {
            const bool skipped = archive_entry_is_encrypted(entry) && passwords.cancelled;
            Report(outcome, skipped ? kExtractWarning : kExtractError,
                   (skipped ? "skipping: " + storedName + "  no password given" : storedName + ": " + error));
        }
    }
    return outcome;
}

}  // namespace korvane
