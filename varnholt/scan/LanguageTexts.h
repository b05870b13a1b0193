#pragma once
// Texts for the headless front end: one section of the language file beside
// the program, or the built-in English texts when there is no language file.
#include <string>
#include <vector>

#include "common/TextSource.h"
#include "common/Translation.h"

class LanguageTexts : public TextSource {
public:
    // `section` is a language code such as "[1033]"; a section the file lacks gives
    // English. Without lines, or without that section and English, the built-in English texts.
    void Load(const std::vector<std::wstring>& languageLines, const std::wstring& section);
    std::wstring GetText(int number) const override;

private:
    CTranslation translation_;
    bool fromFile_ = false;
};
