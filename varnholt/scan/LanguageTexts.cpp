#include "varnholt/scan/LanguageTexts.h"

#include <algorithm>

#include "varnholt/engine/EnglishTexts.h"

void LanguageTexts::Load(const std::vector<std::wstring>& lines, const std::wstring& section) {
    // Without the wanted section and without English, the file has nothing to give.
    fromFile_ = std::find(lines.begin(), lines.end(), section) != lines.end() ||
                std::find(lines.begin(), lines.end(), std::wstring(L"[1033]")) != lines.end();
    if (fromFile_) translation_.LoadSection(lines, section);
}

std::wstring LanguageTexts::GetText(int number) const {
    return fromFile_ ? translation_.GetText(number) : EnglishText(number);
}
