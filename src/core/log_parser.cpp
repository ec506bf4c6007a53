#include "core/log_parser.h"

#include "core/case_insensitive_search.h"

namespace korvane {

namespace {

constexpr std::string_view kFileWord = "file ";
constexpr std::string_view kDriveMark = ":\\";
constexpr std::string_view kInfectedWord = "infected ";
// A Windows path cannot hold a double quote, so this sequence never lies
// inside a path: when a line has it, the path ends right before it.
constexpr std::string_view kInfectedByQuote = "infected by \"";
constexpr std::string_view kTaggedWord = "tagged as not-a-virus:";
constexpr std::string_view kTaggedPrefix = "tagged:";
constexpr auto npos = std::string_view::npos;

// The first "infected " that follows a blank, as the verdict after a path
// does. One right after a separator starts a folder's name ("C:\infected
// files\") and belongs to the path.
std::size_t FindVerdictWord(std::string_view lower, std::size_t from) {
    for (std::size_t at = lower.find(kInfectedWord, from); at != npos; at = lower.find(kInfectedWord, at + 1)) {
        if (lower[at - 1] == ' ') return at;
    }
    return npos;
}

void LowerInto(std::string_view line, std::string& lowered) {
    lowered.resize(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        lowered[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
    }
}

std::string_view TrimmedView(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Searching uses the lower-cased copy; cutting takes the bytes of the line
// itself, so the path and the name keep their case. Both have the same length.
std::optional<ObjectLine> ParseLowered(std::string_view line, std::string_view lower) {
    const std::size_t fileAt = lower.find(kFileWord);
    if (fileAt == npos || lower.find(kDriveMark) == npos) return std::nullopt;
    // At least one character must follow "file " before a verdict counts.
    const std::size_t verdictFrom = fileAt + kFileWord.size() + 1;
    const std::size_t pathFrom = fileAt + kFileWord.size();

    ObjectLine entry;
    std::size_t verdictAt = lower.find(kInfectedByQuote, verdictFrom);
    if (verdictAt == npos) verdictAt = FindVerdictWord(lower, verdictFrom);
    if (verdictAt != npos) {
        // The character right before the verdict (normally a blank) is not part of the path.
        entry.path = TrimmedView(line.substr(pathFrom, verdictAt - 1 - pathFrom));
        const std::size_t quotedAt = lower.find(kInfectedByQuote, verdictAt);
        if (quotedAt != npos) {
            const std::size_t nameFrom = quotedAt + kInfectedByQuote.size();
            const std::size_t closingQuote = lower.find('"', nameFrom);
            if (closingQuote != npos)
                entry.name = TrimmedView(line.substr(nameFrom, closingQuote - nameFrom));
        }
    } else {
        const std::size_t taggedAt = lower.find(kTaggedWord, verdictFrom);
        if (taggedAt == npos) return std::nullopt;
        entry.path = TrimmedView(line.substr(pathFrom, taggedAt - 1 - pathFrom));
        // The name runs to the next blank or to the end of the line; one blank
        // right after the colon is stepped over. A tagged entry always carries
        // the prefix, so "Mark all infected" never ticks a harmless tool.
        const std::size_t nameFrom = taggedAt + kTaggedWord.size();
        const std::size_t blankAt = nameFrom + 1 <= lower.size() ? lower.find(' ', nameFrom + 1) : npos;
        const std::size_t nameEnd = blankAt == npos ? line.size() : blankAt;
        entry.name = TrimmedView(line.substr(nameFrom, nameEnd - nameFrom));
        entry.tagged = true;
    }
    if (entry.path.empty()) return std::nullopt;
    return entry;
}

}  // namespace

void ForEachLogLine(std::string_view logText, const std::function<void(std::string_view line)>& visit) {
    std::size_t start = 0;
    while (true) {
        const std::size_t end = logText.find('\n', start);
        if (end == npos) {
            visit(logText.substr(start));
            return;
        }
        visit(WithoutCarriageReturn(logText.substr(start, end - start)));
        start = end + 1;
    }
}

LogEntry EntryOf(const ObjectLine& object) {
    LogEntry entry{std::string(object.path), {}};
    if (object.tagged) entry.VirusName.append(kTaggedPrefix);
    entry.VirusName.append(object.name);
    return entry;
}

std::optional<LogEntry> ParseObjectLine(std::string_view line) {
    std::string lowered;
    LowerInto(line, lowered);
    const std::optional<ObjectLine> object = ParseLowered(line, lowered);
    if (!object) return std::nullopt;
    return EntryOf(*object);
}

ObjectLineScanner::ObjectLineScanner(std::span<const LogEntry> earlier) {
    for (const LogEntry& e : earlier) seen_.Insert(e.FilePath);
}

void ObjectLineScanner::Scan(std::string_view text, std::size_t from,
                             const std::function<void(const ObjectLine&)>& found) {
    // Only lines holding a verdict can name an object; the others are skipped
    // without being looked at one by one.
    static const WordSetSearcher verdicts({kInfectedWord, kTaggedWord});
    LinesContaining lines(text, verdicts, from);
    std::size_t start = 0;
    std::size_t end = 0;
    while (lines.Next(start, end)) {
        const std::string_view line = text.substr(start, end - start);
        LowerInto(line, lowered_);
        ScanLine(line, lowered_, found);
    }
}

void ObjectLineScanner::ScanLine(std::string_view line, std::string_view lowered,
                                 const std::function<void(const ObjectLine&)>& found) {
    const std::optional<ObjectLine> object = ParseLowered(line, lowered);
    // A repeated path costs one look-up, not a pass over all earlier entries.
    if (object && seen_.Insert(object->path)) found(*object);
}

std::vector<LogEntry> ParseLog(std::string_view logText, std::span<const LogEntry> earlier) {
    std::vector<LogEntry> entries;
    ObjectLineScanner(earlier).Scan(logText, 0,
                                    [&](const ObjectLine& object) { entries.push_back(EntryOf(object)); });
    return entries;
}

}  // namespace korvane
