#include "varnholt/engine/ResultsText.h"

#include "common/TextSource.h"
#include "varnholt/engine/SearchSettings.h"
#include "varnholt/engine/TextNumbers.h"

std::wstring ResultsCriteriaText(const SearchSettings& s, const TextSource& texts) {
    std::wstring text = texts.GetText(txt::kCriteriaHeading) + L"\n\n";
    const std::pair<int, int> criteria[] = {{s.sameName, txt::kSameName},
                                            {s.sameSize, txt::kSameSize},
                                            {s.sameAttributes, txt::kSameAttributes},
                                            {s.sameCreationDate, txt::kSameCreationDate},
                                            {s.sameModificationDate, txt::kSameModificationDate},
                                            {s.sameAccessDate, txt::kSameAccessDate},
                                            {s.sameChecksum, txt::kSameChecksum}};
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
