#pragma once
// The texts of one language, by number, from the product's language file.
// Each window that shows text owns one and loads it while it initialises.
#include <functional>
#include <string>
#include <vector>

#include "common/PowerClass.h"
#include "common/TextSource.h"
#include "framework/Errors.h"

// A file that a load of texts could not read, and which of its two files it is,
// so that a caller never calls the settings a language file.
class TextsFileError : public fw::FileError {
public:
    enum class File { Settings, Language };
    TextsFileError(const std::wstring& path, File file) : fw::FileError(path), file_(file) {}
    File file() const { return file_; }

private:
    File file_;
};

class CTranslation : public TextSource {
public:
    // Fills the table for the language chosen in the configuration ("Language"),
    // or for the system's language when that leaves the choice to it. Throws
    // TextsFileError when the configuration or the language file cannot be read.
    void LoadTexts();
    // The same with the settings read from `configPath`, which is not resolved further.
    void LoadTextsFrom(const std::wstring& configPath);
    // Fills the table from the lines of a language file: the section of `wanted`,
    // else English, else nothing (every text then reads "---").
    void LoadSection(const std::vector<std::wstring>& lines, const std::wstring& wanted);
    // The text of the first entry with this number; "---" when there is none.
    std::wstring GetText(int number) const override;

    // The language file of a product: "%s\%strl.ini" with the program folder and "Product ID".
    static std::wstring LanguageFilePath(const std::wstring& programFolder, const std::wstring& productId);
    // The code of the section a load takes: "Language" of `settings` (read at its
    // ConfigPath), unless it leaves the choice to the system ("[----]", or no value);
    // then the system's language (`systemLanguage`, asked only then) mapped through
    // the dialect lists when a line of the language file holds it, else "[1033]".
    static std::wstring ResolveLanguage(PowerClass& settings, const std::vector<std::wstring>& languageLines,
                                        const std::function<std::wstring()>& systemLanguage = SystemLanguage);
    // The system's default language identifier as the registry keeps it, hexadecimal text such as 0407.
    static std::wstring SystemLanguage();

    // The reserved number of the end entry.
    static constexpr int kEndNumber = 99999;

private:
    struct Entry {
        int number;
        std::wstring text;
    };
    void Load(const std::wstring& configPath);

    PowerClass store_;
    std::vector<Entry> entries_{{kEndNumber, L"---"}};
};
