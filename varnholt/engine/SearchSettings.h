#pragma once
// Every duplicate-search setting. Most live in one 46-character options text,
// one setting per position; the engine reads some from the decoded fields and
// others straight from the text, so both forms are kept and must agree.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class PowerClass;
class TextSource;

struct SearchSettings {
    std::wstring optionsText;
    int sameName = 0;                 // 0
    int sameSize = 0;                 // 1
    int sameAttributes = 0;           // 2
    int sameCreationDate = 0;         // 3
    int sameModificationDate = 0;     // 4
    int sameAccessDate = 0;           // 5
    int sameChecksum = 0;             // 6
    int checksumSecondStep = 0;       // 7
    int sizeFilterOn = 0;             // 15
    int attributeFilterOn = 0;        // 18
    int filterReadOnly = 0;           // 20
    int filterHidden = 0;             // 21
    int filterArchive = 0;            // 22
    int dateFilterOn = 0;             // 23
    int nameFilterOn = 0;             // 26
    int recycleOnDelete = 0;          // 30
    int maximizeOnResults = 0;        // 31
    int keepLastPath = 0;             // 32
    int protectReadOnly = 0;          // 33
    int32_t sizeFilterValue = 0;      // "OptionsSize"
    std::wstring namePattern;         // "OptionsName"
    int64_t referenceDate = 0;        // "OptionsDate"
    std::array<std::wstring, 6> categoryValues;   // "Categories"
    std::vector<std::wstring> exceptions;          // the exception list file
    std::vector<std::wstring> keptFolders;         // "KeptFolders": their files are never acted on
    std::array<uint64_t, 6> categoryBounds{};      // derived at each search start
    std::array<std::wstring, 6> categoryLabels;    // derived at each search start

    // The character at an options-text position; '0' beyond the end of the text.
    wchar_t OptionChar(size_t position) const;
    // The size unit (0 bytes to 3 GB) at position 17 (size filter) or 35 to 40
    // (categories): a digit beyond the units reads as the position's default.
    int SizeUnitAt(size_t position) const;
    // Whether any criterion says what makes two files duplicates.
    bool HasCriterion() const;
    // Replaces one character; a shorter text is first filled up with '0', as it reads.
    void SetOptionChar(size_t position, wchar_t character);
};

void LoadSearchSettings(SearchSettings& settings, PowerClass& store);
// The options command: `editSettings` (the options dialog) works on a copy of the
// settings and says whether the user pressed OK. Only then are the settings taken
// back from the copy and written; otherwise they and the configuration stay as
// they were. True after OK.
bool SaveSearchSettings(SearchSettings& settings, PowerClass& store,
                        const std::function<bool(SearchSettings& copy)>& editSettings);
// Rebuilds the options text from the fields and the carried characters, then
// writes "Categories", "Options", "OptionsSize", "OptionsName", "OptionsDate".
void WriteSearchSettings(SearchSettings& settings, PowerClass& store);
std::wstring BuildOptionsText(const SearchSettings& settings);
void LoadCategoryBounds(SearchSettings& settings, PowerClass& store, const TextSource& texts);
