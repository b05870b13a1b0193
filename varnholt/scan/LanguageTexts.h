#pragma once
// Texts for the headless front end: one section of the language file beside
// the program, or the built-in English texts when there is no language file.
#include <map>
#include <string>
#include <vector>

#include "common/TextSource.h"

class LanguageTexts : public TextSource {
public:
    // `section` is a language code such as "[1033]"; a section the file lacks gives English.
    // False when no language file could be read (the English texts are used).
    bool Load(const std::wstring& languageFile, const std::wstring& section);
    std::wstring GetText(int number) const override;
    bool FromFile() const { return fromFile_; }

private:
    std::map<int, std::wstring> texts_;
    bool fromFile_ = false;
};

// Entries of a language file's section, as the program reads them.
std::map<int, std::wstring> ParseLanguageSection(const std::vector<std::wstring>& lines, const std::wstring& section);
