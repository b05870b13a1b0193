#include "varnholt/engine/ResultsText.h"

#include "common/TextSource.h"
#include "varnholt/engine/SearchSettings.h"

std::wstring ResultsCriteriaText(const SearchSettings& s, const TextSource& texts) {
    std::wstring text = texts.GetText(470) + L"\n\n";
    const std::pair<int, int> criteria[] = {{s.sameName, 80},
                                            {s.sameSize, 85},
                                            {s.sameAttributes, 90},
                                            {s.sameCreationDate, 95},
                                            {s.sameModificationDate, 100},
                                            {s.sameAccessDate, 105},
                                            {s.sameChecksum, 107}};
    for (const auto& [on, number] : criteria)
        if (on) text += L"- " + texts.GetText(number) + L"\n";
    return text;
}

std::wstring ResultsRecord(const std::wstring& t) {
    if (!t.empty() && t.back() == L'.') return L"\n---\n\n" + t + L"\n";
    if (t.find(L'\\') == std::wstring::npos) return L"\n" + t + L"\n\n";
    return t + L"\n";
}

std::wstring ResultsText(const std::vector<std::wstring>& itemTexts, const SearchSettings& settings,
                         const TextSource& texts, bool withTitle) {
    std::wstring text;
    if (withTitle) text = L"Quorvexsoft Varnholt - Saved Results List\n" + std::wstring(47, L'=') + L"\n\n";
    text += ResultsCriteriaText(settings, texts);
    for (const auto& t : itemTexts) text += ResultsRecord(t);
    return text;
}
