#include "varnholt/scan/LanguageTexts.h"

#include <algorithm>

#include "framework/Errors.h"
#include "framework/TextFile.h"
#include "varnholt/engine/EnglishTexts.h"

bool LanguageTexts::Load(const std::wstring& languageFile, const std::wstring& section) {
    fromFile_ = false;
    std::vector<std::wstring> lines;
    try {
        lines = fw::ReadTextLines(languageFile);
    } catch (const fw::Error&) {
        return false;
    }
    // Without the wanted section and without English, the file has nothing to give.
    if (std::find(lines.begin(), lines.end(), section) == lines.end() &&
        std::find(lines.begin(), lines.end(), std::wstring(L"[1033]")) == lines.end())
        return false;
    translation_.LoadSection(lines, section);
    fromFile_ = true;
    return true;
}

std::wstring LanguageTexts::GetText(int number) const {
    return fromFile_ ? translation_.GetText(number) : EnglishText(number);
}
