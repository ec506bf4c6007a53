// libs: korvane_core
// The record of the backups, read from arbitrary bytes: whatever reads as a
// sound manifest writes back to one that reads the same, and every value
// survives its escaping on one line.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/backup_manifest.h"
#include "fuzz_bytes.h"

using korvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::string escaped = korvane::EscapeManifestValue(text);
    Require(escaped.find('\n') == std::string::npos && escaped.find('\r') == std::string::npos,
            "an escaped value breaks its line");
    const auto unescaped = korvane::UnescapeManifestValue(escaped);
    Require(unescaped && *unescaped == text, "a value does not survive its escaping");

    const korvane::ManifestDecode read = korvane::DecodeBackupManifest(text);
    if (!read.Sound()) {
        Require(read.manifest.records.empty(), "a damaged manifest gave records");
        return 0;
    }
    const korvane::ManifestDecode again =
        korvane::DecodeBackupManifest(korvane::EncodeBackupManifest(read.manifest));
    Require(again.Sound(), "a manifest written from a sound one does not read");
    Require(again.manifest.records == read.manifest.records, "records changed on the way back");
    return 0;
}
