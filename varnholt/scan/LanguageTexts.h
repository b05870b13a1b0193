#pragma once
// Texts for the headless front end: one section of the language file beside
// the program, or the built-in English texts when there is no language file.
#include <string>

#include "common/TextSource.h"
#include "common/Translation.h"

class LanguageTexts : public TextSource {
public:
    // `section` is a language code such as "[1033]"; a section the file lacks gives English.
    // False when no language file could be read (the built-in English texts are used).
    bool Load(const std::wstring& languageFile, const std::wstring& section);
    std::wstring GetText(int number) const override;

private:
    CTranslation translation_;
    bool fromFile_ = false;
};
