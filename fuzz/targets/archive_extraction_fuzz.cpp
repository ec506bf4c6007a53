// libs: korvane_scanner
// The real extraction over an arbitrary archive file: the input is written
// to a temporary folder and unpacked into another one. Nothing may land
// outside the extraction folder or change beside it, the folder holds only
// plain files named after archive members (no half-written temporary files),
// none of them set-user-id or writable by others, and after an empty
// password answer no further question is asked. Inputs of odd length answer
// password questions with the test password, even ones with nothing.
#include <sys/stat.h>

#include <archive.h>
#include <archive_entry.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <system_error>

#include "core/archive_member_name.h"
#include "fuzz_bytes.h"
#include "scanner/archive_extraction.h"

using korvane::fuzz::Require;
namespace fs = std::filesystem;

namespace {

constexpr const char* kPassword = "s3cret";
constexpr const char* kBystanderText = "must stay as it is";

const fs::path& WorkFolder() { return korvane::fuzz::WorkFolder("korvane-archive-fuzz"); }

// Flat names of the regular members a listing of the archive shows.
std::set<std::string> MemberNames(const std::string& archive) {
    std::set<std::string> names;
    struct archive* reader = archive_read_new();
    archive_read_support_format_zip_seekable(reader);
    if (archive_read_open_filename(reader, archive.c_str(), 64 * 1024) == ARCHIVE_OK) {
        struct archive_entry* entry = nullptr;
        // Like the extraction, go on after a member that fails and stop only where the archive does.
        for (int header = archive_read_next_header(reader, &entry);
             header != ARCHIVE_EOF && header != ARCHIVE_FATAL;
             header = archive_read_next_header(reader, &entry)) {
            if (const char* name = archive_entry_pathname(entry)) names.insert(korvane::FlatMemberName(name));
        }
    }
    archive_read_free(reader);
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path root = WorkFolder();
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(root)) fs::remove_all(entry.path(), ignored);

    const fs::path input = root / "download";
    const fs::path folder = root / "bases_x";
    fs::create_directory(input);
    fs::create_directory(folder);
    const fs::path archive = input / "mwav.exe";
    const fs::path bystander = root / "bystander.txt";
    std::ofstream(archive, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    std::ofstream(bystander, std::ios::binary) << kBystanderText;

    int questions = 0;
    int questionsAfterEmptyAnswer = 0;
    bool answeredEmpty = false;
    const korvane::ExtractOutcome outcome =
        korvane::ExtractArchiveFlat(archive.string(), folder.string(), '/', [&]() -> std::string {
            ++questions;
            if (answeredEmpty) ++questionsAfterEmptyAnswer;
            if (size % 2 == 1) return kPassword;
            answeredEmpty = true;
            return {};
        });
    Require(questionsAfterEmptyAnswer == 0, "asked again after an empty password answer");
    Require(outcome.result == korvane::kExtractOk || !outcome.messages.empty(), "failure without a message");

    // Beside the extraction folder nothing new and nothing changed.
    std::size_t beside = 0;
    for (const auto& entry : fs::directory_iterator(root)) {
        ++beside;
        const fs::path name = entry.path().filename();
        Require(name == "download" || name == "bases_x" || name == "bystander.txt",
                "a file outside the folder");
    }
    Require(beside == 3, "a folder beside the extraction folder went missing");
    Require(fs::file_size(archive) == size, "the archive was changed");
    std::ifstream bystanderIn(bystander, std::ios::binary);
    const std::string bystanderText((std::istreambuf_iterator<char>(bystanderIn)),
                                    std::istreambuf_iterator<char>());
    Require(bystanderText == kBystanderText, "a file beside the folder was changed");
    std::size_t inDownload = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(input)) ++inDownload;
    Require(inDownload == 1, "a file landed beside the archive");

    // Inside it only plain files named after members, with safe permissions.
    const std::set<std::string> members = MemberNames(archive.string());
    for (const auto& entry : fs::directory_iterator(folder)) {
        Require(entry.is_regular_file() && !entry.is_symlink(), "not a plain file in the extraction folder");
        if (members.count(entry.path().filename().string()) == 0) {
            std::fprintf(stderr, "unexpected file: %s\n", entry.path().filename().c_str());
            Require(false, "a file no member is named after");
        }
        struct stat status {};
        Require(::lstat(entry.path().c_str(), &status) == 0, "extracted file cannot be examined");
        Require((status.st_mode & (S_ISUID | S_ISGID | S_ISVTX | S_IWOTH)) == 0, "unsafe permissions");
    }
    return 0;
}
