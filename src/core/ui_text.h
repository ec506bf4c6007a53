#pragma once
// The bilingual text table: 97 rows, column 0 German, column 1 English.
// Stored flat, element (row, column) at row + 97 * column.
#include <array>
#include <cstdint>
#include <string>

namespace korvane {

enum class UiLanguage : std::uint8_t { German = 0, English = 1 };

class UiText {
public:
    static constexpr int kRows = 97;
    static constexpr int kColumns = 2;

    // Stores all 194 texts; the table is read-only afterwards.
    void FillTextTable();
    bool IsFilled() const { return filled_; }

    const std::string& Get(int row, UiLanguage language) const {
        return texts_[static_cast<std::size_t>(row + kRows * static_cast<int>(language))];
    }
    const std::string& Get(int row, std::uint8_t column) const {
        return texts_[static_cast<std::size_t>(row + kRows * column)];
    }

private:
    void Set(int row, const char* german, const char* english) {
        texts_[static_cast<std::size_t>(row)] = german;
        texts_[static_cast<std::size_t>(row + kRows)] = english;
    }

    std::array<std::string, kRows * kColumns> texts_{};
    bool filled_ = false;
};

// The table filled once for the whole run.
const UiText& Texts();

}  // namespace korvane
