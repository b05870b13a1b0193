#pragma once
// The texts of one language, by number, from the product's language file.
// Each window that shows text owns one and loads it while it initialises.
#include <string>
#include <vector>

#include "common/PowerClass.h"
#include "common/TextSource.h"

class CTranslation : public TextSource {
public:
    // Fills the table for the language chosen in the configuration ("Language"),
    // or for the system's language when that is "[----]". Throws fw::FileError
    // when the language file cannot be read.
    void LoadTexts();
    // Fills the table from the lines of a language file: the section of `wanted`,
    // else English, else nothing (every text then reads "---").
    void LoadSection(const std::vector<std::wstring>& lines, const std::wstring& wanted);
    // The text of the first entry with this number; "---" when there is none.
    std::wstring GetText(int number) const override;

    // The reserved number of the end entry.
    static constexpr int kEndNumber = 99999;

private:
    struct Entry {
        int number;
        std::wstring text;
    };
    std::wstring ChooseSystemLanguage(const std::vector<std::wstring>& lines);

    PowerClass store_;
    std::vector<Entry> entries_{{kEndNumber, L"---"}};
};
