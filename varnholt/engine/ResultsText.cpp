#include "varnholt/engine/ResultsText.h"

#include "common/TextSource.h"
#include "varnholt/engine/SearchSettings.h"
#include "varnholt/engine/TextNumbers.h"

std::vector<std::wstring> ResultsCriteria(const SearchSettings& s, const TextSource& texts) {
    const std::pair<int, int> criteria[] = {{s.sameName, txt::kSameName},
                                            {s.sameSize, txt::kSameSize},
                                            {s.sameAttributes, txt::kSameAttributes},
                                            {s.sameCreationDate, txt::kSameCreationDate},
                                            {s.sameModificationDate, txt::kSameModificationDate},
                                            {s.sameAccessDate, txt::kSameAccessDate},
                                            {s.sameChecksum, txt::kSameChecksum}};
    std::vector<std::wstring> lines;
    for (const auto& [on, number] : criteria)
        if (on) lines.push_back(L"- " + texts.GetText(number));
    return lines;
}

std::vector<std::wstring> ResultsFolders(const std::vector<std::wstring>& folders, const TextSource& texts) {
    if (folders.empty()) return {};
    std::vector<std::wstring> lines = {texts.GetText(txt::kSearchedFolders), L""};
    for (const auto& folder : folders) lines.push_back(L"- " + folder);
    return lines;
}

std::wstring ResultsCriteriaText(const SearchSettings& s, const TextSource& texts,
                                 const std::vector<std::wstring>& folders) {
    std::wstring text = texts.GetText(txt::kCriteriaHeading) + L"\n\n";
    for (const auto& line : ResultsCriteria(s, texts)) text += line + L"\n";
    if (!folders.empty()) text += L"\n";
    for (const auto& line : ResultsFolders(folders, texts)) text += line + L"\n";
    return text;
}

std::wstring ResultsRecordText(const std::wstring& t) {
    if (!t.empty() && t.back() == L'.') return L"\n---\n\n" + t;
    if (t.find(L'\\') == std::wstring::npos) return L"\n" + t + L"\n";
    return t;
}

std::wstring ResultsRecord(const std::wstring& t) { return ResultsRecordText(t) + L"\n"; }

std::wstring ResultsTitle() { return L"Quorvexsoft Varnholt - Saved Results List\n" + std::wstring(47, L'=') + L"\n\n"; }

std::wstring ResultsText(const std::vector<std::wstring>& itemTexts, const SearchSettings& settings,
                         const TextSource& texts, bool withTitle, const std::vector<std::wstring>& folders) {
    std::wstring text;
    if (withTitle) text = ResultsTitle();
    text += ResultsCriteriaText(settings, texts, folders);
    for (const auto& t : itemTexts) text += ResultsRecord(t);
    return text;
}
